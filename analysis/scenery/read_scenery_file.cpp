#include "analysis/scenery/read_scenery_file.h"

#include "analysis/resolve/lookup.h"
#include "analysis/scenery/apply_statement.h"
#include "analysis/scenery/classify_line.h"
#include "analysis/scenery/read_include_with_parameters.h"
#include "analysis/scenery/scenery_directives.h"
#include "analysis/scenery/timetable_step.h"
#include "common/catalogue.h"
#include "common/errors.h"
#include "common/file_system.h"
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
        const IncludeStatement include = apply_statement(scenery, line, &reader, name);
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
    if (scenery.queue.add_include(name, scenery.run.inventory.place()) &&
        scenery.ahead != nullptr) {
        scenery.ahead->queue_file(name);
    }
}

void read_scenery_file(SceneryRun& scenery, std::string name, Place named_at) {
    show_detail(scenery, name);
    if (!name.empty() && name.back() == '\t') {
        name.pop_back();
    }
    PackageInventory& inventory = scenery.run.inventory;
    const PlaceScope place(inventory, named_at);
    const LookupResult found =
        resolve_reference(scenery, scenery.run.scenery_dir, name, LookupMode::RecordMissing);
    if (!found.found) {
        return;
    }
    // Opened by the path of its row: on a case-sensitive file system the name
    // as written may differ from the file's name on disk in letter case.
    const std::string_view path = inventory.row(found.row).path;
    // A name without a Windows-1250 form is opened by its native path.
    const std::filesystem::path* native = inventory.native_path(found.row);
    LineReader reader(open_file_for_reading(path, native), path);
    const std::uint32_t source = inventory.add_listed_source(found.row);
    scenery.run.source_stamps.note(source, reader.stamp_when_opened(), native);
    inventory.set_place(Place{source, 0});
    std::string line;
    try {
        while (reader.next(line)) {
            inventory.set_line(reader.line_number());
            read_queued_line(scenery, line, reader, name);
        }
    } catch (const LineTooLong&) {
        // Only this file is abandoned; what it named so far stays found. An
        // include or model read meanwhile handles its own long line.
    }
}

} // namespace ferwis
