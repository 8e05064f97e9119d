#include "analysis/resolve/resolve_scenery_texture.h"

#include "analysis/resolve/resolve_with_extensions.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <string>

namespace ferwis {

std::string_view directory_part(std::string_view path) {
    const std::size_t last = path.rfind(kSeparator);
    return last == std::string_view::npos ? std::string_view{} : path.substr(0, last + 1);
}

void resolve_scenery_texture(SceneryRun& scenery, std::string_view texture,
                             std::string_view file_being_read) {
    if (names_equal(texture, "none")) {
        return;
    }
    const std::string name = with_read_separators(texture);
    const std::string own_directory =
        scenery.run.scenery_dir + std::string(directory_part(file_being_read));
    if (resolve_with_extensions(scenery, own_directory, name, LookupMode::LookUpOnly)) {
        return;
    }
    resolve_with_extensions(scenery, scenery.run.textures_dir, name, LookupMode::RecordMissing);
}

} // namespace ferwis
