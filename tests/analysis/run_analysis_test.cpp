#include "analysis/inventory/mark_exceptions.h"
#include "analysis/run/run_analysis.h"
#include "common/errors.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/file_state.h"
#include "support/doubles.h"
#include "support/temp_tree.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::crlf;
using test::TempTree;

TEST(mark_exceptions, skip_entries_are_path_prefixes_for_unused_rows) {
    const struct {
        const char* path;
        ResultCode before, after;
    } rows[] = {
        {"m/inne/stare.txt", ResultCode::N, ResultCode::W},
        {"m/inne/stare.txt.bak", ResultCode::N, ResultCode::W},
        {"m/textures/tab.dds", ResultCode::N, ResultCode::N},
        {"m/Textures/Tabor/a.dds", ResultCode::N, ResultCode::W},
        {"m/textures/tabor/b.dds", ResultCode::U, ResultCode::U},
        {"m/textures/tabor/c.wav", ResultCode::UD, ResultCode::UD},
        {"m/textures/taborowe/d.dds", ResultCode::N, ResultCode::W}, // entry without "/"
        {"m/textures/tabor/e.dds", ResultCode::B, ResultCode::B},    // missing-file row
    };
    std::vector<std::string> listed;
    for (std::size_t i = 0; i + 1 < std::size(rows); ++i) {
        listed.emplace_back(rows[i].path);
    }
    PackageInventory inventory(std::move(listed));
    inventory.mark_used(4);
    inventory.mark_rolling_stock_sound(5);
    inventory.record_missing(rows[7].path);
    mark_exceptions(inventory, {"m/textures/tabor", "m/inne/stare.txt", "m/textures/x/"});
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(inventory.row(i).code, rows[i].after) << rows[i].path;
    }
}

// An installation with a skip entry and a rolling-stock definition, so that a
// run reaches the exception marking with a rolling-stock list written.
struct Installation {
    Installation() {
        test::make_tree(
            tree,
            {{"inst/textures/Tabor/x.dds", "DDS "},
             {"inst/dynamic/en57/en57.mmd", crlf({"a: horn.wav", "b: silnik.wav", "c: brak.wav"})}},
            {"inst/scenery/a.scn", "inst/models/", "inst/sounds/horn.wav",
             "inst/textures/zwykla.dds", "inst/dynamic/en57/silnik.wav", "out/"});
        state.main_dir = tree.path("inst/");
        state.default_extension = "DDS";
        state.skip_list = {tree.path("inst/textures/tabor/")};
    }
    TempTree tree;
    AnalysisSettings state;
};

// Fails or asks to close when the exception marking begins.
struct FailingProgress : Progress {
    explicit FailingProgress(bool close) : close_(close) {}
    void set_status(std::string_view text) override {
        marking_ = text == cp1250("FAZA - Zaznaczanie wyjątków...");
        if (marking_ && !close_) {
            throw std::runtime_error("disk gone");
        }
    }
    void set_detail(std::string_view) override {}
    void process_events() override {}
    bool close_requested() const override { return marking_; }
    bool close_;
    bool marking_ = false;
};

TEST(run_analysis, failed_or_cancelled_run_leaves_the_previous_result_whole) {
    for (const bool close : {false, true}) {
        Installation inst;
        inst.tree.write("out/wynik.txt", "\"previous\",\"U\"\r\n");
        inst.tree.write("out/wynik_zrodla.txt", "previous places");
        FailingProgress progress(close);
        const std::string result = inst.tree.path("out/wynik.txt");
        if (close) {
            EXPECT_THROW(run_analysis(inst.state, {}, result, progress), OperationCancelled);
        } else {
            EXPECT_THROW(run_analysis(inst.state, {}, result, progress), AnalysisFailure);
        }
        EXPECT_EQ(inst.tree.read("out/wynik.txt"), "\"previous\",\"U\"\r\n");
        EXPECT_EQ(inst.tree.read("out/wynik_zrodla.txt"), "previous places"); // the two go together
        EXPECT_FALSE(inst.tree.exists("out/wynik_zrodla.txt.tmp"));
        // A failure keeps what the rolling-stock check found; a close removes it.
        EXPECT_EQ(inst.tree.exists("out/wav_dynamic.txt"), !close);
    }
}

