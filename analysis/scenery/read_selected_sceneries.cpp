#include "analysis/scenery/read_selected_sceneries.h"

#include "analysis/scenery/models_ahead.h"
#include "analysis/scenery/read_scenery_file.h"
#include "analysis/shared/scenery_run.h"

namespace ferwis {

void read_selected_sceneries(RunState& run, const std::vector<std::string>& selected,
                             const std::function<void(std::size_t)>& starting) {
    SceneryRun scenery(run);
    const ModelsAhead ahead(scenery);
    // A found file that cannot be read ends the run: the run says so.
    for (std::size_t i = 0; i < selected.size(); ++i) {
        const std::string& name = selected[i];
        if (starting) {
            starting(i);
        }
        run.selected_scenery = name;
        // A selected scenery is queued even when an equal entry is; includes are not.
        scenery.queue.add_selected(name);
        if (scenery.ahead != nullptr) {
            scenery.ahead->queue_file(name);
        }
        std::string entry;
        Place named_at;
        while (scenery.queue.next(entry, named_at)) {
            if (scenery.ahead != nullptr) {
                scenery.ahead->begin_file();
            }
            read_scenery_file(scenery, entry, named_at);
        }
    }
}

} // namespace ferwis
