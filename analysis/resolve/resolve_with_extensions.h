#pragma once

#include "analysis/resolve/resolve_reference.h"

#include <string_view>

namespace ferwis {

// Looks up a texture name. A name with a "." anywhere is looked up once as it
// stands; a name without one is tried with each extension of the priority list
// in turn, and only the last try may record a miss (under the first extension).
// Returns whether the file was found.
bool resolve_with_extensions(SceneryRun& scenery, std::string_view directory, std::string_view name,
                             LookupMode mode);

} // namespace ferwis
