#pragma once

#include "analysis/scenery/scenery_run.h"

#include <string>
#include <string_view>

namespace ferwis {

// Looks up a texture named inside a model: in the model's texture
// subdirectory, then the scenery directory, then the textures directory, where
// a miss is recorded. "none" and names containing "replacableskin" (the
// vehicle's own skin) are skipped.
void resolve_model_texture(SceneryRun& scenery, std::string_view texture,
                           std::string_view texture_subdirectory);

// Returns the texture subdirectory of a model given by its path relative to the
// models directory: the textures directory + the model's directory part.
std::string model_texture_subdirectory(const SceneryRun& scenery, std::string_view model_path);

} // namespace ferwis
