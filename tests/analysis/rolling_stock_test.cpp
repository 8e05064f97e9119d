#include "analysis/inventory/wypisz_wszystkie_pliki.h"
#include "analysis/rolling_stock/sprawdz_dynamic_wav.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "installation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

namespace ferwis {
namespace {

using test::crlf;
using test::TempTree;
using Strings = std::vector<std::string>;

TEST(sprawdz_mmd, cutting_references_out_of_a_line) {
    const std::pair<const char*, Strings> cases[] = {
        {"silnik: horn.wav 1.0", {"horn.wav"}},
        {"a:b.wav,c.WAV", {"b.wav", "c.WAV"}},
        {"horn.wav", {"horn.wav"}},
        {",horn.wav", {",horn.wav"}},
        {"x: a.wav.wav", {"a.wav", "a.wav.wav"}},
        {"x: sub/horn.wav", {"sub/horn.wav"}},
        {"no sound here .wa", {}},
    };
    for (const auto& [line, expected] : cases) {
        Strings references;
        cut_sound_references(line, [&](std::string_view r) { references.emplace_back(r); });
        EXPECT_EQ(references, expected) << line;
    }
}

// The records of one definition file, read on its own.
std::string records_of(const TempTree& tree, const std::string& definition) {
    tree.write("inst/dynamic/a.mmd", definition);
    test::InstallationRun r(tree);
    sprawdz_mmd(r.run, r.wav_dynamic, tree.path("inst/dynamic/a.mmd"), tree.path("inst/sounds/"));
    return tree.read("wav_dynamic.txt");
}

// A piece that cannot be a path on this platform names no file: the output of a
// line stays in step with its length however many ".wav" it holds.
TEST(sprawdz_mmd, a_piece_that_cannot_be_a_path_is_no_reference) {
    TempTree tree;
    tree.mkdir("inst/sounds/");
    const std::string sounds = tree.path("inst/sounds/");
    const auto bd = [&](const std::string& name) { return "\"" + sounds + name + "\",\"BD\"\r\n"; };
    // The longest name: on Windows the whole path's limit comes first.
    const std::size_t longest = std::min(kMaxNameLength, kMaxPathLength - sounds.size());
    const std::string name_255 = std::string(longest - 4, 'a') + ".wav";
    EXPECT_EQ(records_of(tree, "x: " + name_255), bd(name_255));
    EXPECT_EQ(records_of(tree, "x: a" + name_255), "");
#ifndef _WIN32
    // Counted in the bytes of the native name: a Polish letter takes two.
    EXPECT_EQ(records_of(tree, "x: " + cp1250("ż") + std::string(kMaxNameLength - 5, 'a') + ".wav"),
              "");
#endif
    // A path of exactly the longest length is taken, one byte more is not.
    const std::size_t room = kMaxPathLength - sounds.size() - 5;
    std::string deep;
    while (deep.size() + 201 <= room) {
        deep += std::string(200, 'd') + kSeparator;
    }
    if (deep.size() < room) {
        deep += std::string(room - deep.size() - 1, 'e') + kSeparator;
    }
    EXPECT_EQ(records_of(tree, "x: " + deep + "a.wav"), bd(deep + "a.wav"));
    EXPECT_EQ(records_of(tree, "x: " + deep + "ab.wav"), "");

    // 16 KB of ".wav": each piece runs back to the start of the line, and only
    // those within one name's length are references.
    std::string many;
    for (int i = 0; i < 4000; ++i) {
        many += ".wav";
    }
    std::string expected;
    for (std::size_t n = 4; n <= longest; n += 4) {
        expected += bd(many.substr(0, n));
    }
    EXPECT_EQ(records_of(tree, many), expected);
}

TEST(sprawdz_dynamic_wav, beside_under_sounds_or_missing) {
    TempTree tree;
    test::make_tree(
        tree,
        {{"inst/dynamic/ezt/a.mmd",
          crlf({"// komentarz: drzwi.wav", "   // x: used.wav", "syrena: sub\\horn.wav 1",
                "drzwi: tabor/DRZWI.wav;brak/nic.wav", "x: both.wav"})},
         // Edited on Linux: a LF alone ends the comment line.
         {"inst/dynamic/b.MMD", "// stary\ndrzwi: tabor/drzwi.wav tabor/used.wav brak/nic.wav\n"},
         {"inst/dynamic/c.mmd.txt", crlf({"x: brak/inny.wav"})},
         {"inst/dynamic/d.mmd", "a.w"}}, // 3 bytes: skipped
        {"inst/sounds/tabor/drzwi.wav", "inst/sounds/tabor/used.wav", "inst/sounds/Both.wav",
         "inst/dynamic/ezt/Sub/Horn.wav", "inst/dynamic/ezt/both.wav"});
    test::InstallationRun r(tree);
    wypisz_wszystkie_pliki(r.run, r.wav_dynamic);
    const PackageInventory& inventory = r.run.inventory;
    ASSERT_EQ(inventory.row_count(), 3u);

    const std::string dyn = tree.path("inst/dynamic/");
    EXPECT_TRUE(r.wav_dynamic.written());
    const std::string missing = tree.path("inst/sounds/brak/nic.wav");
    EXPECT_EQ(tree.read("wav_dynamic.txt"),
              crlf({"\"" + missing + "\",\"BD\"",
                    "\"" + tree.path("inst/dynamic/ezt/Sub/Horn.wav") + "\",\"UD\"",
                    "\"" + missing + "\",\"BD\"",
                    "\"" + tree.path("inst/dynamic/ezt/both.wav") + "\",\"UD\""}));
    // Found under sounds: the row becomes UD; the sound beside its definition
    // file leaves the row of its namesake under sounds alone.
    EXPECT_EQ(inventory.row(0).code, ResultCode::N); // sounds/Both.wav
    EXPECT_EQ(inventory.row(1).code, ResultCode::UD);
    EXPECT_EQ(inventory.row(2).code, ResultCode::UD);
}

// A line too long to hold abandons its definition file only: the records found
// before it stay, and the next definition file is read.
TEST(sprawdz_dynamic_wav, a_line_too_long_abandons_only_its_definition_file) {
    TempTree tree;
    test::make_tree(tree, {{"inst/sounds/", ""}, {"inst/dynamic/b.mmd", crlf({"x: b.wav"})}});
    const std::string before = crlf({"x: a.wav"}) + "x: q.wav ";
    tree.write("inst/dynamic/a.mmd", before);
    const auto native = to_native(tree.path("inst/dynamic/a.mmd"));
    std::filesystem::resize_file(native, before.size() + kMaxLineLength);
    std::ofstream(native, std::ios::binary | std::ios::app) << "\r\nx: c.wav\r\n";

    test::InstallationRun r(tree);
    sprawdz_dynamic_wav(r.run, r.wav_dynamic);
    const std::string sounds = tree.path("inst/sounds/");
    EXPECT_EQ(tree.read("wav_dynamic.txt"),
              crlf({"\"" + sounds + "a.wav\",\"BD\"", "\"" + sounds + "b.wav\",\"BD\""}));
}

TEST(sprawdz_wav, found_rows_become_ud_unless_used) {
    // s/B.wav and s/b.wav are case-only twins: both are the sound in use.
    PackageInventory inventory({"s/a.wav", "s/B.wav", "s/b.wav", "s/c.wav"});
    inventory.mark_used(3);
    EXPECT_TRUE(sprawdz_wav(inventory, "s/b.wav"));
    EXPECT_TRUE(sprawdz_wav(inventory, "s/c.wav"));
    EXPECT_FALSE(sprawdz_wav(inventory, "s/d.wav"));
    EXPECT_EQ(inventory.row(0).code, ResultCode::N);
    EXPECT_EQ(inventory.row(1).code, ResultCode::UD);
    EXPECT_EQ(inventory.row(2).code, ResultCode::UD);
    EXPECT_EQ(inventory.row(3).code, ResultCode::U);
}

} // namespace
} // namespace ferwis
