#include "cli/cli_command.h"

#include "analysis/run/run_analysis.h"
#include "app/start_up.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "format/result_code.h"
#include "results/likely_matches.h"
#include "results/result_freshness.h"
#include "results/result_provenance.h"

#include <ostream>

namespace ferwis {
namespace {

// For an unused file: the scenery outside the analysis that uses it first,
// nearest place first, or that no scenery of the installation does.
int tell_other_users(const CliContext& context, const std::string& path) {
    const auto selected = selected_sceneries(context.options.result_path);
    if (!selected) {
        tell(context, Text::CliNoSelectionRecorded);
        return kExitFailed;
    }
    const auto state = load_configuration(context);
    if (!state) {
        return kExitUsage;
    }
    StreamProgress progress(context.err, context.environment.error_is_terminal,
                            context.environment.interrupted);
    try {
        const UsedElsewhere used =
            find_used_elsewhere(state->analysis_settings(),
                                sceneries_not_selected(state->main_dir, *selected), progress);
        const OtherUser* user = used.find(path);
        if (user == nullptr) {
            tell(context, Text::CliUsedNowhere);
            return kExitFailed;
        }
        tell(context, Text::CliUsedElsewhere);
        for (const std::string& step : {place_text(user->place), user->scenery}) {
            context.out << "  <- ";
            write_name_out(context, step);
            context.out << '\n';
        }
        return kExitDone;
    } catch (const OperationCancelled&) {
        return kExitCancelled;
    } catch (const Failure& failure) {
        return report_failure(context, failure);
    }
}

// For a missing file: where it may really lie, one line each, or that the
// installation holds nothing like it.
int tell_likely_matches(const CliContext& context, const ResultProvenance& provenance,
                        std::string_view path) {
    const auto state = load_configuration(context);
    if (!state) {
        return kExitUsage;
    }
    const auto matches = likely_matches_of(state->main_dir, provenance).find(path);
    for (const LikelyMatch& match : matches) {
        write_name_out(context, match_line(match));
        context.out << '\n';
    }
    if (matches.empty()) {
        tell(context, Text::NoLikelyMatch);
    }
    return kExitDone;
}

} // namespace

std::optional<ResultProvenance> load_result_provenance(const CliContext& context, int& status) {
    if (!file_exists(context.options.result_path)) {
        status = report_failure(context, ResultUnreadable(file_detail(context.options.result_path,
                                                                      text(Text::ReasonMissing))));
        return std::nullopt;
    }
    auto provenance = ResultProvenance::load(context.options.result_path);
    if (!provenance) {
        tell(context, Text::CliNoProvenance, context.options.result_path);
        status = kExitUsage;
    }
    return provenance;
}

int why_command(const CliContext& context) {
    if (context.options.operands.size() != 1) {
        return usage(context, "why");
    }
    const std::string& path = context.options.operands.front();
    int status = kExitDone;
    const auto provenance = load_result_provenance(context, status);
    if (!provenance) {
        return status;
    }
    const auto row = provenance->find(path);
    if (!row) {
        tell(context, Text::CliNotInResult, path);
        return kExitFailed;
    }
    const ResultRecord& record = provenance->record(*row);
    write_name_out(context, record.code + " " + record.path);
    context.out << '\n';
    if (provenance->place(*row) == nullptr) {
        const auto code = parse_code(record.code);
        write_text(context.err, text(Text::CliNoPlace));
        context.err << ' ';
        tell(context, code == ResultCode::N || code == ResultCode::W ? Text::CliNoPlaceKept
                                                                     : Text::CliNoPlaceRecorded);
        return code == ResultCode::N ? tell_other_users(context, record.path) : kExitFailed;
    }
    for (const SourcePlace& step : provenance->chain(*row)) {
        context.out << "  <- ";
        write_name_out(context, place_text(step));
        context.out << '\n';
    }
    return names_missing_file(record) ? tell_likely_matches(context, *provenance, record.path)
                                      : kExitDone;
}

} // namespace ferwis