// Links planted beside the result, where the run makes its temporary and its
// intermediate file: the run makes files of its own and never writes through.
TEST(run_analysis, links_beside_the_result_are_never_written_through) {
    Installation inst;
    inst.tree.write("private/a", "keep a");
    inst.tree.write("private/b", "keep b");
    for (const auto& [name, target] :
         {std::pair{"wynik.txt.tmp", "private/a"}, std::pair{"wav_dynamic.txt", "private/b"}}) {
        std::error_code ec;
        std::filesystem::create_symlink(to_native(inst.tree.path(target)),
                                        to_native(inst.tree.path(std::string("out/") + name)), ec);
        if (ec) {
            GTEST_SKIP() << test::kNoLinks;
        }
    }
    test::SilentProgress progress;
    run_analysis(inst.state, {}, inst.tree.path("out/wynik.txt"), progress);
    EXPECT_EQ(inst.tree.read("private/a"), "keep a");
    EXPECT_EQ(inst.tree.read("private/b"), "keep b");
    EXPECT_TRUE(test::contains(inst.tree.read("out/wynik.txt"), "horn.wav"));
    EXPECT_FALSE(std::filesystem::is_symlink(to_native(inst.tree.path("out/wynik.txt"))));
}

// Sceneries, includes and models whose names have no Windows-1250 form (a
// byte-order mark, Cyrillic, bytes that are no UTF-8) are read like any
// other, through the names the listing found; their records show "?".
TEST(run_analysis, files_named_without_a_windows_1250_form_are_read) {
    Installation inst;
    const std::filesystem::path main = to_native(inst.tree.path("inst/"));
    std::vector<std::pair<std::filesystem::path, std::string>> sceneries = {
        {std::filesystem::path(u8"\uFEFFa.scn"), "?a.scn"},
        {std::filesystem::path(u8"Мир.scn"), "???.scn"}};
#ifndef _WIN32
    sceneries.emplace_back("\xff.scn", "?.scn"); // on Windows every name is UTF-16 text
#endif
    const auto named = [](const char8_t* odd, const std::string& rest) {
        return std::filesystem::path(odd) += rest;
    };
    std::vector<std::string> selected;
    for (std::size_t i = 0; i < sceneries.size(); ++i) {
        // An include and a model named in the scenery as their records show them.
        const std::string n = std::to_string(i);
        std::ofstream(main / "scenery" / sceneries[i].first, std::ios::binary)
            << crlf({"node -1 0 t triangles t" + n + ".dds", "include ?" + n + ".inc end"});
        std::ofstream(main / "scenery" / named(u8"ж", n + ".inc"), std::ios::binary)
            << crlf({"node -1 0 m model 0 0 0 0 ?" + n + ".t3d none"});
        std::ofstream(main / "models" / named(u8"ы", n + ".t3d"), std::ios::binary)
            << crlf({"map: m" + n + ".dds"});
        inst.tree.write("inst/textures/t" + n + ".dds", "x");
        inst.tree.write("inst/textures/m" + n + ".dds", "x");
        selected.push_back(sceneries[i].second);
    }
    test::SilentProgress progress;
    run_analysis(inst.state, selected, inst.tree.path("out/wynik.txt"), progress);
    const std::string result = inst.tree.read("out/wynik.txt");
    for (std::size_t i = 0; i < sceneries.size(); ++i) {
        for (const std::string name : {"textures/t", "textures/m"}) {
            const std::string path = inst.tree.path("inst/" + name + std::to_string(i) + ".dds");
            EXPECT_TRUE(test::contains(result, "\"" + path + "\",\"U\"")) << i;
        }
    }
    EXPECT_TRUE(test::contains(result, "\"" + inst.tree.path("inst/scenery/???.scn") + "\",\"U\""));
    EXPECT_FALSE(inst.tree.exists("out/wav_dynamic.txt"));
}

