#pragma once
// Where each kind of reference is looked for: one function per kind, each
// going through the one lookup (lookup.h).

#include "analysis/scenery/scenery_run.h"

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

// A model named in a node or sky statement, preferring its binary form
// (".e3d") over its text form (".t3d"). A placeholder in the name is expanded
// (and, in an include read with parameters, recorded); the result becomes the
// run's model name. The found model is marked used and read for its textures
// the first time in the run; a model present in neither form is recorded
// missing in its ".t3d" form. Throws FileError when a found model cannot be read.
void resolve_model(SceneryRun& scenery, std::string_view name);

// A sound of a node statement, in the sounds directory, recording a miss. The
// first time the sound becomes used in the run, the files beside it that share
// its name without the ".wav" (its subtitle text and the like) and are still
// unused become used too.
void resolve_node_sound(SceneryRun& scenery, std::string_view sound);

} // namespace ferwis
