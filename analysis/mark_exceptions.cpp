#include "analysis/mark_exceptions.h"

#include "common/text_compare.h"

namespace ferwis {

void mark_exceptions(PackageInventory& inventory, const std::vector<std::string>& skip_list) {
    for (std::size_t r = 0; r < inventory.listed_count(); ++r) {
        const FileEntry& row = inventory.row(r);
        if (row.code != ResultCode::N) {
            continue;
        }
        for (const std::string& entry : skip_list) {
            if (starts_with_name(row.path, entry)) {
                inventory.mark_if_unused(r, ResultCode::W);
                break;
            }
        }
    }
}

} // namespace ferwis
