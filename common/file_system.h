#pragma once
// The file-system services of the program, on Windows-1250 paths with "/".

#include "common/folder_handle.h"
#include "common/platform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ferwis {

// The longest name of one folder or file, and the longest whole path, that the
// platform's file systems take: in bytes of the native (UTF-8) form on POSIX,
// in UTF-16 units on Windows, where each Windows-1250 character is one unit.
inline constexpr std::size_t kMaxNameLength = 255;
#ifdef _WIN32
inline constexpr std::size_t kMaxPathLength = 260;
#else
inline constexpr std::size_t kMaxPathLength = 4096;
#endif

// Whether path (Windows-1250, "/" between names) can name a file here at all:
// no name in it longer than kMaxNameLength and the whole within kMaxPathLength.
bool can_be_path(std::string_view path);

bool file_exists(std::string_view path);   // a regular file (or a link to one)
bool folder_exists(std::string_view path); // a directory (or a link to one)

// Returns the length of the file in bytes, or nothing when there is no such file.
std::optional<std::uintmax_t> file_size(std::string_view path);
// The same for a file given by its native path.
std::optional<std::uintmax_t> native_file_size(const std::filesystem::path& native);

// Opens the regular file (or link to one) at path for reading, relative to a
// folder held open for it where there is one (FolderHandleScope). Never waits
// on a FIFO or device. Throws FileError when the file cannot be opened or is
// no regular file.
OpenFile open_file_for_reading(std::string_view path);
// The same, but by its native path where one is given: the name of a file
// without a Windows-1250 form, which path cannot name.
OpenFile open_file_for_reading(std::string_view path, const std::filesystem::path* native);

// Reads the open file from where it stands to its end, piece by piece, handing
// each piece to take. Throws FileError.
void read_to_end(OpenFile& file, const std::function<void(std::string_view)>& take);

// Reads the regular file (or link to one) at path piece by piece, handing each
// piece to take. False when it cannot be opened or read; a FIFO or device is
// refused, never waited on or read without end.
bool read_regular_file(std::string_view path, const std::function<void(std::string_view)>& take);

// The entries directly inside one folder, names only, each list in the order of
// the one comparison (sort_before).
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> linked_folders; // those of folders reached through a link
    std::vector<std::string> files;
    // When asked for: the length of each of files in bytes, in the same order.
    std::vector<std::uintmax_t> file_sizes;
    // The names as the system gave them of those folders and files whose text
    // does not name them (a name without a Windows-1250 form has "?" in its
    // text), by their position in folders or files, ascending. Mostly empty.
    std::vector<std::pair<std::size_t, std::filesystem::path>> native_folders;
    std::vector<std::pair<std::size_t, std::filesystem::path>> native_files;
};

// Lists a folder: its folders and links to folders, and its regular files and
// links to regular files (a FIFO, socket or device is no content), with the
// lengths of the files when with_sizes (a status call per file, relative to the
// open folder, where the names alone give no length). Throws FileError when it
// cannot be opened or enumerated, PathTooLong when its path is longer than the
// system takes.
FolderListing list_folder(std::string_view path, bool with_sizes = false);
// The same for a folder given by its native path; path is its text, for messages.
// With root, a folder below it is opened relative to it.
FolderListing list_folder(const std::filesystem::path& native, std::string_view path,
                          bool with_sizes = false, const platform::ListingRoot* root = nullptr);

// Whether relative (below folder) names, letter case aside, an entry on the way
// whose name has no Windows-1250 form: its text has a "?" there and names no
// file, so the entry cannot be reached through it.
// A name on the way counts as without form also when it holds a double quote,
// CR or LF, which a record writes as "?" too.
bool names_entry_without_form(std::string_view folder, std::string_view relative);

// A name as a record of the result writes it: a double quote, CR or LF as "?"
// (a character without a Windows-1250 form is "?" in the text already).
std::string written_form(std::string_view name);

// For each name a record writes for an entry directly in folder, how many of
// the folder's entries it stands for: more than one means a record with that
// name cannot tell which one it names. Throws FileError when the folder
// cannot be listed.
std::unordered_map<std::string, std::size_t> written_name_counts(std::string_view folder);

// The entries of the folders that searches for a name had to read, kept so that
// many searches in the same folders read each folder once (for a walk over
// files that do not change meanwhile).
class FolderNameCache {
public:
    struct Entry {
        std::string name;
        bool folder = false;
        std::uintmax_t size = 0; // a file's length, when the walk asked for lengths
    };
    // The entries of folder; nothing when it cannot be read.
    const std::optional<std::vector<Entry>>& entries(std::string_view folder);

    // Keeps the complete entries of folder, as a walk that listed it anyway
    // read them: a search in that folder then asks the system nothing.
    void remember(std::string folder, std::vector<Entry> entries);

    // The entries remembered for folder, or null when it was not walked.
    const std::vector<Entry>* walked(std::string_view folder) const;

    // The entry of a walked folder named exactly by path (folder + name), or
    // null when its folder was not walked or holds no such name.
    const Entry* walked_entry(std::string_view path) const;

private:
    std::unordered_map<std::string, std::optional<std::vector<Entry>>> folders_;
    std::unordered_map<std::string, std::vector<Entry>> walked_;
};

// Returns the name, as it is on disk, of the entry of folder whose name equals
// name case-insensitively (a folder when want_folder, else a file); an exact
// match is preferred. On every platform the name comes back as on disk, also
// where the file system finds it under any spelling. Nothing when there is none
// or the folder cannot be read. With a cache, the folder's entries are taken
// from it; in a folder it remembers from a walk, not even the exact name is
// asked for.
std::optional<std::string> find_entry(std::string_view folder, std::string_view name,
                                      bool want_folder, FolderNameCache* cache = nullptr);

// Resolves relative (components separated by "/") below base (ending with "/"),
// matching each component case-insensitively. Returns base + the components as
// they are on disk when the file exists, nothing otherwise.
std::optional<std::string> find_file_case_insensitive(std::string_view base,
                                                      std::string_view relative,
                                                      FolderNameCache* cache = nullptr);

// Returns main (ending with "/") + the name, as it is on disk, of the folder of
// main that equals name case-insensitively, + "/"; main + name + "/" when there
// is none. This is how the content directories are found on a case-sensitive
// file system.
std::string content_folder(std::string_view main, std::string_view name);

} // namespace ferwis
