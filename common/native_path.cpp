#include "common/native_path.h"

#include "common/code_page.h"

#include <algorithm>
#include <system_error>

namespace ferwis {

std::filesystem::path to_native(std::string_view path) {
    return std::filesystem::path(cp1250_to_utf8(path));
}

std::string from_native(const std::filesystem::path& path) {
    return utf8_to_cp1250(path.native());
}

void read_separators(std::string& name) {
    std::replace(name.begin(), name.end(), '\\', kSeparator);
}

std::string with_read_separators(std::string_view name) {
    std::string out(name);
    read_separators(out);
    return out;
}

void ensure_final_separator(std::string& path) {
    if (path.empty() || path.back() != kSeparator) {
        path.push_back(kSeparator);
    }
}

std::string program_directory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return with_final_separator(ec ? std::string(".") : from_native(exe.parent_path()));
}

} // namespace ferwis
