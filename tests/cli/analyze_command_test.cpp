#include "analysis/run/run_analysis.h"
#include "app/start_up.h"
#include "support/cli_run.h"
#include "support/doubles.h"

#include <gtest/gtest.h>

#include <utility>

namespace ferwis {
namespace {

using test::crlf;

struct Cli : test::CliRun {
    Cli() : CliRun("bin/") {
        test::make_tree(
            tree,
            {{"inst/sounds/horn.wav", "12345"},
             {"inst/textures/tabor/x.dds", "DDS "},
             {"inst/dynamic/en57.mmd", crlf({"a: horn.wav", "b: brak.wav"})}},
            {"inst/scenery/a.scn", "inst/scenery/b.scn", "inst/scenery/opis.txt", "inst/models/"});
        write_ini("inst", {"[pomijane_foldery_pliki]", "textures/tabor/"});
    }
};

TEST(analyze_command, usage_configuration_problems_and_a_failed_run) {
    Cli cli;
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"analyze"}, "usage:"},
        {{"analyze", "--all", "a.scn"}, "usage:"},
        {{"analyze", "--fast"}, "usage:"},
        {{"analyze", "c.scn"}, "c.scn"},
        {{"analyze", "opis.txt"}, "opis.txt"},
        {{"--config", cli.environment.program_dir + "none.ini", "analyze", "--all"},
         "Brak pliku ferwis.ini"},
    };
    for (const auto& [args, said] : cases) {
        EXPECT_EQ(cli.run(args), 2) << said;
        EXPECT_TRUE(test::contains(cli.err.str(), said));
        EXPECT_FALSE(cli.tree.exists("bin/wynik.txt"));
    }
    // A run that fails says so and exits with 1.
    EXPECT_EQ(
        cli.run({"--result", cli.environment.program_dir + "no/wynik.txt", "analyze", "--all"}), 1);
    EXPECT_TRUE(test::contains(cli.err.str(),
                               "Wystąpił błąd. Dalsze działanie programu zostało przerwane."));
}

TEST(analyze_command, summary_and_the_same_bytes_as_the_window) {
    Cli cli;
    ASSERT_EQ(cli.run({"analyze", "B.SCN", "a.scn"}), 0) << cli.err.str();
    // The two (empty) sceneries are used; the third file stays unused.
    EXPECT_EQ(cli.out.str(), "U\tUżywane sceneryjne\t2\t0\n"
                             "N\tNieużywane\t1\t0\n"
                             "B\tBraki sceneryjne\t0\t0\n"
                             "W\tWyjątki\t1\t4\n"
                             "UD\tUżywane *.wav DYNAMIC\t1\t5\n"
                             "BD\tBraki *.wav DYNAMIC\t1\t0\n");
    EXPECT_TRUE(test::contains(cli.err.str(), "FAZA - Sprawdzanie plików mmd..."));

    StartUp start = start_up(cli.tree.path("bin/"));
    test::SilentProgress progress;
    run_analysis(start.state.analysis_settings(), {"b.scn", "a.scn"}, cli.tree.path("window.txt"),
                 progress);
    EXPECT_EQ(cli.tree.read("bin/wynik.txt"), cli.tree.read("window.txt"));
}

} // namespace
} // namespace ferwis
