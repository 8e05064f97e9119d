#pragma once

#include "common/progress.h"
#include "format/settings.h"

#include <string>
#include <vector>

namespace ferwis {

// Runs one analysis of the selected sceneries and writes the result file at
// result_path (wav_dynamic.txt beside it). Throws AnalysisFailure when the run
// fails (the previous result file stays whole) and OperationCancelled on a close
// request.
void run_analysis(const AnalysisSettings& settings, const std::vector<std::string>& selected,
                  const std::string& result_path, Progress& progress);

} // namespace ferwis
