#include "analysis/inventory/walk_folder_tree.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "common/platform.h"

#include "common/text_compare.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace ferwis {
namespace {

using Place = std::optional<platform::FolderIdentity>;

// Which folder a path leads to after every link is followed. Nothing when that
// cannot be told, in which case the folder is walked like any other. One status
// call, where resolving the whole path would read every level of it.
Place real_folder(const std::filesystem::path& path) {
    return platform::folder_identity(path);
}

// The native name of entry position of a listing, when its text does not name
// it; natives ascend by position, and next is where to look on from.
const std::filesystem::path*
native_name_at(const std::vector<std::pair<std::size_t, std::filesystem::path>>& natives,
               std::size_t position, std::size_t& next) {
    if (next < natives.size() && natives[next].first == position) {
        return &natives[next++].second;
    }
    return nullptr;
}

// Whether the real path lies in the folder within (itself a real path).
bool lies_within(const std::filesystem::path& real, const std::filesystem::path& within) {
    auto part = real.begin();
    for (const auto& wanted : within) {
        if (wanted.empty()) {
            continue; // a final separator
        }
        if (part == real.end() || *part != wanted) {
            return false;
        }
        ++part;
    }
    return true;
}

// Whether the folder a link leads to really lies in within. One that cannot be
// told is not followed.
bool link_stays_within(const std::filesystem::path& link, const std::filesystem::path& within) {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(link, ec);
    return !ec && lies_within(real, within);
}

// Names one after another, kept in pieces that stay where they are: one
// growing block would be copied, and new memory touched, at each doubling.
class NamePieces {
public:
    void push_back(std::string_view name) {
        if (pieces_.empty() || pieces_.back().size() + name.size() > pieces_.back().capacity()) {
            pieces_.emplace_back().reserve(std::max(kPiece, name.size()));
        }
        pieces_.back().append(name);
        lengths_.push_back(name.size());
        bytes_ += name.size();
    }
    std::size_t size() const { return lengths_.size(); }
    std::size_t bytes() const { return bytes_; }

    // Reads the names back in order.
    class Reader {
    public:
        explicit Reader(const NamePieces& names) : names_(names) {}
        std::string_view next() {
            const std::size_t length = names_.lengths_[index_++];
            if (at_ + length > names_.pieces_[piece_].size()) {
                ++piece_;
                at_ = 0;
            }
            const std::string_view name(names_.pieces_[piece_].data() + at_, length);
            at_ += length;
            return name;
        }

    private:
        const NamePieces& names_;
        std::size_t piece_ = 0;
        std::size_t at_ = 0;
        std::size_t index_ = 0;
    };

private:
    // Below the size the C library maps on its own, so freed pieces are reused.
    static constexpr std::size_t kPiece = 60 * 1024;
    std::vector<std::string> pieces_;
    std::vector<std::size_t> lengths_;
    std::size_t bytes_ = 0;
};

} // namespace

std::filesystem::path real_folder_path(const std::string& folder) {
    std::error_code ec;
    std::filesystem::path real = std::filesystem::canonical(to_native(folder), ec);
    return ec ? std::filesystem::path() : real;
}

std::filesystem::path FolderTree::native_folder(std::size_t index) const {
    const auto found = native_folders.find(index);
    return found != native_folders.end() ? found->second : to_native(folders[index]);
}

std::filesystem::path FolderTree::native_file(std::size_t index) const {
    const auto found = native_files.find(index);
    return found != native_files.end() ? found->second : to_native(files[index]);
}

