#include "analysis/listed_index.h"

#include "common/text_compare.h"

#include <functional>
#include <limits>
#include <stdexcept>

namespace ferwis {
namespace {

constexpr std::uint8_t kUsed = 0x80;

std::uint64_t hash_of(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

// The slot comes from the low bits of the hash, the tag from the top ones, so
// that rows sharing a run of slots seldom share a tag.
std::uint8_t tag_of(std::uint64_t hash) {
    return static_cast<std::uint8_t>(kUsed | (hash >> 57));
}

} // namespace

void ListedIndex::build(const PackageInventory& inventory) {
    const std::size_t listed = inventory.listed;
    if (listed >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many files in the inventory");
    }
    text_.clear();
    starts_.assign(1, 0);
    for (std::size_t row = 0; row < listed; ++row) {
        text_ += inventory.rows[row].path;
        starts_.push_back(text_.size());
    }
    to_lower_in_place(text_);
    twin_follows_.assign(listed, false);
    for (std::size_t row = 0; row + 1 < listed; ++row) {
        twin_follows_[row] = path_of(row) == path_of(row + 1);
    }
    // At most half the slots in use keeps the runs of probed slots short.
    std::size_t size = 16;
    while (size < 2 * listed) {
        size *= 2;
    }
    tags_.assign(size, 0);
    rows_.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t row = 0; row < listed; ++row) {
        if (row > 0 && twin_follows_[row - 1]) {
            continue; // the first of the twins is indexed
        }
        const std::uint64_t hash = hash_of(path_of(row));
        std::size_t i = static_cast<std::size_t>(hash) & mask;
        while (tags_[i] != 0) {
            i = (i + 1) & mask;
        }
        tags_[i] = tag_of(hash);
        rows_[i] = static_cast<std::uint32_t>(row);
    }
}

std::optional<std::size_t> ListedIndex::find(std::string_view target) const {
    if (tags_.empty()) {
        return std::nullopt;
    }
    const std::uint64_t hash = hash_of(target);
    const std::uint8_t tag = tag_of(hash);
    const std::size_t mask = tags_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask; tags_[i] != 0; i = (i + 1) & mask) {
        if (tags_[i] == tag && path_of(rows_[i]) == target) {
            return rows_[i];
        }
    }
    return std::nullopt;
}

std::size_t ListedIndex::twins_end(std::size_t row) const {
    std::size_t end = row + 1;
    while (end - 1 < twin_follows_.size() && twin_follows_[end - 1]) {
        ++end;
    }
    return end;
}

} // namespace ferwis
