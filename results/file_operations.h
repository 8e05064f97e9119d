#pragma once

#include "common/messages.h"
#include "common/progress.h"
#include "format/result_code.h"
#include "format/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ferwis {

enum class Operation { Copy = 1, Move = 2, Delete = 3 };

// The status text of the operation ("Trwa kopiowanie plików...", ...), Windows-1250.
const std::string& operation_status(Operation operation);

struct OperationResult {
    bool failed = false;              // ended by a failure (its message was shown)
    bool stopped = false;             // the copy/move path's first level is missing
    bool result_file_deleted = false; // a move or delete run ended with no wynik.txt
    std::size_t handled = 0;          // files copied, moved or deleted
    std::size_t skipped_outside = 0;  // records outside the main directory or with ".."
    std::size_t skipped_same = 0;     // copies whose target is the source itself or
                                      // another file inside the main directory
    std::uintmax_t bytes = 0;         // bytes of the handled files
    std::string failure_detail;       // file and reason of the failure, for the CLI
};

// Copies, moves or deletes every file of the category code listed in the result
// file at result_path. A record is acted on only when its path lies below the
// main directory (also once links are resolved) and has no ".." segment; a copy
// never goes onto its own source nor replaces another file that lies inside the
// main directory, and a move deletes the source only after a complete copy.
// Shows every message of the run through messages (the bad copy/move path once,
// the failure message, the count of skipped records) and reports the status and
// each matching record through progress. A move or delete run that reaches its
// end deletes the result file. Does not ask for confirmation: a delete is
// confirmed by the caller (delete_confirmation in the catalogue). Throws OperationCancelled
// on a close request.
OperationResult execute_operation(const OperationSettings& settings, Operation operation,
                                  ResultCode code, std::string_view result_path, Progress& progress,
                                  Messages& messages);

struct CategoryFootprint {
    std::size_t files = 0;    // files of the category that exist (and would be acted on)
    std::uintmax_t bytes = 0; // their total size
};

// Measures the files a delete of the category would remove, for its confirmation:
// the same records execute_operation would act on. Nothing when the result file
// is missing or shorter than 4 bytes. Throws ResultUnreadable when it cannot be read.
CategoryFootprint measure_category(const OperationSettings& settings, ResultCode code,
                                   std::string_view result_path);

} // namespace ferwis
