#pragma once

#include "analysis/inventory/package_inventory.h"

#include <string>
#include <vector>

namespace ferwis {

// Turns every listed row still N whose path begins (case-insensitively) with
// one of the skip entries into W. A folder entry ending with "/" covers the
// files below it; an entry without it also covers every sibling whose name
// begins with the same letters. Appended rows are not visited.
void mark_exceptions(PackageInventory& inventory, const std::vector<std::string>& skip_list);

} // namespace ferwis
