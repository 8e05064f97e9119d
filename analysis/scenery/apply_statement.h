#pragma once

#include "analysis/shared/scenery_run.h"
#include "common/line_reader.h"

#include <string>

namespace ferwis {

// The most tokens a statement line may have; longer lines are not used.
inline constexpr std::size_t kMaxStatementTokens = 101;

struct IncludeStatement {
    enum class Kind { None, Plain, WithParameters };
    Kind kind = Kind::None;
    std::string name; // the include file name as written ("\" read as "/")
};

// Applies one statement line in the current line context: normalises it, splits
// it into tokens and applies the token rules (sky models, include statements,
// statement parameters for a queued file's line only, trainset timetables and
// the node rules). Returns the include the line names (only for a queued
// file's line); the caller follows it. reader is the file being read (a queued
// file: a track reads its texture line from it) and file_being_read its path
// relative to the scenery directory.
IncludeStatement apply_statement(SceneryRun& scenery, std::string& line, LineReader* reader,
                                 std::string_view file_being_read);

} // namespace ferwis
