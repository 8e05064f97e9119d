#pragma once
// Folders and files reached through opened handles rather than through path
// text. The file operations check a record's folder and act on it; between the
// two a link in the path may be swapped, so they open each folder once and do
// everything else relative to that opened folder. Names given here are single
// components (no separator), Windows-1250 text like every path of the program.
//
// This is part of the platform layer: the POSIX implementation
// (folder_handle_posix.cpp) uses the *at family of calls; the Windows one
// (folder_handle_windows.cpp) holds each folder open and reaches entries below
// the place the system gives for that handle, never following a reparse point
// unless asked.

#include "common/platform.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace ferwis {

// Which file-system object an entry is: equal identities are the same object.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileIdentityHash {
    std::size_t operator()(const FileIdentity& id) const {
        return std::hash<std::uint64_t>()(id.node) ^ (std::hash<std::uint64_t>()(id.device) << 1);
    }
};

// Unreachable: the system refused to say what is there (no permission to
// search the folder, a name it cannot take): there may well be an entry, so
// it is never taken for a missing one.
enum class EntryKind { Missing, File, Folder, Link, Other, Unreachable };

// What an entry is, as the entry itself (a link is not followed).
struct EntryStatus {
    EntryKind kind = EntryKind::Missing;
    std::uintmax_t size = 0;
    FileIdentity identity;
    // The last change of its bytes, in the system's own units (compared, never shown).
    std::int64_t modified = 0;
};

// A handle of the system and the path it was reached by (for messages): it
// closes itself when it goes and is moved, never copied.
class OwnedHandle {
public:
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

protected:
    OwnedHandle() = default;
    OwnedHandle(std::intptr_t handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~OwnedHandle() { close_quietly(); }
    OwnedHandle(OwnedHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, -1)), path_(std::move(other.path_)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            close_quietly();
            handle_ = std::exchange(other.handle_, -1);
            path_ = std::move(other.path_);
        }
        return *this;
    }

    // Closes the handle, if open, without reporting a failure.
    void close_quietly() noexcept;

    std::intptr_t handle_ = -1;
    std::string path_;
};

// An open regular file.
class OpenFile : private OwnedHandle {
public:
    OpenFile() = default;
    OpenFile(OpenFile&& other) noexcept = default;
    OpenFile& operator=(OpenFile&& other) noexcept = default;

    // Opens the regular file (or link to one) at native for reading. Never
    // waits: a FIFO or device is refused, not opened for a read that would
    // block or never end. path is its text, for messages. Throws FileError
    // with the system's reason, or "not a regular file".
    static OpenFile open_for_reading(const std::filesystem::path& native, std::string path);

    bool is_open() const;
    FileIdentity identity() const;
    std::uintmax_t size() const;
    // Its length when it was opened by open_for_reading (0 when opened otherwise).
    std::uintmax_t size_when_opened() const { return stamp_when_opened_.size; }
    // Its length and last write time when it was opened by open_for_reading,
    // in the units of regular_file_stamp: the state of the bytes read, not of
    // whatever lies at its path later.
    const platform::RegularFileStamp& stamp_when_opened() const { return stamp_when_opened_; }
    // Reads up to size bytes; 0 at the end. Throws FileError.
    std::size_t read(char* buffer, std::size_t size);
    // Reads size bytes from offset, fewer only where the file ends first (0
    // from its end on), in as few calls as the system allows. Throws FileError.
    std::size_t read_at(std::uintmax_t offset, char* buffer, std::size_t size);
    // Tells the system that the first length bytes will be read soon, so that
    // it fetches them from the disk meanwhile: files hinted together wait for
    // the disk together, not one after another. Only a hint: it never fails,
    // and does nothing where the system takes no such hint.
    void will_read(std::uintmax_t length) const;
    // Writes all bytes. Throws FileError with the system's reason (a full disk
    // says so).
    void write(const char* buffer, std::size_t size);
    // Makes the written bytes durable. Throws FileError.
    void sync();
    // Closes the file, reporting a failure of the close itself. Throws FileError.
    void close();

private:
    friend class FolderHandle;
    OpenFile(std::intptr_t handle, std::string path, platform::RegularFileStamp stamp = {})
        : OwnedHandle(handle, std::move(path)), stamp_when_opened_(stamp) {}

