#include "common/file_system.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using ferwis::find_file_case_insensitive;
using ferwis::FolderNameCache;
using ferwis::test::separated;

namespace {

struct Case {
    const char* relative;
    std::optional<std::string> found; // below base
};

// Remembers folder and every folder below it as a walk lists them.
void remember_walked(FolderNameCache& walked, const std::string& folder) {
    const ferwis::FolderListing listing = ferwis::list_folder(folder);
    std::vector<FolderNameCache::Entry> entries;
    for (const std::string& name : listing.files) {
        entries.push_back({name, false});
    }
    for (const std::string& name : listing.folders) {
        entries.push_back({name, true});
    }
    walked.remember(folder, entries);
    for (const std::string& name : listing.folders) {
        remember_walked(walked, folder + name + ferwis::kSeparator);
    }
}

// With a cache, a search gives what it gives without one, however often the
// same folders are searched.
void expect_found(const std::string& base, const std::vector<Case>& cases) {
    FolderNameCache cache;
    // Remembered as a walk lists them, the folders answer without a call to the system.
    FolderNameCache walked;
    remember_walked(walked, base);
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            const std::string relative = separated(c.relative);
            const auto expected =
                c.found ? std::optional<std::string>(base + separated(*c.found)) : std::nullopt;
            EXPECT_EQ(find_file_case_insensitive(base, relative), expected) << c.relative;
            EXPECT_EQ(find_file_case_insensitive(base, relative, &cache), expected)
                << c.relative << " (cached, round " << round << ")";
            EXPECT_EQ(find_file_case_insensitive(base, relative, &walked), expected)
                << c.relative << " (walked, round " << round << ")";
        }
    }
}

} // namespace

// The name comes back as on disk on every platform, also where the file
// system would open it under the spelling asked for.
TEST(find_file_case_insensitive, names_as_on_disk_with_and_without_a_folder_cache) {
    ferwis::test::TempTree tree;
    ferwis::test::make_tree(
        tree,
        {{"pojazd/Horn.wav", "x"}, {"pojazd/Dzwieki/silnik.wav", "x"}, {"pojazd/kabina.wav/", ""}});
    expect_found(tree.path("pojazd/"), {
                                           {"Horn.wav", "Horn.wav"},
                                           {"horn.WAV", "Horn.wav"},
                                           {"dzwieki/SILNIK.wav", "Dzwieki/silnik.wav"},
                                           {"dzwieki//silnik.wav", "Dzwieki/silnik.wav"},
                                           {"kabina.wav", std::nullopt}, // a folder is no file
                                           {"brak.wav", std::nullopt},
                                           {"brak/horn.wav", std::nullopt},
                                           // ".." is in no listing
                                           {"../pojazd/horn.WAV", "../pojazd/Horn.wav"},
                                       });
    FolderNameCache cache;
    EXPECT_EQ(find_file_case_insensitive(tree.path("brak/"), "horn.wav", &cache), std::nullopt);
}

TEST(find_file_case_insensitive, twins_differing_only_in_case) {
    if (!ferwis::kNamesDifferInCase) {
        GTEST_SKIP() << "names that differ only in case cannot coexist on this file system";
    }
    ferwis::test::TempTree tree;
    ferwis::test::make_tree(tree, {{"pojazd/horn2.wav", "x"}, {"pojazd/HORN2.WAV", "x"}});
    expect_found(tree.path("pojazd/"), {
                                           {"HORN2.wav", "HORN2.WAV"}, // the first in sort order
                                           {"horn2.wav", "horn2.wav"}, // an exact match first
                                       });
}
