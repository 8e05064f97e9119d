#pragma once

#include "analysis/shared/run_state.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ferwis {

// Reads the selected sceneries (file names inside the scenery directory, in the
// order given) and everything they pull in, marking used files U and appending
// B rows for missing ones. Throws FileError when a file fails (the run says
// what it stops) and OperationCancelled when a close request arrives. starting, when given, is
// told the position of each selected scenery before it is read.
void read_selected_sceneries(RunState& run, const std::vector<std::string>& selected,
                             const std::function<void(std::size_t)>& starting = {});

} // namespace ferwis
