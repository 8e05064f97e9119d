#pragma once
// Placeholders in the names of an include file read with parameters: "(p" N ")"
// stands for statement parameter N + 2, so (p1) is the first parameter after
// the include file name.

#include "analysis/shared/scenery_run.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

struct Placeholder {
    std::size_t start = 0; // position of "(p"
    std::size_t end = 0;   // position of the ")"
    std::size_t index = 0; // statement parameter it stands for, 0 to 50
};

// Returns the first placeholder of name: from the first "(p" (any case) to the
// first ")". N is the leading number between them (0 when there is none) and
// the index N + 2 rounded half to even. A ")" before the "(p" or an index
// outside 0 to 50 makes no placeholder: the name is then taken as written.
std::optional<Placeholder> find_placeholder(std::string_view name);

// Returns name with its first placeholder replaced by the statement parameter
// it stands for, or name unchanged when it holds none.
std::string expand_placeholder(const SceneryRun& scenery, std::string_view name);

} // namespace ferwis
