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

} // namespace ferwis
