#include "cli/run_cli.h"

#include "cli/cli_command.h"
#include "common/code_page.h"

#include <ostream>

namespace ferwis {
int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliEnvironment& environment) {
    CliOptions options;
    options.config_path = environment.paths.config_path();
    options.result_path = environment.paths.result_path();
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--config" || arg == "--result") && i + 1 < args.size()) {
            (arg == "--config" ? options.config_path : options.result_path) =
                utf8_to_cp1250(args[++i]);
        } else if (arg == "--help" || arg == "-h") {
            write_text(out, cli_usage({}));
            return kExitDone;
        } else if (arg == "--paths") {
            write_paths(options, out, environment);
            return kExitDone;
        } else if (arg == "--version") {
            out << "ferwis-cli " << FERWIS_VERSION << '\n';
            return kExitDone;
        } else {
            break;
        }
    }
    if (i == args.size()) {
        write_text(err, cli_usage({}));
        return kExitUsage;
    }
    options.command = args[i++];
    for (; i < args.size(); ++i) {
        options.operands.push_back(utf8_to_cp1250(args[i]));
        options.utf8_operands.push_back(args[i]);
    }
    const CliContext context{options, out, err, environment};
    if (options.command == "analyze") {
        return analyze_command(context);
    }
    if (options.command == "show") {
        return show_command(context);
    }
    if (options.command == "undo") {
        return undo_command(context);
    }
    if (options.command == "init") {
        return init_command(context);
    }
    if (options.command == "why") {
        return why_command(context);
    }
    if (options.command == "copy" || options.command == "move" || options.command == "delete") {
        return file_operation_command(context);
    }
    tell(context, Text::CliUnknownCommand, options.command);
    return usage(context);
}

} // namespace ferwis
