#pragma once
// The words of a file operation a person reads: its status line, the question
// before it, what the summary says was done and the files it left alone, each
// in Polish (Windows-1250) from the catalogue.

#include "common/catalogue.h"
#include "results/file_operations.h"
#include "results/operation_journal.h"

#include <string>

namespace ferwis {

// The words of what an operation does to each file, as catalogue ids: its
// status line ("Trwa kopiowanie plików..."), what the summary after a run says
// was done ("Skopiowano plików:") and the preview's line for a file.
struct OperationWords {
    Text status;
    Text done;
    Text preview;
};
OperationWords operation_words(const OperationRequest& request);

// The Polish question (Windows-1250) asked before a delete or a move; nothing
// for a copy.
std::string confirmation_text(const ConfirmationFacts& facts, const OperationRequest& request);

// What a confirmation adds below its question (Windows-1250): the files kept
// as used by other sceneries, and that the result's freshness could not be
// checked; empty for neither.
std::string confirmation_notes(const ConfirmationFacts& facts);

// The Polish end message naming the files a run left alone, by reason (empty
// when none was).
std::string skipped_files_text(const OperationSummary& summary);

// The reason of a skip in Polish (Windows-1250): its one wording, in the end
// message, the preview and the command line's lines alike.
const std::string& skip_reason_text(SkipReason reason);

// The Polish end message of an undo: what was put back, the files left where
// they are with the reason, those to take back from the trash by hand, and
// that the result is gone.
std::string undo_text(const UndoSummary& summary);

} // namespace ferwis
