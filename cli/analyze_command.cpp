#include "analysis/run/run_analysis.h"
#include "app/start_up.h"
#include "cli/cli_command.h"
#include "cli/json_report.h"
#include "common/catalogue.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/file_state.h"
#include "format/provenance_file.h"
#include "format/result_code.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ferwis {
namespace {

// Turns the operands into the selected sceneries, as File1 shows them: exactly
// as listed, or the one listed name that equals it case-insensitively.
// Returns false (after saying why) when one of them is not listed.
bool select_sceneries(const CliContext& context, const std::vector<std::string>& listed,
                      const std::vector<std::string>& operands,
                      std::vector<std::string>& selected) {
    for (const std::string& operand : operands) {
        const std::string* found = nullptr;
        for (const std::string& name : listed) {
            if (name == operand) {
                found = &name;
                break;
            }
            if (found == nullptr && names_equal(name, operand)) {
                found = &name;
            }
        }
        if (found == nullptr) {
            tell(context, Text::CliNotScenery, operand);
            return false;
        }
        selected.push_back(*found);
    }
    return true;
}

// Whether two paths name one file as the file system sees it: the same file
// where both exist, else the same name in the same folder.
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) {
        return true;
    }
    const auto folder = [](const std::filesystem::path& path) {
        return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    };
    return a.filename() == b.filename() && std::filesystem::equivalent(folder(a), folder(b), ec);
}

// The file among the configuration, the result and the result's side files
// that the report would replace, or nothing.
std::optional<std::string> report_replaces(const CliContext& context,
                                           const std::string& report_path) {
    const std::string& result = context.options.result_path;
    const std::string own[] = {context.options.config_path, result, provenance_path(result),
                               file_state_path(result),
                               std::string(folder_part(result)) + "wav_dynamic.txt"};
    const std::filesystem::path report = to_native(report_path);
    for (const std::string& path : own) {
        if (same_file(report, to_native(path))) {
            return path;
        }
    }
    return std::nullopt;
}

// Says that the report would replace file; returns the usage status.
int refuse_report(const CliContext& context, const std::string& file) {
    tell(context, Text::CliJsonWouldReplace, file);
    return kExitUsage;
}

} // namespace

int analyze_command(const CliContext& context) {
    std::vector<std::string> operands = context.options.operands;
    std::optional<std::string> json_path;
    if (operands.size() >= 2 && operands.front() == "--json") {
        json_path = operands[1];
        operands.erase(operands.begin(), operands.begin() + 2);
    }
    const bool all = operands.size() == 1 && operands.front() == "--all";
    bool misused = operands.empty();
    for (const std::string& operand : operands) {
        misused = misused || (operand.starts_with("--") && !all);
    }
    if (misused) {
        return usage(context, "analyze");
    }
    if (json_path) {
        if (const auto replaced = report_replaces(context, *json_path)) {
            return refuse_report(context, *replaced);
        }
    }
    std::optional<AppState> state = load_configuration(context);
    if (!state) {
        return kExitUsage;
    }
    std::vector<std::string> listed;
    try {
        listed = list_scenery_files(content_folder(state->main_dir, "scenery"));
    } catch (const Failure& failure) {
        return report_failure(context, failure);
    }
    std::vector<std::string> selected;
    if (all) {
        selected = listed;
    } else if (!select_sceneries(context, listed, operands, selected)) {
        return kExitUsage;
    }

    const std::time_t started = std::time(nullptr);
    StreamProgress progress(context.err, context.environment.error_is_terminal,
                            context.environment.interrupted);
    RunTotals totals;
    PassedOver passed_over;
    try {
        totals = run_analysis_with_totals(state->analysis_settings(), selected,
                                          context.options.result_path, progress, &passed_over);
    } catch (const OperationCancelled&) {
        const int signal = context.environment.interrupted ? context.environment.interrupted() : 0;
        tell(context, Text::CliAnalysisCancelled);
        return kExitCancelled + signal;
    } catch (const AnalysisFailure& failure) {
        return report_failure(context, failure);
    }

    for (const ResultCode code : kAllCategories) {
        const CategoryTotal& total = totals[static_cast<std::size_t>(code)];
        context.out << code_text(code) << '\t';
        write_text(context.out, category_text(code));
        context.out << '\t' << total.records << '\t' << total.bytes << '\n';
    }
    // The result is whole, but without what the listing could not or would not reach.
    if (const std::string said = passed_over_text(passed_over.long_paths, passed_over.outside_links,
                                                  passed_over.unmeasured);
        !said.empty()) {
        write_text(context.err, said);
        context.err << '\n';
    }
    if (json_path) {
        // Checked again: the result and its places exist now, so a link or
        // another spelling that leads to them shows.
        if (const auto replaced = report_replaces(context, *json_path)) {
            return refuse_report(context, *replaced);
        }
        const JsonRun run{state->main_dir, selected, started, context.options.result_path};
        try {
            write_json_report(*json_path, run, totals);
        } catch (const FileError& error) {
            tell(context, Text::CliJsonUnwritable, *json_path);
            tell_detail(context, error.what());
            return kExitFailed;
        }
    }
    return kExitDone;
}

} // namespace ferwis
