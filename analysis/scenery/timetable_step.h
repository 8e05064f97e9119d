#pragma once

#include "analysis/shared/scenery_run.h"

#include <string_view>

namespace ferwis {

// An event line with "timetable:" names a timetable: name + ".txt" in the
// scenery directory (recorded when missing) and, beside it, name + "radio.wav"
// (marked only when present). "none" names nothing.
void timetable_step(SceneryRun& scenery, std::string_view line);

} // namespace ferwis
