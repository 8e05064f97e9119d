#include "analysis/inventory/listed_index.h"

#include "analysis/inventory/package_inventory.h"
#include "common/text_compare.h"

#include <limits>
#include <stdexcept>

namespace ferwis {
namespace {

constexpr std::uint8_t kUsed = 0x80;

// The slot comes from the low bits of the hash, the tag from the top ones, so
// that rows sharing a run of slots seldom share a tag.
std::uint8_t tag_of(std::uint64_t hash) {
    return static_cast<std::uint8_t>(kUsed | (hash >> 57));
}

} // namespace

void ListedIndex::build(std::span<const FileEntry> listed) {
    if (listed.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many files in the inventory");
    }
    // Reserved whole: grown by doubling, the block of a large inventory's paths
    // would briefly need three times its size.
    std::size_t length = 0;
    for (const FileEntry& row : listed) {
        length += row.path.size();
    }
    text_.clear();
    text_.reserve(length);
    starts_.clear();
    starts_.reserve(listed.size() + 1);
    starts_.push_back(0);
    for (const FileEntry& row : listed) {
        text_ += row.path;
        starts_.push_back(text_.size());
    }
    to_lower_in_place(text_);
    twin_follows_.assign(listed.size(), false);
    for (std::size_t row = 0; row + 1 < listed.size(); ++row) {
        twin_follows_[row] = key(row) == key(row + 1);
    }
    // At most half the slots in use keeps the runs of probed slots short.
    std::size_t size = 16;
    while (size < 2 * listed.size()) {
        size *= 2;
    }
    tags_.assign(size, 0);
    rows_.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t row = 0; row < listed.size(); ++row) {
        if (row > 0 && twin_follows_[row - 1]) {
            continue; // the first of the twins is indexed
        }
        const std::uint64_t hash = hash_name(key(row));
        std::size_t i = static_cast<std::size_t>(hash) & mask;
        // Equal keys that are not neighbours (rows out of order) probe the same
        // slots, so the first of them is met first and found.
        while (tags_[i] != 0) {
            i = (i + 1) & mask;
        }
        tags_[i] = tag_of(hash);
        rows_[i] = static_cast<std::uint32_t>(row);
    }
}

std::optional<std::size_t> ListedIndex::find(std::string_view path) const {
    if (tags_.empty()) {
        return std::nullopt;
    }
    const std::uint64_t hash = hash_name(path);
    const std::uint8_t tag = tag_of(hash);
    const std::size_t mask = tags_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask; tags_[i] != 0; i = (i + 1) & mask) {
        if (tags_[i] == tag && names_equal(key(rows_[i]), path)) {
            return rows_[i];
        }
    }
    return std::nullopt;
}

} // namespace ferwis
