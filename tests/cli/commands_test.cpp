// ferwis-cli run inside the test's process: analyze, why, show, copy, move and
// delete, their statuses and texts.
#include "analysis/run/run_analysis.h"
#include "app/start_up.h"
#include "cli/run_cli.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "support/cli_run.h"
#include "support/doubles.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
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
        {{"analyze"}, "Użycie: ferwis-cli"},
        {{"analyze", "--all", "a.scn"}, "Użycie: ferwis-cli"},
        {{"analyze", "--fast"}, "Użycie: ferwis-cli"},
        {{"analyze", "c.scn"}, "c.scn"},
        {{"analyze", "opis.txt"}, "opis.txt"},
        {{"--config", cp1250_to_utf8(cli.environment.paths.config_dir) + "none.ini", "analyze",
          "--all"},
         "Brak pliku ferwis.ini"},
    };
    for (const auto& [args, said] : cases) {
        EXPECT_EQ(cli.run(args), 2) << said;
        EXPECT_TRUE(test::contains(cli.err.str(), said));
        EXPECT_FALSE(cli.tree.exists("bin/wynik.txt"));
    }
    // A run that fails says so and exits with 1.
    EXPECT_EQ(cli.run({"--result", cp1250_to_utf8(cli.environment.paths.data_dir) + "no/wynik.txt",
                       "analyze", "--all"}),
              1);
    EXPECT_TRUE(test::contains(cli.err.str(),
                               "Wystąpił błąd. Dalsze działanie programu zostało przerwane."));
}

// The version comes from the build's one number, the same the zip's name and the
// Windows version resource carry.
TEST(run_cli, version_is_the_projects) {
    Cli cli;
    EXPECT_EQ(cli.run({"--version"}), 0);
    EXPECT_EQ(cli.out.str(), "ferwis-cli " FERWIS_VERSION "\n");
}

// --paths names what a run reads and writes; without a ferwis.ini the command
// line says how to make one, init makes one the next run reads and never
// replaces it.
TEST(run_cli, paths_and_a_first_configuration) {
    test::CliRun cli("bin/");
    const std::string bin = cp1250_to_utf8(cli.tree.path("bin/"));
    EXPECT_EQ(cli.run({"--result", bin + "x.txt", "--paths"}), 0);
    EXPECT_EQ(cli.out.str(), "layout: portable\nconfig: " + bin + "ferwis.ini\nresult: " + bin +
                                 "x.txt\nplaces: " + bin + "x_zrodla.txt\ndata: " + bin +
                                 "\njournals: " + cp1250_to_utf8(cli.tree.path("bin/dzienniki/")) +
                                 "\n");
    EXPECT_EQ(cli.run({"analyze", "--all"}), 2);
    EXPECT_TRUE(test::contains(cli.err.str(), "ferwis-cli init KATALOG"));
    test::make_content_folders(cli.tree, "sym/");
    cli.tree.write("sym/scenery/a.scn", "");
    const std::string main = cp1250_to_utf8(cli.tree.path("sym"));
    EXPECT_EQ(cli.run({"init", main}), 0) << cli.err.str();
    EXPECT_EQ(cli.run({"init", main}), 2);
    EXPECT_TRUE(test::contains(cli.err.str(), "już istnieje"));
    EXPECT_EQ(cli.run({"analyze", "--all"}), 0) << cli.err.str();
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

    StartUp start = start_up(portable_paths(cli.tree.path("bin/")));
    test::SilentProgress progress;
    run_analysis(start.state.analysis_settings(), {"b.scn", "a.scn"}, cli.tree.path("window.txt"),
                 progress);
    EXPECT_EQ(cli.tree.read("bin/wynik.txt"), cli.tree.read("window.txt"));
}

