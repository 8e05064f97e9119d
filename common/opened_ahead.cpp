#include "common/opened_ahead.h"

#include "common/errors.h"
#include "common/file_system.h"

#include <algorithm>

namespace ferwis {

void OpenedAhead::open(std::size_t key, std::string_view path, const std::filesystem::path* native,
                       std::uintmax_t at_most) {
    if (empty()) {
        files_.clear();
        next_ = 0;
    }
    OpenFile file;
    try {
        file = open_file_for_reading(path, native);
        file.will_read(std::min(file.size_when_opened(), at_most));
    } catch (const FileError&) {
        // Left to the reading.
    }
    files_.emplace_back(key, std::move(file));
}

OpenFile* OpenedAhead::take(std::size_t key) {
    if (empty() || files_[next_].first != key) {
        return nullptr;
    }
    OpenFile& file = files_[next_++].second;
    return file.is_open() ? &file : nullptr;
}

} // namespace ferwis
