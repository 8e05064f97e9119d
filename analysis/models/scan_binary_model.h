#pragma once

#include "analysis/shared/read_ahead.h"
#include "analysis/shared/scenery_run.h"
#include "common/folder_handle.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace ferwis {

// The block a binary model is searched and read in.
inline constexpr std::size_t kBinaryModelWindow = 20000;

// Reads the bytes of an open binary model that its texture list is read from,
// into block (kBinaryModelWindow bytes): the first "tex0" (any case) found
// inside one of the consecutive windows, then from 9 bytes behind the tag's
// start the rest of the window in hand, or the list's own window (one window
// from there) when a name of the list reaches past those bytes. Nothing when
// no window holds the tag. Throws FileError.
std::optional<std::string_view> read_texture_list(OpenFile& file, char* block);

// Scans a binary model (file_path: its inventory row path; native: the row's
// native path when its text does not name it; model_path: its path
// relative to the models directory) for its texture list (read_texture_list,
// or held: the list read ahead; a held list that is not tagged is none), cut
// at zero bytes; every piece is a texture name until one begins with "nam0". Names go
// through the model texture chain. Throws FileError when the file cannot be read.
void scan_binary_model(SceneryRun& scenery, std::string_view file_path,
                       const std::filesystem::path* native, std::string_view model_path,
                       const HeldModel* held = nullptr);

} // namespace ferwis
