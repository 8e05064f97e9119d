#pragma once
// What the reading of the selected sceneries keeps for the whole run, beside
// the run state it works on: the read queue, the statement state, the
// include parameter cache and what it shares with its reader-ahead.

#include "analysis/shared/include_parameter_cache.h"
#include "analysis/shared/read_ahead.h"
#include "analysis/shared/read_queue.h"
#include "analysis/shared/run_state.h"
#include "analysis/shared/statement_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>

namespace ferwis {

struct SceneryRun {
    // The run's texture extensions are set before its sceneries are read.
    explicit SceneryRun(RunState& run_state) : run(run_state) {
        for (std::size_t i = 0; i < run.extensions.size(); ++i) {
            extension_bits[i] = texture_extension_bit(run.extensions[i]);
        }
    }

    RunState& run;
    // The texture bit of each extension of the priority list (0 for one that
    // is no texture's), worked out once rather than for each try.
    std::array<std::uint8_t, std::tuple_size_v<decltype(RunState::extensions)>> extension_bits{};
    ReadQueue queue;
    StatementState statement;
    IncludeParameterCache cache;
    // Where the models the queued files name are read ahead on a thread of
    // their own; null when none reads them.
    ReadAhead* ahead = nullptr;
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
