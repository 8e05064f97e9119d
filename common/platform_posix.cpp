#include "common/platform.h"

#include "common/file_time_posix.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace ferwis::platform {

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::optional<RegularFileStamp> regular_file_stamp(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return regular_file_stamp_of(st);
}

std::filesystem::path program_file() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
}

std::optional<std::filesystem::path> environment_path(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

std::filesystem::path home_folder() {
    if (auto home = environment_path("HOME"); home && home->is_absolute()) {
        return *home;
    }
    const passwd* account = ::getpwuid(::getuid());
    return account != nullptr && account->pw_dir != nullptr ? std::filesystem::path(account->pw_dir)
                                                            : std::filesystem::path();
}

std::vector<std::string> utf8_arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

unsigned long process_id() {
    return static_cast<unsigned long>(::getpid());
}

void prepare_console() {}

void return_freed_memory() {
#ifdef __GLIBC__
    // The library's own starting values, set: a value set is never raised.
    constexpr int kLargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, kLargeBlock);
#endif
}

bool is_terminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

std::optional<FolderIdentity> folder_identity(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev),
                          static_cast<std::uint64_t>(info.st_ino)};
}

bool is_link(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool is_link(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    return entry.is_symlink(ec);
}

namespace {

bool is_dot_entry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

std::error_code visit_folder(const std::filesystem::path& folder, bool with_sizes,
                             const std::function<void(const FolderEntry&)>& visit) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return {errno, std::generic_category()};
    }
    // The kind comes with the name, so a status call (relative to the open
    // folder) is made only for a link, an entry of unknown kind, or a file
    // whose length is asked for.
    const int fd = ::dirfd(dir);
    int failure = 0;
    while (true) {
        errno = 0;
        const dirent* found = ::readdir(dir);
        if (found == nullptr) {
            failure = errno;
            break;
        }
        const unsigned char type = found->d_type;
        if (is_dot_entry(found->d_name) ||
            (type != DT_DIR && type != DT_REG && type != DT_LNK && type != DT_UNKNOWN)) {
            continue; // a FIFO, socket or device is no content
        }
        FolderEntry entry;
        if (type == DT_DIR) {
            entry.is_folder = true;
        } else if (type == DT_LNK || type == DT_UNKNOWN || with_sizes) {
            struct stat info {};
            if (type == DT_UNKNOWN) {
                if (::fstatat(fd, found->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                    continue;
                }
                entry.is_link = S_ISLNK(info.st_mode);
            } else {
                entry.is_link = type == DT_LNK;
            }
            if ((type != DT_UNKNOWN || entry.is_link) &&
                ::fstatat(fd, found->d_name, &info, 0) != 0) {
                continue; // a link that leads nowhere
            }
            if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode)) {
                continue;
            }
            entry.is_folder = S_ISDIR(info.st_mode);
            entry.is_link = entry.is_link && entry.is_folder;
            if (S_ISREG(info.st_mode)) {
                entry.size = static_cast<std::uintmax_t>(info.st_size);
            }
        }
        entry.name = found->d_name;
        visit(entry);
    }
    ::closedir(dir);
    if (failure != 0) {
        return {failure, std::generic_category()};
    }
    return {};
}

} // namespace ferwis::platform
