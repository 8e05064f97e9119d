#include "analysis/inventory/listed_sizes.h"

#include "common/file_system.h"
#include "common/folder_handle.h"
#include "common/native_path.h"

#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace ferwis {

FileLengths measure_listed_files(std::span<const FileEntry> listed, const NativePaths& natives,
                                 std::stop_token stop, std::size_t* unmeasured) {
    std::size_t refused = 0;
    FileLengths sizes(listed.size());
    // The rows ascend by path, so a folder's files mostly follow each other:
    // each run of them opens the folder once.
    std::optional<FolderHandle> folder;
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
            folder = FolderHandle::open(folder_path);
            opened = true;
            folder_refused = !folder && folder_exists(folder_path);
        }
        if (!folder) {
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
    try {
        worker_ = std::jthread([this](std::stop_token stop) {
            sizes_ = measure_listed_files(listed_, natives_, stop, &unmeasured_);
        });
    } catch (const std::system_error&) {
        // No second thread to be had: take() measures them.
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
