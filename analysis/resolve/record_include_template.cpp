#include "analysis/resolve/record_include_template.h"

namespace ferwis {

void record_include_template(SceneryRun& scenery, IncludeTemplate::Kind kind,
                             std::string_view name) {
    if (scenery.statement.context() == LineContext::Include) {
        scenery.cache.record(scenery.statement.include_row(), kind, name);
    }
}

} // namespace ferwis
