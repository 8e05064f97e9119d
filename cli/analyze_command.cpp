#include "analysis/run_analysis.h"
#include "app/start_up.h"
#include "cli/cli_command.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/text_compare.h"
#include "format/result_code.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ferwis {
namespace {

constexpr std::string_view kAnalyzeUsage =
    "usage: ferwis-cli [--config FILE] [--result FILE] analyze SCENERY...\n"
    "       ferwis-cli [--config FILE] [--result FILE] analyze --all\n";

// Turns the operands into the selected sceneries, as File1 shows them: exactly
// as listed, or the one listed name that equals it case-insensitively.
// Returns false (after saying why) when one of them is not listed.
bool select_sceneries(const CliContext& context, const std::vector<std::string>& listed,
                      std::vector<std::string>& selected) {
    for (const std::string& operand : context.options.operands) {
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
            context.err << "ferwis-cli: not a scenery file of the scenery directory: ";
            write_name_err(context, operand);
            context.err << '\n';
            return false;
        }
        selected.push_back(*found);
    }
    return true;
}

} // namespace

int analyze_command(const CliContext& context) {
    const auto& operands = context.options.operands;
    const bool all = operands.size() == 1 && operands.front() == "--all";
    bool misused = operands.empty();
    for (const std::string& operand : operands) {
        misused = misused || (operand.starts_with("--") && !all);
    }
    if (misused) {
        context.err << kAnalyzeUsage;
        return kExitUsage;
    }
    std::optional<AppState> state = load_configuration(context);
    if (!state) {
        return kExitUsage;
    }
    const std::vector<std::string> listed =
        list_scenery_files(content_folder(state->main_dir, "scenery"));
    std::vector<std::string> selected;
    if (all) {
        selected = listed;
    } else if (!select_sceneries(context, listed, selected)) {
        return kExitUsage;
    }

    StreamProgress progress(context.err, context.environment.error_is_terminal);
    RunTotals totals;
    try {
        totals = run_analysis_with_totals(state->analysis_settings(), selected,
                                          context.options.result_path, progress);
    } catch (const AnalysisFailure& failure) {
        return report_failure(context, failure);
    }

    for (const ResultCode code : kAllCategories) {
        const CategoryTotal& total = totals[static_cast<std::size_t>(code)];
        context.out << code_text(code) << '\t';
        write_text(context.out, category_text(code));
        context.out << '\t' << total.records << '\t' << total.bytes << '\n';
    }
    return kExitDone;
}

} // namespace ferwis