// An installation in which every way of naming a file occurs once, each on a
// line of its own, so that a wrong line number shows.
struct Installation : test::CliRun {
    Installation() : CliRun("bin/") {
        const std::string binary_model = std::string("E3D TEX0") + std::string(5, '\x01') +
                                         "klosz" + '\0' + "brak" + '\0' + "nam0";
        test::make_tree(
            tree,
            {{"inst/scenery/main.scn",
              crlf({"// main", "include plain.inc end", "include param.inc czerwony end",
                    "include param.inc zielony end",
                    "node -1 0 dom model 0 0 0 0 domy/dom.t3d none",
                    "node -1 0 lampa model 0 0 0 0 lampa.e3d none",
                    "node -1 0 s sound 1 1 1 ptaki.wav endsound", "trainset rozklad tor 0 0",
                    "endtrainset", "event e multiple 0 none timetable:r1",
                    "node -1 0 e sound 1 1 1 tabor/shared.wav endsound", "include brak.inc end"})},
             {"inst/scenery/plain.inc", crlf({"node -1 0 t triangles trawa.dds", "endtri"})},
             {"inst/scenery/param.inc",
              crlf({"// (p1): the colour", "node -1 0 d triangles sciana_(p1)", "endtri"})},
             {"inst/models/domy/dom.t3d", crlf({"// model", "map: dach"})},
             {"inst/models/lampa.e3d", binary_model},
             {"inst/dynamic/loco/loco.mmd",
              crlf({"// loco", "horn: horn.wav", "engine: tabor/engine.wav", "brake: brak.wav",
                    "shared: tabor/shared.wav"})}},
            {"inst/scenery/rozklad.txt", "inst/scenery/r1.txt", "inst/scenery/r1radio.wav",
             "inst/textures/trawa.dds", "inst/textures/sciana_czerwony.dds",
             "inst/textures/sciana_zielony.dds", "inst/textures/domy/dach.dds",
             "inst/textures/klosz.dds", "inst/textures/nieuzywana.dds",
             cp1250("inst/textures/żółw 100%.dds"), "inst/sounds/ptaki.wav",
             "inst/sounds/tabor/engine.wav", "inst/sounds/tabor/shared.wav",
             "inst/dynamic/loco/horn.wav"},
            "x");
        write_ini("inst");
    }
    std::string at(std::string_view relative) const {
        return tree.path("inst/" + std::string(relative));
    }
};

TEST(why_command, every_way_of_naming_a_file_gives_its_chain_and_other_rows_none) {
    Installation inst;
    ASSERT_EQ(inst.run({"analyze", "main.scn"}), 0) << inst.err.str();
    const std::string main = inst.at("scenery/main.scn");
    // Each path with the lines said after its code and path.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"scenery/main.scn", {"sceneria wybrana do analizy"}},
        {"scenery/plain.inc", {main + ":2"}},
        {"textures/trawa.dds", {inst.at("scenery/plain.inc:1"), main + ":2"}},
        // The first read of an include with parameters names from its own
        // lines; the replay from the include statement that replays it.
        {"textures/sciana_czerwony.dds", {inst.at("scenery/param.inc:2"), main + ":3"}},
        {"textures/sciana_zielony.dds", {main + ":4"}},
        {"textures/domy/dach.dds", {inst.at("models/domy/dom.t3d:2"), main + ":5"}},
        {"textures/klosz.dds", {inst.at("models/lampa.e3d"), main + ":6"}},
        {"sounds/ptaki.wav", {main + ":7"}},
        {"scenery/rozklad.txt", {main + ":8"}},
        {"scenery/r1.txt", {main + ":10"}},
        {"scenery/brak.inc", {main + ":12"}},
        // Rolling stock: beside the definition, under the sounds folder, missing.
        {"dynamic/loco/horn.wav", {inst.at("dynamic/loco/loco.mmd:2")}},
        {"sounds/tabor/engine.wav", {inst.at("dynamic/loco/loco.mmd:3")}},
        {"sounds/brak.wav", {inst.at("dynamic/loco/loco.mmd:4")}},
        // Named by a definition file first, then used by the scenery: the
        // scenery explains its U.
        {"sounds/tabor/shared.wav", {main + ":11"}},
    };
    for (const auto& [path, chain] : cases) {
        EXPECT_EQ(inst.run({"why", inst.at(path)}), 0) << path << inst.err.str();
        std::string expected;
        for (const auto& step : chain) {
            expected += "  <- " + step + "\n";
        }
        const std::string said = inst.out.str();
        EXPECT_EQ(said.substr(said.find('\n') + 1), expected) << path;
    }
    // The path as a record compares: letter case aside, "\" read as "/".
    ASSERT_EQ(inst.run({"why", inst.tree.path("inst\\Textures\\TRAWA.dds")}), 0);
    EXPECT_EQ(inst.out.str().substr(0, 2), "U ");

    // Rows without a place, and a result without valid places.
    EXPECT_EQ(inst.run({"why", inst.at("textures/nieuzywana.dds")}), 1);
    EXPECT_TRUE(test::contains(inst.err.str(), "pliki nieużywane i wyjątki nie mają miejsca"));
    EXPECT_EQ(inst.run({"why", inst.at("textures/none.dds")}), 1);
    EXPECT_EQ(inst.run({"why"}), 2);

    // Without valid places (which ones are valid is the provenance tests' case).
    std::filesystem::remove(to_native(inst.tree.path("bin/wynik_zrodla.txt")));
    EXPECT_EQ(inst.run({"why", inst.at("textures/trawa.dds")}), 2);
}