FolderTree walk_folder_tree(const std::string& root, bool with_sizes, FolderNameCache* names,
                            const std::filesystem::path* within) {
    FolderTree tree;
    tree.folders.push_back(root);
    // Per folder entry: the entry of its parent and, once asked, where it really
    // lies. Only a link can lead back to one of a folder's own ancestors, so a
    // folder's real place is asked for only when a link below it needs it.
    std::vector<std::size_t> parent{0};
    std::vector<std::optional<Place>> real{std::nullopt};
    const auto real_of = [&](std::size_t entry) -> const Place& {
        if (!real[entry]) {
            real[entry] = real_folder(tree.native_folder(entry));
        }
        return *real[entry];
    };
    // The names of the folders' files, folder after folder, and how many each
    // has: a folder's listing goes as soon as it is walked, and the paths are
    // made once the walk knows how long they are in all.
    NamePieces file_names;
    std::vector<std::size_t> file_counts;
    // Every folder is opened below the root, held open meanwhile.
    const platform::ListingRoot listing_root(to_native(root));
    for (std::size_t position = 0; position < tree.folders.size(); ++position) {
        FolderListing listing;
        try {
            listing = list_folder(tree.native_folder(position), tree.folders[position], with_sizes,
                                  &listing_root);
        } catch (const PathTooLong&) {
            // Nothing below it can be reached by its path: neither listed nor
            // read, and the run says how many such folders there were.
            if (position == 0) {
                throw;
            }
            ++tree.passed_over.long_paths;
        }
        if (names != nullptr) {
            std::vector<FolderNameCache::Entry> entries;
            entries.reserve(listing.files.size() + listing.folders.size());
            for (std::size_t i = 0; i < listing.files.size(); ++i) {
                entries.push_back(
                    {listing.files[i], false, with_sizes ? listing.file_sizes[i] : 0});
            }
            for (const std::string& name : listing.folders) {
                entries.push_back({name, true, 0});
            }
            names->remember(tree.folders[position], std::move(entries));
        }
        const auto parent_native = tree.native_folders.find(position);
        std::size_t next_native = 0;
        for (std::size_t i = 0; i < listing.files.size(); ++i) {
            const std::filesystem::path* odd = native_name_at(listing.native_files, i, next_native);
            if (odd != nullptr || parent_native != tree.native_folders.end()) {
                tree.native_files.emplace(
                    file_names.size(), (parent_native != tree.native_folders.end()
                                            ? parent_native->second
                                            : to_native(tree.folders[position])) /
                                           (odd != nullptr ? *odd : to_native(listing.files[i])));
            }
            file_names.push_back(listing.files[i]);
        }
        file_counts.push_back(listing.files.size());
        tree.file_sizes.insert(tree.file_sizes.end(), listing.file_sizes.begin(),
                               listing.file_sizes.end());
        next_native = 0;
        for (std::size_t i = 0; i < listing.folders.size(); ++i) {
            const std::string& name = listing.folders[i];
            std::string path = tree.folders[position] + name;
            path.push_back(kSeparator);
            // Below a name without a Windows-1250 form, the text names no folder.
            const std::filesystem::path* odd =
                native_name_at(listing.native_folders, i, next_native);
            std::optional<std::filesystem::path> native;
            if (odd != nullptr || parent_native != tree.native_folders.end()) {
                native = (parent_native != tree.native_folders.end()
                              ? parent_native->second
                              : to_native(tree.folders[position])) /
                         (odd != nullptr ? *odd : to_native(name));
            }
            std::optional<Place> where;
            if (std::binary_search(
                    listing.linked_folders.begin(), listing.linked_folders.end(), name,
                    [](const std::string& a, const std::string& b) { return sort_before(a, b); })) {
                const std::filesystem::path link = native ? *native : to_native(path);
                if (within != nullptr && !link_stays_within(link, *within)) {
                    ++tree.passed_over.outside_links;
                    continue;
                }
                where = real_folder(link);
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
            if (native) {
                tree.native_folders.emplace(tree.folders.size(), std::move(*native));
            }
            tree.folders.push_back(std::move(path));
            parent.push_back(position);
            real.push_back(std::move(where));
        }
    }
    tree.parents = std::move(parent);
    std::size_t bytes = file_names.bytes();
    for (std::size_t f = 0; f < file_counts.size(); ++f) {
        bytes += file_counts[f] * tree.folders[f].size();
    }
    tree.files.reserve(file_names.size(), bytes);
    tree.files_begin.reserve(tree.folders.size() + 1);
    NamePieces::Reader next_name(file_names);
    for (std::size_t f = 0; f < file_counts.size(); ++f) {
        tree.files_begin.push_back(tree.files.size());
        for (std::size_t i = 0; i < file_counts[f]; ++i) {
            tree.files.push_back(tree.folders[f], next_name.next());
        }
    }
    tree.files_begin.push_back(tree.files.size());
    return tree;
}

std::vector<std::uint32_t> files_in_path_order(const FolderTree& tree) {
    // Below one folder, a file's path and the paths below a sub-folder first
    // differ within the file's name and the sub-folder's name followed by "/"
    // ("/" is in no name, and no name lowers to it). Sorting each folder's
    // files and sub-folders by those keys and going down in that order thus
    // gives the order of the whole paths, unless two sub-folders' names are
    // equal but for case: then their files interleave, and the whole list is
    // sorted instead.
    const std::size_t count = tree.folders.size();
    std::vector<std::vector<std::size_t>> children(count);
    for (std::size_t f = 1; f < count; ++f) {
        children[tree.parents[f]].push_back(f);
    }
    struct Entry {
        std::string_view key; // the name, a sub-folder's with its "/"
        std::size_t index;    // into files, or into folders
        bool folder;
    };
    std::vector<std::uint32_t> order;
    order.reserve(tree.files.size());
    std::vector<Entry> entries;
    // Each stacked entry: a folder, or (when file is set) a file to put out.
    struct Pending {
        std::size_t index;
        bool file;
    };
    std::vector<Pending> stack{{0, false}};
    bool twins = false;
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        if (next.file) {
            order.push_back(static_cast<std::uint32_t>(next.index));
            continue;
        }
        const std::size_t f = next.index;
        const std::size_t prefix = tree.folders[f].size();
        entries.clear();
        for (std::size_t i = tree.files_begin[f]; i < tree.files_begin[f + 1]; ++i) {
            entries.push_back({tree.files[i].substr(prefix), i, false});
        }
        const auto folders_begin = static_cast<std::ptrdiff_t>(entries.size());
        for (const std::size_t c : children[f]) {
            entries.push_back({std::string_view(tree.folders[c]).substr(prefix), c, true});
        }
        // The listing gave the files in this order already; the sub-folders'
        // keys end in "/", which may reorder them, so only they are sorted,
        // then merged in (the order is total: the result is the same as a sort).
        const auto by_key = [](const Entry& a, const Entry& b) {
            return sort_before(a.key, b.key);
        };
        std::sort(entries.begin() + folders_begin, entries.end(), by_key);
        std::inplace_merge(entries.begin(), entries.begin() + folders_begin, entries.end(), by_key);
        for (std::size_t e = 0; e + 1 < entries.size(); ++e) {
            twins = twins || (entries[e].folder && entries[e + 1].folder &&
                              compare_names(entries[e].key, entries[e + 1].key) == 0);
        }
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            stack.push_back({it->index, !it->folder});
        }
    }
    if (twins) {
        std::vector<std::pair<std::string, std::size_t>> keyed(tree.files.size());
        for (std::size_t i = 0; i < tree.files.size(); ++i) {
            keyed[i] = {to_lower(tree.files[i]), i};
        }
        std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first
                                      : tree.files[a.second] < tree.files[b.second];
        });
        for (std::size_t i = 0; i < keyed.size(); ++i) {
            order[i] = static_cast<std::uint32_t>(keyed[i].second);
        }
    }
    return order;
}

} // namespace ferwis
