#pragma once

#include "analysis/scenery_run.h"
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

// Normalises and tokenises a statement line in the current line context and
// applies the token rules: sky models, include statements, statement
// parameters (context 1 only), trainset timetables and the node rules. Returns
// the include the line names (only in context 1); the caller follows it.
// reader is the file being read (context 1: a track reads its texture line from
// it) and file_being_read its path relative to the scenery directory.
IncludeStatement tokenise_statement(SceneryRun& scenery, std::string& line, LineReader* reader,
                                    std::string_view file_being_read);

} // namespace ferwis
