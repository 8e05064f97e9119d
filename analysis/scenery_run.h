#pragma once
// What the reading of the selected sceneries keeps for the whole run, beside the
// run state it works on: the read queue, the include parameter cache, the
// statement parameters, the model and track state, and the indexes that keep
// lookups fast on a large installation.

#include "analysis/include_parameter_cache.h"
#include "analysis/listed_index.h"
#include "analysis/run_state.h"

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace ferwis {

// Statement parameters P(1) to P(50); P(0) exists and stays empty.
inline constexpr std::size_t kStatementParameters = 50;

// 1 for a line of a queued file, 2 for a line of an include read with parameters.
enum class LineContext { Queued = 1, Include = 2 };

struct SceneryRun {
    explicit SceneryRun(RunState& run_state);

    RunState& run;

    // Lower-case path of every listed row -> its row (the first in sort order
    // when paths differ only in case, as the binary search finds it).
    ListedIndex listed_index;
    // The path of the lookup at hand, composed here to spare an allocation per lookup.
    std::string lookup_path;
    // Lower-case paths of the appended missing-file rows.
    std::unordered_set<std::string> recorded_missing;

    // The read queue (names relative to the scenery directory), the entries in
    // lower case for the "already queued" test, and the read cursor.
    std::vector<std::string> queue;
    std::unordered_set<std::string> queued;
    std::size_t cursor = 0;

    std::string last_detail;

    IncludeParameterCache cache;
    std::array<std::string, kStatementParameters + 1> parameters;

    // The include read with parameters at the moment: its name (relative to the
    // scenery directory) and inventory row; templates are recorded for it.
    LineContext context = LineContext::Queued;
    std::string include_name;
    std::size_t include_row = 0;

    // Run-wide node state: the last model name and the two track textures.
    std::string model_name;
    std::string track_texture_1;
    std::string track_texture_2;
};

} // namespace ferwis
