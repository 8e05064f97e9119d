#include "analysis/sortowanie_szybkie.h"

#include "common/text_compare.h"

#include <algorithm>

namespace ferwis {

void SortowanieSzybkie(std::vector<std::string>& tabl, std::ptrdiff_t lewy, std::ptrdiff_t prawy) {
    if (lewy >= prawy || lewy < 0 || prawy >= std::ssize(tabl)) {
        return;
    }
    // Introsort: a quicksort that falls back to heap sort before
    // it turns quadratic, so an ordered list of a large installation costs no
    // more than a shuffled one. sort_before orders case-only twins by their
    // bytes, so the result does not depend on the partition.
    std::sort(tabl.begin() + lewy, tabl.begin() + prawy + 1,
              [](const std::string& a, const std::string& b) { return sort_before(a, b); });
}

} // namespace ferwis
