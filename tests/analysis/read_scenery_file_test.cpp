#include "analysis/scenery/classify_line.h"
#include "analysis/scenery/expand_placeholder.h"
#include "common/errors.h"
#include "common/native_path.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
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

TEST(read_selected_sceneries, a_found_file_that_cannot_be_read_fails_the_run) {
    SceneryFixture f({}, {"scenery/a.scn"});
    std::filesystem::remove(to_native(f.tree.path("scenery/a.scn")));
    EXPECT_THROW(f.read({"a.scn"}), AnalysisFailure);
}

} // namespace
} // namespace ferwis
