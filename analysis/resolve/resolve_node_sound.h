#pragma once

#include "analysis/scenery/scenery_run.h"

#include <string_view>

namespace ferwis {

// Looks up a sound of a node statement in the sounds directory, recording a
// miss. The first time the sound becomes used in the run, the files beside it
// that share its name without the ".wav" (its subtitle text and the like) and
// are still unused become used too.
void resolve_node_sound(SceneryRun& scenery, std::string_view sound);

} // namespace ferwis
