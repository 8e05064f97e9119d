#include "analysis/inventory/listed_index.h"

#include "analysis/inventory/package_inventory.h"
#include "common/catalogue.h"
#include "common/text_compare.h"
#include "format/readable_extensions.h"

#include <exception>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <utility>

namespace ferwis {
namespace {

constexpr std::size_t kExtensionLength = 4;

// How many rows from a stem's first texture are read for its other textures
// before the table is asked instead: they lie together in the sorted rows,
// with only the stem's other files ("stem.*") between them.
constexpr std::size_t kStemRowsRead = 16;

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

std::string_view ListedIndex::key(std::size_t row) const {
    return listed_[row].path;
}

void ListedIndex::build(std::span<const FileEntry> listed) {
    if (listed.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error(text(Text::ReasonTooManyFiles));
    }
    listed_ = listed;
    // The stems' table, which reads only the rows, is made on a second thread
    // meanwhile: a large installation's index is made while the run waits.
    std::exception_ptr stems_failure;
    std::jthread stems;
    try {
        stems = std::jthread([this, &stems_failure] {
            try {
                build_stems();
            } catch (...) {
                stems_failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        build_stems(); // no second thread to be had
    }
    // One walk over the neighbours finds the twins and tells whether the rows ascend.
    twin_follows_.assign(listed.size(), false);
    first_out_of_order_.reset();
    for (std::size_t row = 0; row + 1 < listed.size(); ++row) {
        const int order = compare_names(key(row), key(row + 1));
        twin_follows_[row] = order == 0;
        if (order > 0 && !first_out_of_order_) {
            first_out_of_order_ = row + 1;
        }
    }
    rows_.reset(listed.size());
    for (std::size_t row = 0; row < listed.size(); ++row) {
        if (row > 0 && twin_follows_[row - 1]) {
            continue; // the first of the twins is indexed
        }
        // Equal keys that are not neighbours (rows out of order) share a run,
        // so the first of them is met first and found.
        rows_.insert(hash_name(key(row)), static_cast<std::uint32_t>(row));
    }
    if (stems.joinable()) {
        stems.join();
    }
    if (stems_failure) {
        std::rethrow_exception(stems_failure);
    }
}

std::string_view ListedIndex::stem_of(std::size_t row) const {
    const std::string_view path = key(row);
    return path.substr(0, path.size() - kExtensionLength);
}

void ListedIndex::build_stems() {
    const std::size_t count = listed_.size();
    // The extension bit of a row's path, or 0 when it is no texture.
    const auto texture_bit = [this](std::size_t row) -> std::uint8_t {
        const std::string_view path = key(row);
        return path.size() > kExtensionLength
                   ? texture_extension_bit(path.substr(path.size() - kExtensionLength))
                   : 0;
    };
    // Counted first, so that the table is made once at its size.
    std::vector<std::uint8_t> bits(count);
    std::size_t textures = 0;
    for (std::size_t row = 0; row < count; ++row) {
        bits[row] = texture_bit(row);
        if (bits[row] != 0) {
            ++textures;
        }
    }
    stems_.reset(textures);
    for (std::size_t row = 0; row < count; ++row) {
        const std::uint8_t bit = bits[row];
        if (bit == 0) {
            continue;
        }
        const std::string_view stem = stem_of(row);
        const std::uint64_t hash = hash_name(stem);
        Stem* known = stems_.find(
            hash, [&](const Stem& s) { return names_equal(stem_of(s.first_row), stem); });
        if (known == nullptr) { // the rows ascend: the stem's first texture
            known = &stems_.insert(hash, Stem{static_cast<std::uint32_t>(row), 0});
        }
        known->extensions = static_cast<std::uint8_t>(known->extensions | bit);
    }
}

TextureRows ListedIndex::texture_rows(std::string_view stem) const {
    const Stem* known = stems_.find(
        hash_name(stem), [&](const Stem& s) { return names_equal(stem_of(s.first_row), stem); });
    if (known == nullptr) {
        return {};
    }
    TextureRows found;
    found.extensions = known->extensions;
    // The stem's other textures follow its first closely: their paths lie
    // beside its path in the block of text, so reading them costs little
    // beside a lookup in the table for each.
    const std::size_t first = known->first_row;
    const std::string_view stem_key = stem_of(first);
    std::uint8_t unread = found.extensions;
    for (std::size_t row = first;
         unread != 0 && row < first + kStemRowsRead && row < listed_.size(); ++row) {
        const std::string_view path = key(row);
        if (!starts_with_name(path, stem_key)) {
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
    const std::uint32_t* row =
        rows_.find(hash_name(path), [&](std::uint32_t r) { return names_equal(key(r), path); });
    if (row == nullptr) {
        return std::nullopt;
    }
    return *row;
}

} // namespace ferwis
