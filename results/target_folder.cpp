#include "results/target_folder.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace ferwis {

bool prepare_target_folder(std::string_view folder) {
    if (folder.empty() || folder.front() != kSeparator) {
        return false;
    }
    std::string built(1, kSeparator);
    bool first = true;
    std::size_t start = 1;
    while (start < folder.size()) {
        std::size_t sep = folder.find(kSeparator, start);
        if (sep == std::string_view::npos) {
            sep = folder.size();
        }
        const std::string_view piece = folder.substr(start, sep - start);
        start = sep + 1;
        if (piece.empty()) {
            continue; // a doubled separator names no level
        }
        built.append(piece);
        built.push_back(kSeparator);
        if (folder_exists(built)) {
            first = false;
            continue;
        }
        if (first) {
            return false;
        }
        std::error_code ec;
        std::filesystem::create_directory(to_native(built), ec);
        if (ec) {
            throw FileError(built, ec.message());
        }
    }
    return true;
}

} // namespace ferwis
