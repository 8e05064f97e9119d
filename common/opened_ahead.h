#pragma once
// Files about to be read one after another, opened some at a time ahead of
// their reading, with their bytes asked of the system together
// (OpenFile::will_read): from a cold cache their reads then wait for the disk
// together, not each alone. A file that cannot be opened ahead is left to its
// reading, which opens it itself and says why that fails.

#include "common/folder_handle.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

namespace ferwis {

class OpenedAhead {
public:
    // At most this many files are open ahead at a time: enough for the disk to
    // serve them together, and few open files.
    static constexpr std::size_t kTogether = 32;

    // Whether every file opened has been taken.
    bool empty() const { return next_ == files_.size(); }
    // Whether as many files are open ahead as may be.
    bool full() const { return files_.size() - next_ >= kTogether; }

    // Opens the file numbered key (by the caller) at path, or at native where
    // given, and asks for its first bytes, at most at_most of them.
    void open(std::size_t key, std::string_view path, const std::filesystem::path* native,
              std::uintmax_t at_most);

    // The file opened next, when it is the one numbered key and could be
    // opened; null otherwise, and then a file not yet taken stays next.
    OpenFile* take(std::size_t key);

private:
    std::vector<std::pair<std::size_t, OpenFile>> files_; // in the order opened
    std::size_t next_ = 0;                                // the next to be taken
};

} // namespace ferwis
