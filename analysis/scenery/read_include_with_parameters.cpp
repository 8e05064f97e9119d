#include "analysis/scenery/read_include_with_parameters.h"

#include "analysis/models/resolve_model.h"
#include "analysis/resolve/expand_placeholder.h"
#include "analysis/resolve/lookup.h"
#include "analysis/resolve/reference_rules.h"
#include "analysis/scenery/apply_statement.h"
#include "analysis/scenery/classify_line.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/text_compare.h"

namespace ferwis {
namespace {

void replay_templates(SceneryRun& scenery, const std::vector<IncludeTemplate>& templates,
                      const std::string& name) {
    // Replaying resolves models, which record nothing here (a queued file's
    // line is in hand), so the list cannot grow while it is walked; an index
    // keeps it safe anyway.
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const IncludeTemplate entry = templates[i];
        if (entry.kind == IncludeTemplate::Kind::Texture) {
            resolve_scenery_texture(scenery, expand_placeholder(scenery, entry.name), name);
        } else {
            // resolve_model expands the first placeholder itself, as when the file
            // is read; expanding it here too would expand a second one.
            resolve_model(scenery, entry.name);
        }
    }
}

} // namespace

void read_include_with_parameters(SceneryRun& scenery, std::string name) {
    if (!name.empty() && name.back() == '\t') {
        name.pop_back();
    }
    const LookupResult cached =
        resolve_reference(scenery, scenery.run.scenery_dir, name, LookupMode::LookUpOnly);
    if (cached.found) {
        if (const auto* templates = scenery.cache.templates_of(cached.row)) {
            replay_templates(scenery, *templates, name);
            return;
        }
    }
    const LookupResult found =
        resolve_reference(scenery, scenery.run.scenery_dir, name, LookupMode::RecordMissing);
    if (!found.found) {
        return;
    }

    PackageInventory& inventory = scenery.run.inventory;
    const std::string_view path = inventory.row(found.row).path;
    // A name without a Windows-1250 form is opened by its native path.
    const std::filesystem::path* native = inventory.native_path(found.row);
    LineReader reader(open_file_for_reading(path, native), path);
    const StatementState::IncludeScope scope(scenery.statement, found.row);
    // The include's own names come from its lines; a replay later names them
    // from the include statement that replays it.
    const std::uint32_t source = inventory.add_listed_source(found.row);
    scenery.run.source_stamps.note(source, reader.stamp_when_opened(), native);
    const PlaceScope place(inventory, Place{source, 0});
    std::string line;
    try {
        while (reader.next(line)) {
            inventory.set_line(reader.line_number());
            to_lower_in_place(line);
            if (line.empty() || line.starts_with("//")) {
                continue;
            }
            // Only statements are acted on here: no timetables, directives or includes.
            if (classify_line(line) == LineKind::Statement) {
                apply_statement(scenery, line, nullptr, name);
            }
        }
    } catch (const LineTooLong&) {
        // Only the include is abandoned; the including file reads on.
    }
}

} // namespace ferwis
