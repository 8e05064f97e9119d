#include "cli/cli_command.h"

#include "analysis/run/run_analysis.h"
#include "app/start_up.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "results/file_operations.h"
#include "results/operation_journal.h"
#include "results/operation_words.h"
#include "results/read_category.h"
#include "results/result_freshness.h"
#include "results/result_provenance.h"
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
    tell(context, Text::CliUnknownCategory, text);
    tell(context, Text::CliCategoryChoices);
}

// The missing files of code grouped by the file whose reading named them:
// "FILE<tab>COUNT", then each path after two blanks.
int show_by_origin(const CliContext& context, ResultCode code) {
    if (!file_exists(context.options.result_path)) { // said as the plain show says it
        return report_failure(context, DisplayFailure(file_detail(context.options.result_path,
                                                                  text(Text::ReasonMissing))));
    }
    int status = kExitDone;
    const auto provenance = load_result_provenance(context, status);
    if (!provenance) {
        return status;
    }
    std::size_t count = 0;
    for (const OriginGroup& group : group_by_origin(*provenance, code)) {
        write_name_out(context, group.file.empty() ? "?" : group.file);
        context.out << '\t' << group.rows.size() << '\n';
        for (const std::size_t row : group.rows) {
            write_name_out(context, "  " + provenance->record(row).path);
            context.out << '\n';
        }
        count += group.rows.size();
    }
    context.out.flush();
    write_text(context.err, text(Text::Count));
    context.err << ' ' << count << '\n';
    return kExitDone;
}

} // namespace

int show_command(const CliContext& context) {
    const auto& operands = context.options.operands;
    const bool by_origin = operands.size() == 2 && operands.back() == "--by-file";
    if (operands.size() != 1 && !by_origin) {
        return usage(context, "show");
    }
    const auto code = parse_category(operands.front());
    if (!code) {
        report_category_problem(context, operands.front());
        return kExitUsage;
    }
    if (by_origin) {
        return code == ResultCode::B || code == ResultCode::BD ? show_by_origin(context, *code)
                                                               : usage(context, "show");
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
        tell(context, Text::NoResult);
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

// Prints each file kept as used by another scenery with its first user and,
// in a dry run, each file with what would be done to it.
class OperationPrinter : public OperationObserver {
public:
    OperationPrinter(const CliContext& context, std::string_view action, bool dry_run)
        : context_(context), action_(action), dry_run_(dry_run) {}
    void file(std::string_view source, std::string_view target, std::uintmax_t) override {
        if (!dry_run_) {
            return;
        }
        context_.out << action_ << ' ';
        write_name_out(context_, source);
        if (!target.empty()) {
            context_.out << " -> ";
            write_name_out(context_, target);
        }
        context_.out << '\n';
    }
    void already_there(std::string_view source, std::string_view target) override {
        if (!dry_run_) {
            return;
        }
        context_.out << "already there ";
        write_name_out(context_, source);
        context_.out << " -> ";
        write_name_out(context_, target);
        context_.out << '\n';
    }
    void skipped(const SkippedFile& file) override {
        if (file.reason == SkipReason::UsedElsewhere) {
            context_.out << "zostaje ";
            write_name_out(context_, file.path);
            context_.out << " <- ";
            write_name_out(context_, file.detail);
            context_.out << '\n';
            return;
        }
        if (!dry_run_) {
            return;
        }
        context_.out << "skip ";
        write_name_out(context_, file.path);
        context_.out << " (";
        write_text(context_.out, skip_reason_text(file.reason));
        context_.out << ")\n";
    }

private:
    const CliContext& context_;
    std::string action_;
    bool dry_run_;
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
    if (const std::size_t kept = summary.count(SkipReason::UsedElsewhere); kept > 0) {
        context.out << "kept used elsewhere: " << kept << '\n';
    }
    for (const SkipReason reason : kSkipReasons) {
        if (const std::size_t count = summary.count(reason);
            count > 0 && reason != SkipReason::UsedElsewhere) {
            context.out << "skipped (";
            write_text(context.out, skip_reason_text(reason));
            context.out << "): " << count << '\n';
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
        context.err << facts.skipped << ' ';
        tell(context, Text::CliDryRunNames);
    }
    return facts.left_behind ? kExitFailed : kExitDone;
}

// The journal of a move or delete, for scripts, and how it is undone.
void tell_journal(const CliContext& context, const JournalWriter& journal,
                  const OperationRequest& request) {
    if (journal.id().empty()) {
        return;
    }
    context.out << "journal: " << journal.id() << '\n';
    if (request.operation == Operation::Move || request.delete_mode == DeleteMode::Trash) {
        tell(context, Text::UndoHint);
    }
}

} // namespace

int file_operation_command(const CliContext& context) {
    const std::string& command = context.options.command;
    OperationRequest request;
    request.operation = command == "copy"   ? Operation::Copy
                        : command == "move" ? Operation::Move
                                            : Operation::Delete;
    bool yes = false;
    bool misused = false;
    bool include_used_elsewhere = false;
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
        } else if (operand == "--include-used-elsewhere" && request.operation != Operation::Copy) {
            include_used_elsewhere = true;
        } else if (!category && operand.rfind("--", 0) != 0) {
            category = operand;
        } else {
            misused = true;
        }
    }
    if (!category || misused) {
        return usage(context, command);
    }
    const auto code = parse_category(*category);
    if (!code || (*code != ResultCode::U && *code != ResultCode::N && *code != ResultCode::UD)) {
        tell(context, Text::CliActsOnlyOn, *category);
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
    std::optional<UsedElsewhere> used;
    try {
        // Move and delete keep what the sceneries outside the analysis use,
        // unless asked otherwise; a result that does not say which sceneries
        // were selected is acted on as it stands.
        const auto selected = selected_sceneries(context.options.result_path);
        if (request.operation != Operation::Copy && !include_used_elsewhere && selected) {
            // A stale result is refused before the other sceneries are read.
            check_freshness(context.options.result_path, state->main_dir);
            used =
                find_used_elsewhere(state->analysis_settings(),
                                    sceneries_not_selected(state->main_dir, *selected), progress);
            request.keep = &*used;
        }
        // Move and delete take files out of the installation: on a terminal
        // they ask first; a script confirms with --yes.
        if (request.operation != Operation::Copy && !yes && !request.dry_run) {
            if (!context.environment.input_is_terminal || context.environment.input == nullptr) {
                tell(context, Text::CliNeedsYes);
                return kExitUsage;
            }
            const ConfirmationFacts facts = confirmation_facts(state->operation_settings(), request,
                                                               context.options.result_path);
            if (facts.nothing_to_act_on()) {
                return report_nothing_to_act_on(context, facts);
            }
            if (!messages.confirm(confirmation_text(facts, request))) {
                tell(context, Text::CliNotConfirmed);
                return kExitFailed;
            }
        }
        SystemTrash trash;
        OperationPrinter printer(context, action_name(request), request.dry_run);
        JournalWriter journal(state->journal_dir(), request);
        const bool journaled = request.operation != Operation::Copy && !request.dry_run;
        const OperationSummary summary =
            execute_operation(state->operation_settings(), request, context.options.result_path,
                              progress, &trash, &printer, journaled ? &journal : nullptr);
        print_summary(context, summary, request.dry_run);
        if (summary.freshness_unknown) {
            tell(context, Text::FreshnessUnknown);
        }
        tell_journal(context, journal, request);
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
        tell(context, Text::CliOperationCancelled);
        return kExitCancelled + signal;
    } catch (const Failure& failure) {
        return report_failure(context, failure);
    }
}

} // namespace ferwis
