#include "analysis/resolve/resolve_with_extensions.h"

#include <string>

namespace ferwis {

bool resolve_with_extensions(SceneryRun& scenery, std::string_view directory, std::string_view name,
                             LookupMode mode) {
    if (name.find('.') != std::string_view::npos) {
        std::string cleaned(name);
        return resolve_reference(scenery, directory, cleaned, mode).found;
    }
    const auto& extensions = scenery.run.extensions;
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        std::string tried = std::string(name) + extensions[i];
        const FallbackPosition position =
            i + 1 < extensions.size() ? FallbackPosition::EarlyTry : FallbackPosition::LastTry;
        if (resolve_reference(scenery, directory, tried, mode, position, name).found) {
            return true;
        }
    }
    return false;
}

} // namespace ferwis
