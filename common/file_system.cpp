#include "common/file_system.h"

#include "common/code_page.h"
#include "common/errors.h"
#include "common/folder_handle_scope.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "common/text_compare.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace ferwis {

namespace {

// The length of Windows-1250 text in the platform's units for file names.
std::size_t native_length(std::string_view text) {
#ifdef _WIN32
    return text.size();
#else
    std::size_t length = text.size();
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) { // ASCII stays one byte; only the others are looked up
            length += cp1250_to_unicode(byte) < 0x800 ? 1U : 2U;
        }
    }
    return length;
#endif
}

} // namespace

bool can_be_path(std::string_view path) {
    // The native form is never shorter, so a long text is refused unread.
    if (path.size() > kMaxPathLength || native_length(path) > kMaxPathLength) {
        return false;
    }
    return for_each_part(
        path, [](std::string_view part, bool) { return native_length(part) <= kMaxNameLength; });
}

bool file_exists(std::string_view path) {
    std::error_code ec;
    return fs::is_regular_file(to_native(path), ec);
}

bool folder_exists(std::string_view path) {
    std::error_code ec;
    return fs::is_directory(to_native(path), ec);
}

std::optional<std::uintmax_t> file_size(std::string_view path) {
    return native_file_size(to_native(path));
}

std::optional<std::uintmax_t> native_file_size(const fs::path& native) {
    // One status call: the length of anything but a regular file is an error.
    std::error_code ec;
    const auto size = fs::file_size(native, ec);
    if (ec) {
        return std::nullopt;
    }
    return size;
}

OpenFile open_file_for_reading(std::string_view path) {
    if (const FolderHandle* folder = FolderHandleScope::folder_of(path)) {
        return folder->open_for_reading(to_native(path.substr(folder->path().size())),
                                        std::string(path));
    }
    return OpenFile::open_for_reading(to_native(path), std::string(path));
}

OpenFile open_file_for_reading(std::string_view path, const std::filesystem::path* native) {
    return native != nullptr ? OpenFile::open_for_reading(*native, std::string(path))
                             : open_file_for_reading(path);
}

void read_to_end(OpenFile& file, const std::function<void(std::string_view)>& take) {
    std::vector<char> buffer(std::size_t{1} << 16);
    while (const std::size_t got = file.read(buffer.data(), buffer.size())) {
        take(std::string_view(buffer.data(), got));
    }
}