// The state recorded beside the result at path, bound to its bytes.
std::optional<FileState> recorded_state(const std::string& result) {
    const std::optional<ResultDigest> digest = digest_of_file(result);
    return digest ? read_file_state(result, *digest) : std::nullopt;
}

// The state of the files a result was made from names each file read once,
// in the order first read (the definition file with a reference is read
// before the sceneries, an include is named twice), and every file missed: a
// missing include and a missing sound of rolling stock.
TEST(run_analysis, the_state_names_each_file_read_once_and_every_file_missed) {
    Installation inst;
    inst.tree.write("inst/scenery/b.scn", crlf({"include stacja.inc end", "include stacja.inc end",
                                                "include brak.inc end"}));
    inst.tree.write("inst/scenery/stacja.inc", crlf({"node -1 0 m model 0 0 0 0 dom.t3d none"}));
    inst.tree.write("inst/models/dom.t3d", crlf({"map: zwykla.dds"}));
    test::SilentProgress progress;
    const std::string result = inst.tree.path("out/wynik.txt");
    run_analysis(inst.state, {"b.scn"}, result, progress);

    const std::optional<FileState> state = recorded_state(result);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->selected, std::vector<std::string>{"b.scn"});
    std::vector<std::string> read;
    for (const ReadFile& file : state->read) {
        read.push_back(file.path);
        EXPECT_EQ(std::optional<FileStamp>(file.stamp), file_stamp(file.path)) << file.path;
    }
    EXPECT_EQ(read, (std::vector<std::string>{inst.tree.path("inst/dynamic/en57/en57.mmd"),
                                              inst.tree.path("inst/scenery/b.scn"),
                                              inst.tree.path("inst/scenery/stacja.inc"),
                                              inst.tree.path("inst/models/dom.t3d")}));
    EXPECT_EQ(state->missed,
              (std::vector<std::string>{to_lower(inst.tree.path("inst/scenery/brak.inc")),
                                        inst.tree.path("inst/sounds/brak.wav")}));
}

// A model changed once the run has read it, while the run goes on: the state
// holds it as it was read, so a later check sees the change, and a definition
// file's stamp is the one it was read with too.
TEST(run_analysis, the_state_stamps_each_file_as_it_was_read) {
    Installation inst;
    inst.tree.write("inst/scenery/b.scn", crlf({"node -1 0 m model 0 0 0 0 dom.t3d none"}));
    inst.tree.write("inst/models/dom.t3d", crlf({"map: zwykla.dds"}));
    struct ChangingProgress : test::SilentProgress {
        explicit ChangingProgress(TempTree& changed) : tree(changed) {}
        void set_status(std::string_view text) override {
            if (text == cp1250("FAZA - Zaznaczanie wyjątków...")) {
                tree.write("inst/models/dom.t3d", crlf({"map: zwykla.dds", "map: inna.dds"}));
                tree.write("inst/dynamic/en57/en57.mmd", "a: horn.wav\r\n");
            }
        }
        TempTree& tree;
    } progress(inst.tree);
    const std::string result = inst.tree.path("out/wynik.txt");
    run_analysis(inst.state, {"b.scn"}, result, progress);

    const std::optional<FileState> state = recorded_state(result);
    ASSERT_TRUE(state);
    ASSERT_EQ(state->read.size(), 3U);
    for (const ReadFile& file : state->read) {
        const bool changed = file.path.ends_with(".t3d") || file.path.ends_with(".mmd");
        EXPECT_EQ(std::optional<FileStamp>(file.stamp) != file_stamp(file.path), changed)
            << file.path;
    }
    EXPECT_EQ(state->read[2].stamp.size, crlf({"map: zwykla.dds"}).size());
}

// A result path that names a folder: the run fails and leaves no places behind
// (the places take their name first).
TEST(run_analysis, a_result_that_cannot_take_its_name_leaves_no_places) {
    Installation inst;
    inst.tree.mkdir("out/res/");
    test::SilentProgress progress;
    EXPECT_THROW(run_analysis(inst.state, {}, inst.tree.path("out/res"), progress),
                 AnalysisFailure);
    EXPECT_FALSE(inst.tree.exists("out/res_zrodla.txt"));
}

} // namespace
} // namespace ferwis
