#include "analysis/inventory_lookup.h"

#include "common/text_compare.h"

#include <algorithm>

namespace ferwis {

std::optional<std::size_t> find_listed(const PackageInventory& inventory, std::string_view path) {
    const auto begin = inventory.rows.begin();
    const auto end = begin + static_cast<std::ptrdiff_t>(inventory.listed);
    const auto it =
        std::lower_bound(begin, end, path, [](const FileEntry& row, std::string_view p) {
            return compare_names(row.path, p) < 0;
        });
    if (it == end || compare_names(it->path, path) != 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(it - begin);
}

std::size_t case_twins_end(const PackageInventory& inventory, std::size_t row) {
    std::size_t end = row + 1;
    while (end < inventory.listed &&
           names_equal(inventory.rows[end].path, inventory.rows[row].path)) {
        ++end;
    }
    return end;
}

} // namespace ferwis
