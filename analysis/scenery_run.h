#pragma once
// What the reading of the selected sceneries keeps for the whole run, beside
// the run state it works on: the read queue, the statement state and the
// include parameter cache.

#include "analysis/include_parameter_cache.h"
#include "analysis/read_queue.h"
#include "analysis/run_state.h"
#include "analysis/statement_state.h"

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
};

} // namespace ferwis
