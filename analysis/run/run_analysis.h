#pragma once

#include "analysis/inventory/walk_folder_tree.h"
#include "analysis/shared/run_totals.h"
#include "common/progress.h"
#include "format/result_code.h"
#include "format/settings.h"
#include "format/used_elsewhere.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ferwis {

// Runs one analysis of the selected sceneries and writes the result file at
// result_path (wav_dynamic.txt beside it). Throws AnalysisFailure when the run
// fails (the previous result file stays whole) and OperationCancelled on a close
// request. Returns the folders the listing passed over.
PassedOver run_analysis(const AnalysisSettings& settings, const std::vector<std::string>& selected,
                        const std::string& result_path, Progress& progress);

// Runs the analysis as run_analysis does and also counts the records of the
// result per category with the lengths of their files. The lengths are taken
// while the folders are listed, so a run that shows no totals asks for none.
// With passed_over, says there which folders the listing passed over.
RunTotals run_analysis_with_totals(const AnalysisSettings& settings,
                                   const std::vector<std::string>& selected,
                                   const std::string& result_path, Progress& progress,
                                   PassedOver* passed_over = nullptr);

// Reads the sceneries (names below scenery/) as an analysis reads the selected
// ones, writing nothing, and returns every file they use, each with the
// scenery that uses it first and the place there. Throws
// OtherSceneriesUnreadable when a file fails: the move or delete it was read
// for stops, the program does not; OperationCancelled on a close request.
UsedElsewhere find_used_elsewhere(const AnalysisSettings& settings,
                                  const std::vector<std::string>& sceneries, Progress& progress);

} // namespace ferwis
