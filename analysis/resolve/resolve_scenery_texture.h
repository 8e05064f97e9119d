#pragma once

#include "analysis/scenery/scenery_run.h"

#include <string_view>

namespace ferwis {

// Looks up a texture named in a scenery statement: first in the directory of
// the file being read (path relative to the scenery directory), then in the
// textures directory, where a miss is recorded. "none" names no texture.
void resolve_scenery_texture(SceneryRun& scenery, std::string_view texture,
                             std::string_view file_being_read);

// Returns the directory part of a relative path, up to and including its last
// "/" (empty for a name without one).
std::string_view directory_part(std::string_view path);

} // namespace ferwis
