#include "analysis/scenery/node_rules.h"

#include "analysis/models/resolve_model.h"
#include "analysis/resolve/expand_placeholder.h"
#include "analysis/resolve/record_include_template.h"
#include "analysis/resolve/reference_rules.h"
#include "common/blank_text.h"
#include "common/native_path.h"
#include "common/text_compare.h"

namespace ferwis {
namespace {

using Kind = NodeStatement::Kind;

bool names_triangles(Kind kind) {
    return kind == Kind::Triangles || kind == Kind::TriangleStrip;
}

// The texture line of a track: its first and third non-empty pieces.
void read_track_textures(SceneryRun& scenery, LineReader& reader) {
    std::string line;
    do {
        if (!reader.next(line)) {
            return; // no texture line in the rest of the file: the earlier textures stay
        }
    } while (line.empty());
    // The textures are named on their own line.
    scenery.run.inventory.set_line(reader.line_number());
    to_lower_in_place(line);
    std::size_t n = 0;
    split_at_blanks(line, [&](std::string_view piece) {
        if (piece.empty()) {
            return;
        }
        ++n;
        if (n == 1) {
            scenery.statement.track_texture_1 = piece;
        } else if (n == 3) {
            scenery.statement.track_texture_2 = piece;
        }
    });
}

} // namespace

void apply_node_token(SceneryRun& scenery, NodeStatement& node, std::string_view token,
                      std::size_t n, std::string_view line) {
    if (names_equal(token, "node")) {
        node.kind = Kind::Node;
    }
    if (node.kind == Kind::None && token.size() >= 4 && ends_with_name(token, "node")) {
        node.kind = Kind::Node;
    }
    if (node.kind == Kind::Node) {
        if (names_equal(token, "model")) {
            node.kind = Kind::Model;
        } else if (names_equal(token, "triangles")) {
            node.kind = Kind::Triangles;
        } else if (names_equal(token, "triangle_strip")) {
            node.kind = Kind::TriangleStrip;
        } else if (names_equal(token, "track") &&
                   scenery.statement.context() == LineContext::Queued) {
            // A track inside an include read with parameters stays a plain node.
            node.kind = Kind::Track;
        }
    }
    if (node.kind == Kind::Track && (names_equal(token, "novis") || names_equal(token, "unvis"))) {
        node.kind = Kind::None;
    }
    if (node.kind == Kind::Model) {
        if (n == 11) {
            node.texture = token;
        } else if (n == 10) {
            scenery.statement.model_name = token;
        }
    }
    if (names_triangles(node.kind) && names_equal(token, "material")) {
        node.material_seen = true;
    }
    if (names_triangles(node.kind) && n == 6 && !node.material_seen) {
        node.texture = token;
    }
    if (node.material_seen && !node.closing_material_handled && names_triangles(node.kind)) {
        node.closing_material_handled = true;
        const std::size_t at = find_name(line, "endmaterial");
        if (at != std::string_view::npos) {
            std::size_t piece_number = 0;
            split_at_blanks(line.substr(at), [&](std::string_view piece) {
                if (++piece_number == 2) {
                    node.texture = piece;
                }
            });
        }
    }
    if (node.kind == Kind::Node && ends_with_name(token, ".wav")) {
        resolve_node_sound(scenery, token);
    }
}

void finish_node_statement(SceneryRun& scenery, NodeStatement& node, LineReader* reader,
                           std::string_view file_being_read) {
    if (node.kind == Kind::Track && reader != nullptr) {
        read_track_textures(scenery, *reader);
    }
    const bool names_texture = node.kind == Kind::Model || names_triangles(node.kind);
    if (scenery.statement.context() == LineContext::Include && names_texture) {
        read_separators(node.texture);
        if (find_placeholder(node.texture)) {
            record_include_template(scenery, IncludeTemplate::Kind::Texture, node.texture);
            node.texture = expand_placeholder(scenery, node.texture);
        }
    }
    if (names_texture) {
        resolve_scenery_texture(scenery, node.texture, file_being_read);
    }
    if (node.kind == Kind::Track) {
        resolve_scenery_texture(scenery, scenery.statement.track_texture_1, file_being_read);
        resolve_scenery_texture(scenery, scenery.statement.track_texture_2, file_being_read);
    }
    if (node.kind == Kind::Model) {
        resolve_model(scenery, scenery.statement.model_name);
    }
}

} // namespace ferwis
