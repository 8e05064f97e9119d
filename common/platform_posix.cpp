#include "common/platform.h"

#include "common/file_time_posix.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <sys/mman.h>
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

void advise_large_pages(void* block, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
    if (first < last) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)block;
    (void)bytes;
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

constexpr int kListingFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Reports one entry the system listed in the folder open as fd: a folder or a
// regular file, links followed. The kind comes with the name, so a status
// call (relative to the open folder) is made only for a link, an entry of
// unknown kind, or a file whose length is asked for.
void report_entry(int fd, const char* name, unsigned char type, bool with_sizes,
                  const std::function<void(const FolderEntry&)>& visit) {
    if (is_dot_entry(name) ||
        (type != DT_DIR && type != DT_REG && type != DT_LNK && type != DT_UNKNOWN)) {
        return; // a FIFO, socket or device is no content
    }
    FolderEntry entry;
    if (type == DT_DIR) {
        entry.is_folder = true;
    } else if (type == DT_LNK || type == DT_UNKNOWN || with_sizes) {
        struct stat info {};
        if (type == DT_UNKNOWN) {
            if (::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                return;
            }
            entry.is_link = S_ISLNK(info.st_mode);
        } else {
            entry.is_link = type == DT_LNK;
        }
        if ((type != DT_UNKNOWN || entry.is_link) && ::fstatat(fd, name, &info, 0) != 0) {
            return; // a link that leads nowhere
        }
        if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode)) {
            return;
        }
        entry.is_folder = S_ISDIR(info.st_mode);
        entry.is_link = entry.is_link && entry.is_folder;
        if (S_ISREG(info.st_mode)) {
            entry.size = static_cast<std::uintmax_t>(info.st_size);
        }
    }
    entry.name = name;
    visit(entry);
}

// Lists the folder open as fd, which it closes.
std::error_code list_open_folder(int fd, bool with_sizes,
                                 const std::function<void(const FolderEntry&)>& visit) {
    int failure = 0;
#if defined(__linux__) && defined(__GLIBC__)
    // The system's own call, read into a buffer (new aligns it for any
    // entry) of the size the C library takes for a listing, without the
    // status call of the folder that the library makes.
    constexpr std::size_t kBuffer = 32768;
    const std::unique_ptr<char[]> buffer(new char[kBuffer]);
    char* const bytes = buffer.get();
    while (true) {
        const ssize_t got = ::getdents64(fd, bytes, kBuffer);
        if (got <= 0) {
            failure = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* found = reinterpret_cast<const dirent64*>(bytes + at);
            at += found->d_reclen;
            if (found->d_ino != 0) { // a removed entry, as the C library skips it
                report_entry(fd, found->d_name, found->d_type, with_sizes, visit);
            }
        }
    }
    ::close(fd);
#else
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        failure = errno;
        ::close(fd);
        return {failure, std::generic_category()};
    }
    while (true) {
        errno = 0;
        const dirent* found = ::readdir(dir);
        if (found == nullptr) {
            failure = errno;
            break;
        }
        report_entry(fd, found->d_name, found->d_type, with_sizes, visit);
    }
    ::closedir(dir);
#endif
    if (failure != 0) {
        return {failure, std::generic_category()};
    }
    return {};
}

} // namespace

std::error_code visit_folder(const std::filesystem::path& folder, bool with_sizes,
                             const std::function<void(const FolderEntry&)>& visit) {
    const int fd = ::open(folder.c_str(), kListingFlags);
    if (fd < 0) {
        return {errno, std::generic_category()};
    }
    return list_open_folder(fd, with_sizes, visit);
}

ListingRoot::ListingRoot(const std::filesystem::path& root) : root_(root) {
    handle_ = ::open(root.c_str(), kListingFlags);
}

ListingRoot::~ListingRoot() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
    }
}

std::error_code ListingRoot::visit(const std::filesystem::path& folder, bool with_sizes,
                                   const std::function<void(const FolderEntry&)>& visit) const {
    const std::string& whole = folder.native();
    const std::string& root = root_.native();
    // The names below the root follow its path and a separator.
    std::size_t below = root.size();
    if (!root.empty() && root.back() != '/' && whole.size() > below && whole[below] == '/') {
        ++below;
    }
    if (handle_ < 0 || whole.compare(0, root.size(), root) != 0 ||
        (below < whole.size() && below > 0 && whole[below - 1] != '/')) {
        return visit_folder(folder, with_sizes, visit);
    }
    // The system refuses a whole path of PATH_MAX bytes or more.
    if (whole.size() >= PATH_MAX) {
        return {ENAMETOOLONG, std::generic_category()};
    }
    const int fd = ::openat(static_cast<int>(handle_),
                            below >= whole.size() ? "." : whole.c_str() + below, kListingFlags);
    if (fd < 0) {
        return {errno, std::generic_category()};
    }
    return list_open_folder(fd, with_sizes, visit);
}

} // namespace ferwis::platform