bool read_regular_file(std::string_view path, const std::function<void(std::string_view)>& take) {
    try {
        OpenFile file = open_file_for_reading(path);
        read_to_end(file, take);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

namespace {

// One entry of a folder, as a listing reports it.
struct ListedEntry {
    std::string name;
    bool is_folder = false;
    bool is_link = false;    // a folder reached through a link
    std::uintmax_t size = 0; // with sizes: the length of a regular file (a link followed)
    // The name as the system gave it, when name does not name the entry.
    std::optional<fs::path> native;
};

// Calls visit(entry) for every folder and regular file of a folder; links are
// followed, as the platform's own listing does. Returns the error that stopped
// the listing, if any.
template <typename Visit>
std::error_code visit_folder(const fs::path& native, bool with_sizes, Visit&& visit,
                             const platform::ListingRoot* root = nullptr) {
    const auto take = [&](const platform::FolderEntry& found) {
        ListedEntry entry{from_native_name(found.name), found.is_folder, found.is_link, found.size,
                          std::nullopt};
        if (!names_native(entry.name, found.name)) {
            entry.native.emplace(found.name);
        }
        visit(std::move(entry));
    };
    return root != nullptr ? root->visit(native, with_sizes, take)
                           : platform::visit_folder(native, with_sizes, take);
}

// The entries of a listing whose text does not name them: each with its
// text, its length (0 for a folder) and its name as the system gave it.
struct OddEntry {
    std::string name;
    std::uintmax_t size = 0;
    fs::path native;
};

// Gives each odd entry the position of its row among the sorted rows (name,
// size): the first such row not taken yet. Rows alike in name and size are
// alike in everything the listing tells.
void place_native_names(const std::vector<std::pair<std::string, std::uintmax_t>>& rows,
                        std::vector<OddEntry>& odd,
                        std::vector<std::pair<std::size_t, fs::path>>& out) {
    std::vector<bool> taken(rows.size());
    for (OddEntry& entry : odd) {
        auto at = std::lower_bound(
            rows.begin(), rows.end(), entry.name,
            [](const auto& row, const std::string& name) { return sort_before(row.first, name); });
        for (; at != rows.end() && at->first == entry.name; ++at) {
            const auto position = static_cast<std::size_t>(at - rows.begin());
            if (!taken[position] && at->second == entry.size) {
                taken[position] = true;
                out.emplace_back(position, std::move(entry.native));
                break;
            }
        }
    }
    std::sort(out.begin(), out.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

} // namespace

FolderListing list_folder(std::string_view path, bool with_sizes) {
    return list_folder(to_native(path), path, with_sizes);
}

FolderListing list_folder(const fs::path& native, std::string_view path, bool with_sizes,
                          const platform::ListingRoot* root) {
    FolderListing listing;
    std::vector<std::pair<std::string, std::uintmax_t>> files;
    std::vector<OddEntry> odd_folders;
    std::vector<OddEntry> odd_files;
    const std::error_code ec = visit_folder(
        native, with_sizes,
        [&](ListedEntry entry) {
            if (entry.native) {
                (entry.is_folder ? odd_folders : odd_files)
                    .push_back({entry.name, entry.size, std::move(*entry.native)});
            }
            if (!entry.is_folder) {
                files.emplace_back(std::move(entry.name), entry.size);
                return;
            }
            if (entry.is_link) {
                listing.linked_folders.push_back(entry.name);
            }
            listing.folders.push_back(std::move(entry.name));
        },
        root);
    if (ec == std::errc::filename_too_long) {
        throw PathTooLong(std::string(path), ec.message());
    }
    if (ec) {
        throw FileError(std::string(path), ec.message());
    }
    const auto itself = [](const std::string& name) -> const std::string& { return name; };
    sort_by_name(listing.folders, itself);
    sort_by_name(listing.linked_folders, itself);
    sort_by_name(files, [](const auto& file) -> const std::string& { return file.first; });
    if (!odd_files.empty()) {
        place_native_names(files, odd_files, listing.native_files);
    }
    if (!odd_folders.empty()) {
        std::vector<std::pair<std::string, std::uintmax_t>> folders;
        for (const std::string& name : listing.folders) {
            folders.emplace_back(name, 0);
        }
        place_native_names(folders, odd_folders, listing.native_folders);
    }
    listing.files.reserve(files.size());
    for (auto& [name, size] : files) {
        listing.files.push_back(std::move(name));
        if (with_sizes) {
            listing.file_sizes.push_back(size);
        }
    }
    return listing;
}

bool names_entry_without_form(std::string_view folder, std::string_view relative) {
    std::string path(folder);
    bool found = false;
    for_each_part(relative, [&](std::string_view part, bool) {
        if (part.empty()) {
            return true;
        }
        bool without_form = false;
        std::optional<std::string> next;
        visit_folder(to_native(path), false, [&](ListedEntry entry) {
            const std::string written = written_form(entry.name);
            if (without_form || !names_equal(written, part)) {
                return;
            }
            if (entry.native || written != entry.name) {
                without_form = true;
            } else if (entry.is_folder && !next) {
                next = std::move(entry.name);
            }
        });
        if (without_form) {
            found = true;
            return false;
        }
        if (!next) {
            return false;
        }
        path += *next;
        path.push_back(kSeparator);
        return true;
    });
    return found;
}

std::string written_form(std::string_view name) {
    std::string written(name);
    std::replace_if(
        written.begin(), written.end(), [](char c) { return c == '"' || c == '\r' || c == '\n'; },
        '?');
    return written;
}

std::unordered_map<std::string, std::size_t> written_name_counts(std::string_view folder) {
    std::unordered_map<std::string, std::size_t> counts;
    const std::error_code error = visit_folder(
        to_native(folder), false, [&](ListedEntry entry) { ++counts[written_form(entry.name)]; });
    if (error) {
        throw FileError(std::string(folder), error.message());
    }
    return counts;
}

namespace {

std::optional<std::vector<FolderNameCache::Entry>> read_entries(std::string_view folder) {
    std::vector<FolderNameCache::Entry> entries;
    const std::error_code ec = visit_folder(to_native(folder), false, [&](ListedEntry entry) {
        entries.push_back({std::move(entry.name), entry.is_folder});
    });
    if (ec && entries.empty()) {
        return std::nullopt;
    }
    return entries;
}

} // namespace

const std::optional<std::vector<FolderNameCache::Entry>>&
FolderNameCache::entries(std::string_view folder) {
    auto found = folders_.find(std::string(folder));
    if (found == folders_.end()) {
        found = folders_.emplace(std::string(folder), read_entries(folder)).first;
    }
    return found->second;
}

void FolderNameCache::remember(std::string folder, std::vector<Entry> entries) {
    walked_.insert_or_assign(std::move(folder), std::move(entries));
}

const std::vector<FolderNameCache::Entry>* FolderNameCache::walked(std::string_view folder) const {
    const auto found = walked_.find(std::string(folder));
    return found == walked_.end() ? nullptr : &found->second;
}

const FolderNameCache::Entry* FolderNameCache::walked_entry(std::string_view path) const {
    const std::vector<Entry>* entries = walked(folder_part(path));
    if (entries == nullptr) {
        return nullptr;
    }
    const std::string_view name = path.substr(folder_part(path).size());
    const auto found = std::find_if(entries->begin(), entries->end(),
                                    [&](const Entry& entry) { return entry.name == name; });
    return found == entries->end() ? nullptr : &*found;
}

std::optional<std::string> find_entry(std::string_view folder, std::string_view name,
                                      bool want_folder, FolderNameCache* cache) {
    // "." and ".." are in no listing; the system resolves them.
    const bool dots = name == "." || name == "..";
    const std::vector<FolderNameCache::Entry>* walked =
        cache != nullptr && !dots ? cache->walked(folder) : nullptr;
    // Where names differ in case, an entry found under the name as written has
    // that name on disk. Where they do not, it may be spelt otherwise there, and
    // the name is reported as on disk on every platform: the folder is read.
    if (walked == nullptr && (kNamesDifferInCase || dots)) {
        std::string exact(folder);
        exact.append(name);
        if (want_folder ? folder_exists(exact) : file_exists(exact)) {
            return std::string(name);
        }
    }
    std::optional<std::vector<FolderNameCache::Entry>> read;
    if (cache == nullptr) {
        read = read_entries(folder);
    }
    const std::vector<FolderNameCache::Entry>* entries = walked;
    if (entries == nullptr) {
        const auto& listed = cache != nullptr ? cache->entries(folder) : read;
        if (!listed) {
            return std::nullopt;
        }
        entries = &*listed;
    }
    const std::string* best = nullptr;
    for (const FolderNameCache::Entry& entry : *entries) {
        if (entry.folder != want_folder || !names_equal(entry.name, name)) {
            continue;
        }
        if (walked != nullptr && entry.name == name) {
            return entry.name; // an exact match first
        }
        // Several entries can differ only in case; take the first in sort order.
        if (best == nullptr || sort_before(entry.name, *best)) {
            best = &entry.name;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return *best;
}

std::optional<std::string> find_file_case_insensitive(std::string_view base,
                                                      std::string_view relative,
                                                      FolderNameCache* cache) {
    std::string path(base);
    bool found = false;
    for_each_part(relative, [&](std::string_view part, bool last) {
        if (part.empty()) {
            return !last; // a doubled separator names no extra level; a final one no file
        }
        const auto entry = find_entry(path, part, !last, cache);
        if (!entry) {
            return false;
        }
        path += *entry;
        found = last;
        path.push_back(kSeparator);
        return true;
    });
    if (!found) {
        return std::nullopt;
    }
    path.pop_back();
    return path;
}

std::string content_folder(std::string_view main, std::string_view name) {
    std::string path(main);
    const auto entry = find_entry(main, name, true);
    path += entry ? *entry : std::string(name);
    path.push_back(kSeparator);
    return path;
}

} // namespace ferwis