// Missing files with their likely matches in why and the JSON report, and
// grouped by the scenery or definition file that named them.
TEST(why_command, missing_files_show_their_matches_and_group_by_file) {
    test::CliRun cli("bin/");
    test::make_tree(cli.tree,
                    {{"inst/scenery/a.scn",
                      crlf({"node -1 0 t triangles laka.dds", "endtri", "include brak.inc end"})},
                     {"inst/scenery/b.scn", crlf({"node -1 0 t triangles sciana.dds", "endtri"})},
                     {"inst/dynamic/loco/loco.mmd", crlf({"horn: horn.wav"})}},
                    {cp1250("inst/textures/łąka.dds"), "inst/scenery/stare/brak.inc",
                     "inst/sounds/horn1.wav", "inst/models/"},
                    "x");
    cli.write_ini("inst");
    ASSERT_EQ(cli.run({"analyze", "--json", cli.tree.path("r.json"), "a.scn", "b.scn"}), 0)
        << cli.err.str();
    // As the output gives them: UTF-8.
    const auto at = [&cli](std::string_view path) {
        return cli.tree.path("inst/" + std::string(path));
    };
    const auto missing = [&at](std::string_view path) { return to_lower(at(path)); };

    ASSERT_EQ(cli.run({"why", missing("textures/laka.dds")}), 0) << cli.err.str();
    EXPECT_EQ(cli.out.str(), "B " + missing("textures/laka.dds") + "\n  <- " + at("scenery/a.scn") +
                                 ":1\n  ? " + at("textures/łąka.dds") +
                                 " (ta sama nazwa z polskimi literami lub bez nich)\n");
    ASSERT_EQ(cli.run({"why", missing("sounds/horn.wav")}), 0);
    EXPECT_TRUE(
        test::contains(cli.out.str(), "\n  ? " + at("sounds/horn1.wav") +
                                          " (nazwa różna o jeden znak w tym samym folderze)\n"));
    ASSERT_EQ(cli.run({"why", missing("textures/sciana.dds")}), 0);
    EXPECT_TRUE(test::contains(cli.err.str(), "W instalacji nie ma podobnego pliku."));

    const auto report = nlohmann::json::parse(cli.tree.read("r.json"));
    for (const auto& file : report["files"]) {
        const bool is_missing = file["code"] == "B" || file["code"] == "BD";
        EXPECT_EQ(file.contains("matches"), is_missing) << file;
        if (file["path"] == missing("scenery/brak.inc")) {
            EXPECT_EQ(file["matches"],
                      nlohmann::json::array(
                          {{{"path", at("scenery/stare/brak.inc")}, {"reason", "other_folder"}}}));
        }
    }

    ASSERT_EQ(cli.run({"show", "B", "--by-file"}), 0) << cli.err.str();
    EXPECT_EQ(cli.out.str(), at("scenery/a.scn") + "\t2\n  " + missing("textures/laka.dds") +
                                 "\n  " + missing("scenery/brak.inc") + "\n" + at("scenery/b.scn") +
                                 "\t1\n  " + missing("textures/sciana.dds") + "\n");
    ASSERT_EQ(cli.run({"show", "Braki *.wav DYNAMIC", "--by-file"}), 0);
    EXPECT_EQ(cli.out.str(),
              at("dynamic/loco/loco.mmd") + "\t1\n  " + at("sounds/horn.wav") + "\n");
    EXPECT_EQ(cli.run({"show", "U", "--by-file"}), 2);
}

TEST(analyze_command, json_report_parses_and_agrees_with_the_summary) {
    Installation inst;
    const std::string report = inst.tree.path("bin/raport.json");
    ASSERT_EQ(inst.run({"analyze", "--json", report, "main.scn"}), 0) << inst.err.str();
    // Written record by record, its bytes are still those of the whole report
    // written at once.
    const std::string written = inst.tree.read("bin/raport.json");
    const auto json = nlohmann::ordered_json::parse(written);
    EXPECT_EQ(json.dump(2) + "\n", written);

    EXPECT_EQ(json["run"]["sceneries"], nlohmann::json::array({"main.scn"}));
    EXPECT_EQ(json["run"]["main_directory"], inst.tree.path("inst/"));
    EXPECT_TRUE(json["run"]["provenance"].get<bool>());
    std::istringstream summary(inst.out.str());
    std::string code, text;
    std::size_t count = 0, bytes = 0, total = 0;
    while (summary >> code && std::getline(summary >> std::ws, text, '\t') >> count >> bytes) {
        EXPECT_EQ(json["categories"][code]["count"], count) << code;
        EXPECT_EQ(json["categories"][code]["bytes"], bytes) << code;
        total += count;
    }
    EXPECT_EQ(total, json["files"].size());
    EXPECT_GT(total, 20u);
    for (const auto& file : json["files"]) {
        if (file["path"] == inst.at("textures/klosz.dds")) {
            EXPECT_EQ(file["code"], "U");
            EXPECT_EQ(file["size"], 1);
            EXPECT_EQ(file["place"]["file"], inst.at("models/lampa.e3d"));
            EXPECT_TRUE(file["place"]["line"].is_null());
        }
        if (file["path"] == inst.at("textures/nieuzywana.dds")) {
            EXPECT_TRUE(file["place"].is_null());
        }
    }
}

