#include "analysis/scenery_run.h"

#include "common/text_compare.h"

namespace ferwis {

SceneryRun::SceneryRun(RunState& run_state) : run(run_state) {
    const PackageInventory& inventory = run.inventory;
    listed_index.build(inventory);
    for (std::size_t row = inventory.listed; row < inventory.rows.size(); ++row) {
        recorded_missing.insert(to_lower(inventory.rows[row].path));
    }
}

} // namespace ferwis
