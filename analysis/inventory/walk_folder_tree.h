#pragma once

#include "analysis/inventory/path_list.h"
#include "common/file_system.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace ferwis {

// Folders a walk passed over: those whose path is longer than the system
// takes, and links to folders that lie outside the folder the walk keeps to;
// and the listed files whose length the system refused, counted as 0 bytes in
// the totals.
struct PassedOver {
    std::size_t long_paths = 0;
    std::size_t outside_links = 0;
    std::size_t unmeasured = 0;
    PassedOver& operator+=(const PassedOver& other) {
        long_paths += other.long_paths;
        outside_links += other.outside_links;
        unmeasured += other.unmeasured;
        return *this;
    }
};

// A folder and everything below it, collected breadth-first.
struct FolderTree {
    // The root first, then its sub-folders, then theirs, level by level; the
    // sub-folders of one folder in the order of the one comparison. Each entry
    // is its parent's entry + the folder name as on disk + "/".
    std::vector<std::string> folders;
    // For each folder in that order, its files in the order of the one
    // comparison: folder entry + file name.
    PathList files;
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
    PassedOver passed_over;

    // The native path of folders[index] or files[index].
    std::filesystem::path native_folder(std::size_t index) const;
    std::filesystem::path native_file(std::size_t index) const;
};

// Collects root (ending with "/") and every folder and file below it, with the
// lengths of the files when with_sizes. A folder reached again through a link
// below itself is not walked a second time, so a link loop cannot make the
// walk endless. With within (a folder's real native path, every link on it
// followed), a link is followed only to a folder that really lies inside it.
// A folder whose path is too long for the system, and a link not followed,
// are passed over and counted. With names, every folder listed is remembered
// there with all its entries. Throws FileError when a folder cannot be opened
// or enumerated.
FolderTree walk_folder_tree(const std::string& root, bool with_sizes = false,
                            FolderNameCache* names = nullptr,
                            const std::filesystem::path* within = nullptr);

// The real native path of a folder, every link on the way followed; empty when
// it cannot be told.
std::filesystem::path real_folder_path(const std::string& folder);

// The positions in tree.files, in the order of the one comparison over the
// whole paths (sort_before). Taken from the tree folder by folder, each
// folder's files merged with its sub-folders, so the whole list needs no sort
// of its own (only folders whose names differ only in case need one). A
// position fits 32 bits: the paths of files fit 4 GiB (PathList).
std::vector<std::uint32_t> files_in_path_order(const FolderTree& tree);

} // namespace ferwis
