#pragma once
// The preview of a file operation: a dry run written out for a person to read
// before anything changes.

#include "format/settings.h"
#include "results/file_operations.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ferwis {

// The lines a preview lists at most; a category of a large installation holds
// far more files than anyone reads, and the totals still count them all.
inline constexpr std::size_t kPreviewLines = 100000;

// A preview in Polish (Windows-1250).
struct OperationPreview {
    // One line per file with what would be done to it (and its target), one
    // line per file that would be left alone with the reason.
    std::string listing;
    // The files that would be acted on, their size, the files left alone.
    std::string totals;
};

// Runs the request as a dry run: nothing changes. Throws as execute_operation
// does.
OperationPreview operation_preview(const OperationSettings& settings,
                                   const OperationRequest& request, std::string_view result_path,
                                   std::size_t line_limit = kPreviewLines);
// The same, telling its reading to progress; throws OperationCancelled on a
// close request.
OperationPreview operation_preview(const OperationSettings& settings,
                                   const OperationRequest& request, std::string_view result_path,
                                   Progress& progress, std::size_t line_limit = kPreviewLines);

} // namespace ferwis
