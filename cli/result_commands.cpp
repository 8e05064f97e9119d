#include "cli/cli_command.h"

#include "common/errors.h"
#include "results/file_operations.h"
#include "results/read_category.h"
#include "trash/system_trash.h"

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
        context.err << " is shorter than 4 bytes\n";
        return kExitFailed;
    }
    for (const auto& path : listing->paths) {
        write_name_out(context, path);
        context.out << '\n';
    }
    context.out.flush();
    write_text(context.err, text(Text::Count));
    context.err << ' ' << listing->count << '\n';
    return kExitDone;
}

namespace {

// Prints each file of a dry run with what would be done to it.
class DryRunPrinter : public OperationObserver {
public:
    DryRunPrinter(const CliContext& context, std::string_view action)
        : context_(context), action_(action) {}
    void file(std::string_view source, std::string_view target, std::uintmax_t) override {
        context_.out << action_ << ' ';
        write_name_out(context_, source);
        if (!target.empty()) {
            context_.out << " -> ";
            write_name_out(context_, target);
        }
        context_.out << '\n';
    }
    void already_there(std::string_view source, std::string_view target) override {
        context_.out << "already there ";
        write_name_out(context_, source);
        context_.out << " -> ";
        write_name_out(context_, target);
        context_.out << '\n';
    }
    void skipped(const SkippedFile& file) override {
        context_.out << "skip ";
        write_name_out(context_, file.path);
        context_.out << " (" << skip_reason_name(file.reason) << ")\n";
    }

private:
    const CliContext& context_;
    std::string action_;
};

std::string_view action_name(const OperationRequest& request) {
    switch (request.operation) {
    case Operation::Copy:
        return "copy";
    case Operation::Move:
        return "move";
    case Operation::Delete:
        break;
    }
    return request.delete_mode == DeleteMode::Trash ? "trash" : "delete";
}

void print_summary(const CliContext& context, const OperationSummary& summary, bool dry_run) {
    context.out << (dry_run ? "files to handle: " : "files handled: ") << summary.files << '\n'
                << "bytes: " << summary.bytes << '\n';
    if (summary.already_there > 0) {
        context.out << "already there: " << summary.already_there << '\n';
    }
    for (const SkipReason reason : kSkipReasons) {
        if (const std::size_t count = summary.count(reason); count > 0) {
            context.out << "skipped (" << skip_reason_name(reason) << "): " << count << '\n';
        }
    }
}

// Nothing of the category would be acted on: said, and nothing is asked or
// changed. Records that would be left alone are counted.
int report_nothing_to_act_on(const CliContext& context, const ConfirmationFacts& facts) {
    write_text(context.err, text(Text::CategoryEmpty));
    context.err << '\n';
    if (facts.skipped > 0) {
        write_text(context.err, text(Text::SkippedFiles));
        context.err << facts.skipped << " (--dry-run names them)\n";
    }
    return facts.left_behind ? kExitFailed : kExitDone;
}

} // namespace

int file_operation_command(const CliContext& context) {
    const std::string& command = context.options.command;
    OperationRequest request;
    request.operation = command == "copy"   ? Operation::Copy
                        : command == "move" ? Operation::Move
                                            : Operation::Delete;
    bool yes = false;
    bool usage = false;
    std::optional<std::string> category;
    for (const auto& operand : context.options.operands) {
        if (operand == "--yes") {
            yes = true;
        } else if (operand == "--dry-run") {
            request.dry_run = true;
        } else if (operand == "--permanent" && request.operation == Operation::Delete) {
            request.delete_mode = DeleteMode::Permanent;
        } else if (operand == "--overwrite" && request.operation != Operation::Delete) {
            request.overwrite = true;
        } else if (!category && operand.rfind("--", 0) != 0) {
            category = operand;
        } else {
            usage = true;
        }
    }
    if (!category || usage) {
        context.err << "usage: ferwis-cli [--config FILE] [--result FILE] " << command
                    << " U|N|UD [--dry-run] [--yes]"
                    << (request.operation == Operation::Delete ? " [--permanent]"
                                                               : " [--overwrite]")
                    << '\n';
        return kExitUsage;
    }
    const auto code = parse_category(*category);
    if (!code || (*code != ResultCode::U && *code != ResultCode::N && *code != ResultCode::UD)) {
        context.err << "ferwis-cli: " << command << " acts only on the categories U, N and UD: ";
        write_name_err(context, *category);
        context.err << '\n';
        return kExitUsage;
    }
    request.code = *code;
    const auto state = load_configuration(context);
    if (!state) {
        return kExitUsage;
    }
    StreamMessages messages(context);
    StreamProgress progress(context.err, context.environment.error_is_terminal,
                            context.environment.interrupted);
    try {
        // Move and delete take files out of the installation: on a terminal
        // they ask first; a script confirms with --yes.
        if (request.operation != Operation::Copy && !yes && !request.dry_run) {
            if (!context.environment.input_is_terminal || context.environment.input == nullptr) {
                context.err << "ferwis-cli: " << command
                            << " asks for confirmation; without a terminal, confirm with --yes\n";
                return kExitUsage;
            }
            const ConfirmationFacts facts = confirmation_facts(state->operation_settings(), request,
                                                               context.options.result_path);
            if (facts.nothing_to_act_on()) {
                return report_nothing_to_act_on(context, facts);
            }
            if (!messages.confirm(confirmation_text(facts, request))) {
                context.err << "ferwis-cli: not confirmed; nothing was changed\n";
                return kExitFailed;
            }
        }
        SystemTrash trash;
        DryRunPrinter printer(context, action_name(request));
        const OperationSummary summary =
            execute_operation(state->operation_settings(), request, context.options.result_path,
                              progress, &trash, request.dry_run ? &printer : nullptr);
        print_summary(context, summary, request.dry_run);
        if (summary.acted_on_nothing() && summary.skipped.empty() && !summary.stopped) {
            messages.show(text(Text::CategoryEmpty));
        }
        if (summary.stopped) {
            // The copy/move path of ferwis.ini is unusable: a configuration problem.
            messages.show(text(Text::CopyPathUnusable));
            return kExitUsage;
        }
        if (!request.dry_run) {
            if (const std::string skipped = skipped_files_text(summary); !skipped.empty()) {
                write_name_err(context, skipped); // it names files
                context.err << '\n';
            }
            if (summary.left_a_file_behind()) {
                return kExitFailed;
            }
        }
        return kExitDone;
    } catch (const OperationCancelled&) {
        const int signal = context.environment.interrupted ? context.environment.interrupted() : 0;
        context.err << "ferwis-cli: cancelled; the file in hand was left as it was\n";
        return kExitCancelled + signal;
    } catch (const Failure& failure) {
        return report_failure(context, failure);
    }
}

} // namespace ferwis