TEST(result_commands, statuses_and_the_question_before_a_delete) {
    test::CategoryInstallation cli(false); // its second file does not exist
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"show"}, 2},
        {{"show", "X"}, 2},
        {{"copy", "B"}, 2},   // only U, N and UD are acted on
        {{"delete", "N"}, 2}, // no terminal and no --yes
        {{"--config", "none.ini", "copy", "N"}, 2},
        {{"--result", "none.txt", "show", "N"}, 1},
        {{"copy", "n"}, 0},
        {{"show", "Nieużywane"}, 0}, // a category text in the terminal's encoding
    };
    for (const auto& [args, status] : cases) {
        EXPECT_EQ(cli.run(args), status) << args.back();
    }
    EXPECT_EQ(cli.out.str(), cli.tree.path("sym/textures/a.dds\n") +
                                 cli.tree.path("sym/textures/") + "żółw.dds\n");
    EXPECT_EQ(cli.tree.read("kopia/textures/a.dds"), "abc");
    EXPECT_TRUE(cli.tree.exists("sym/textures/a.dds"));

    // On a terminal a delete asks; "n" changes nothing.
    cli.environment.input_is_terminal = true;
    cli.input.str("n\n");
    EXPECT_EQ(cli.run({"delete", "N", "--permanent"}), 1);
    // Only the file that exists is counted, with its size.
    EXPECT_TRUE(test::contains(cli.err.str(), "Ilość plików do usunięcia: 1\nŁączny rozmiar: 3 B"));
    EXPECT_TRUE(cli.tree.exists("sym/textures/a.dds"));
    EXPECT_TRUE(cli.tree.exists("wynik.txt"));
    cli.input.clear();
    cli.input.str("t\n");
    EXPECT_EQ(cli.run({"delete", "N", "--permanent"}), 0);
    EXPECT_FALSE(cli.tree.exists("sym/textures/a.dds"));
    EXPECT_FALSE(cli.tree.exists("wynik.txt"));
    EXPECT_TRUE(test::contains(cli.out.str(), "files handled: 1"));
}

// Copy and move leave a different file at the target and count it; only
// --overwrite replaces it. A move asks like a delete; a result that is gone is
// said.
TEST(result_commands, other_files_at_the_target_stay_unless_overwrite) {
    test::CategoryInstallation cli(true);
    cli.tree.write("kopia/textures/a.dds", "edited");
    EXPECT_EQ(cli.run({"move", "N"}), 2); // no terminal and no --yes
    EXPECT_TRUE(test::contains(cli.err.str(), "bez terminala potwierdź je opcją --yes"));
    EXPECT_EQ(cli.run({"copy", "N"}), 1);
    EXPECT_EQ(cli.tree.read("kopia/textures/a.dds"), "edited");
    EXPECT_TRUE(test::contains(cli.out.str(), "files handled: 1\nbytes: 6\n"));
    EXPECT_EQ(cli.run({"move", "N", "--yes", "--overwrite"}), 0) << cli.err.str();
    EXPECT_TRUE(test::contains(cli.out.str(), "files handled: 1\nbytes: 3\nalready there: 1\n"));
    EXPECT_EQ(cli.tree.read("kopia/textures/a.dds"), "abc");
    EXPECT_FALSE(cli.tree.exists(cp1250("sym/textures/żółw.dds")));
    EXPECT_EQ(cli.run({"move", "N", "--yes"}), 1);
    EXPECT_TRUE(test::contains(cli.err.str(), "Nie można odczytać pliku wynik.txt."));
}

// The whole sample installation, analysed as a user would with every scenery
// selected: the result file must stay byte for byte what it was checked to be.
TEST(sample_installation, analyze_all_writes_the_checked_result) {
    test::TempTree tree;
    std::filesystem::copy(FERWIS_SAMPLE_SOURCE, to_native(tree.path("sym")),
                          std::filesystem::copy_options::recursive);
    tree.write("ferwis.ini", test::ini_bytes(tree.path("sym/"), tree.path("kopia/"),
                                             {"[pomijane_foldery_pliki]", "textures/tabor/"}));
    CliEnvironment environment;
    environment.paths = portable_paths(tree.root());
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
