#include "analysis/models/scan_binary_model.h"

#include "analysis/resolve/reference_rules.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/text_compare.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace ferwis {
namespace {

// Fills the block (kBinaryModelWindow bytes, allocated once and never cleared)
// with up to one window of bytes from offset; returns the bytes read.
std::string_view read_window(const ReadFile& file, std::string_view path, std::uintmax_t offset,
                             char* block) {
    if (std::fseek(file.get(), static_cast<long>(offset), SEEK_SET) != 0) {
        throw FileError(std::string(path), std::strerror(errno));
    }
    const std::size_t got = std::fread(block, 1, kBinaryModelWindow, file.get());
    if (got < kBinaryModelWindow && std::ferror(file.get()) != 0) {
        throw FileError(std::string(path), "read error");
    }
    return {block, got};
}

} // namespace

void scan_binary_model(SceneryRun& scenery, std::string_view file_path,
                       std::string_view model_path) {
    const std::string subdirectory = model_texture_subdirectory(scenery, model_path);
    const OpenedFile opened = open_for_reading(file_path);
    const ReadFile& file = opened.file;
    const std::uintmax_t length = opened.size;

    // Windows follow each other without overlap, so a tag that straddles a
    // border is found in neither; the first window is read even for an empty file.
    const std::unique_ptr<char[]> block(new char[kBinaryModelWindow]);
    std::optional<std::uintmax_t> tag;
    for (std::uintmax_t start = 0; !tag && (start == 0 || start < length);
         start += kBinaryModelWindow) {
        // Searched case-insensitively in place: lower-casing every window first
        // costs more than the search on an installation of many models.
        const std::size_t at = find_name(read_window(file, file_path, start, block.get()), "tex0");
        if (at != std::string_view::npos) {
            tag = start + at;
        }
    }
    if (!tag) {
        return;
    }

    const std::string_view list = read_window(file, file_path, *tag + 9, block.get());
    // Each piece is lowered on its own: the list ends long before the window.
    std::string piece;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t zero = list.find('\0', start);
        if (zero == std::string_view::npos) {
            zero = list.size();
        }
        piece.assign(list.substr(start, zero - start));
        to_lower_in_place(piece);
        if (piece.starts_with("nam0")) {
            return;
        }
        if (!piece.empty()) {
            resolve_model_texture(scenery, piece, subdirectory);
        }
        start = zero + 1;
    }
}

} // namespace ferwis
