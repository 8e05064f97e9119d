#include "analysis/scenery/apply_statement.h"

#include "analysis/models/resolve_model.h"
#include "analysis/resolve/lookup.h"
#include "analysis/resolve/reference_rules.h"
#include "analysis/scenery/node_rules.h"
#include "common/blank_text.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <algorithm>
#include <string_view>

namespace ferwis {

IncludeStatement apply_statement(SceneryRun& scenery, std::string& line, LineReader* reader,
                                 std::string_view file_being_read) {
    normalize_line(line);
    // The line is split at single blanks: its pieces are one more than its blanks.
    if (static_cast<std::size_t>(std::count(line.begin(), line.end(), ' ')) + 1 >
        kMaxStatementTokens) {
        return {};
    }
    const bool queued = scenery.statement.context() == LineContext::Queued;
    if (queued) {
        scenery.statement.clear_parameters();
    }

    bool sky = false;
    std::string sky_model;
    bool include = false;
    std::string include_name;
    bool trainset = false;
    NodeStatement node;
    std::size_t n = 0;
    split_at_blanks(line, [&](std::string_view token) {
        if (token.empty()) {
            return;
        }
        ++n;
        if (n == 2 && sky) {
            sky_model = token;
        }
        if (n == 1 && names_equal(token, "sky")) {
            sky = true;
        }
        if (n == 1 && names_equal(token, "include")) {
            include = true;
        }
        if (include && n == 2) {
            include_name = token;
        }
        if (queued && n <= kStatementParameters) {
            scenery.statement.set_parameter(n, token);
        }
        if (n == 2 && trainset) {
            std::string timetable(token);
            if (!names_equal(timetable, "none")) {
                timetable += ".txt";
                read_separators(timetable);
                resolve_reference(scenery, scenery.run.scenery_dir, timetable,
                                  LookupMode::RecordMissing);
            }
        }
        if (names_equal(token, "trainset")) {
            trainset = true;
        }
        apply_node_token(scenery, node, token, n, line);
    });

    if (sky) {
        resolve_model(scenery, sky_model);
    }
    IncludeStatement statement;
    // Inside an include read with parameters, include statements are not followed.
    if (queued && include && !include_name.empty()) {
        read_separators(include_name);
        statement.kind =
            n < 4 ? IncludeStatement::Kind::Plain : IncludeStatement::Kind::WithParameters;
        statement.name = std::move(include_name);
    }
    finish_node_statement(scenery, node, queued ? reader : nullptr, file_being_read);
    return statement;
}

} // namespace ferwis
