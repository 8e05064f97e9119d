// Where the programs keep their files, and a first ferwis.ini.

#include "app/first_start.h"
#include "cli/cli_command.h"

#include "app/app_state.h"
#include "common/native_path.h"
#include "format/provenance_file.h"

#include <ostream>

namespace ferwis {

void write_paths(const CliOptions& options, std::ostream& out, const CliEnvironment& environment) {
    const auto line = [&](std::string_view key, std::string_view path) {
        out << key << ": ";
        write_name(out, path, environment.output_is_terminal);
        out << '\n';
    };
    out << "layout: " << (environment.paths.installed ? "installed" : "portable") << '\n';
    line("config", options.config_path);
    line("result", options.result_path);
    line("places", provenance_path(options.result_path));
    line("data", environment.paths.data_dir);
    AppState state;
    state.data_dir = environment.paths.data_dir;
    line("journals", state.journal_dir());
}

int init_command(const CliContext& context) {
    const auto& operands = context.options.utf8_operands;
    if (operands.size() != 1) {
        return usage(context, "init");
    }
    const auto problems = make_first_configuration(context.options.config_path, operands.front());
    for (const ConfigurationProblem& problem : problems) {
        report_failure(context, problem);
    }
    if (!problems.empty()) {
        return kExitUsage;
    }
    tell(context, Text::ConfigWritten, context.options.config_path);
    return kExitDone;
}

} // namespace ferwis
