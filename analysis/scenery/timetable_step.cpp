#include "analysis/scenery/timetable_step.h"

#include "analysis/resolve/lookup.h"
#include "common/blank_text.h"
#include "common/text_compare.h"

#include <string>

namespace ferwis {

void timetable_step(SceneryRun& scenery, std::string_view line) {
    const std::size_t at = find_name(line, "timetable:");
    const std::string_view rest = trim_blanks(line.substr(at + 10));
    if (rest.empty()) {
        return;
    }
    std::string name(rest.substr(0, rest.find(' ')));
    if (names_equal(name, "none")) {
        return;
    }
    name += ".txt";
    resolve_reference(scenery, scenery.run.scenery_dir, name, LookupMode::RecordMissing);
    if (name.size() < 5) {
        return;
    }
    std::string radio = name.substr(0, name.size() - 4) + "radio.wav";
    resolve_reference(scenery, scenery.run.scenery_dir, radio, LookupMode::LookUpOnly);
}

} // namespace ferwis
