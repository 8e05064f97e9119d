// ferwis-cli undo: puts back the files of a move or delete from its journal.
#include "cli/cli_command.h"

#include "common/code_page.h"
#include "results/operation_journal.h"
#include "results/operation_words.h"
#include "trash/system_trash.h"

#include <ostream>

namespace ferwis {
namespace {

// One line per journal for scripts: name, start, operation, category, files
// and bytes that left their place, and whether it ended, was cut short or was
// undone.
int list_journals(const CliContext& context, const std::string& folder) {
    std::vector<Journal> journals;
    try {
        journals = read_journals(folder);
    } catch (const FileError& error) {
        return report_failure(context, UndoFailure(error));
    }
    for (const Journal& journal : journals) {
        context.out << journal.id << '\t' << journal.started << '\t' << journal.operation << '\t'
                    << journal.category << '\t' << journal.moved_files() << '\t'
                    << journal.moved_bytes() << '\t'
                    << (journal.undone  ? "undone"
                        : journal.ended ? "ended"
                                        : "interrupted")
                    << '\n';
    }
    if (journals.empty()) {
        tell(context, Text::UndoNothing);
    }
    return kExitDone;
}

} // namespace

int undo_command(const CliContext& context) {
    bool list = false;
    std::string id;
    for (const auto& operand : context.options.operands) {
        if (operand == "--list" && !list) {
            list = true;
        } else if (id.empty() && !operand.starts_with("--")) {
            id = operand;
        } else {
            return usage(context, "undo");
        }
    }
    if (list && !id.empty()) {
        return usage(context, "undo");
    }
    // The journals need no settings: a broken ferwis.ini does not keep a
    // person from undoing.
    AppState state;
    state.data_dir = context.environment.paths.data_dir;
    if (list) {
        return list_journals(context, state.journal_dir());
    }
    SystemTrash trash;
    StreamProgress progress(context.err, context.environment.error_is_terminal);
    UndoSummary summary;
    try {
        summary =
            undo_operation(state.journal_dir(), id, context.options.result_path, &trash, progress);
    } catch (const Failure& failure) {
        return report_failure(context, failure);
    }
    if (summary.id.empty()) {
        tell(context, id.empty() ? Text::UndoNothing : Text::UndoUnknown, id);
        return kExitFailed;
    }
    context.out << "journal: " << summary.id << '\n';
    if (summary.permanent) {
        tell(context, Text::UndoPermanent);
        return kExitFailed;
    }
    context.out << "files restored: " << summary.restored << '\n'
                << "bytes: " << summary.bytes << '\n'
                << "left: " << summary.left.size() + summary.by_hand.size() << '\n';
    write_name_err(context, undo_text(summary)); // it names files
    context.err << '\n';
    return summary.complete() ? kExitDone : kExitFailed;
}

} // namespace ferwis
