#pragma once

#include "analysis/run_state.h"
#include "format/wav_dynamic_file.h"

namespace ferwis {

// Builds the package inventory of an empty run.inventory: every file below the
// content folders inne, models, scenery, sounds and textures of the main
// directory (found case-insensitively, paths with their names as on disk),
// each with code N, all rows in ascending order of the one comparison; missing
// content folders are skipped. Then runs the rolling-stock sound check. Throws
// FileError when a folder cannot be read, OperationCancelled on a close request.
void wypisz_wszystkie_pliki(RunState& run, WavDynamicFile& wav_dynamic);

} // namespace ferwis
