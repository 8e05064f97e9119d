#pragma once

#include "common/file_system.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
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
    // When asked for: the length of each of files (0 for what is not a regular file).
    std::vector<std::uintmax_t> file_sizes;
    // Per folder: the entry of its parent (the root's own for the root), and
    // where its files begin in files (one more entry: the end).
    std::vector<std::size_t> parents;
    std::vector<std::size_t> files_begin;
    // Where the text of a folder or file does not name it (a name on its way
    // has no Windows-1250 form, so its text holds a "?"): its native path, by
    // its position in folders or files. The walk and every file access go by
    // these; everything else is reached through its text.
    std::unordered_map<std::size_t, std::filesystem::path> native_folders;
    std::unordered_map<std::size_t, std::filesystem::path> native_files;

    // The native path of folders[index] or files[index].
    std::filesystem::path native_folder(std::size_t index) const;
    std::filesystem::path native_file(std::size_t index) const;
};

// Collects root (ending with "/") and every folder and file below it, with the
// lengths of the files when with_sizes. A folder reached again through a link
// below itself is not walked a second time, so a link loop cannot make the
// walk endless. With names, every folder listed is remembered there with all
// its entries. Throws FileError when a folder cannot be opened or enumerated.
FolderTree walk_folder_tree(const std::string& root, bool with_sizes = false,
                            FolderNameCache* names = nullptr);

// The positions in tree.files, in the order of the one comparison over the
// whole paths (sort_before). Taken from the tree folder by folder, each
// folder's files merged with its sub-folders, so the whole list needs no sort
// of its own (only folders whose names differ only in case need one).
std::vector<std::size_t> files_in_path_order(const FolderTree& tree);

} // namespace ferwis
