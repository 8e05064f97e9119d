#include "common/platform.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ferwis::platform {

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

OpenedRegularFile open_regular_file(const std::filesystem::path& path) {
    OpenedRegularFile opened;
    // Opened without waiting, so that a FIFO cannot stop the program in the open
    // call; the type is then checked on the handle, which no rename can change.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        opened.reason = std::strerror(errno);
        return opened;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        opened.reason = "not a regular file";
        return opened;
    }
    opened.file = ::fdopen(fd, "rb");
    if (opened.file == nullptr) {
        opened.reason = std::strerror(errno);
        ::close(fd);
        return opened;
    }
    opened.size = static_cast<std::uintmax_t>(info.st_size);
    return opened;
}

std::filesystem::path program_file() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
}

std::vector<std::string> utf8_arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void prepare_console() {}

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

OpenFolder::OpenFolder(const std::filesystem::path& folder)
    : folder_(folder), handle_(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::~OpenFolder() {
    if (handle_ >= 0) {
        ::close(handle_);
    }
}

std::optional<std::uintmax_t>
OpenFolder::regular_file_size(const std::filesystem::path& name) const {
    if (handle_ < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstatat(handle_, name.c_str(), &info, 0) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uintmax_t>(info.st_size);
}

} // namespace ferwis::platform
