#include "common/folder_handle.h"

#include "common/errors.h"
#include "common/file_time_posix.h"
#include "common/native_path.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ferwis {
namespace {

constexpr int kLinkDepth = 16; // as many links as one name may lead through

int fd_of(std::intptr_t handle) {
    return static_cast<int>(handle);
}

std::string native_name(std::string_view name) {
    return to_native(name).string();
}

std::string reason() {
    return std::strerror(errno);
}

FileIdentity identity_of(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

void close_fd(std::intptr_t& handle) {
    if (handle >= 0) {
        ::close(fd_of(handle));
        handle = -1;
    }
}

std::optional<FileIdentity> fd_identity(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return std::nullopt;
    }
    return identity_of(st);
}

// Whether the folder open as fd is the folder ancestor or lies below it:
// climbs ".." from fd until it meets ancestor or the root.
bool fd_lies_within(int fd, FileIdentity ancestor) {
    int current = ::dup(fd);
    if (current < 0) {
        return false;
    }
    bool within = false;
    for (int level = 0; level < 4096; ++level) {
        const auto here = fd_identity(current);
        if (!here) {
            break;
        }
        if (*here == ancestor) {
            within = true;
            break;
        }
        const int parent = ::openat(current, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (parent < 0) {
            break;
        }
        const auto above = fd_identity(parent);
        ::close(current);
        current = parent;
        if (!above || *above == *here) {
            break; // the root: its parent is itself
        }
    }
    ::close(current);
    return within;
}

EntryStatus status_at(int folder, const char* name) {
    EntryStatus status;
    struct stat st {};
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            status.kind = EntryKind::Unreachable;
        }
        return status;
    }
    status.identity = identity_of(st);
    status.size = static_cast<std::uintmax_t>(st.st_size);
    status.modified =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    status.kind = S_ISREG(st.st_mode)   ? EntryKind::File
                  : S_ISDIR(st.st_mode) ? EntryKind::Folder
                  : S_ISLNK(st.st_mode) ? EntryKind::Link
                                        : EntryKind::Other;
    return status;
}

} // namespace

// ---- OwnedHandle -----------------------------------------------------------

void OwnedHandle::close_quietly() noexcept {
    close_fd(handle_);
}

// ---- OpenFile --------------------------------------------------------------

namespace {

// Opened without waiting, so that a FIFO cannot stop the program in the open
// call; the type is then checked on the handle, which no rename can change.
// For a regular file the flag changes nothing, so it is left on.
// The descriptor and the file's stamp.
std::pair<int, platform::RegularFileStamp> open_regular_at(int folder, const char* native,
                                                           const std::string& path) {
    const int fd = ::openat(folder, native, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        throw FileError(path, reason());
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError(path, text(Text::ReasonNotRegularFile));
    }
    return {fd, platform::regular_file_stamp_of(st)};
}

} // namespace

OpenFile OpenFile::open_for_reading(const std::filesystem::path& native, std::string path) {
    const auto [fd, stamp] = open_regular_at(AT_FDCWD, native.c_str(), path);
    return OpenFile(fd, std::move(path), stamp);
}

bool OpenFile::is_open() const {
    return handle_ >= 0;
}

FileIdentity OpenFile::identity() const {
    return fd_identity(fd_of(handle_)).value_or(FileIdentity{});
}

std::uintmax_t OpenFile::size() const {
    struct stat st {};
    if (::fstat(fd_of(handle_), &st) != 0) {
        throw FileError(path_, reason());
    }
    return static_cast<std::uintmax_t>(st.st_size);
}

std::size_t OpenFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd_of(handle_), buffer, size);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw FileError(path_, reason());
        }
    }
}

void OpenFile::will_read(std::uintmax_t length) const {
    ::posix_fadvise(fd_of(handle_), 0, static_cast<off_t>(length), POSIX_FADV_WILLNEED);
}

std::size_t OpenFile::read_at(std::uintmax_t offset, char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd_of(handle_), buffer + done, size - done, static_cast<off_t>(offset + done));
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path_, reason());
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void OpenFile::write(const char* buffer, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd_of(handle_), buffer, size);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path_, reason());
        }
        buffer += put;
        size -= static_cast<std::size_t>(put);
    }
}

