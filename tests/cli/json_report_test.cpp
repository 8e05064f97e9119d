// The JSON report: written record by record, and never in the place of the
// configuration, the result or a side file of the result, however its path is
// spelled.
#include "common/native_path.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace ferwis {
namespace {

TEST(analyze_command, a_report_path_that_names_an_own_file_is_refused) {
    test::CliRun cli;
    test::make_content_folders(cli.tree, "sym/");
    cli.write_ini("sym");
    cli.tree.write("sym/scenery/a.scn", "");
    cli.tree.mkdir("sub/");
    cli.tree.write("wynik.txt", "\"previous\",\"U\"\r\n");
    cli.tree.write("wynik_zrodla.txt", "previous places");
    const std::string config = cli.tree.read("ferwis.ini");
    std::string linked = cli.tree.path("places.json");
    std::error_code ec;
    std::filesystem::create_symlink(to_native(cli.tree.path("wynik_zrodla.txt")), to_native(linked),
                                    ec);
    const std::string cases[] = {
        cli.tree.path("ferwis.ini"),
        cli.tree.path("sub/../wynik.txt"),
        cli.tree.path("wav_dynamic.txt"), // not there between runs, and still the run's own
        ec ? cli.tree.path("./wynik_zrodla.txt") : linked,
    };
    for (const std::string& report : cases) {
        EXPECT_EQ(cli.run({"analyze", "--json", report, "a.scn"}), 2) << report;
        EXPECT_TRUE(test::contains(cli.err.str(), "Raport JSON zastąpiłby")) << report;
        EXPECT_EQ(cli.tree.read("ferwis.ini"), config);
        EXPECT_EQ(cli.tree.read("wynik.txt"), "\"previous\",\"U\"\r\n");
        EXPECT_EQ(cli.tree.read("wynik_zrodla.txt"), "previous places");
    }
    EXPECT_EQ(cli.run({"analyze", "--json", cli.tree.path("sub/report.json"), "a.scn"}), 0)
        << cli.err.str();
    EXPECT_TRUE(cli.tree.exists("sub/report.json"));
    // A report that cannot be written is a failure, said with the folder's reason.
    EXPECT_EQ(cli.run({"analyze", "--json", cli.tree.path("none/report.json"), "a.scn"}), 1);
    EXPECT_TRUE(test::contains(
        cli.err.str(),
        "Nie można zapisać raportu JSON: " + cli.tree.path("none/report.json") + "\nferwis-cli: "))
        << cli.err.str();
}

// A run without a record writes its files as an empty list, in the bytes of
// the whole report written at once.
TEST(analyze_command, a_report_without_records_is_the_whole_report) {
    test::CliRun cli;
    test::make_content_folders(cli.tree, "sym/");
    cli.write_ini("sym");
    ASSERT_EQ(cli.run({"analyze", "--json", cli.tree.path("report.json"), "--all"}), 0)
        << cli.err.str();
    const std::string bytes = cli.tree.read("report.json");
    const auto parsed = nlohmann::ordered_json::parse(bytes);
    EXPECT_EQ(parsed.dump(2) + "\n", bytes);
    EXPECT_TRUE(parsed["files"].empty());
}

} // namespace
} // namespace ferwis
