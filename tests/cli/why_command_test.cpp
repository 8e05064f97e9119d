#include "common/native_path.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <utility>

namespace ferwis {
namespace {

using test::crlf;

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
             "inst/textures/klosz.dds", "inst/textures/nieuzywana.dds", "inst/sounds/ptaki.wav",
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
    EXPECT_TRUE(test::contains(inst.err.str(), "unused"));
    EXPECT_EQ(inst.run({"why", inst.at("textures/none.dds")}), 1);
    EXPECT_EQ(inst.run({"why"}), 2);

    // Without valid places (which ones are valid is the provenance tests' case).
    std::filesystem::remove(to_native(inst.tree.path("bin/wynik_zrodla.txt")));
    EXPECT_EQ(inst.run({"why", inst.at("textures/trawa.dds")}), 2);
}

TEST(analyze_command, json_report_parses_and_agrees_with_the_summary) {
    Installation inst;
    const std::string report = inst.tree.path("bin/raport.json");
    ASSERT_EQ(inst.run({"analyze", "--json", report, "main.scn"}), 0) << inst.err.str();
    std::ifstream in(to_native(inst.tree.path("bin/raport.json")));
    const nlohmann::json json = nlohmann::json::parse(in);

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

} // namespace
} // namespace ferwis
