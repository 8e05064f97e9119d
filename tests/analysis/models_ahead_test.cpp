#include "analysis/models/resolve_model.h"
#include "analysis/scenery/models_ahead.h"
#include "analysis/scenery/read_scenery_file.h"
#include "analysis/scenery/read_selected_sceneries.h"
#include "analysis/shared/read_ahead.h"
#include "common/errors.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "format/file_state.h"
#include "format/result_code.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace ferwis {
namespace {

using test::crlf;
using test::SceneryFixture;
using Names = std::vector<std::string>;

HeldModel held(std::string_view bytes, ModelForm form = ModelForm::Text,
               platform::RegularFileStamp stamp = {}) {
    HeldModel model{form, true, std::make_unique<char[]>(bytes.size()), bytes.size(), stamp};
    std::copy(bytes.begin(), bytes.end(), model.bytes.get());
    return model;
}

std::optional<std::string> bytes_of(std::optional<HeldModel> model) {
    if (!model) {
        return std::nullopt;
    }
    return std::string(model->bytes.get(), model->size);
}

// The reading takes models in its own order: a model held before the one it
// takes was a guess it passed by, kept only while there is room; a model it
// came to first, or asked for in another form, is its own to read.
TEST(ReadAhead, takes_in_order_and_guesses_passed_by_give_room_first) {
    ReadAhead ahead(10);
    EXPECT_TRUE(ahead.hold_model(1, held("aaaa")));
    EXPECT_TRUE(ahead.hold_model(2, held("bbbb")));
    EXPECT_EQ(bytes_of(ahead.take_model(2, ModelForm::Text)), "bbbb");
    // 1 was passed by: it gives its room to 3 instead of making the reader wait.
    EXPECT_TRUE(ahead.hold_model(3, held("cccccccc")));
    EXPECT_EQ(bytes_of(ahead.take_model(1, ModelForm::Text)), std::nullopt);
    // Asked for before it was held: the reading read it itself.
    EXPECT_FALSE(ahead.wants_model(1));
    EXPECT_TRUE(ahead.hold_model(1, held("a")));
    EXPECT_EQ(bytes_of(ahead.take_model(3, ModelForm::Binary)), std::nullopt);
    EXPECT_EQ(bytes_of(ahead.take_model(1, ModelForm::Text)), std::nullopt);
    EXPECT_TRUE(ahead.wants_model(4));
}

// A reader-ahead that begins late, or falls behind, goes on from the file the
// reading is in.
TEST(ReadAhead, files_the_reading_has_read_are_passed_over) {
    ReadAhead ahead(10);
    for (const char* name : {"a.scn", "b.inc", "c.inc", "d.inc"}) {
        ahead.queue_file(name);
    }
    std::string name;
    ASSERT_TRUE(ahead.next_file(name));
    EXPECT_EQ(name, "a.scn");
    for (int i = 0; i < 3; ++i) {
        ahead.begin_file();
    }
    ASSERT_TRUE(ahead.next_file(name));
    EXPECT_EQ(name, "c.inc");
    ASSERT_TRUE(ahead.next_file(name));
    EXPECT_EQ(name, "d.inc");
}

// Models the reading has not come to are never dropped: the reader waits
// for room, and stops waiting when the reading ahead ends.
TEST(ReadAhead, waits_for_room_and_ends_on_stop) {
    ReadAhead ahead(4);
    ASSERT_TRUE(ahead.hold_model(1, held("aaaa")));
    std::optional<bool> held_second;
    std::thread reader([&] { held_second = ahead.hold_model(2, held("bb")); });
    EXPECT_EQ(bytes_of(ahead.take_model(1, ModelForm::Text)), "aaaa");
    reader.join();
    EXPECT_EQ(held_second, true);

    // The room is taken by a model the reading has not come to.
    std::optional<bool> held_third;
    std::optional<bool> next;
    std::thread blocked([&] {
        held_third = ahead.hold_model(4, held("dddd"));
        std::string name;
        next = ahead.next_file(name);
    });
    ahead.stop();
    blocked.join();
    EXPECT_EQ(held_third, false);
    EXPECT_EQ(next, false);
    EXPECT_EQ(bytes_of(ahead.take_model(2, ModelForm::Text)), "bb");
}

// What can go wrong between the reader-ahead and the reading, each through
// a model statement read with the bytes the reader-ahead holds.
class HeldModels : public ::testing::Test {
protected:
    SceneryFixture f{{{"models/a.t3d", crlf({"map: stara"})},
                      {"models/b.t3d", crlf({"map: b"})},
                      {"models/c.e3d", std::string("tex0") + std::string(5, '\1') + "c1"}},
                     {"textures/stara.dds", "textures/nowa.dds", "textures/b.dds"}};
    ReadAhead ahead{1 << 20};
    SceneryRun scenery{f.run};

