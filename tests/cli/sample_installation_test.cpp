// The whole sample installation, analysed as a user would with every scenery
// selected: the result file must stay byte for byte what it was checked to be.
#include "cli/run_cli.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace ferwis {
namespace {

TEST(sample_installation, analyze_all_writes_the_checked_result) {
    test::TempTree tree;
    std::filesystem::copy(FERWIS_SAMPLE_SOURCE, to_native(tree.path("sym")),
                          std::filesystem::copy_options::recursive);
    tree.write("ferwis.ini",
               test::crlf({"[sciezka_dostepu]", tree.path("sym/"), "[domyslne_rozszerzenie]", "dds",
                           "[sciezka_kopiowania_przesuwania]", tree.path("kopia/"),
                           "[pomijane_foldery_pliki]", "textures/tabor/"}));
    CliEnvironment environment;
    environment.program_dir = cp1250_to_utf8(tree.root());
    std::ostringstream out, err;
    ASSERT_EQ(run_cli({"analyze", "--all"}, out, err, environment), 0) << err.str();

    // The checked result names the main directory {MAIN}, and {main} in the
    // paths of missing files, which are stored in lower case; it separates with
    // "/". The order of its records is the same on every platform: no name of
    // the sample has a digit where another has a separator.
    std::string expected = test::separated(test::read_file(FERWIS_SAMPLE_RESULT));
    for (const auto& [marker, main] : {std::pair{"{MAIN}", tree.path("sym/")},
                                       std::pair{"{main}", to_lower(tree.path("sym/"))}}) {
        for (std::size_t at; (at = expected.find(marker)) != std::string::npos;) {
            expected.replace(at, 6, main);
        }
    }
    EXPECT_EQ(tree.read("wynik.txt"), expected);
    EXPECT_FALSE(tree.exists("wav_dynamic.txt"));
    EXPECT_FALSE(tree.exists("wynik.txt.tmp"));
}

} // namespace
} // namespace ferwis
