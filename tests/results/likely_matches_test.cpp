#include "common/code_page.h"
#include "common/text_compare.h"
#include "results/likely_matches.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

TEST(likely_matches, each_kind_best_first_each_file_once) {
    const test::TempTree tree;
    const auto at = [&tree](std::string_view relative) {
        return tree.path("m/" + cp1250(relative));
    };
    const LikelyMatches likely(
        tree.path("m"),
        // Not in the result's order: a better reason comes first all the same.
        {at("inne/d/x.dds"), at("inne/e/x.dds"), at("inne/f/x.dds"), at("Textures/A/X.dds"),
         at("textures/b/szyna.dds"), at("textures/c/szyna.dds"), at("scenery/tory/szyna.dds"),
         at("textures/okno.TGA"), at("textures/okno.png"), at("textures/łaka.dds"),
         at("textures/sad.dds"), at("models/dom.e3d"), at("sounds/syrena.wav"),
         at("sounds/stare/syrena.wav"), at("sounds/syerna.wav"), at("sounds/drzwi.wav")});
    using enum MatchReason;
    const std::pair<std::string_view, std::vector<LikelyMatch>> cases[] = {
        {"textures/d/x.dds",
         {{at("Textures/A/X.dds"), OtherFolder},
          {at("inne/d/x.dds"), OtherContentFolder},
          {at("inne/e/x.dds"), OtherContentFolder}}},
        {"textures/szyna.dds",
         {{at("textures/b/szyna.dds"), OtherFolder},
          {at("textures/c/szyna.dds"), OtherFolder},
          {at("scenery/tory/szyna.dds"), OtherContentFolder}}},
        {"textures/okno.dds",
         {{at("textures/okno.TGA"), OtherExtension}}}, // .png is read by nothing
        {"models/dom.t3d", {{at("models/dom.e3d"), OtherExtension}}},
        // Polish letters both ways; one edit as well, but said once, by the better reason.
        {"textures/laka.dds", {{at("textures/łaka.dds"), PolishLetters}}},
        {"textures/sąd.dds", {{at("textures/sad.dds"), PolishLetters}}},
        {"sounds/syrna.wav",
         {{at("sounds/syrena.wav"), OneEdit}, {at("sounds/syerna.wav"), OneEdit}}},
        {"sounds/syrena1.wav", {{at("sounds/syrena.wav"), OneEdit}}},
        {"sounds/stare/syrnea.wav", {{at("sounds/stare/syrena.wav"), OneEdit}}}, // two swapped
        {"sounds/drzwi.ogg", {}},
        {"sounds/brak.wav", {}},
    };
    for (const auto& [missing, expected] : cases) {
        EXPECT_EQ(likely.find(to_lower(at(missing))), expected) << missing;
    }
}

TEST(likely_matches, lines_and_keys) {
    const LikelyMatch match{"/m/textures/a.tga", MatchReason::OtherExtension};
    EXPECT_EQ(match_line(match),
              cp1250("  ? /m/textures/a.tga (ta sama nazwa z innym rozszerzeniem)"));
    EXPECT_EQ(matches_text({match, match}), match_line(match) + "\n" + match_line(match) + "\n");
    EXPECT_EQ(matches_text({}), cp1250("W instalacji nie ma podobnego pliku.\n"));
    EXPECT_EQ(match_reason_key(MatchReason::PolishLetters), "polish_letters");
}

} // namespace
} // namespace ferwis
