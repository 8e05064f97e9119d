#pragma once
// The comment directives of a scenery file: "//$i" names an image of the
// scenery, "//$f pl" an additional file below the main directory.

#include "analysis/shared/scenery_run.h"

#include <string>

namespace ferwis {

// Looks for both directives in a working line (in lower case) of a queued file and looks up
// what they name. A directive normalises the line; the additional-file
// directive leaves the line as the text behind it, which is then read on as an
// ordinary line.
void apply_scenery_directives(SceneryRun& scenery, std::string& line);

} // namespace ferwis
