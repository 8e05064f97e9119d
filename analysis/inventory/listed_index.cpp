#include "analysis/inventory/listed_index.h"

#include "analysis/inventory/package_inventory.h"
#include "common/text_compare.h"

#include <iterator>
#include <limits>
#include <stdexcept>
#include <utility>

namespace ferwis {
namespace {

constexpr std::uint8_t kUsed = 0x80;

// The slot comes from the low bits of the hash, the tag from the top ones, so
// that rows sharing a run of slots seldom share a tag.
std::uint8_t tag_of(std::uint64_t hash) {
    return static_cast<std::uint8_t>(kUsed | (hash >> 57));
}

constexpr std::size_t kExtensionLength = 4;
constexpr std::string_view kTextureExtensionNames[kTextureExtensions] = {".dds", ".tga", ".bmp",
                                                                         ".tex"};

// How many rows from a stem's first texture are read for its other textures
// before the table is asked instead: they lie together in the sorted rows,
// with only the stem's other files ("stem.*") between them.
constexpr std::size_t kStemRowsRead = 16;

// The size of an open-addressed table for count keys: at most half the slots
// in use keeps the runs of probed slots short.
std::size_t table_size(std::size_t count) {
    std::size_t size = 16;
    while (size < 2 * count) {
        size *= 2;
    }
    return size;
}

} // namespace

std::uint8_t texture_extension_bit(std::string_view extension) {
    // Asked for each texture tried: the extension is lowered once, not per
    // known extension.
    if (extension.size() != kExtensionLength) {
        return 0;
    }
    char lowered[kExtensionLength];
    for (std::size_t i = 0; i < kExtensionLength; ++i) {
        lowered[i] = static_cast<char>(lower_byte(static_cast<unsigned char>(extension[i])));
    }
    const std::string_view lower(lowered, kExtensionLength);
    for (std::size_t i = 0; i < kTextureExtensions; ++i) {
        if (lower == kTextureExtensionNames[i]) {
            return static_cast<std::uint8_t>(1U << i);
        }
    }
    return 0;
}

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
    const std::size_t size = table_size(listed.size());
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
    build_stems();
}

std::string_view ListedIndex::stem_of(std::size_t row) const {
    const std::string_view path = key(row);
    return path.substr(0, path.size() - kExtensionLength);
}

void ListedIndex::build_stems() {
    std::vector<std::pair<std::uint32_t, std::uint8_t>> textures; // row, extension bit
    for (std::size_t row = 0; row + 1 < starts_.size(); ++row) {
        const std::string_view path = key(row);
        if (path.size() > kExtensionLength) {
            if (const std::uint8_t bit =
                    texture_extension_bit(path.substr(path.size() - kExtensionLength))) {
                textures.emplace_back(static_cast<std::uint32_t>(row), bit);
            }
        }
    }
    const std::size_t size = table_size(textures.size());
    stem_tags_.assign(size, 0);
    stem_rows_.assign(size, 0);
    stem_extensions_.assign(size, 0);
    const std::size_t mask = size - 1;
    for (const auto& [row, bit] : textures) {
        const std::string_view stem = stem_of(row);
        const std::uint64_t hash = hash_name(stem);
        const std::uint8_t tag = tag_of(hash);
        std::size_t i = static_cast<std::size_t>(hash) & mask;
        while (stem_tags_[i] != 0 && !(stem_tags_[i] == tag && stem_of(stem_rows_[i]) == stem)) {
            i = (i + 1) & mask;
        }
        if (stem_tags_[i] == 0) { // the rows ascend: the stem's first texture
            stem_tags_[i] = tag;
            stem_rows_[i] = row;
        }
        stem_extensions_[i] |= bit;
    }
}

TextureRows ListedIndex::texture_rows(std::string_view stem) const {
    if (stem_tags_.empty()) {
        return {};
    }
    const std::uint64_t hash = hash_name(stem);
    const std::uint8_t tag = tag_of(hash);
    const std::size_t mask = stem_tags_.size() - 1;
    std::size_t i = static_cast<std::size_t>(hash) & mask;
    while (stem_tags_[i] != 0 &&
           !(stem_tags_[i] == tag && names_equal(stem_of(stem_rows_[i]), stem))) {
        i = (i + 1) & mask;
    }
    if (stem_tags_[i] == 0) {
        return {};
    }
    TextureRows found;
    found.extensions = stem_extensions_[i];
    // The stem's other textures follow its first closely: their paths lie
    // beside its path in the block of text, so reading them costs little
    // beside a lookup in the table for each.
    const std::size_t first = stem_rows_[i];
    const std::string_view stem_key = stem_of(first);
    std::uint8_t unread = found.extensions;
    for (std::size_t row = first;
         unread != 0 && row < first + kStemRowsRead && row + 1 < starts_.size(); ++row) {
        const std::string_view path = key(row);
        if (!path.starts_with(stem_key)) {
            break;
        }
        if (path.size() == stem_key.size() + kExtensionLength) {
            const std::uint8_t bit = texture_extension_bit(path.substr(stem_key.size()));
            if ((unread & bit) != 0) {
                found.rows[static_cast<std::size_t>(std::countr_zero(bit))] =
                    static_cast<std::uint32_t>(row);
                unread = static_cast<std::uint8_t>(unread & ~bit);
            }
        }
    }
    for (std::size_t e = 0; e < kTextureExtensions; ++e) {
        if ((unread & (1U << e)) != 0) {
            found.rows[e] = static_cast<std::uint32_t>(
                find(std::string(stem_key) + std::string(kTextureExtensionNames[e])).value());
        }
    }
    return found;
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
