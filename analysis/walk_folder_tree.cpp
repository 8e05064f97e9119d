#include "analysis/walk_folder_tree.h"

#include "common/file_system.h"
#include "common/native_path.h"
#include "common/platform.h"

#include "common/text_compare.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

namespace ferwis {
namespace {

using Place = std::optional<platform::FolderIdentity>;

// Which folder a path leads to after every link is followed. Nothing when that
// cannot be told, in which case the folder is walked like any other. One status
// call, where resolving the whole path would read every level of it.
Place real_folder(const std::string& path) {
    return platform::folder_identity(to_native(path));
}

} // namespace

FolderTree walk_folder_tree(const std::string& root) {
    FolderTree tree;
    tree.folders.push_back(root);
    // Per folder entry: the entry of its parent and, once asked, where it really
    // lies. Only a link can lead back to one of a folder's own ancestors, so a
    // folder's real place is asked for only when a link below it needs it.
    std::vector<std::size_t> parent{0};
    std::vector<std::optional<Place>> real{std::nullopt};
    const auto real_of = [&](std::size_t entry) -> const Place& {
        if (!real[entry]) {
            real[entry] = real_folder(tree.folders[entry]);
        }
        return *real[entry];
    };
    std::vector<std::vector<std::string>> files_of;
    for (std::size_t position = 0; position < tree.folders.size(); ++position) {
        FolderListing listing = list_folder(tree.folders[position]);
        files_of.push_back(std::move(listing.files));
        for (const std::string& name : listing.folders) {
            std::string path = tree.folders[position] + name;
            path.push_back(kSeparator);
            std::optional<Place> where;
            if (std::binary_search(
                    listing.linked_folders.begin(), listing.linked_folders.end(), name,
                    [](const std::string& a, const std::string& b) { return sort_before(a, b); })) {
                where = real_folder(path);
                bool loop = false;
                for (std::size_t up = position; *where; up = parent[up]) {
                    if (real_of(up) == *where) {
                        loop = true;
                        break;
                    }
                    if (up == 0) {
                        break;
                    }
                }
                if (loop) {
                    continue;
                }
            }
            tree.folders.push_back(std::move(path));
            parent.push_back(position);
            real.push_back(std::move(where));
        }
    }
    for (std::size_t f = 0; f < tree.folders.size(); ++f) {
        for (const std::string& name : files_of[f]) {
            tree.files.push_back(tree.folders[f] + name);
        }
    }
    return tree;
}

} // namespace ferwis
