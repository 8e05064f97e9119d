#include "analysis/read_scenery_file.h"

#include "analysis/classify_line.h"
#include "analysis/read_include_with_parameters.h"
#include "analysis/resolve_reference.h"
#include "analysis/scenery_directives.h"
#include "analysis/timetable_step.h"
#include "analysis/tokenise_statement.h"
#include "common/catalogue.h"
#include "common/errors.h"
#include "common/line_reader.h"
#include "common/progress.h"
#include "common/text_compare.h"

namespace ferwis {
namespace {

void show_detail(SceneryRun& scenery, const std::string& name) {
    std::string detail =
        reading_scenery_detail(scenery.run.selected_scenery, scenery.run.scenery_dir + name);
    // The labels are touched only when the detail changes.
    if (names_equal(detail, scenery.last_detail)) {
        return;
    }
    scenery.last_detail = std::move(detail);
    Progress& progress = scenery.run.progress;
    progress.set_status(text(Text::SceneryPhase));
    progress.set_detail(scenery.last_detail);
    let_events_run(progress);
}

void read_queued_line(SceneryRun& scenery, std::string& line, LineReader& reader,
                      const std::string& name) {
    to_lower_in_place(line);
    apply_scenery_directives(scenery, line);
    if (line.empty() || line.starts_with("//")) {
        return;
    }
    switch (classify_line(line)) {
    case LineKind::Statement: {
        const IncludeStatement include = tokenise_statement(scenery, line, &reader, name);
        if (include.kind == IncludeStatement::Kind::Plain) {
            queue_plain_include(scenery, include.name);
        } else if (include.kind == IncludeStatement::Kind::WithParameters) {
            read_include_with_parameters(scenery, include.name);
        }
        break;
    }
    case LineKind::Timetable:
        timetable_step(scenery, line);
        break;
    case LineKind::Ignored:
        break;
    }
}

} // namespace

void queue_plain_include(SceneryRun& scenery, const std::string& name) {
    scenery.queue.add_include(name);
}

void read_scenery_file(SceneryRun& scenery, std::string name) {
    show_detail(scenery, name);
    if (!name.empty() && name.back() == '\t') {
        name.pop_back();
    }
    const LookupResult found =
        resolve_reference(scenery, scenery.run.scenery_dir, name, LookupMode::RecordMissing);
    if (!found.found) {
        return;
    }
    // Opened by the path of its row: on a case-sensitive file system the name
    // as written may differ from the file's name on disk in letter case.
    LineReader reader(scenery.run.inventory.row(found.row).path);
    std::string line;
    try {
        while (reader.next(line)) {
            read_queued_line(scenery, line, reader, name);
        }
    } catch (const LineTooLong&) {
        // Only this file is abandoned; what it named so far stays found. An
        // include or model read meanwhile handles its own long line.
    }
}

} // namespace ferwis
