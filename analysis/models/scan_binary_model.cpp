#include "analysis/models/scan_binary_model.h"

#include "analysis/resolve/reference_rules.h"
#include "common/file_system.h"
#include "common/folder_handle.h"
#include "common/text_compare.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ferwis {
namespace {

// Fills the block (kBinaryModelWindow bytes, allocated once and never cleared)
// with up to one window of bytes from offset; returns the bytes read.
std::string_view read_window(OpenFile& file, std::uintmax_t offset, char* block) {
    return {block, file.read_at(offset, block, kBinaryModelWindow)};
}

} // namespace

void scan_binary_model(SceneryRun& scenery, std::string_view file_path,
                       const std::filesystem::path* native, std::string_view model_path) {
    const std::string subdirectory = model_texture_subdirectory(scenery, model_path);
    OpenFile file = native != nullptr ? OpenFile::open_for_reading(*native, std::string(file_path))
                                      : open_file_for_reading(file_path);
    scenery.run.source_stamps.note(scenery.run.inventory.place().source, file.stamp_when_opened(),
                                   native);
    const std::uintmax_t length = file.size_when_opened();

    // Windows follow each other without overlap, so a tag that straddles a
    // border is found in neither; the first window is read even for an empty file.
    const std::unique_ptr<char[]> block(new char[kBinaryModelWindow]);
    std::optional<std::uintmax_t> tag;
    std::uintmax_t start = 0;
    std::string_view window;
    for (; start == 0 || start < length; start += kBinaryModelWindow) {
        // Searched case-insensitively in place: lower-casing every window first
        // costs more than the search on an installation of many models.
        window = read_window(file, start, block.get());
        const std::size_t at = find_name(window, "tex0");
        if (at != std::string_view::npos) {
            tag = start + at;
            break;
        }
    }
    if (!tag) {
        return;
    }

    // The list is one window from 9 bytes past the tag. It mostly ends inside
    // the window in hand: read from there, and its own window is read only when
    // a piece reaches past the bytes in hand.
    const std::uintmax_t list_start = *tag + 9;
    const std::size_t in_hand =
        static_cast<std::size_t>(std::min<std::uintmax_t>(list_start - start, window.size()));
    std::string_view list = window.substr(in_hand);
    bool whole = false;
    std::string piece;
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t zero = list.find('\0', from);
        if (zero == std::string_view::npos) {
            if (!whole) {
                list = read_window(file, list_start, block.get());
                whole = true;
                continue;
            }
            zero = list.size();
        }
        // Each piece is lowered on its own: the list ends long before the window.
        piece.assign(list.substr(from, zero - from));
        to_lower_in_place(piece);
        if (piece.starts_with("nam0")) {
            return;
        }
        if (!piece.empty()) {
            resolve_model_texture(scenery, piece, subdirectory);
        }
        from = zero + 1;
    }
}

} // namespace ferwis
