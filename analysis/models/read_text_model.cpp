#include "analysis/models/read_text_model.h"

#include "analysis/resolve/reference_rules.h"
#include "common/blank_text.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/text_compare.h"

#include <optional>
#include <string>
#include <utility>

namespace ferwis {
namespace {

// The piece after the first piece "map:" of the line, split at single blanks.
std::optional<std::string> map_texture(std::string_view line) {
    bool armed = false;
    std::optional<std::string> texture;
    split_at_blanks(line, [&](std::string_view piece) {
        if (piece.empty() || texture) {
            return;
        }
        if (armed) {
            texture = std::string(piece);
        } else if (names_equal(piece, "map:")) {
            armed = true;
        }
    });
    return texture;
}

} // namespace

void read_text_model(SceneryRun& scenery, std::string_view file_path,
                     const std::filesystem::path* native, std::string_view texture_subdirectory,
                     HeldModel* held) {
    LineReader reader = held != nullptr
                            ? LineReader(std::move(held->bytes), held->size, file_path)
                            : LineReader(open_file_for_reading(file_path, native), file_path);
    // Bytes read ahead are the file as it stood when the reader-ahead opened it.
    scenery.run.source_stamps.note(scenery.run.inventory.place().source,
                                   held != nullptr ? held->stamp : reader.stamp_when_opened(),
                                   native);
    std::string line;
    try {
        while (reader.next(line)) {
            if (!contains_name(line, "map:")) {
                continue;
            }
            if (const auto texture = map_texture(line)) {
                scenery.run.inventory.set_line(reader.line_number());
                resolve_model_texture(scenery, *texture, texture_subdirectory);
            }
        }
    } catch (const LineTooLong&) {
        // Only the model is abandoned; the statement that named it goes on.
    }
}

} // namespace ferwis
