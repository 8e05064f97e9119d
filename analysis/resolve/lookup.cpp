#include "analysis/resolve/lookup.h"

#include "common/native_path.h"

namespace ferwis {

void clean_reference_name(std::string& name) {
    read_separators(name);
    if (!name.empty() && name.front() == kSeparator) {
        name.erase(0, 1); // only one: a name beginning with two separators keeps one
    }
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
}

LookupResult resolve_reference(SceneryRun& scenery, std::string_view directory, std::string& name,
                               LookupMode mode, FallbackPosition fallback,
                               std::string_view fallback_base) {
    clean_reference_name(name);
    std::string target = std::string(directory) + name;
    PackageInventory& inventory = scenery.run.inventory;
    if (const auto row = inventory.find(target)) {
        return LookupResult{true, *row, inventory.mark_used(*row)};
    }
    if (mode != LookupMode::RecordMissing || fallback == FallbackPosition::EarlyTry) {
        return LookupResult{};
    }
    if (fallback == FallbackPosition::LastTry) {
        std::string recorded = std::string(fallback_base) + scenery.run.extensions[0];
        clean_reference_name(recorded);
        target = std::string(directory) + recorded;
    }
    inventory.record_missing(std::move(target));
    return LookupResult{};
}

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
