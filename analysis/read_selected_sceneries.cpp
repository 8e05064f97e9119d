#include "analysis/read_selected_sceneries.h"

#include "analysis/read_scenery_file.h"
#include "analysis/scenery_run.h"
#include "common/errors.h"

#include <new>

namespace ferwis {

void read_selected_sceneries(RunState& run, const std::vector<std::string>& selected) {
    SceneryRun scenery(run);
    try {
        for (const std::string& name : selected) {
            run.selected_scenery = name;
            // A selected scenery is queued even when an equal entry is; includes are not.
            scenery.queue.add_selected(name);
            std::string entry;
            while (scenery.queue.next(entry)) {
                read_scenery_file(scenery, entry);
            }
        }
    } catch (const FileError& error) {
        // A found file that cannot be read ends the run.
        throw AnalysisFailure(error.what());
    } catch (const std::bad_alloc&) {
        // A line or a list too large for memory ends the run as a failure, not a crash.
        throw AnalysisFailure("out of memory while reading the sceneries");
    }
}

} // namespace ferwis
