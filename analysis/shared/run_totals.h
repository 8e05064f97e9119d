#pragma once

#include "format/result_code.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace ferwis {

// The records of one category in the result file, and the bytes of the files
// they name (a missing file counts none).
struct CategoryTotal {
    std::size_t records = 0;
    std::uintmax_t bytes = 0;
};
// Per category, indexed by the ResultCode.
using RunTotals = std::array<CategoryTotal, kAllCategories.size()>;

} // namespace ferwis
