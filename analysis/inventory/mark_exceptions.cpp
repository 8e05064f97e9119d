#include "analysis/inventory/mark_exceptions.h"

namespace ferwis {

void mark_exceptions(PackageInventory& inventory, const std::vector<std::string>& skip_list) {
    // The listed rows ascend, so the rows an entry covers lie in one run: found
    // by a search rather than by reading every path.
    for (const std::string& entry : skip_list) {
        const RowRange covered = inventory.listed_with_prefix(entry);
        for (std::size_t row = covered.first; row < covered.last; ++row) {
            inventory.mark_if_unused(row, ResultCode::W);
        }
    }
}

} // namespace ferwis
