#include "analysis/sprawdz_dynamic_wav.h"
#include "analysis/wypisz_wszystkie_pliki.h"
#include "support/doubles.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::crlf;
using test::TempTree;
using Strings = std::vector<std::string>;

TEST(sprawdz_mmd, cutting_references_out_of_a_line) {
    const struct {
        const char* line;
        Strings references;
    } cases[] = {
        {"silnik: horn.wav 1.0", {"horn.wav"}},
        {"a:b.wav,c.WAV", {"b.wav", "c.WAV"}},
        {"horn.wav", {"horn.wav"}},
        {",horn.wav", {",horn.wav"}},
        {"x: a.wav.wav", {"a.wav", "a.wav.wav"}},
        {"x: sub/horn.wav", {"sub/horn.wav"}},
        {"no sound here .wa", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cut_sound_references(c.line), c.references) << c.line;
    }
}

TEST(sprawdz_dynamic_wav, beside_under_sounds_or_missing) {
    TempTree tree;
    test::make_tree(
        tree,
        {
            {"inst/sounds/tabor/drzwi.wav", ""},
            {"inst/sounds/tabor/used.wav", ""},
            {"inst/sounds/Both.wav", ""},
            {"inst/dynamic/ezt/Sub/Horn.wav", ""},
            {"inst/dynamic/ezt/both.wav", ""},
            {"inst/dynamic/ezt/a.mmd",
             crlf({"// komentarz: drzwi.wav", "   // x: used.wav", "syrena: sub\\horn.wav 1",
                   "drzwi: tabor/DRZWI.wav;brak/nic.wav", "x: both.wav"})},
            {"inst/dynamic/b.MMD", crlf({"drzwi: tabor/drzwi.wav tabor/used.wav brak/nic.wav"})},
            {"inst/dynamic/c.mmd.txt", crlf({"x: brak/inny.wav"})},
            {"inst/dynamic/d.mmd", "a.w"}, // 3 bytes: skipped
        });
    AnalysisSettings state;
    state.main_dir = tree.path("inst/");
    test::SilentProgress progress;
    RunState run(state, progress);
    WavDynamicFile wav_dynamic(tree.path("wav_dynamic.txt"));
    wav_dynamic.create();
    wypisz_wszystkie_pliki(run, wav_dynamic);
    ASSERT_EQ(run.inventory.rows.size(), 3u);

    const std::string dyn = tree.path("inst/dynamic/");
    EXPECT_TRUE(wav_dynamic.written());
    const std::string missing = tree.path("inst/sounds/brak/nic.wav");
    EXPECT_EQ(tree.read("wav_dynamic.txt"),
              crlf({"\"" + missing + "\",\"BD\"",
                    "\"" + tree.path("inst/dynamic/ezt/Sub/Horn.wav") + "\",\"UD\"",
                    "\"" + missing + "\",\"BD\"",
                    "\"" + tree.path("inst/dynamic/ezt/both.wav") + "\",\"UD\""}));
    // Found under sounds: the row becomes UD; the sound beside its definition
    // file leaves the row of its namesake under sounds alone.
    EXPECT_EQ(run.inventory.rows[0].code, ResultCode::N); // sounds/Both.wav
    EXPECT_EQ(run.inventory.rows[1].code, ResultCode::UD);
    EXPECT_EQ(run.inventory.rows[2].code, ResultCode::UD);
}

TEST(sprawdz_wav, found_rows_become_ud_unless_used) {
    PackageInventory inventory;
    // s/B.wav and s/b.wav are case-only twins: both are the sound in use.
    for (const char* path : {"s/a.wav", "s/B.wav", "s/b.wav", "s/c.wav"}) {
        inventory.rows.emplace_back().path = path;
    }
    inventory.listed = 4;
    inventory.rows[3].code = ResultCode::U;
    EXPECT_TRUE(sprawdz_wav(inventory, "s/b.wav"));
    EXPECT_TRUE(sprawdz_wav(inventory, "s/c.wav"));
    EXPECT_FALSE(sprawdz_wav(inventory, "s/d.wav"));
    EXPECT_EQ(inventory.rows[0].code, ResultCode::N);
    EXPECT_EQ(inventory.rows[1].code, ResultCode::UD);
    EXPECT_EQ(inventory.rows[2].code, ResultCode::UD);
    EXPECT_EQ(inventory.rows[3].code, ResultCode::U);
}

} // namespace
} // namespace ferwis
