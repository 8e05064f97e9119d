#pragma once

#include "analysis/shared/read_ahead.h"
#include "analysis/shared/scenery_run.h"

#include <filesystem>
#include <string_view>

namespace ferwis {

// Reads a text model (file_path: its inventory row path; native: the row's
// native path when its text does not name it) for the textures its "map:" lines name and looks each
// up through the model texture chain; held, when given, holds the file's bytes read ahead, which
// it takes. A file of zero bytes names nothing. Throws FileError when the file cannot be read.
void read_text_model(SceneryRun& scenery, std::string_view file_path,
                     const std::filesystem::path* native, std::string_view texture_subdirectory,
                     HeldModel* held = nullptr);

} // namespace ferwis
