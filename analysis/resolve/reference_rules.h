#pragma once
// Where each kind of reference is looked for: one function per kind, each
// going through the one lookup (lookup.h).

#include "analysis/shared/scenery_run.h"

#include <string>
#include <string_view>

namespace ferwis {

// A texture named in a scenery statement: first in the directory of the file
// being read (path relative to the scenery directory), then in the textures
// directory, where a miss is recorded. "none" names no texture.
void resolve_scenery_texture(SceneryRun& scenery, std::string_view texture,
                             std::string_view file_being_read);

// A texture named inside a model: in the model's texture subdirectory, then
// the scenery directory, then the textures directory, where a miss is
// recorded. "none" and names containing "replacableskin" (the vehicle's own
// skin) are skipped.
void resolve_model_texture(SceneryRun& scenery, std::string_view texture,
                           std::string_view texture_subdirectory);

// The texture subdirectory of a model given by its path relative to the models
// directory: the textures directory + the model's directory part.
std::string model_texture_subdirectory(const SceneryRun& scenery, std::string_view model_path);

// A sound of a node statement, in the sounds directory, recording a miss. The
// first time the sound becomes used in the run, the files beside it that share
// its name without the ".wav" (its subtitle text and the like) and are still
// unused become used too.
void resolve_node_sound(SceneryRun& scenery, std::string_view sound);

} // namespace ferwis
