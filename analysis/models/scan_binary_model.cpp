#include "analysis/models/scan_binary_model.h"

#include "analysis/resolve/reference_rules.h"
#include "common/file_system.h"
#include "common/text_compare.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

namespace ferwis {
namespace {

// Fills the block (kBinaryModelWindow bytes, allocated once and never cleared)
// with up to one window of bytes from offset; returns the bytes read.
std::string_view read_window(OpenFile& file, std::uintmax_t offset, char* block) {
    return {block, file.read_at(offset, block, kBinaryModelWindow)};
}

// Whether a name of the list reaches past its bytes before a name beginning
// with "nam0" ends it.
bool list_reaches_past(std::string_view list) {
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t zero = list.find('\0', from);
        if (zero == std::string_view::npos) {
            return true;
        }
        if (starts_with_name(list.substr(from, zero - from), "nam0")) {
            return false;
        }
        from = zero + 1;
    }
    return true;
}

} // namespace

std::optional<std::string_view> read_texture_list(OpenFile& file, char* block) {
    const std::uintmax_t length = file.size_when_opened();

    // Windows follow each other without overlap, so a tag that straddles a
    // border is found in neither; the first window is read even for an empty file.
    std::optional<std::uintmax_t> tag;
    std::uintmax_t start = 0;
    std::string_view window;
    for (; start == 0 || start < length; start += kBinaryModelWindow) {
        // Searched case-insensitively in place: lower-casing every window first
        // costs more than the search on an installation of many models.
        window = read_window(file, start, block);
        const std::size_t at = find_name(window, "tex0");
        if (at != std::string_view::npos) {
            tag = start + at;
            break;
        }
    }
    if (!tag) {
        return std::nullopt;
    }

    // The list is one window from 9 bytes past the tag. It mostly ends inside
    // the window in hand, whose bytes from there begin the list's own window:
    // that window is read only when a name reaches past the bytes in hand.
    const std::uintmax_t list_start = *tag + 9;
    const std::size_t in_hand =
        static_cast<std::size_t>(std::min<std::uintmax_t>(list_start - start, window.size()));
    const std::string_view list = window.substr(in_hand);
    if (!list_reaches_past(list)) {
        return list;
    }
    return read_window(file, list_start, block);
}

void scan_binary_model(SceneryRun& scenery, std::string_view file_path,
                       const std::filesystem::path* native, std::string_view model_path,
                       const HeldModel* held) {
    const std::string subdirectory = model_texture_subdirectory(scenery, model_path);
    std::unique_ptr<char[]> block;
    std::optional<std::string_view> found;
    const std::uint32_t source = scenery.run.inventory.place().source;
    if (held != nullptr) {
        // The list read ahead is the file as it stood when the reader-ahead opened it.
        scenery.run.source_stamps.note(source, held->stamp, native);
        if (held->tagged) {
            found = std::string_view(held->bytes.get(), held->size);
        }
    } else {
        OpenFile file = open_file_for_reading(file_path, native);
        scenery.run.source_stamps.note(source, file.stamp_when_opened(), native);
        block.reset(new char[kBinaryModelWindow]);
        found = read_texture_list(file, block.get());
    }
    if (!found) {
        return;
    }
    const std::string_view list = *found;
    std::string piece;
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t zero = list.find('\0', from);
        if (zero == std::string_view::npos) {
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
