#pragma once
// What the reading of the selected sceneries keeps for the whole run, beside
// the run state it works on: the read queue, the statement state and the
// include parameter cache.

#include "analysis/run/run_state.h"
#include "analysis/scenery/include_parameter_cache.h"
#include "analysis/scenery/read_queue.h"
#include "analysis/scenery/statement_state.h"

#include <string>

namespace ferwis {

struct SceneryRun {
    explicit SceneryRun(RunState& run_state) : run(run_state) {}

    RunState& run;
    ReadQueue queue;
    StatementState statement;
    IncludeParameterCache cache;
    // The detail text shown last: the labels are touched only when it changes.
    std::string last_detail;
    // The name and the path of the try in hand: a scenery makes millions of
    // tries, and these keep their room from one to the next. Only the lookups
    // write them; a name or folder given to a lookup never lies in them.
    std::string tried_name;
    std::string tried_path;
    // The folder of the file being read, where its textures are tried first.
    std::string texture_directory;
};

} // namespace ferwis
