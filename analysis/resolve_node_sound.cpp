#include "analysis/resolve_node_sound.h"

#include "analysis/resolve_reference.h"
#include "common/text_compare.h"

#include <string>

namespace ferwis {

void resolve_node_sound(SceneryRun& scenery, std::string_view sound) {
    std::string name(sound);
    const LookupResult result = resolve_reference(scenery, to_lower(scenery.run.sounds_dir), name,
                                                  LookupMode::RecordMissing);
    if (!result.newly_used) {
        return;
    }
    const std::string prefix =
        scenery.run.sounds_dir + name.substr(0, name.size() < 4 ? 0 : name.size() - 4);
    PackageInventory& inventory = scenery.run.inventory;
    const RowRange companions = inventory.listed_with_prefix(prefix);
    for (std::size_t row = companions.first; row < companions.last; ++row) {
        if (!ends_with_name(inventory.row(row).path, ".wav")) {
            inventory.mark_if_unused(row, ResultCode::U);
        }
    }
}

} // namespace ferwis
