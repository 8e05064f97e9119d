#pragma once
// The folder a copied or moved file goes to, built level by level below the
// copy/move path.

#include <string_view>

namespace ferwis {

// Makes sure the folder (absolute, the platform's separators, ending with one)
// exists. Its first level (the drive "D:\" of "D:\kopia\" on Windows,
// "/media/" of "/media/usb/kopia/" elsewhere) must exist already; every later level is created when
// missing. Returns false, creating nothing, when the folder is not absolute or its first level is
// missing. Throws FileError when a level cannot be created.
bool prepare_target_folder(std::string_view folder);

} // namespace ferwis
