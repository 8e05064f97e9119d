#include "analysis/resolve/reference_rules.h"

#include "analysis/resolve/lookup.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <string>

namespace ferwis {
void resolve_scenery_texture(SceneryRun& scenery, std::string_view texture,
                             std::string_view file_being_read) {
    if (names_equal(texture, "none")) {
        return;
    }
    // The tries read the name's separators themselves.
    std::string& own_directory = scenery.texture_directory;
    own_directory.assign(scenery.run.scenery_dir);
    own_directory.append(folder_part(file_being_read));
    if (resolve_with_extensions(scenery, own_directory, texture, LookupMode::LookUpOnly)) {
        return;
    }
    resolve_with_extensions(scenery, scenery.run.textures_dir, texture, LookupMode::RecordMissing);
}

std::string model_texture_subdirectory(const SceneryRun& scenery, std::string_view model_path) {
    return with_final_separator(scenery.run.textures_dir + std::string(folder_part(model_path)));
}

void resolve_model_texture(SceneryRun& scenery, std::string_view texture,
                           std::string_view texture_subdirectory) {
    if (names_equal(texture, "none") || contains_name(texture, "replacableskin")) {
        return;
    }
    // The tries read the name's separators themselves.
    if (resolve_with_extensions(scenery, texture_subdirectory, texture, LookupMode::LookUpOnly) ||
        resolve_with_extensions(scenery, scenery.run.scenery_dir, texture,
                                LookupMode::LookUpOnly)) {
        return;
    }
    resolve_with_extensions(scenery, scenery.run.textures_dir, texture, LookupMode::RecordMissing);
}

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
