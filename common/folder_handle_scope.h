#pragma once
// Folders held open while many files below them are read. A file opened by
// its whole path makes the system look up every name on the way again; opened
// relative to a held folder, only the names below that folder are looked up.

#include "common/folder_handle.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// While an object lives, a file opened for reading on its thread
// (open_file_for_reading) whose path begins with one of its folders is opened
// relative to that folder. Scopes nest; the innermost one answers.
class FolderHandleScope {
public:
    // Opens folders (paths ending with "/", links followed); one that cannot be
    // opened is left out, and files below it are opened by their whole path.
    explicit FolderHandleScope(const std::vector<std::string>& folders);
    ~FolderHandleScope();
    FolderHandleScope(const FolderHandleScope&) = delete;
    FolderHandleScope& operator=(const FolderHandleScope&) = delete;

    // The held folder of the innermost scope of this thread whose path begins
    // path (the longest such), or null.
    static const FolderHandle* folder_of(std::string_view path);

private:
    std::vector<FolderHandle> folders_;
    FolderHandleScope* outer_;
};

} // namespace ferwis
