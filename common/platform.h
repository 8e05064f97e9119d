#pragma once
// The one place that speaks to the operating system directly. Everything else
// reaches files through std::filesystem and these calls; the two
// implementations are platform_posix.cpp and platform_windows.cpp.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace ferwis::platform {

// Opens a file with a stdio mode ("rb", "wb", "ab"). Returns nullptr with errno
// set when it cannot.
std::FILE* open_file(const std::filesystem::path& path, const char* mode);

// The file of the running program; empty when it cannot be told.
std::filesystem::path program_file();

// The value of an environment variable as a native path; nothing when it is
// unset or empty.
std::optional<std::filesystem::path> environment_path(const char* name);

// The user's home folder: HOME (USERPROFILE on Windows) when it is an absolute
// path, else the account's own; empty when neither can be told.
std::filesystem::path home_folder();

// The command-line arguments without the program name, in UTF-8. On Windows
// they are taken from the wide command line, so that names outside the ANSI
// code page arrive whole; elsewhere they are argv as given.
std::vector<std::string> utf8_arguments(int argc, char** argv);

// The number the system gives the running process (unique among the running ones).
unsigned long process_id();

// Makes the console show the UTF-8 the command-line program writes.
void prepare_console();

// Makes the heap give memory back to the system as it is freed: a large block
// is mapped on its own and unmapped when freed, and free memory at the top of
// the heap goes back. The C library of Linux otherwise keeps a freed block of
// up to 32 MiB, and everything below it freed later, for blocks to come: on
// a large installation tens of megabytes beside an analysis's own, more or
// fewer by how its threads happened to run. The Windows heap gives freed large
// blocks back of itself.
void return_freed_memory();

// Asks the system to back the whole 2 MiB pieces of a large block, not yet
// written, with large pages where it offers them: each small page of a new
// block costs a trip into the system when first written, and a block of
// megabytes is hundreds of them. Does nothing where large pages are not offered.
void advise_large_pages(void* block, std::size_t bytes);

// Whether a standard stream (stdin, stdout, stderr) is a terminal.
bool is_terminal(std::FILE* stream);

// Where a folder really lies once every link, junction or other reparse point
// on the way is followed: two paths to the same folder give equal identities.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    bool operator==(const FolderIdentity&) const = default;
};
std::optional<FolderIdentity> folder_identity(const std::filesystem::path& path);

// The length of the regular file at path (a link followed) and its last write
// time: on POSIX in the ticks of std::filesystem::last_write_time, so that
// stamps written before compare alike; on Windows in the system's own ticks of
// 100 ns, which an open handle tells alike (OpenFile::stamp_when_opened).
// Nothing when it is no regular file. One status call where the system
// allows: a file operation checks every file the analysis read.
struct RegularFileStamp {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
};
std::optional<RegularFileStamp> regular_file_stamp(const std::filesystem::path& path);

// Whether the entry at path is itself a link (on Windows: any reparse point,
// such as a symbolic link or a junction), without following it.
bool is_link(const std::filesystem::path& path);
// The same for an entry of a folder listing, from what the listing already knows where it can.
bool is_link(const std::filesystem::directory_entry& entry);

// A file name as the system gives it: UTF-16 on Windows, bytes elsewhere.
using NativeName = std::basic_string_view<std::filesystem::path::value_type>;

// One entry of a folder: a folder or a regular file, links followed.
struct FolderEntry {
    NativeName name;
    bool is_folder = false;
    bool is_link = false;    // a folder reached through a link
    std::uintmax_t size = 0; // with sizes: the length of a regular file
};

// Calls visit for every folder and regular file of folder, in the order the
// system lists them; a FIFO, socket or device is no content and a link that
// leads nowhere is left out. The name is valid only during the call. Returns
// the error that stopped the listing, if any.
std::error_code visit_folder(const std::filesystem::path& folder, bool with_sizes,
                             const std::function<void(const FolderEntry&)>& visit);

// A folder held open while the folders below it are listed: each is opened by
// its path below this one, so the system looks up only the names below it
// instead of every name of its whole path again (a walk lists tens of
// thousands of folders). Where nothing is held (the folder could not be
// opened, or on Windows) the folders are listed by their whole paths.
class ListingRoot {
public:
    explicit ListingRoot(const std::filesystem::path& root);
    ~ListingRoot();
    ListingRoot(const ListingRoot&) = delete;
    ListingRoot& operator=(const ListingRoot&) = delete;

    // As visit_folder, for folder: the root's native path, or one below it
    // that begins with that path (any other is listed by itself). A folder
    // whose whole path the system would refuse as too long is refused so here
    // too, though its path below the root would do.
    std::error_code visit(const std::filesystem::path& folder, bool with_sizes,
                          const std::function<void(const FolderEntry&)>& visit) const;

private:
    std::filesystem::path root_;
    std::intptr_t handle_ = -1;
};

} // namespace ferwis::platform
