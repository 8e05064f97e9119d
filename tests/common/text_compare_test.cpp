#include "common/blank_text.h"
#include "common/code_page.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace ferwis {
namespace {

TEST(lower_byte, maps_ascii_and_polish_capitals_only) {
    EXPECT_EQ(to_lower(cp1250("ĄĆĘŁŃÓŚŹŻ ŠŽŤĽ ÀÞ ABCZ")), cp1250("ąćęłńóśźż šžťľ àþ abcz"));
    EXPECT_EQ(lower_byte(0xD7), 0xD7); // ×
    EXPECT_EQ(lower_byte(0xDF), 0xDF); // ß has no capital in the code page
    EXPECT_EQ(lower_byte(0x80), 0x80);
    // Long texts are lowered eight bytes at a time where they are ASCII: every
    // byte must come out as lower_byte gives it, whatever its place.
    std::string all;
    for (int round = 0; round < 3; ++round) {
        for (int b = 0; b < 256; ++b) {
            all.push_back(static_cast<char>(b));
        }
        all += "@[`{AZaz"; // the neighbours of both letter ranges, in one word
    }
    std::string one_by_one = all;
    for (char& c : one_by_one) {
        c = static_cast<char>(lower_byte(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(to_lower(all), one_by_one);
}

TEST(compare_names, ignores_case_and_orders_prefixes_first) {
    EXPECT_EQ(compare_names("Textures/A.DDS", "textures/a.dds"), 0);
    EXPECT_EQ(compare_names(cp1250("ŁÓDŹ"), cp1250("łódź")), 0);
    EXPECT_LT(compare_names("abc", "abcd"), 0);
    EXPECT_GT(compare_names("abd", "abcd"), 0);
    EXPECT_LT(compare_names("", "a"), 0);
    // Unsigned bytes: letters with diacritics order after ASCII.
    EXPECT_LT(compare_names("z", cp1250("ą")), 0);
    // "_" (0x5F) sorts before lower-case letters once both sides are lowered.
    EXPECT_LT(compare_names("A_b", "Aa"), 0);
    EXPECT_TRUE(names_equal("UD", "ud"));
    EXPECT_FALSE(names_equal("U", "UD"));
}

// The comparison byte by byte, as the one comparison is defined.
int compare_bytewise(std::string_view a, std::string_view b) {
    const std::string la = to_lower(a);
    const std::string lb = to_lower(b);
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

TEST(compare_names, agrees_with_the_bytewise_order_at_every_length_and_place) {
    // Names are compared and hashed a word of eight bytes at a time: a
    // difference, a case change or a letter beyond ASCII at any place, and
    // every length around the word's edges, must give what the bytes give.
    const std::string letters = cp1250("Ścieżka/Do/Pliku_Tekstury.DDS");
    for (std::size_t length = 0; length <= letters.size(); ++length) {
        const std::string name = letters.substr(0, length);
        const std::string lower = to_lower(name);
        EXPECT_EQ(compare_names(name, lower), 0) << name;
        EXPECT_EQ(hash_name(name), hash_name(lower)) << name;
        EXPECT_EQ(compare_names(name, letters), length == letters.size() ? 0 : -1) << name;
        for (std::size_t at = 0; at < length; ++at) {
            for (const char other : {'a', 'Z', '_', '\xA5', '\xB9'}) {
                std::string changed = name;
                changed[at] = other;
                const int expected = compare_bytewise(name, changed);
                EXPECT_EQ(compare_names(name, changed), expected) << name << " / " << changed;
                EXPECT_EQ(compare_names(changed, name), -expected) << name << " / " << changed;
                if (expected != 0) {
                    EXPECT_NE(hash_name(name), hash_name(changed)) << name << " / " << changed;
                }
            }
        }
    }
}

TEST(sort_before, orders_case_only_twins_by_raw_bytes) {
    std::vector<std::string> names = {"b", "B", "a/x", "A/x", "a"};
    std::sort(names.begin(), names.end(), [](auto& l, auto& r) { return sort_before(l, r); });
    EXPECT_EQ(names, (std::vector<std::string>{"a", "A/x", "a/x", "B", "b"}));
    EXPECT_FALSE(sort_before("a", "a"));
}

TEST(sort_by_name, orders_as_sort_before) {
    // Case twins, prefixes, a "/" and Windows-1250 letters with their partners
    // ("\xA3" is Ł, "\xB3" ł; "\xB9" is ą, "\xA5" Ą), and bytes past 0x7F
    // without one, which must order as unsigned bytes.
    std::vector<std::string> names = {"b",      "B",      "a/x",  "A/x",  "a",          "ab",
                                      "\xA3ka", "\xB3ka", "\xB9", "\xA5", "z\xFF",      "z\x80",
                                      "Z",      "",       "a b",  "a-b",  "\xB3ka.t3d", "a"};
    std::vector<std::pair<std::string, int>> items;
    for (std::size_t i = 0; i < names.size(); ++i) {
        items.emplace_back(names[i], static_cast<int>(i));
    }
    std::sort(names.begin(), names.end(), [](auto& l, auto& r) { return sort_before(l, r); });
    sort_by_name(items, [](const auto& item) -> const std::string& { return item.first; });
    ASSERT_EQ(items.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(items[i].first, names[i]) << i;
    }
}

TEST(find_name, searches_case_insensitively) {
    EXPECT_EQ(find_name("Node -1 0 Lampa MODEL", "model"), 16u);
    EXPECT_EQ(find_name("abc", "abcd"), std::string_view::npos);
    EXPECT_EQ(find_name("xTEX0tex0", "tex0", 2), 5u);
    // Both spellings of the first letter are candidates, in their order.
    EXPECT_EQ(find_name("tTtex0", "TEX0"), 2u);
    EXPECT_EQ(find_name("TtTeX0", "tex0"), 2u);
    EXPECT_EQ(find_name(cp1250("xłŁÓdź"), cp1250("łódź")), 2u);
    EXPECT_EQ(find_name("node", "node", 1), std::string_view::npos);
    EXPECT_EQ(find_name("ab", "b", 5), std::string_view::npos);
    EXPECT_TRUE(starts_with_name("[SCIEZKA_dostepu] x", "[sciezka_dostepu]"));
    EXPECT_TRUE(ends_with_name("Ep07.MMD", ".mmd"));
    EXPECT_FALSE(ends_with_name("mmd", ".mmd"));
}

TEST(normalize_line, separators_blanks_and_trimming) {
    const std::pair<const char*, const char*> cases[] = {
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
    for (const auto& [in, out] : cases) {
        std::string line = in;
        normalize_line(line);
        EXPECT_EQ(line, out) << '"' << in << '"';
    }
}

TEST(split_at_blanks, keeps_empty_pieces) {
    std::vector<std::string> pieces;
    split_at_blanks(" a  b ", [&](std::string_view p) { pieces.emplace_back(p); });
    EXPECT_EQ(pieces, (std::vector<std::string>{"", "a", "", "b", ""}));
}

// Every part, the empty ones of a doubled, leading or final separator
// included, and the last marked; a visit that says stop ends the walk.
TEST(for_each_part, gives_every_part_and_stops_when_told) {
    const auto parts = [](std::string path, std::size_t stop_after = 99) {
        std::replace(path.begin(), path.end(), '/', kSeparator);
        std::string seen;
        std::size_t visits = 0;
        const bool whole = for_each_part(path, [&](std::string_view part, bool last) {
            seen.append("[").append(part).append(last ? "]." : "]");
            return ++visits < stop_after;
        });
        return seen + (whole ? "" : " stopped");
    };
    EXPECT_EQ(parts(""), "[].");
    EXPECT_EQ(parts("a"), "[a].");
    EXPECT_EQ(parts("a/bc"), "[a][bc].");
    EXPECT_EQ(parts("/a//b/"), "[][a][][b][].");
    EXPECT_EQ(parts("a/b/c", 2), "[a][b] stopped");
}

} // namespace
} // namespace ferwis
