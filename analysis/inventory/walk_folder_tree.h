#pragma once

#include <string>
#include <vector>

namespace ferwis {

// A folder and everything below it, collected breadth-first.
struct FolderTree {
    // The root first, then its sub-folders, then theirs, level by level; the
    // sub-folders of one folder in the order of the one comparison. Each entry
    // is its parent's entry + the folder name as on disk + "/".
    std::vector<std::string> folders;
    // For each folder in that order, its files in the order of the one
    // comparison: folder entry + file name.
    std::vector<std::string> files;
};

// Collects root (ending with "/") and every folder and file below it. A folder
// reached again through a link below itself is not walked a second time, so a
// link loop cannot make the walk endless. Throws FileError when a folder cannot
// be opened or enumerated.
FolderTree walk_folder_tree(const std::string& root);

} // namespace ferwis
