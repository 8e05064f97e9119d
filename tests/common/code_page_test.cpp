#include "common/code_page.h"

#include <gtest/gtest.h>

#include <utility>

namespace ferwis {
namespace {

TEST(code_page, polish_letters_and_every_defined_byte_round_trip) {
    const std::string utf8 = "Zażółć gęślą jaźń ŻÓŁĆ ĘŚĄŹŃ";
    const std::string bytes = utf8_to_cp1250(utf8);
    EXPECT_EQ(bytes,
              "Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1 \xaf\xd3\xa3\xc6 \xca\x8c\xa5\x8f\xd1");
    EXPECT_EQ(cp1250_to_utf8(bytes), utf8);
    // Every byte the code page defines comes back as itself.
    for (int b = 1; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t cp = cp1250_to_unicode(byte);
        if (cp == 0xFFFD) {
            continue; // the five bytes the code page leaves undefined
        }
        EXPECT_EQ(static_cast<unsigned char>(unicode_to_cp1250(cp)), byte) << b;
    }
}

TEST(code_page, characters_without_a_form_become_question_marks) {
    EXPECT_EQ(utf8_to_cp1250("a\xe2\x82\xac\x62"), "a\x80\x62"); // the euro sign exists
    EXPECT_EQ(utf8_to_cp1250("\xe6\x97\xa5"), "?");              // a CJK character does not
    EXPECT_EQ(utf8_to_cp1250("\xf0\x9f\x98\x80"), "?");          // nor an emoji
    EXPECT_EQ(utf8_to_cp1250("x\xc3"), "x?");                    // a cut sequence
    EXPECT_EQ(utf8_to_cp1250("\xff\x61"), "?a");                 // a byte that starts nothing
}

TEST(code_page, utf8_is_told_from_windows_1250) {
    const std::pair<const char*, bool> cases[] = {
        {"plain ascii", true},
        {"\xc5\x82\xc3\xb3\x64\xc5\xba", true}, // "łódź" in UTF-8
        {"\xf0\x9f\x9a\x82", true},             // four bytes
        {"\xb3\xf3\x64\x9f", false},            // "łódź" in Windows-1250
        {"\xc5", false},                        // cut short
        {"\xc0\xaf", false},                    // over-long "/"
        {"\xed\xa0\x80", false},                // a surrogate
        {"\xf4\x90\x80\x80", false},            // beyond U+10FFFF
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(is_utf8(bytes), utf8) << bytes;
    }
}

} // namespace
} // namespace ferwis
