#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ferwis {

// Sorts the entries lewy to prawy of tabl (both inclusive, counted from 0) in
// place into ascending order of the one comparison (sort_before); entries
// outside the range keep their places. A range with lewy not smaller than
// prawy stays unchanged. Takes O(n log n) comparisons also on a range that is
// already in order, which is how file systems tend to hand out names.
void SortowanieSzybkie(std::vector<std::string>& tabl, std::ptrdiff_t lewy, std::ptrdiff_t prawy);

} // namespace ferwis
