#include "analysis/inventory/sortowanie_szybkie.h"

#include "common/text_compare.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace ferwis {

void SortowanieSzybkie(std::vector<std::string>& tabl, std::ptrdiff_t lewy, std::ptrdiff_t prawy) {
    if (lewy >= prawy || lewy < 0 || prawy >= std::ssize(tabl)) {
        return;
    }
    // The one comparison, done once per entry: each entry is lower-cased into a
    // key, and keys compare as unsigned bytes with a prefix first, exactly as
    // compare_names does, with the raw bytes as tie-break as in sort_before.
    // Comparing ready keys is several times faster than lower-casing on every
    // comparison, on lists of paths that share long prefixes. std::sort is an
    // introsort: O(n log n) also on a range already in order.
    const auto first = static_cast<std::size_t>(lewy);
    const std::size_t count = static_cast<std::size_t>(prawy - lewy) + 1;
    std::vector<std::pair<std::string, std::string>> keyed(count);
    for (std::size_t i = 0; i < count; ++i) {
        keyed[i].second = std::move(tabl[first + i]);
        keyed[i].first = to_lower(keyed[i].second);
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < count; ++i) {
        tabl[first + i] = std::move(keyed[i].second);
    }
}

} // namespace ferwis
