#pragma once
// Finds a listed inventory row by its path in lower case. Every reference of a
// scenery is looked up here, mostly in vain (each texture is tried in several
// folders with several extensions). On a large installation the table is far
// larger than the processor's caches, so a lookup that fails must not touch it:
// one byte per slot, a few bits of the path's hash, lies in a block small
// enough to stay cached, and only a slot whose byte matches is read further.

#include "analysis/package_inventory.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

class ListedIndex {
public:
    // Indexes the listed rows of inventory. Of several rows whose paths are
    // equal in lower case (case twins, next to each other in the sorted
    // inventory), the first is kept.
    void build(const PackageInventory& inventory);

    // Returns the row whose lower-case path equals target (given in lower
    // case), or nothing.
    std::optional<std::size_t> find(std::string_view target) const;

    // The end of the run of case twins that begins at row (row + 1 when it
    // has none).
    std::size_t twins_end(std::size_t row) const;

private:
    std::string_view path_of(std::size_t row) const {
        return std::string_view(text_).substr(starts_[row], starts_[row + 1] - starts_[row]);
    }

    std::vector<std::uint8_t> tags_;  // per slot: 0 when free, else kUsed | bits of the hash
    std::vector<std::uint32_t> rows_; // per slot: its row
    std::string text_;                // the lower-case paths, one after another
    std::vector<std::size_t> starts_; // where each row's path begins in text_, and the end
    std::vector<bool> twin_follows_;  // per row: the next row is its case twin
};

} // namespace ferwis
