#pragma once
// Finds a listed inventory row by its path under the one comparison. Every
// reference of a scenery is looked up here, mostly in vain (each texture is
// tried in several folders with several extensions). On a large installation
// the table is far larger than the processor's caches: its slots lie in
// buckets of one cache line (hash_buckets.h), so that a lookup that fails
// reads one line, and one that succeeds that line and the path. The paths are
// the rows' own, compared and hashed under the one comparison where they lie.

#include "analysis/inventory/hash_buckets.h"
#include "format/readable_extensions.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

struct FileEntry;

inline constexpr std::size_t kTextureExtensions = kTextureExtensionNames.size();

// The bit of a texture extension (".dds", ".tga", ".bmp" or ".tex", any case),
// or 0 for another.
std::uint8_t texture_extension_bit(std::string_view extension);

// The listed files of a stem (a path without its extension) that are
// textures: which texture extensions follow the stem, and for each the row
// whose path is the stem + that extension (the first of case twins).
struct TextureRows {
    std::uint8_t extensions = 0; // bits of texture_extension_bit
    std::array<std::uint32_t, kTextureExtensions> rows{};

    std::optional<std::size_t> row(std::uint8_t bit) const {
        if ((extensions & bit) == 0) {
            return std::nullopt;
        }
        return rows[static_cast<std::size_t>(std::countr_zero(bit))];
    }
};

class ListedIndex {
public:
    // Indexes the listed rows, which it keeps viewing: they must stay where
    // they are while the index lives. Of several rows whose paths are equal
    // under the one comparison (case twins, next to each other when the rows
    // ascend), the first is kept.
    void build(std::span<const FileEntry> listed);

    // Returns the row whose path equals path under the one comparison, or nothing.
    std::optional<std::size_t> find(std::string_view path) const;

    // The path of a row.
    std::string_view key(std::size_t row) const;

    // The first row whose path orders before the path of the row above it,
    // when the rows do not ascend under the one comparison.
    std::optional<std::size_t> first_out_of_order() const { return first_out_of_order_; }

    // Whether the row after row has the same path under the one comparison.
    bool twin_follows(std::size_t row) const {
        return row < twin_follows_.size() && twin_follows_[row];
    }

    // The listed textures of a stem. A texture is tried with each extension
    // in turn, in several folders, and mostly in vain: one lookup of the stem
    // tells which of the tries can succeed, and the row each would find.
    TextureRows texture_rows(std::string_view stem) const;

private:
    void build_stems();
    std::string_view stem_of(std::size_t row) const; // its path without the extension

    // A stem's slot: its first texture's row, and which texture extensions follow it.
    struct Stem {
        std::uint32_t first_row = 0;
        std::uint8_t extensions = 0;
    };

    std::span<const FileEntry> listed_;
    std::vector<bool> twin_follows_; // per row: the next row is its case twin
    std::optional<std::size_t> first_out_of_order_;
    HashBuckets<std::uint32_t, 12> rows_; // the rows, by their paths
    HashBuckets<Stem, 6> stems_;          // the stems of the paths with a texture extension
};

} // namespace ferwis
