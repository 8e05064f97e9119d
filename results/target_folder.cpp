#include "results/target_folder.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace ferwis {

bool prepare_target_folder(std::string_view folder) {
    const std::size_t root = root_length(folder);
    if (root == 0) {
        return false;
    }
    std::string built(folder.substr(0, root));
    bool first = true;
    // A drive ("D:\") is the first level itself; "/" is none, so there the
    // first folder below it is.
    if (root > 1) {
        if (!folder_exists(built)) {
            return false;
        }
        first = false;
    }
    std::size_t start = root;
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
