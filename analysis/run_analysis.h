#pragma once

#include "app/app_state.h"
#include "common/progress.h"

#include <string>
#include <vector>

namespace ferwis {

// Runs one analysis of the selected sceneries and writes the result file at
// result_path (wav_dynamic.txt beside it). Adds the leading "." to
// state.default_extension. Throws AnalysisFailure when the run fails (the
// previous result file stays whole) and OperationCancelled on a close request.
void run_analysis(AppState& state, const std::vector<std::string>& selected,
                  const std::string& result_path, Progress& progress);

} // namespace ferwis
