#pragma once

#include "analysis/shared/scenery_run.h"

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace ferwis {

// The block a binary model is searched and read in.
inline constexpr std::size_t kBinaryModelWindow = 20000;

// Scans a binary model (file_path: its inventory row path; native: the row's
// native path when its text does not name it; model_path: its path
// relative to the models directory) for its texture list: the first "tex0" (any
// case) found inside one of the consecutive 20000-byte windows, then one window
// read from 9 bytes behind the tag's start, cut at zero bytes; every piece is a
// texture name until one begins with "nam0". Names go through the model texture
// chain. Throws FileError when the file cannot be read.
void scan_binary_model(SceneryRun& scenery, std::string_view file_path,
                       const std::filesystem::path* native, std::string_view model_path);

} // namespace ferwis
