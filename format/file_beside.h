#pragma once
// The result file, its places and the rolling-stock list are each written in
// the folder of their path, through that folder opened once.

#include "common/folder_handle.h"

#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

// Opens the folder of path (the current folder for a bare name) and sets name
// to the file's name in it. Throws FileError when the folder cannot be opened.
FolderHandle open_folder_of(std::string_view path, std::string& name);

// Creates a new file name.N.tmp in folder, the first N that is free, and sets
// temp_name to its name.
OpenFile create_temporary(const FolderHandle& folder, const std::string& name,
                          std::string& temp_name);

} // namespace ferwis
