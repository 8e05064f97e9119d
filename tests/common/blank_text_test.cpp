#include "common/blank_text.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

TEST(normalize_line, separators_blanks_and_trimming) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"\t;\t", ""},
        {"a;b", "a b"},
        {"  node\t-1  0 ;; x  ", "node -1 0 x"},
        {"a     b", "a b"},
        // A line is rewritten from its first change on; what precedes it stays.
        {"node 1 x.t3d", "node 1 x.t3d"},
        {"a ;b", "a b"},
        {"a b\tc", "a b c"},
        {"ab c ", "ab c"},
        {"a b;", "a b"},
        {"ab;;c  d", "ab c d"},
        {"c:\\sym\\", "c:\\sym\\"},
        {"x\r\ny", "x\r\ny"}, // only blanks, tabs and ";" are touched
        {"\xa0"
         "a",
         "\xa0"
         "a"}, // a no-break space is no blank
    };
    for (const auto& c : cases) {
        std::string line = c.in;
        normalize_line(line);
        EXPECT_EQ(line, c.out) << '"' << c.in << '"';
    }
}

TEST(split_at_blanks, keeps_empty_pieces) {
    std::vector<std::string> pieces;
    split_at_blanks(" a  b ", [&](std::string_view p) { pieces.emplace_back(p); });
    EXPECT_EQ(pieces, (std::vector<std::string>{"", "a", "", "b", ""}));
}

} // namespace
} // namespace ferwis
