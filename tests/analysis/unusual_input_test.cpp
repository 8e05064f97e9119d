// Scenery reading on input that is not what the data usually looks like: it
// must neither crash nor hang, and must still find what the rules find.

#include "common/native_path.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace ferwis {
namespace {

using test::crlf;
using test::SceneryFixture;
using Names = std::vector<std::string>;

// A file with LF-only line ends is one line: only a directive in it counts.
TEST(read_scenery_file, a_huge_lf_only_file_is_passed_over) {
    std::string body = "//$f pl inne/opis.txt ";
    for (int i = 0; i < 10000; ++i) {
        body += "node -1 0 s sound a.wav\ninclude b.inc end\n";
    }
    SceneryFixture f({
        {"scenery/a.scn", body},
        {"scenery/b.inc", ""},
        {"sounds/a.wav", ""},
        {"inne/opis.txt", ""},
    });
    f.read({"a.scn"});
    EXPECT_EQ(f.used(), (Names{"inne/opis.txt", "scenery/a.scn"}));
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
