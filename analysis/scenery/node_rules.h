#pragma once
// The node rules: which model, textures and sounds a node statement names.

#include "analysis/shared/scenery_run.h"
#include "common/line_reader.h"

#include <string>
#include <string_view>

namespace ferwis {

struct NodeStatement {
    enum class Kind { None, Node, Model, Triangles, TriangleStrip, Track };
    Kind kind = Kind::None;
    bool material_seen = false;
    bool closing_material_handled = false;
    std::string texture;
};

// Applies the node rules to one non-empty token with its number n (from 1)
// among the statement's non-empty tokens; line is the normalised working line.
void apply_node_token(SceneryRun& scenery, NodeStatement& node, std::string_view token,
                      std::size_t n, std::string_view line);

// Runs the rules at the end of a statement: a visible track takes its textures
// from the next line of reader that is not empty (that line is consumed), and
// the statement's textures and model are looked up, the texture first.
// file_being_read is relative to the scenery directory. Throws FileError when
// reading the next line fails.
void finish_node_statement(SceneryRun& scenery, NodeStatement& node, LineReader* reader,
                           std::string_view file_being_read);

} // namespace ferwis
