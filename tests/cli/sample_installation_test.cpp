// The whole sample installation, analysed as a user would with every scenery
// selected: the result file must stay byte for byte what it was checked to be.
#include "cli/run_cli.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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

    std::string expected = test::read_file(FERWIS_SAMPLE_RESULT);
    for (std::size_t at; (at = expected.find("{MAIN}")) != std::string::npos;) {
        expected.replace(at, 6, tree.path("sym/"));
    }
    EXPECT_EQ(tree.read("wynik.txt"), expected);
    EXPECT_FALSE(tree.exists("wav_dynamic.txt"));
    EXPECT_FALSE(tree.exists("wynik.txt.tmp"));
}

} // namespace
} // namespace ferwis
