#pragma once

#include "app/app_state.h"
#include "common/messages.h"
#include "common/progress.h"
#include "results/result_code.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ferwis {

enum class Operation { Copy = 1, Move = 2, Delete = 3 };

// The status text of the operation ("Trwa kopiowanie plików...", ...), Windows-1250.
const std::string& operation_status(Operation operation);

struct OperationResult {
    bool failed = false;              // ended by a failure (its message was shown)
    bool result_file_deleted = false; // a move or delete run removed wynik.txt
    std::size_t handled = 0;          // files copied, moved or deleted
    std::size_t skipped_outside = 0;  // records outside the main directory
    std::uintmax_t bytes = 0;         // bytes of the handled files
};

// Copies, moves or deletes every file of the category code listed in the result
// file at result_path. Messages go through messages; progress through progress.
// Throws OperationCancelled on a close request.
OperationResult execute_operation(const AppState& state, Operation operation, ResultCode code,
                                  std::string_view result_path, Progress& progress,
                                  Messages& messages);

struct CategoryFootprint {
    std::size_t files = 0;    // files of the category that exist (and would be acted on)
    std::uintmax_t bytes = 0; // their total size
};

// Measures the files a delete of the category would remove, for its confirmation.
CategoryFootprint measure_category(const AppState& state, ResultCode code,
                                   std::string_view result_path);

} // namespace ferwis
