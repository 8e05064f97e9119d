#include "analysis/inventory/wypisz_wszystkie_pliki.h"
#include "analysis/rolling_stock/definition_folders.h"
#include "analysis/rolling_stock/sprawdz_dynamic_wav.h"
#include "common/errors.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "installation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>
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
    const std::string path = tree.path("inst/dynamic/a.mmd");
    SoundReferences references;
    const DefinitionFindings findings = read_definition_file(path, nullptr, nullptr, references);
    sprawdz_mmd(r.run, r.wav_dynamic, path, findings, references, tree.path("inst/sounds/"));
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
    sprawdz_dynamic_wav(r.run, r.wav_dynamic, r.list());
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
    sprawdz_dynamic_wav(r.run, r.wav_dynamic, std::nullopt);
    const std::string sounds = tree.path("inst/sounds/");
    EXPECT_EQ(tree.read("wav_dynamic.txt"),
              crlf({"\"" + sounds + "a.wav\",\"BD\"", "\"" + sounds + "b.wav\",\"BD\""}));
}

// Read beside the listing: each reference with its line, a sound beside its
// definition file by its name on disk and its length, the others as written;
// a definition file under 4 bytes is not read.
TEST(read_definition_folders, references_with_lines_and_the_sounds_beside) {
    TempTree tree;
    test::make_tree(
        tree, {{"inst/dynamic/ezt/a.mmd",
                crlf({"// x: c.wav", "silnik: sub\\HORN.wav 1", "", "x: brak.wav;Sub/horn.WAV"})},
               {"inst/dynamic/ezt/Sub/Horn.wav", "12345"},
               {"inst/dynamic/b.MMD", "x: ezt/sub/horn.wav\n"},
               {"inst/dynamic/c.mmd", "a.w"}});
    const DefinitionFolders walked = read_definition_folders(tree.path("inst/dynamic/"));
    ASSERT_FALSE(walked.failure);
    const struct Expected {
        std::string file;
        std::vector<std::tuple<std::uint32_t, std::string, bool, std::uintmax_t>> references;
    } expected[] = {
        {"inst/dynamic/b.MMD", {{1, "ezt/Sub/Horn.wav", true, 5}}},
        {"inst/dynamic/ezt/a.mmd",
         {{2, "Sub/Horn.wav", true, 5}, {4, "brak.wav", false, 0}, {4, "Sub/Horn.wav", true, 5}}},
    };
    ASSERT_EQ(walked.definitions.size(), std::size(expected));
    for (std::size_t d = 0; d < std::size(expected); ++d) {
        const DefinitionFindings& found = walked.definitions[d];
        EXPECT_EQ(walked.files[found.file], tree.path(expected[d].file));
        EXPECT_FALSE(found.failure);
        std::vector<std::tuple<std::uint32_t, std::string, bool, std::uintmax_t>> references;
        for (std::size_t i = found.references_begin; i < found.references_end; ++i) {
            const SoundReferences::Reference r = walked.references[i];
            references.emplace_back(r.line, test::portable(r.text), r.beside, r.size);
        }
        EXPECT_EQ(references, expected[d].references) << expected[d].file;
    }
}

// Definition files are opened some at a time ahead of their reading: across
// those batches, among files too short to read and other files, each is read
// in its turn with its own references.
TEST(read_definition_folders, many_files_each_with_its_own_references) {
    TempTree tree;
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 10; i < 85; ++i) {
        const std::string n = std::to_string(i);
        files.emplace_back("inst/dynamic/d" + n + ".mmd", i % 7 == 0 ? "x" : "x: s" + n + ".wav\n");
        files.emplace_back("inst/dynamic/d" + n + ".txt", "x: other.wav\n");
    }
    test::make_tree(tree, files);
    const DefinitionFolders walked = read_definition_folders(tree.path("inst/dynamic/"));
    ASSERT_FALSE(walked.failure);
    std::vector<std::string> read;
    for (const DefinitionFindings& found : walked.definitions) {
        EXPECT_FALSE(found.failure);
        ASSERT_EQ(found.references_end, found.references_begin + 1);
        const std::string file = test::portable(walked.files[found.file]);
        const std::string number = file.substr(file.size() - 6, 2);
        EXPECT_EQ(walked.references[found.references_begin].text, "s" + number + ".wav");
        read.push_back(number);
    }
    EXPECT_EQ(walked.files.size(), 75u);
    EXPECT_EQ(read.size(), 75u - 11u); // every seventh is too short to read
    EXPECT_TRUE(std::is_sorted(read.begin(), read.end()));
}

// A definition file gone before it is read ends the check at its turn, after
// the records of the files before it, with the reason the check always gave.
TEST(read_definition_folders, a_definition_file_gone_is_reported_in_its_turn) {
    TempTree tree;
    test::make_tree(tree, {{"inst/sounds/", ""}});
    SoundReferences none;
    const DefinitionFindings gone =
        read_definition_file(tree.path("inst/dynamic/a.mmd"), nullptr, nullptr, none);
    ASSERT_TRUE(gone.failure);
    try {
        std::rethrow_exception(gone.failure);
    } catch (const FileError& error) {
        EXPECT_EQ(error.reason(), text(Text::ReasonDisappeared)) << error.what();
    }

    test::make_tree(tree, {{"inst/dynamic/a.mmd", crlf({"x: a.wav"})},
                           {"inst/dynamic/b.mmd", crlf({"x: b.wav"})}});
    test::InstallationRun r(tree);
    DefinitionFolders walked = read_definition_folders(tree.path("inst/dynamic/"));
    ASSERT_EQ(walked.definitions.size(), 2u);
    walked.definitions[1].failure = gone.failure;
    EXPECT_THROW(sprawdz_dynamic_wav(r.run, r.wav_dynamic, std::move(walked)), FileError);
    r.wav_dynamic.flush();
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
