#include "analysis/inventory/sortowanie_szybkie.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace ferwis {
namespace {

using List = std::vector<std::string>;

TEST(SortowanieSzybkie, ranges_at_the_edges) {
    const struct {
        List in;
        std::ptrdiff_t lewy, prawy;
        List out;
    } cases[] = {
        {{}, 0, -1, {}},
        {{"b"}, 0, 0, {"b"}},
        {{"c", "b", "a"}, 1, 1, {"c", "b", "a"}},
        {{"c", "b", "a"}, 2, 0, {"c", "b", "a"}},
        {{"z", "c", "b", "a", "0"}, 1, 3, {"z", "a", "b", "c", "0"}},
        {{"m/b", "M/A", "m/C"}, 0, 2, {"M/A", "m/b", "m/C"}},
        {{"a/X.dds", "a/y.dds", "a/x.dds", "a/W.dds"}, // case-only twins end side by side
         0,
         3,
         {"a/W.dds", "a/X.dds", "a/x.dds", "a/y.dds"}},
    };
    for (auto c : cases) {
        SortowanieSzybkie(c.in, c.lewy, c.prawy);
        EXPECT_EQ(c.in, c.out) << c.lewy << ".." << c.prawy;
    }
}

TEST(SortowanieSzybkie, large_ordered_list_comes_back_unchanged) {
    List ordered;
    for (int i = 0; i < 65536; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "textures/%06d.dds", i);
        ordered.emplace_back(name);
    }
    List list = ordered;
    SortowanieSzybkie(list, 0, std::ssize(list) - 1);
    EXPECT_EQ(list, ordered);
}

} // namespace
} // namespace ferwis