    void SetUp() override { scenery.ahead = &ahead; }
    std::size_t row(const std::string& path) const {
        return *f.run.inventory.find(f.tree.path(path));
    }
};

// The bytes read ahead stand for the reading of the file: a model changed or
// removed after the reader-ahead read it is read as it was then, as if the
// reading had come to it at that moment, and its removal fails nothing. The
// record of the run keeps the stamp of that reading, so the change shows.
TEST_F(HeldModels, a_model_changed_or_removed_after_it_was_read_ahead_is_read_as_read) {
    const platform::RegularFileStamp then{12, 345};
    ASSERT_TRUE(
        ahead.hold_model(row("models/a.t3d"), held(crlf({"map: stara"}), ModelForm::Text, then)));
    ASSERT_TRUE(ahead.hold_model(row("models/c.e3d"), held("c2", ModelForm::Binary, then)));
    f.tree.write("models/a.t3d", crlf({"map: nowa"}));
    std::filesystem::remove(to_native(f.tree.path("models/c.e3d")));
    resolve_model(scenery, "a.t3d");
    resolve_model(scenery, "c.t3d");
    EXPECT_EQ(f.used(), (Names{"models/a.t3d", "models/c.e3d", "textures/stara.dds"}));
    EXPECT_EQ(f.missing(), (Names{"textures/c2.dds"}));
    const PackageInventory& inventory = f.run.inventory;
    for (const FileEntry& texture :
         {inventory.row(row("textures/stara.dds")), inventory.missing_rows().front()}) {
        const std::optional<FileStamp> stamp = f.run.source_stamps.of(texture.place.source);
        ASSERT_TRUE(stamp.has_value());
        EXPECT_EQ(stamp->size, then.size);
        EXPECT_EQ(stamp->time, then.modified);
    }
}

// A guess that missed (a model held that the reading does not name here, or
// held in the other form) leaves the reading to read its model itself, and a
// model named twice is read once.
TEST_F(HeldModels, a_missed_guess_and_a_model_named_twice) {
    ASSERT_TRUE(ahead.hold_model(row("models/a.t3d"), held(crlf({"map: nowa"}))));
    ASSERT_TRUE(ahead.hold_model(row("models/b.t3d"), held("x", ModelForm::Binary)));
    resolve_model(scenery, "b.t3d");
    resolve_model(scenery, "B.T3D");
    EXPECT_EQ(f.used(), (Names{"models/b.t3d", "textures/b.dds"}));
    EXPECT_TRUE(f.missing().empty());
}

// A model the reader-ahead could not read (gone, say) is not held: the
// reading opens it itself and fails as it always did.
TEST_F(HeldModels, a_model_not_read_ahead_fails_the_reading_itself) {
    std::filesystem::remove(to_native(f.tree.path("models/b.t3d")));
    EXPECT_THROW(resolve_model(scenery, "b.t3d"), FileError);
}

// The reading as it is without a reader-ahead.
void read_alone(SceneryFixture& f, const Names& selected) {
    SceneryRun scenery(f.run);
    for (const std::string& name : selected) {
        f.run.selected_scenery = name;
        scenery.queue.add_selected(name);
        std::string entry;
        Place named_at;
        while (scenery.queue.next(entry, named_at)) {
            read_scenery_file(scenery, entry, named_at);
        }
    }
}

// Every row with its code and the place that gave it, below the main folder.
Names rows_and_places(const SceneryFixture& f) {
    const PackageInventory& inventory = f.run.inventory;
    const std::size_t root = f.tree.root().size();
    const auto below = [&](std::string_view path) {
        return test::portable(path.substr(std::min(root, path.size())));
    };
    Names out;
    for (std::size_t r = 0; r < inventory.row_count(); ++r) {
        const FileEntry& row = inventory.row(r);
        out.push_back(below(row.path) + " " + std::string(code_text(row.code)) + " " +
                      below(inventory.source(row.place.source)) + ":" +
                      std::to_string(row.place.line));
    }
    return out;
}

// Reading ahead changes nothing in what a reading finds, nor where: models in
// both forms, named twice and in other letter cases, missing, through plain
// includes, includes with parameters (replayed too) and a sky, and a text
// model too large to hold ahead.
TEST(ModelsAhead, the_reading_finds_the_same_with_its_models_read_ahead) {
    std::vector<std::pair<std::string, std::string>> files = {
        {"scenery/a.scn",
         crlf({"sky niebo.t3d endsky", "include czesc.inc end", "include obj.inc m/5.t3d end",
               "node -1 0 x model 0 0 0 0 m/1.t3d none", "include obj.inc m/6.e3d end",
               "node -1 0 x model 0 0 0 0 duzy.t3d none", "include brak.inc end"})},
        {"scenery/b.scn", crlf({"include czesc.inc end", "node -1 0 x model 0 0 0 0 M/2.E3D none",
                                "node -1 0 x model 0 0 0 0 m/brak.t3d none"})},
        {"scenery/obj.inc",
         crlf({"node -1 0 o model 0 0 0 0 (p1) none", "node -1 0 o model 0 0 0 0 m/7.t3d none"})},
        {"models/niebo.t3d", crlf({"map: chmury"})},
        {"models/duzy.t3d",
         crlf({"map: d1"}) + std::string(kLargestModelAhead, ' ') + crlf({"", "map: d2"})},
        {"textures/chmury.dds", ""},
        {"textures/d2.dds", ""},
    };
    std::string czesc;
    for (std::size_t i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i % 40);
        czesc +=
            crlf({"node -1 0 x model 0 0 0 0 m/" + n + (i % 3 == 0 ? ".e3d" : ".t3d") + " none",
                  "1 2 3 end"});
    }
    files.emplace_back("scenery/czesc.inc", czesc);
    for (std::size_t i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i);
        if (i % 2 == 0) {
            files.emplace_back("models/m/" + n + ".e3d", std::string(i * 997, 'x') + "TEX0" +
                                                             std::string(5, '\1') + "t" + n +
                                                             std::string(1, '\0') + "nam0");
        } else {
            files.emplace_back("models/m/" + n + ".t3d", crlf({"map: t" + n, "map: u" + n}));
        }
        files.emplace_back("textures/t" + n + ".dds", "");
    }
    const Names selected = {"a.scn", "b.scn"};
    SceneryFixture alone(files);
    read_alone(alone, selected);
    SceneryFixture ahead(files);
    ahead.read(selected);
    EXPECT_EQ(rows_and_places(ahead), rows_and_places(alone));
    ASSERT_EQ(ahead.run.inventory.source_count(), alone.run.inventory.source_count());
    // Each file read is stamped as it stood when it was opened, by whichever thread.
    for (std::uint32_t source = 2; source < alone.run.inventory.source_count(); ++source) {
        const std::string_view path = ahead.run.inventory.source(source);
        EXPECT_EQ(ahead.run.source_stamps.of(source), file_stamp(path)) << path;
    }
    const Names used = alone.used();
    for (const char* texture : {"textures/chmury.dds", "textures/d2.dds", "textures/t5.dds",
                                "textures/t6.dds", "textures/t7.dds", "textures/t39.dds"}) {
        EXPECT_NE(std::find(used.begin(), used.end(), texture), used.end()) << texture;
    }
}

} // namespace
} // namespace ferwis
