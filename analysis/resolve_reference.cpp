#include "analysis/resolve_reference.h"

#include "common/native_path.h"
#include "common/text_compare.h"

namespace ferwis {
namespace {

void record_missing(SceneryRun& scenery, const std::string& target) {
    // The set holds every appended path in lower case, so "already recorded"
    // needs no scan of the appended rows.
    if (scenery.recorded_missing.insert(target).second) {
        scenery.run.inventory.rows.push_back(FileEntry{target, ResultCode::B});
    }
}

} // namespace

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
    // Composed in a buffer kept for the whole run: most lookups fail, and each
    // would otherwise allocate its path twice.
    std::string& target = scenery.lookup_path;
    target.assign(directory).append(name);
    to_lower_in_place(target);

    LookupResult result;
    if (const auto row = scenery.listed_index.find(target)) {
        result.found = true;
        result.row = *row;
        auto& rows = scenery.run.inventory.rows;
        result.newly_used = rows[result.row].code != ResultCode::U;
        const std::size_t end = scenery.listed_index.twins_end(result.row);
        for (std::size_t r = result.row; r < end; ++r) {
            rows[r].code = ResultCode::U;
        }
        return result;
    }
    if (mode != LookupMode::RecordMissing || fallback == FallbackPosition::EarlyTry) {
        return result;
    }
    if (fallback == FallbackPosition::LastTry) {
        std::string recorded = std::string(fallback_base) + scenery.run.extensions[0];
        clean_reference_name(recorded);
        target.assign(directory).append(recorded);
        to_lower_in_place(target);
    }
    record_missing(scenery, target);
    return result;
}

} // namespace ferwis
