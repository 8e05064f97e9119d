#pragma once

#include "analysis/shared/run_state.h"

#include <string>
#include <vector>

namespace ferwis {

// Reads the selected sceneries (file names inside the scenery directory, in the
// order given) and everything they pull in, marking used files U and appending
// B rows for missing ones. Throws AnalysisFailure on a failure of the run and
// OperationCancelled when a close request arrives.
void read_selected_sceneries(RunState& run, const std::vector<std::string>& selected);

} // namespace ferwis
