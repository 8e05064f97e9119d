#pragma once

#include "analysis/package_inventory.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace ferwis {

// Finds path among the listed rows by binary search with the one comparison.
// Returns the row index; of rows that differ only in case, the first in sort
// order. Appended rows are never searched.
std::optional<std::size_t> find_listed(const PackageInventory& inventory, std::string_view path);

// Returns one past the last listed row whose path equals the path of row under
// the one comparison. On a case-sensitive file system names that differ only in
// case lie next to each other; a reference to one of them marks them all, so
// that none of them is offered as unused.
std::size_t case_twins_end(const PackageInventory& inventory, std::size_t row);

} // namespace ferwis
