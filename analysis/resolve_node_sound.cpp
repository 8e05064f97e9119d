#include "analysis/resolve_node_sound.h"

#include "analysis/resolve_reference.h"
#include "common/text_compare.h"

#include <algorithm>
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
    // The listed rows are sorted by the one comparison, so every path that
    // begins with the prefix lies in one run starting at its lower bound.
    auto& rows = scenery.run.inventory.rows;
    const auto end = rows.begin() + static_cast<std::ptrdiff_t>(scenery.run.inventory.listed);
    auto it =
        std::lower_bound(rows.begin(), end, prefix, [](const FileEntry& row, const std::string& p) {
            return compare_names(row.path, p) < 0;
        });
    for (; it != end && starts_with_name(it->path, prefix); ++it) {
        if (it->code == ResultCode::N && !ends_with_name(it->path, ".wav")) {
            it->code = ResultCode::U;
        }
    }
}

} // namespace ferwis
