#include "cli/cli_command.h"

#include "common/errors.h"
#include "results/file_operations.h"
#include "results/read_category.h"

#include <limits>
#include <ostream>

namespace ferwis {
namespace {

// A category is named by its code or by its text in the category selector.
std::optional<ResultCode> parse_category(std::string_view text) {
    if (auto code = parse_code(text)) {
        return code;
    }
    return code_for_category(text);
}

void report_category_problem(const CliContext& context, std::string_view text) {
    context.err << "ferwis-cli: unknown category: ";
    write_name_err(context, text);
    context.err << " (use U, N, B, W, UD, BD or the category text)\n";
}

} // namespace

int show_command(const CliContext& context) {
    if (context.options.operands.size() != 1) {
        context.err << "usage: ferwis-cli [--result FILE] show CATEGORY\n";
        return kExitUsage;
    }
    const auto code = parse_category(context.options.operands.front());
    if (!code) {
        report_category_problem(context, context.options.operands.front());
        return kExitUsage;
    }
    std::optional<CategoryListing> listing;
    try {
        // Without a list widget there is no entry limit: every path is printed.
        listing = read_category(context.options.result_path, code,
                                std::numeric_limits<std::size_t>::max());
    } catch (const Failure& failure) {
        return report_failure(context, failure);
    }
    if (!listing) {
        context.err << "ferwis-cli: no result to show: ";
        write_name_err(context, context.options.result_path);
        context.err << " is missing or shorter than 4 bytes\n";
        return kExitFailed;
    }
    for (const auto& path : listing->paths) {
        write_name_out(context, path);
        context.out << '\n';
    }
    context.out.flush();
    context.err << "Ilość: " << listing->count << '\n';
    return kExitDone;
}

int file_operation_command(const CliContext& context) {
    const std::string& command = context.options.command;
    const Operation operation = command == "copy"   ? Operation::Copy
                                : command == "move" ? Operation::Move
                                                    : Operation::Delete;
    bool yes = false;
    std::optional<std::string> category;
    for (const auto& operand : context.options.operands) {
        if (operand == "--yes") {
            yes = true;
        } else if (!category) {
            category = operand;
        } else {
            category.reset();
            break;
        }
    }
    if (!category) {
        context.err << "usage: ferwis-cli [--config FILE] [--result FILE] " << command
                    << " U|N|UD [--yes]\n";
        return kExitUsage;
    }
    const auto code = parse_category(*category);
    if (!code || (*code != ResultCode::U && *code != ResultCode::N && *code != ResultCode::UD)) {
        context.err << "ferwis-cli: " << command << " acts only on the categories U, N and UD: ";
        write_name_err(context, *category);
        context.err << '\n';
        return kExitUsage;
    }
    const auto state = load_configuration(context);
    if (!state) {
        return kExitUsage;
    }
    StreamMessages messages(context);
    if (operation == Operation::Delete && !yes) {
        if (!context.environment.input_is_terminal || context.environment.input == nullptr) {
            context.err << "ferwis-cli: delete asks for confirmation; without a terminal, "
                           "confirm with --yes\n";
            return kExitUsage;
        }
        CategoryFootprint footprint;
        try {
            footprint =
                measure_category(state->operation_settings(), *code, context.options.result_path);
        } catch (const Failure& failure) {
            return report_failure(context, failure);
        }
        if (!messages.confirm(delete_confirmation(footprint.files, footprint.bytes))) {
            context.err << "ferwis-cli: not confirmed; nothing was deleted\n";
            return kExitFailed;
        }
    }
    StreamProgress progress(context.err, context.environment.error_is_terminal);
    const OperationResult result =
        execute_operation(state->operation_settings(), operation, *code,
                          context.options.result_path, progress, messages);
    context.out << "files handled: " << result.handled << '\n'
                << "skipped (outside the main directory): " << result.skipped_outside << '\n'
                << "left in place (target is the source or in the main directory): "
                << result.skipped_same << '\n'
                << "bytes: " << result.bytes << '\n';
    if (result.failed) {
        context.err << "ferwis-cli: ";
        write_name_err(context, result.failure_detail);
        context.err << '\n';
        return kExitFailed;
    }
    // The copy/move path of ferwis.ini is unusable: a configuration problem.
    return result.stopped ? kExitUsage : kExitDone;
}

} // namespace ferwis