    platform::RegularFileStamp stamp_when_opened_;
};

class FolderHandle : private OwnedHandle {
public:
    FolderHandle() = default;
    FolderHandle(FolderHandle&& other) noexcept = default;
    FolderHandle& operator=(FolderHandle&& other) noexcept = default;

    // Opens a folder by its path (links followed: this is a folder a person
    // configured). Nothing when there is no folder there.
    static std::optional<FolderHandle> open(std::string_view path);

    bool is_open() const;
    // The path this folder was reached by, ending with "/" (for messages).
    const std::string& path() const { return path_; }
    FileIdentity identity() const;

    // The entry name of this folder, without following a link.
    EntryStatus status(std::string_view name) const;

    // Opens the folder name of this folder. A link is followed only when
    // follow_link; linked tells the caller that one was, so that it can check
    // where the opened folder really lies. Nothing when name is no folder (or
    // is a link and follow_link is false).
    std::optional<FolderHandle> open_folder(std::string_view name, bool follow_link,
                                            bool* linked = nullptr) const;

    // Whether this folder is ancestor or lies below it on the disk.
    bool lies_within(const FolderHandle& ancestor) const;

    // Opens the regular file name for reading, never through a link. Nothing
    // when name is gone or no regular file (a FIFO is never opened, so it
    // cannot block); throws FileError when it cannot be read.
    std::optional<OpenFile> open_file(std::string_view name) const;

    // Opens the regular file at relative (native; names below this folder,
    // links followed as in any path) for reading, as OpenFile::open_for_reading
    // does: the system looks up only the names below this folder. path is the
    // file's whole text, for messages. Throws FileError.
    OpenFile open_for_reading(const std::filesystem::path& relative, std::string path) const;

    // Follows the link name (and any link it leads to) and opens the regular
    // file at its end for reading, when every folder on the way to that file
    // lies within ancestor. Nothing otherwise.
    std::optional<OpenFile> open_link_target(std::string_view name,
                                             const FolderHandle& ancestor) const;

    // Creates name as a new file, never through a link and never over an
    // existing entry. Nothing when an entry of that name exists; throws
    // FileError for any other failure.
    std::optional<OpenFile> create_file(std::string_view name) const;

    // Creates the folder name; one that appeared meanwhile is no failure.
    // Throws FileError.
    void create_folder(std::string_view name) const;

    // Removes the entry name (a link itself, never its target), read-only
    // files too. Throws FileError.
    void remove(std::string_view name) const;

    // Renames name to new_name in folder to. With replace, an entry there is
    // replaced (a link there is replaced, not written through) and the result
    // is true; without, an entry there stays and the result is false. Throws
    // FileError.
    bool rename(std::string_view name, const FolderHandle& to, std::string_view new_name,
                bool replace = true) const;

    // Makes the entries of this folder durable (after a rename). Throws FileError.
    void sync() const;

    // Whether sync_file_system() makes a whole file system durable at once
    // here. Where it does not (Windows), each written file is made durable by
    // itself (OpenFile::sync) and its folder by sync().
    static bool syncs_file_system();

    // Makes every file and entry written to the file system this folder lies
    // on durable, in one call, where syncs_file_system(); does nothing
    // elsewhere. Throws FileError.
    void sync_file_system() const;

    // The folder's real place as the file system names it now (no link on the
    // way), native. Nothing when it cannot be told.
    std::optional<std::filesystem::path> real_path() const;

private:
    FolderHandle(std::intptr_t handle, std::string path) : OwnedHandle(handle, std::move(path)) {}
};

// The entry at a native path, without following a link at its end.
EntryStatus entry_status(const std::filesystem::path& path);

} // namespace ferwis
