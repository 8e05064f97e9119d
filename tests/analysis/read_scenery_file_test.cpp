#include "analysis/resolve/expand_placeholder.h"
#include "analysis/scenery/classify_line.h"
#include "common/errors.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>

namespace ferwis {
namespace {

using test::crlf;
using test::SceneryFixture;
using Names = std::vector<std::string>;

TEST(read_scenery_file, queues_a_plain_include_once_for_all_sceneries) {
    SceneryFixture f(
        {{"scenery/a.scn", crlf({"Include Tory/Stacja.inc End", "include tory\\STACJA.inc end"})},
         {"scenery/b.scn", crlf({"include tory/stacja.inc end", "include brak.inc end"})},
         {"scenery/tory/stacja.inc", crlf({"include perony.inc end", "node -1 0 s sound a.wav"})}},
        {"scenery/perony.inc", "sounds/a.wav"});
    f.read({"a.scn", "b.scn"});
    const std::string dir = f.run.scenery_dir;
    EXPECT_EQ(f.progress.details,
              (Names{"Sceneria: a.scn Czytam plik: " + dir + "a.scn",
                     "Sceneria: a.scn Czytam plik: " + dir + test::separated("tory/stacja.inc"),
                     "Sceneria: a.scn Czytam plik: " + dir + "perony.inc",
                     "Sceneria: b.scn Czytam plik: " + dir + "b.scn",
                     "Sceneria: b.scn Czytam plik: " + dir + "brak.inc"}));
    EXPECT_EQ(f.used(), (Names{"scenery/a.scn", "scenery/b.scn", "scenery/perony.inc",
                               "scenery/tory/stacja.inc", "sounds/a.wav"}));
    EXPECT_EQ(f.missing(), (Names{"scenery/brak.inc"}));
}

// The second inclusion replays what the first recorded: textures and models
// through placeholders, two templates of one parameter, in the order they occur.
TEST(read_scenery_file, replays_include_templates_with_new_parameters) {
    SceneryFixture f({{"scenery/a.scn",
                       crlf({"include obj.inc 10 ztex end", "include OBJ.inc 11 ytex end // x"})},
                      {"scenery/obj.inc",
                       crlf({"node -1 0 x triangles x(p2).dds", "node -1 0 y triangles y(P2).dds",
                             "node -1 0 m model 0 0 0 0 (p1)\\m.t3d brak(p2)",
                             "node -1 0 t track normal 100", "szyna.dds 1 szyna.dds 1",
                             "include inner.inc end", "node -1 0 n triangles (p)x"})}},
                     {"scenery/inner.inc", "textures/xztex.dds", "textures/xytex.dds",
                      "textures/yztex.dds", "textures/yytex.dds", "textures/szyna.dds",
                      "models/10/m.t3d", "models/11/m.e3d", "models/11/m.t3d"});
    f.read({"a.scn"});
    EXPECT_EQ(f.used(), (Names{"models/10/m.t3d", "models/11/m.e3d", "scenery/a.scn",
                               "scenery/obj.inc", "textures/xytex.dds", "textures/xztex.dds",
                               "textures/yytex.dds", "textures/yztex.dds"}));
    EXPECT_EQ(f.missing(),
              (Names{"textures/brakztex.dds", "textures/obj.incx", "textures/brakytex.dds"}));
}

// A model name is expanded once, at its first placeholder, whether the include
// is read or replayed; a second placeholder stays as written.
TEST(read_scenery_file, replays_a_model_template_with_one_expansion) {
    SceneryFixture f(
        {{"scenery/a.scn", crlf({"include obj.inc a b end", "include obj.inc c d end"})},
         {"scenery/obj.inc", crlf({"node -1 0 m model 0 0 0 0 (p1)/(p2).t3d none"})}},
        {"models/c/d.t3d"});
    f.read({"a.scn"});
    EXPECT_EQ(f.used(), (Names{"scenery/a.scn", "scenery/obj.inc"}));
    EXPECT_EQ(f.missing(), (Names{"models/a/(p2).t3d", "models/c/(p2).t3d"}));
}

// A statement's parameters are its own: one that a longer statement before
// it set is empty in a shorter one.
TEST(read_scenery_file, a_shorter_statement_leaves_no_parameter_of_a_longer_one) {
    SceneryFixture f(
        {{"scenery/a.scn", crlf({"include obj.inc a b c end", "include obj.inc d end"})},
         {"scenery/obj.inc", crlf({"node -1 0 m model 0 0 0 0 (p3)x.t3d none"})}},
        {});
    f.read({"a.scn"});
    EXPECT_EQ(f.missing(), (Names{"models/cx.t3d", "models/x.t3d"}));
}

TEST(find_placeholder, index_is_the_number_plus_two_rounded_half_to_even) {
    const std::pair<const char*, std::optional<std::size_t>> cases[] = {
        {"a(p1).dds", 3},
        {"(P 3)", 5},
        {"(p+1)x", 3},
        {"(p)", 2},
        {"(px)", 2},
        // Halves go to the even neighbour, never away from zero.
        {"(p0.5)", 2},
        {"(p1.5)", 4},
        {"(p2.5)", 4},
        {"(p-1.5)", 0},
        {"(p-2.5)", 0},
        {"(p48)", 50},
        {"(p48.5)", 50},
        {"(p49)", std::nullopt},
        {"(p-3)", std::nullopt},
        {"x)(p1)", std::nullopt},
        {"(p1", std::nullopt},
    };
    for (const auto& [name, index] : cases) {
        const auto placeholder = find_placeholder(name);
        EXPECT_EQ(placeholder ? std::optional(placeholder->index) : std::nullopt, index) << name;
    }
}

TEST(classify_line, keywords_and_the_length_limit) {
    const std::string long_node = "node" + std::string(kMaxClassifiedLine - 4, 'x');
    const std::vector<std::pair<std::string, LineKind>> cases = {
        {long_node, LineKind::Statement},
        {long_node + "x", LineKind::Ignored},
        {"sky niebo.t3d", LineKind::Statement},
        {"sky niebo.e3d", LineKind::Ignored},
        {"trainset r1 tor1 0 0 endtrainset", LineKind::Ignored},
        {"event t1 multiple 0 none", LineKind::Ignored},
        {"event t1 timetable:r1", LineKind::Timetable},
        // Each keyword alone, as the only letters of its line.
        {"include", LineKind::Statement},
        {"x.wav", LineKind::Statement},
        {"trainset", LineKind::Statement},
        {"-9037.4 -9701.3 5161.4 0 1 0 0 3 end", LineKind::Ignored},
    };
    for (const auto& [line, kind] : cases) {
        EXPECT_EQ(classify_line(line), kind) << line.substr(0, 40);
    }
}

TEST(read_scenery_file, directives_comments_timetables_and_token_limits) {
    std::string tokens_101 = "node";
    for (int i = 0; i < 99; ++i) {
        tokens_101 += " x";
    }
    SceneryFixture f(
        {{"scenery/a.scn",
          crlf({"//$i Logo.jpg", "//$i brak.jpg", "//$f pl inne/opis.txt node -1 0 s sound a.wav",
                "//$f pl inne\\brak.txt", "// node -1 0 s sound b.wav",
                "  // node -1 0 s sound c.wav", "event t1 multiple 0 none timetable:Rj/R1",
                "event t2 multiple 0 none timetable: none", "trainset r1 tor1 0 0",
                "trainset none tor1 0 0", tokens_101 + " d.wav", tokens_101 + " x e.wav"})},
         {"scenery/lf.scn", "node -1 0 s sound f.wav\n" + std::string(1000, 'x')}},
        {"scenery/images/logo.jpg", "scenery/rj/r1radio.wav", "scenery/r1.txt", "inne/opis.txt",
         "sounds/a.wav", "sounds/b.wav", "sounds/c.wav", "sounds/d.wav", "sounds/e.wav",
         "sounds/f.wav"});
    f.read({"a.scn", "lf.scn"});
    EXPECT_EQ(f.used(), (Names{"inne/opis.txt", "scenery/a.scn", "scenery/images/logo.jpg",
                               "scenery/lf.scn", "scenery/r1.txt", "scenery/rj/r1radio.wav",
                               "sounds/a.wav", "sounds/c.wav", "sounds/d.wav", "sounds/f.wav"}));
    EXPECT_EQ(f.missing(),
              (Names{"scenery/images/brak.jpg", "inne/brak.txt", "scenery/rj/r1.txt"}));
}

TEST(read_scenery_file, node_kinds_and_the_track_texture_line) {
    SceneryFixture f(
        {{"scenery/a.scn",
          crlf({"node 100 0 trawa triangles trawa.dds",
                "node 100 0 trawa triangle_strip material "
                "ambient: 1 1 1 endmaterial Trawa2 0 0",
                "node -1 0 t1 track normal 100 1.5", "", "szyna1.dds 1.5 szyna2.dds node x.wav",
                "node -1 0 t2 track normal 100 unvis", "node -1 0 s sound syrena.wav",
                "node -1 0 m model 0 0 0 0 brak.t3d y.wav", "node -1 0 t3 track normal 100"})}},
        {"scenery/pusty.scn", "textures/trawa.dds", "textures/trawa2.dds", "textures/szyna1.dds",
         "textures/szyna2.dds", "sounds/syrena.wav", "sounds/x.wav", "sounds/y.wav"});
    f.read({"a.scn", "pusty.scn"});
    EXPECT_EQ(f.used(), (Names{"scenery/a.scn", "scenery/pusty.scn", "sounds/syrena.wav",
                               "textures/szyna1.dds", "textures/szyna2.dds", "textures/trawa.dds",
                               "textures/trawa2.dds"}));
    EXPECT_EQ(f.missing(), (Names{"textures/y.wav", "models/brak.t3d"}));
}

// The file and the system's reason go up; the run says them as its failure.
TEST(read_selected_sceneries, a_found_file_that_cannot_be_read_fails_the_run) {
    SceneryFixture f({}, {"scenery/a.scn"});
    std::filesystem::remove(to_native(f.tree.path("scenery/a.scn")));
    EXPECT_THROW(f.read({"a.scn"}), FileError);
}

// Scenery reading on input that is not what the data usually looks like: it
// must neither crash nor hang, and must still find what the rules find.

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
    SceneryFixture f({{"scenery/b.scn", crlf({"node -1 0 s sound b.wav"})}},
                     {"scenery/a.scn", "scenery/p.inc", "models/m.t3d", "inne/opis.txt",
                      "sounds/a.wav", "sounds/a2.wav", "sounds/b.wav", "sounds/p.wav",
                      "sounds/p2.wav", "sounds/z.wav", "textures/t1.dds", "textures/t2.dds"});
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
    SceneryFixture f(
        {{cp1250("scenery/Łódź/Dworzec.inc"), crlf({cp1250("node -1 0 t triangles Żółw")})},
         {"scenery/a.scn", crlf({cp1250("include łÓDŹ\\dworzec.INC end"),
                                 cp1250("include \\ŁÓDŹ/dworzec.inc 1 end")})}},
        {cp1250("scenery/łódź/żółw.tga")});
    f.read({"a.scn"});
    // Where names differ only in case the two folders are one: the second file
    // went into the folder the first one made.
    const std::string second_folder = cp1250(kNamesDifferInCase ? "łódź" : "Łódź");
    EXPECT_EQ(f.used(), (Names{"scenery/a.scn", cp1250("scenery/Łódź/Dworzec.inc"),
                               "scenery/" + second_folder + cp1250("/żółw.tga")}));
    EXPECT_TRUE(f.missing().empty());
}

TEST(read_scenery_file, deep_and_self_including_files_end) {
    SceneryFixture f(
        {{"scenery/a.scn", crlf({"include a.scn end", "include p.inc 1 end", "include 0.inc end"})},
         {"scenery/p.inc",
          crlf({"include p.inc 2 end", "include a.scn end", "node -1 0 t triangles (p1)"})}},
        {"textures/1.dds"});
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
