#include "common/file_system.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using ferwis::find_file_case_insensitive;
using ferwis::FolderNameCache;

// With a cache, a search gives what it gives without one, however often the
// same folders are searched.
TEST(find_file_case_insensitive, gives_the_same_answers_with_a_folder_cache) {
    ferwis::test::TempTree tree;
    ferwis::test::make_tree(tree, {{"pojazd/Horn.wav", "x"},
                                   {"pojazd/horn2.wav", "x"},
                                   {"pojazd/HORN2.WAV", "x"},
                                   {"pojazd/Dzwieki/silnik.wav", "x"},
                                   {"pojazd/kabina.wav/", ""}});
    const std::string base = tree.path("pojazd/");
    const struct {
        const char* relative;
        std::optional<std::string> found; // below base
    } cases[] = {
        {"Horn.wav", "Horn.wav"},
        {"horn.WAV", "Horn.wav"},
        {"HORN2.wav", "HORN2.WAV"}, // the first of two in sort order
        {"horn2.wav", "horn2.wav"}, // an exact match first
        {"dzwieki/SILNIK.wav", "Dzwieki/silnik.wav"},
        {"dzwieki//silnik.wav", "Dzwieki/silnik.wav"},
        {"kabina.wav", std::nullopt}, // a folder is no file
        {"brak.wav", std::nullopt},
        {"brak/horn.wav", std::nullopt},
        {"../pojazd/horn.WAV", "../pojazd/Horn.wav"}, // ".." is in no listing
    };
    FolderNameCache cache;
    // Remembered as a walk lists them, the folders answer without a call to the system.
    FolderNameCache walked;
    for (const std::string& folder : {base, base + "Dzwieki/", base + "kabina.wav/"}) {
        const ferwis::FolderListing listing = ferwis::list_folder(folder);
        std::vector<FolderNameCache::Entry> entries;
        for (const std::string& name : listing.files) {
            entries.push_back({name, false});
        }
        for (const std::string& name : listing.folders) {
            entries.push_back({name, true});
        }
        walked.remember(folder, entries);
    }
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            const auto expected =
                c.found ? std::optional<std::string>(base + *c.found) : std::nullopt;
            EXPECT_EQ(find_file_case_insensitive(base, c.relative), expected) << c.relative;
            EXPECT_EQ(find_file_case_insensitive(base, c.relative, &cache), expected)
                << c.relative << " (cached, round " << round << ")";
            EXPECT_EQ(find_file_case_insensitive(base, c.relative, &walked), expected)
                << c.relative << " (walked, round " << round << ")";
        }
    }
    EXPECT_EQ(find_file_case_insensitive(tree.path("brak/"), "horn.wav", &cache), std::nullopt);
}
