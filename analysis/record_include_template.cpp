#include "analysis/record_include_template.h"

#include "common/text_compare.h"

#include <algorithm>
#include <string>

namespace ferwis {

void record_include_template(SceneryRun& scenery, IncludeTemplate::Kind kind,
                             std::string_view name) {
    if (scenery.context != LineContext::Include) {
        return;
    }
    FileEntry& include = scenery.run.inventory.rows[scenery.include_row];
    auto& rows = scenery.cache.rows;
    if (include.cache_row == 0) {
        rows.emplace_back();
        include.cache_row = static_cast<std::uint32_t>(rows.size());
    }
    auto& templates = rows[include.cache_row - 1];
    const bool known = std::any_of(templates.begin(), templates.end(), [&](const auto& t) {
        return t.kind == kind && names_equal(t.name, name);
    });
    if (!known) {
        templates.push_back(IncludeTemplate{kind, std::string(name)});
    }
}

} // namespace ferwis
