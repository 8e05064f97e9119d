#pragma once

#include "analysis/shared/scenery_run.h"

#include <string>

namespace ferwis {

// Follows an include statement with parameters (the statement parameters hold
// it). The first time the file is included it is read in place, in the
// Include line context, and its placeholder names are recorded; later
// inclusions replay those names with the new parameters instead of reading the file again. A
// file missing from the inventory is recorded missing. Throws FileError when a
// found file cannot be read.
void read_include_with_parameters(SceneryRun& scenery, std::string name);

} // namespace ferwis