void OpenFile::sync() {
    if (::fsync(fd_of(handle_)) != 0) {
        throw FileError(path_, reason());
    }
}

void OpenFile::close() {
    if (handle_ < 0) {
        return;
    }
    const int closed = ::close(fd_of(handle_));
    handle_ = -1;
    if (closed != 0 && errno != EINTR) {
        throw FileError(path_, reason());
    }
}

// ---- FolderHandle ----------------------------------------------------------

std::optional<FolderHandle> FolderHandle::open(std::string_view path) {
    const int fd = ::open(to_native(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    return FolderHandle(fd, with_final_separator(std::string(path)));
}

bool FolderHandle::is_open() const {
    return handle_ >= 0;
}

FileIdentity FolderHandle::identity() const {
    return fd_identity(fd_of(handle_)).value_or(FileIdentity{});
}

EntryStatus FolderHandle::status(std::string_view name) const {
    return status_at(fd_of(handle_), native_name(name).c_str());
}

std::optional<FolderHandle> FolderHandle::open_folder(std::string_view name, bool follow_link,
                                                      bool* linked) const {
    const std::string native = native_name(name);
    const std::string path = path_ + std::string(name) + "/";
    int fd =
        ::openat(fd_of(handle_), native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (linked != nullptr) {
        *linked = false;
    }
    // A link refused by O_NOFOLLOW reports ELOOP or, with O_DIRECTORY, ENOTDIR.
    if (fd < 0 && (errno == ELOOP || errno == ENOTDIR) && follow_link &&
        status_at(fd_of(handle_), native.c_str()).kind == EntryKind::Link) {
        fd = ::openat(fd_of(handle_), native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (linked != nullptr) {
            *linked = true;
        }
    }
    if (fd < 0) {
        return std::nullopt;
    }
    return FolderHandle(fd, path);
}

bool FolderHandle::lies_within(const FolderHandle& ancestor) const {
    return fd_lies_within(fd_of(handle_), ancestor.identity());
}

std::optional<OpenFile> FolderHandle::open_file(std::string_view name) const {
    // Non-blocking, so that a FIFO swapped in cannot stall the run; refused
    // below as no regular file.
    const int fd = ::openat(fd_of(handle_), native_name(name).c_str(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // Gone, or no longer the file it was (a link now): nothing to open.
        // Anything else (no permission to read it) is a failure to report.
        if (errno == ENOENT || errno == ELOOP || errno == ENXIO || errno == ENOTDIR) {
            return std::nullopt;
        }
        throw FileError(path_ + std::string(name), reason());
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return OpenFile(fd, path_ + std::string(name));
}

OpenFile FolderHandle::open_for_reading(const std::filesystem::path& relative,
                                        std::string path) const {
    const auto [fd, stamp] = open_regular_at(fd_of(handle_), relative.c_str(), path);
    return OpenFile(fd, std::move(path), stamp);
}

std::optional<OpenFile> FolderHandle::open_link_target(std::string_view name,
                                                       const FolderHandle& ancestor) const {
    const FileIdentity within = ancestor.identity();
    int folder = ::dup(fd_of(handle_));
    std::string entry = native_name(name);
    std::optional<OpenFile> opened;
    for (int depth = 0; folder >= 0 && depth < kLinkDepth; ++depth) {
        std::vector<char> text(4096);
        const ssize_t length = ::readlinkat(folder, entry.c_str(), text.data(), text.size());
        if (length < 0 || static_cast<std::size_t>(length) >= text.size()) {
            break;
        }
        std::string target(text.data(), static_cast<std::size_t>(length));
        const std::size_t slash = target.rfind('/');
        std::string folder_part;
        if (slash != std::string::npos) {
            folder_part = slash == 0 ? "/" : target.substr(0, slash);
            target = target.substr(slash + 1);
        }
        if (!folder_part.empty()) {
            const int next =
                ::openat(folder, folder_part.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(folder);
            folder = next;
            if (folder < 0) {
                break;
            }
        }
        if (!fd_lies_within(folder, within) || target.empty() || target == "." || target == "..") {
            break;
        }
        struct stat st {};
        if (::fstatat(folder, target.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            break;
        }
        if (S_ISLNK(st.st_mode)) {
            entry = target;
            continue;
        }
        if (!S_ISREG(st.st_mode)) {
            break;
        }
        const int fd =
            ::openat(folder, target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat opened_st {};
        if (fd >= 0 && ::fstat(fd, &opened_st) == 0 && S_ISREG(opened_st.st_mode) &&
            identity_of(opened_st) == identity_of(st)) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            opened = OpenFile(fd, path_ + std::string(name));
        } else if (fd >= 0) {
            ::close(fd);
        }
        break;
    }
    if (folder >= 0) {
        ::close(folder);
    }
    return opened;
}

std::optional<OpenFile> FolderHandle::create_file(std::string_view name) const {
    const std::string path = path_ + std::string(name);
    const int fd = ::openat(fd_of(handle_), native_name(name).c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST || errno == ELOOP) {
            return std::nullopt;
        }
        throw FileError(path, reason());
    }
    return OpenFile(fd, path);
}

void FolderHandle::create_folder(std::string_view name) const {
    if (::mkdirat(fd_of(handle_), native_name(name).c_str(), 0777) != 0 && errno != EEXIST) {
        throw FileError(path_ + std::string(name), reason());
    }
}

void FolderHandle::remove(std::string_view name) const {
    // Removing an entry needs write access to the folder only: a read-only
    // file goes like any other, and a link goes itself.
    if (::unlinkat(fd_of(handle_), native_name(name).c_str(), 0) != 0) {
        throw FileError(path_ + std::string(name), reason());
    }
}

bool FolderHandle::rename(std::string_view name, const FolderHandle& to, std::string_view new_name,
                          bool replace) const {
    const std::string from = native_name(name);
    const std::string target = native_name(new_name);
    if (replace) {
        if (::renameat(fd_of(handle_), from.c_str(), fd_of(to.handle_), target.c_str()) != 0) {
            throw FileError(to.path_ + std::string(new_name), reason());
        }
        return true;
    }
#ifdef RENAME_NOREPLACE
    if (::renameat2(fd_of(handle_), from.c_str(), fd_of(to.handle_), target.c_str(),
                    RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        throw FileError(to.path_ + std::string(new_name), reason());
    }
#endif
    // A file system without a rename that keeps the target: a second name
    // never replaces an entry, and the first name goes once the second is there.
    if (::linkat(fd_of(handle_), from.c_str(), fd_of(to.handle_), target.c_str(), 0) != 0) {
        if (errno == EEXIST) {
            return false;
        }
        throw FileError(to.path_ + std::string(new_name), reason());
    }
    if (::unlinkat(fd_of(handle_), from.c_str(), 0) != 0) {
        throw FileError(path_ + std::string(name), reason());
    }
    return true;
}

void FolderHandle::sync() const {
    if (::fsync(fd_of(handle_)) != 0 && errno != EINVAL) {
        throw FileError(path_, reason());
    }
}

bool FolderHandle::syncs_file_system() {
#ifdef __linux__
    return true;
#else
    return false;
#endif
}

void FolderHandle::sync_file_system() const {
#ifdef __linux__
    // One call for a whole batch of files and folders: the journal commits
    // once instead of once per file.
    if (::syncfs(fd_of(handle_)) != 0) {
        throw FileError(path_, reason());
    }
#endif
}

EntryStatus entry_status(const std::filesystem::path& path) {
    return status_at(AT_FDCWD, path.c_str());
}

std::optional<std::filesystem::path> FolderHandle::real_path() const {
    // The kernel names the folder an open descriptor refers to.
    std::error_code ec;
    auto path =
        std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd_of(handle_)), ec);
    if (ec || path.empty() || !path.is_absolute()) {
        return std::nullopt;
    }
    return path;
}

} // namespace ferwis
