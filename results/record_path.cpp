#include "results/record_path.h"

#include "common/native_path.h"
#include "common/text_compare.h"

namespace ferwis {

std::string normalize_record_path(std::string_view path) {
    std::string out;
    normalize_record_path(path, out);
    return out;
}

void normalize_record_path(std::string_view path, std::string& out) {
    out.clear();
    out.reserve(path.size());
    for (char c : path) {
        if (c == kOtherSeparator) {
            c = kSeparator;
        }
        if (c == kSeparator && !out.empty() && out.back() == kSeparator) {
            continue;
        }
        out.push_back(c);
    }
}

std::optional<std::string> path_below_main(std::string_view path, std::string_view main_dir) {
    if (root_length(main_dir) == 0 || main_dir.back() != kSeparator ||
        !starts_with_name(path, main_dir) || path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view relative = path.substr(main_dir.size());
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t sep = relative.find(kSeparator, start);
        if (sep == std::string_view::npos) {
            sep = relative.size();
        }
        if (relative.substr(start, sep - start) == "..") {
            return std::nullopt;
        }
        start = sep + 1;
    }
    return std::string(relative);
}

} // namespace ferwis
