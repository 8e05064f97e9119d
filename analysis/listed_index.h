#pragma once
// Finds a listed inventory row by its path under the one comparison. Every
// reference of a scenery is looked up here, mostly in vain (each texture is
// tried in several folders with several extensions), so the table is laid out
// flat: a lookup usually touches one slot, and the lower-case paths lie in one
// block of text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

struct FileEntry;

class ListedIndex {
public:
    // Indexes the listed rows. Of several rows whose paths are equal under the
    // one comparison, the first is kept.
    void build(std::span<const FileEntry> listed);

    // Returns the row whose path equals path under the one comparison, or nothing.
    std::optional<std::size_t> find(std::string_view path) const;

    // The path of a row in lower case.
    std::string_view key(std::size_t row) const {
        return std::string_view(text_).substr(starts_[row], starts_[row + 1] - starts_[row]);
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t row_plus_one = 0; // 0: the slot is free
    };

    std::vector<Slot> slots_;         // open addressing, a power of two long
    std::string text_;                // the lower-case paths, one after another
    std::vector<std::size_t> starts_; // where each row's path begins in text_, and the end
};

} // namespace ferwis
