#include "analysis/listed_index.h"

#include "common/text_compare.h"

#include <functional>

namespace ferwis {
namespace {

std::uint64_t hash_of(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

} // namespace

void ListedIndex::build(const PackageInventory& inventory) {
    text_.clear();
    starts_.assign(1, 0);
    for (std::size_t row = 0; row < inventory.listed; ++row) {
        text_ += to_lower(inventory.rows[row].path);
        starts_.push_back(text_.size());
    }
    // At most half the slots in use keeps the runs of probed slots short.
    std::size_t size = 16;
    while (size < 2 * inventory.listed) {
        size *= 2;
    }
    slots_.assign(size, Slot{});
    const std::size_t mask = size - 1;
    for (std::size_t row = 0; row < inventory.listed; ++row) {
        const std::string_view path = path_of(row);
        const std::uint64_t hash = hash_of(path);
        std::size_t i = static_cast<std::size_t>(hash) & mask;
        bool present = false;
        for (; slots_[i].row_plus_one != 0; i = (i + 1) & mask) {
            if (slots_[i].hash == hash && path_of(slots_[i].row_plus_one - 1) == path) {
                present = true;
                break;
            }
        }
        if (!present) {
            slots_[i] = Slot{hash, row + 1};
        }
    }
}

std::optional<std::size_t> ListedIndex::find(std::string_view target) const {
    if (slots_.empty()) {
        return std::nullopt;
    }
    const std::uint64_t hash = hash_of(target);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask; slots_[i].row_plus_one != 0;
         i = (i + 1) & mask) {
        if (slots_[i].hash == hash && path_of(slots_[i].row_plus_one - 1) == target) {
            return slots_[i].row_plus_one - 1;
        }
    }
    return std::nullopt;
}

} // namespace ferwis
