#include "analysis/inventory/listed_sizes.h"

#include "common/file_system.h"
#include "common/folder_handle.h"
#include "common/native_path.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace ferwis {

namespace {

// The folders of the rows, each opened relative to the one above it where it
// can be: the rows ascend by path, so a folder's files and its sub-folders
// follow each other, and the system then looks up one name per folder
// instead of every name of its whole path.
class OpenFolders {
public:
    // The folder at path (ending with the separator), or nothing when it
    // cannot be opened.
    const FolderHandle* at(std::string_view path) {
        while (!open_.empty() && !path.starts_with(open_.back().first)) {
            open_.pop_back();
        }
        while (open_.empty() || open_.back().first.size() < path.size()) {
            std::optional<FolderHandle> next;
            std::size_t end = path.size() - 1;
            if (!open_.empty()) {
                const std::size_t above = open_.back().first.size();
                end = path.find(kSeparator, above);
                next = open_.back().second.open_folder(path.substr(above, end - above), true);
            }
            if (!next) {
                // Also where a folder on the way may be searched but not read:
                // the whole path needs no more than that.
                end = path.size() - 1;
                next = FolderHandle::open(path);
                if (!next) {
                    return nullptr;
                }
            }
            open_.emplace_back(std::string(path.substr(0, end + 1)), std::move(*next));
        }
        return &open_.back().second;
    }

private:
    std::vector<std::pair<std::string, FolderHandle>> open_; // each below the one before
};

// The folder all rows lie in (the main directory): opened first, by its path.
std::string_view common_folder(std::span<const FileEntry> listed) {
    if (listed.empty()) {
        return {};
    }
    const std::string_view first = listed.front().path;
    const std::string_view last = listed.back().path;
    std::size_t same = 0;
    while (same < first.size() && same < last.size() && first[same] == last[same]) {
        ++same;
    }
    const std::size_t cut = first.rfind(kSeparator, same == 0 ? 0 : same - 1);
    return cut == std::string_view::npos ? std::string_view() : first.substr(0, cut + 1);
}

} // namespace

FileLengths measure_listed_files(std::span<const FileEntry> listed, const NativePaths& natives,
                                 std::stop_token stop, std::size_t* unmeasured) {
    std::size_t refused = 0;
    FileLengths sizes(listed.size());
    OpenFolders folders;
    if (const std::string_view root = common_folder(listed); !root.empty()) {
        folders.at(root);
    }
    const FolderHandle* folder = nullptr;
    std::string_view folder_path;
    bool opened = false;
    bool folder_refused = false; // there, but it cannot be opened
    auto native = natives.begin();
    for (std::size_t r = 0; r < listed.size() && !stop.stop_requested(); ++r) {
        if (native != natives.end() && native->first == r) {
            sizes.set(r, native_file_size(native->second).value_or(0));
            ++native;
            continue;
        }
        const std::string_view path = listed[r].path;
        const std::size_t cut = path.rfind(kSeparator) + 1;
        if (!opened || path.substr(0, cut) != folder_path) {
            folder_path = path.substr(0, cut);
            folder = folders.at(folder_path);
            opened = true;
            folder_refused = folder == nullptr && folder_exists(folder_path);
        }
        if (folder == nullptr) {
            refused += folder_refused ? 1 : 0;
            continue;
        }
        try {
            const EntryStatus entry = folder->status(path.substr(cut));
            if (entry.kind == EntryKind::File) {
                sizes.set(r, entry.size);
            } else if (entry.kind == EntryKind::Link) {
                sizes.set(r, file_size(path).value_or(0));
            } else if (entry.kind == EntryKind::Unreachable) {
                ++refused; // counted as 0 and said, not taken for a file that went
            }
        } catch (const std::exception&) {
            // Counted as 0, like a file that went, and said.
            ++refused;
        }
    }
    if (unmeasured != nullptr) {
        *unmeasured = refused;
    }
    return sizes;
}

void ListedSizes::start(std::span<const FileEntry> listed, NativePaths natives) {
    listed_ = listed;
    natives_ = std::move(natives);
    started_ = true;
    measuring_ = true;
    try {
        worker_ = std::jthread([this](std::stop_token stop) {
            sizes_ = measure_listed_files(listed_, natives_, stop, &unmeasured_);
            measuring_ = false;
        });
    } catch (const std::system_error&) {
        // No second thread to be had: take() measures them.
        measuring_ = false;
    }
}

FileLengths ListedSizes::take() {
    if (!started_) {
        return {};
    }
    if (worker_.joinable()) {
        worker_.join();
    } else {
        sizes_ = measure_listed_files(listed_, natives_, {}, &unmeasured_);
    }
    started_ = false;
    return std::move(sizes_);
}

} // namespace ferwis
