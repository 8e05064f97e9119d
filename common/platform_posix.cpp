#include "common/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ferwis::platform {

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
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

bool input_is_terminal() {
    return isatty(STDIN_FILENO) != 0;
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
