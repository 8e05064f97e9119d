#include "analysis/resolve/resolve_model_texture.h"

#include "analysis/resolve/resolve_scenery_texture.h"
#include "analysis/resolve/resolve_with_extensions.h"
#include "common/native_path.h"
#include "common/text_compare.h"

namespace ferwis {

std::string model_texture_subdirectory(const SceneryRun& scenery, std::string_view model_path) {
    return with_final_separator(scenery.run.textures_dir + std::string(directory_part(model_path)));
}

void resolve_model_texture(SceneryRun& scenery, std::string_view texture,
                           std::string_view texture_subdirectory) {
    if (names_equal(texture, "none") || contains_name(texture, "replacableskin")) {
        return;
    }
    const std::string name = with_read_separators(texture);
    if (resolve_with_extensions(scenery, texture_subdirectory, name, LookupMode::LookUpOnly) ||
        resolve_with_extensions(scenery, scenery.run.scenery_dir, name, LookupMode::LookUpOnly)) {
        return;
    }
    resolve_with_extensions(scenery, scenery.run.textures_dir, name, LookupMode::RecordMissing);
}

} // namespace ferwis
