#pragma once

#include "analysis/shared/include_parameter_cache.h"
#include "analysis/shared/scenery_run.h"

#include <string_view>

namespace ferwis {

// Records a name with a placeholder (as written, before expansion) for the
// include file being read with parameters, unless the file already has the
// same template of the same kind. Does nothing outside such a file.
void record_include_template(SceneryRun& scenery, IncludeTemplate::Kind kind,
                             std::string_view name);

} // namespace ferwis
