#include "analysis/listed_index.h"

#include "analysis/package_inventory.h"
#include "common/text_compare.h"

namespace ferwis {

void ListedIndex::build(std::span<const FileEntry> listed) {
    text_.clear();
    starts_.assign(1, 0);
    for (const FileEntry& row : listed) {
        text_ += row.path;
        starts_.push_back(text_.size());
    }
    to_lower_in_place(text_);
    // At most half the slots in use keeps the runs of probed slots short.
    std::size_t size = 16;
    while (size < 2 * listed.size()) {
        size *= 2;
    }
    slots_.assign(size, Slot{});
    const std::size_t mask = size - 1;
    for (std::size_t row = 0; row < listed.size(); ++row) {
        const std::string_view path = key(row);
        const std::uint64_t hash = hash_name(path);
        std::size_t i = static_cast<std::size_t>(hash) & mask;
        bool present = false;
        for (; slots_[i].row_plus_one != 0; i = (i + 1) & mask) {
            if (slots_[i].hash == hash && key(slots_[i].row_plus_one - 1) == path) {
                present = true;
                break;
            }
        }
        if (!present) {
            slots_[i] = Slot{hash, row + 1};
        }
    }
}

std::optional<std::size_t> ListedIndex::find(std::string_view path) const {
    if (slots_.empty()) {
        return std::nullopt;
    }
    const std::uint64_t hash = hash_name(path);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask; slots_[i].row_plus_one != 0;
         i = (i + 1) & mask) {
        if (slots_[i].hash == hash && names_equal(key(slots_[i].row_plus_one - 1), path)) {
            return slots_[i].row_plus_one - 1;
        }
    }
    return std::nullopt;
}

} // namespace ferwis
