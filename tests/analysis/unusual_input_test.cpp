// Scenery reading on input that is not what the data usually looks like: it
// must neither crash nor hang, and must still find what the rules find.

#include "common/line_reader.h"
#include "common/native_path.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace ferwis {
namespace {

using test::crlf;
using test::SceneryFixture;
using Names = std::vector<std::string>;

// Writes before, then a line longer than a reader holds (zero bytes, which
// take no room on disk), then after.
void write_with_long_line(const test::TempTree& tree, const std::string& relative,
                          const std::string& before, const std::string& after) {
    tree.write(relative, before);
    const auto native = to_native(tree.path(relative));
    std::filesystem::resize_file(native, before.size() + kMaxLineLength + 1);
    std::ofstream(native, std::ios::binary | std::ios::app) << "\r\n" << after;
}

// A line too long to hold abandons the file it is in and only that file: what
// came before it counts, the rest of the file does not, and the reading goes
// on behind the file (the next queued file, the including line, the model's
// statement).
TEST(read_scenery_file, a_line_too_long_abandons_only_its_file) {
    SceneryFixture f({
        {"scenery/a.scn", ""},
        {"scenery/b.scn", crlf({"node -1 0 s sound b.wav"})},
        {"scenery/p.inc", ""},
        {"models/m.t3d", ""},
        {"inne/opis.txt", ""},
        {"sounds/a.wav", ""},
        {"sounds/a2.wav", ""},
        {"sounds/b.wav", ""},
        {"sounds/p.wav", ""},
        {"sounds/p2.wav", ""},
        {"sounds/z.wav", ""},
        {"textures/t1.dds", ""},
        {"textures/t2.dds", ""},
    });
    // The directive at the start of the long line would count if it were held.
    write_with_long_line(f.tree, "scenery/a.scn",
                         crlf({"node -1 0 s sound a.wav", "include p.inc 1 end",
                               "node -1 0 m model 0 0 0 0 m.t3d none", "node -1 0 s sound z.wav"}) +
                             "//$f pl inne/opis.txt ",
                         crlf({"node -1 0 s sound a2.wav"}));
    write_with_long_line(f.tree, "scenery/p.inc", crlf({"node -1 0 s sound p.wav"}),
                         crlf({"node -1 0 s sound p2.wav"}));
    write_with_long_line(f.tree, "models/m.t3d", crlf({"map: t1"}), crlf({"map: t2"}));
    f.read({"a.scn", "b.scn"});
    EXPECT_EQ(f.used(), (Names{"models/m.t3d", "scenery/a.scn", "scenery/b.scn", "scenery/p.inc",
                               "sounds/a.wav", "sounds/b.wav", "sounds/p.wav", "sounds/z.wav",
                               "textures/t1.dds"}));
}

TEST(read_scenery_file, binary_garbage_is_read_without_harm) {
    std::string garbage;
    std::uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245U + 12345U;
        garbage += static_cast<char>(state >> 24);
        if (i % 97 == 0) {
            garbage += " node include trainset (p3 ) timetable: event sky .t3d .wav \r";
        }
    }
    SceneryFixture f({{"scenery/a.scn", garbage}, {"models/m.e3d", garbage}});
    f.read({"a.scn"});
    EXPECT_EQ(f.used().front(), "scenery/a.scn");
}

TEST(read_scenery_file, polish_letters_and_mixed_separators) {
    SceneryFixture f({
        {cp1250("scenery/Łódź/Dworzec.inc"), crlf({cp1250("node -1 0 t triangles Żółw")})},
        {"scenery/a.scn", crlf({cp1250("include łÓDŹ\\dworzec.INC end"),
                                cp1250("include \\ŁÓDŹ/dworzec.inc 1 end")})},
        {cp1250("scenery/łódź/żółw.tga"), ""},
    });
    f.read({"a.scn"});
    // Where names differ only in case the two folders are one: the second file
    // went into the folder the first one made.
    const std::string second_folder = cp1250(kNamesDifferInCase ? "łódź" : "Łódź");
    EXPECT_EQ(f.used(), (Names{"scenery/a.scn", cp1250("scenery/Łódź/Dworzec.inc"),
                               "scenery/" + second_folder + cp1250("/żółw.tga")}));
    EXPECT_TRUE(f.missing().empty());
}

TEST(read_scenery_file, deep_and_self_including_files_end) {
    SceneryFixture f({
        {"scenery/a.scn", crlf({"include a.scn end", "include p.inc 1 end", "include 0.inc end"})},
        {"scenery/p.inc",
         crlf({"include p.inc 2 end", "include a.scn end", "node -1 0 t triangles (p1)"})},
        {"textures/1.dds", ""},
    });
    for (int i = 0; i < 2000; ++i) {
        f.tree.write("scenery/" + std::to_string(i) + ".inc",
                     crlf({"include " + std::to_string(i + 1) + ".inc end"}));
    }
    f.list_inventory();
    f.read({"a.scn"});
    EXPECT_EQ(f.used().size(), 2000U + 3U);
    EXPECT_EQ(f.missing(), (Names{"scenery/2000.inc"}));
    EXPECT_EQ(f.progress.details.size(), 2000U + 2U);
}

} // namespace
} // namespace ferwis
