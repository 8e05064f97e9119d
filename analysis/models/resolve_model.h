#pragma once

#include "analysis/shared/scenery_run.h"

#include <string_view>

namespace ferwis {

// A model named in a node or sky statement, preferring its binary form
// (".e3d") over its text form (".t3d"). A placeholder in the name is expanded
// (and, in an include read with parameters, recorded); the result becomes the
// run's model name. The found model is marked used and read for its textures
// the first time in the run; a model present in neither form is recorded
// missing in its ".t3d" form. Throws FileError when a found model cannot be read.
void resolve_model(SceneryRun& scenery, std::string_view name);

} // namespace ferwis
