#pragma once

#include "analysis/run/run_state.h"

namespace ferwis {

// Builds the package inventory of an empty run.inventory: every file below the
// content folders inne, models, scenery, sounds and textures of the main
// directory (found case-insensitively, paths with their names as on disk),
// each with code N, all rows in ascending order of the one comparison; missing
// content folders are skipped; the definition folders of dynamic/ are found on
// the way (run.definitions) for the rolling-stock check that follows. Throws
// FileError when a folder cannot be read, OperationCancelled on a close request.
void wypisz_wszystkie_pliki(RunState& run);

} // namespace ferwis
