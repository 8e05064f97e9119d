#include "cli/cli_command.h"

#include "app/start_up.h"
#include "common/code_page.h"
#include "common/native_path.h"

#include <istream>
#include <ostream>

namespace ferwis {

void write_text(std::ostream& stream, std::string_view cp1250_text) {
    stream << cp1250_to_utf8(cp1250_text);
}

void write_name(std::ostream& stream, std::string_view cp1250_text, bool terminal) {
    if (!terminal) {
        write_text(stream, cp1250_text);
        return;
    }
    std::string safe(cp1250_text);
    for (char& c : safe) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    write_text(stream, safe);
}

void write_name_out(const CliContext& context, std::string_view cp1250_text) {
    write_name(context.out, cp1250_text, context.environment.output_is_terminal);
}

void write_name_err(const CliContext& context, std::string_view cp1250_text) {
    write_name(context.err, cp1250_text, context.environment.error_is_terminal);
}

void tell(const CliContext& context, Text sentence, std::string_view name) {
    write_text(context.err, text(sentence));
    if (!name.empty()) {
        context.err << ' ';
        write_name_err(context, name);
    }
    context.err << '\n';
}

void tell_detail(const CliContext& context, std::string_view detail) {
    context.err << "ferwis-cli: ";
    write_name_err(context, detail);
    context.err << '\n';
}

int usage(const CliContext& context, std::string_view command) {
    write_text(context.err, cli_usage(command));
    return kExitUsage;
}

int report_failure(const CliContext& context, const Failure& failure) {
    write_text(context.err, failure_text(failure));
    context.err << '\n';
    // Particulars already name the file and the reason.
    if (*failure.what() != '\0' && failure.particulars().empty()) {
        tell_detail(context, failure.what());
    }
    return kExitFailed;
}

void StreamMessages::show(std::string_view text) {
    write_text(context_.err, text);
    context_.err << '\n';
}

bool StreamMessages::confirm(std::string_view text) {
    write_text(context_.err, text);
    if (!context_.environment.input_is_terminal || context_.environment.input == nullptr) {
        context_.err << '\n';
        return false;
    }
    context_.err << " [t/N] " << std::flush;
    std::string answer;
    std::getline(*context_.environment.input, answer);
    return answer == "t" || answer == "T" || answer == "y" || answer == "Y" || answer == "tak";
}

void StreamProgress::set_status(std::string_view text) {
    // A running count after the same status would be a line a few times a
    // second: the command line prints its totals at the end instead.
    if (!status_.empty() && text.starts_with(status_)) {
        return;
    }
    if (text != status_ && !text.empty()) {
        status_ = text;
        write_text(err_, text);
        err_ << '\n';
    }
}

void StreamProgress::set_detail(std::string_view text) {
    // Every detail of a large run would flood the terminal; show every 1000th.
    if (!text.empty() && details_++ % 1000 == 0) {
        err_ << "  ";
        write_name(err_, text, terminal_);
        err_ << '\n';
    }
}

std::optional<AppState> load_configuration(const CliContext& context) {
    const ProgramPaths& paths = context.environment.paths;
    StartUp start = start_up(paths.data_dir, context.options.config_path);
    // The result goes to the data folder unless another file is named.
    if (context.options.result_path == paths.result_path()) {
        if (auto problem = prepare_data_dir(paths)) {
            start.problems.push_back(std::move(*problem));
            start.ready = false;
        }
    }
    for (const ConfigurationProblem& problem : start.problems) {
        write_text(context.err, failure_text(problem));
        context.err << '\n';
        if (problem.message() == Text::ConfigMissing) {
            tell(context, Text::CliHowToConfigure);
            if (paths.installed) {
                tell(context, Text::CliWindowAsks);
            }
        }
    }
    if (!start.ready) {
        // A configuration refused without a problem (a missing setting) still
        // gets a reason.
        if (start.problems.empty()) {
            tell(context, Text::CliSettingsMissing, context.options.config_path);
        }
        return std::nullopt;
    }
    return std::move(start.state);
}

} // namespace ferwis
