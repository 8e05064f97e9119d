#include "analysis/resolve/lookup.h"
#include "analysis/resolve/reference_rules.h"
#include "common/native_path.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::SceneryFixture;
using Names = std::vector<std::string>;

TEST(resolve_reference, cleans_the_name_marks_used_and_records_a_miss_once) {
    SceneryFixture f({}, {"textures/tory/szyna.dds", "sounds/gwizd.wav"});
    f.run.inventory.mark_rolling_stock_sound(0); // sounds/gwizd.wav
    SceneryRun s(f.run);

    std::string name = "\\Tory\\szyna.dds  ";
    const LookupResult first =
        resolve_reference(s, f.run.textures_dir, name, LookupMode::LookUpOnly);
    EXPECT_TRUE(first.found);
    EXPECT_TRUE(first.newly_used);
    EXPECT_EQ(name, test::separated("Tory/szyna.dds"));
    EXPECT_FALSE(resolve_reference(s, f.run.textures_dir, name, LookupMode::LookUpOnly).newly_used);

    std::string doubled = "\\\\tory\\szyna.dds";
    EXPECT_FALSE(resolve_reference(s, f.run.textures_dir, doubled, LookupMode::LookUpOnly).found);
    for (std::string missing : {"Brak/X.DDS", "brak\\x.dds", "/brak/x.dds "}) {
        EXPECT_FALSE(
            resolve_reference(s, f.run.textures_dir, missing, LookupMode::RecordMissing).found);
    }
    std::string sound = "GWIZD.WAV";
    EXPECT_TRUE(
        resolve_reference(s, f.run.sounds_dir, sound, LookupMode::RecordMissing).newly_used);

    EXPECT_EQ(f.used(), (Names{"sounds/gwizd.wav", "textures/tory/szyna.dds"}));
    EXPECT_EQ(f.missing(), (Names{"textures/brak/x.dds"}));
}

TEST(resolve_reference, marks_every_case_only_twin_used) {
    // Names that differ only in case can lie side by side on a case-sensitive file
    // system; whichever the simulator opens, none of them may be offered as unused.
    if (!kNamesDifferInCase) {
        GTEST_SKIP() << "names that differ only in case cannot coexist on this file system";
    }
    SceneryFixture f({}, {"scenery/B.inc", "scenery/b.inc", "scenery/c.inc"});
    SceneryRun s(f.run);
    std::string name = "b.INC";
    EXPECT_TRUE(resolve_reference(s, f.run.scenery_dir, name, LookupMode::LookUpOnly).newly_used);
    EXPECT_EQ(f.used(), (Names{"scenery/B.inc", "scenery/b.inc"}));
}

TEST(resolve_with_extensions, tries_the_priority_list_and_records_the_first_extension) {
    struct Case {
        std::string extension;
        std::string name;
        Names used;
        Names missing;
    };
    const std::vector<Case> cases = {
        {".tga", "szyna", {"textures/szyna.dds"}, {}},
        {".tga", "Kamien", {}, {"textures/kamien.tga"}},
        {".dds", "wersja.2/szyna", {}, {"textures/wersja.2/szyna"}},
        {"png", "szyna", {}, {"textures/szyna"}},
        // The first extension of the list that the file has, however the name is written.
        {".dds", "\\Tory\\SZYNA", {"textures/tory/Szyna.TGA"}, {}},
        {".tga", "/tory/MOST", {"textures/tory/most.bmp"}, {}},
        {".dds", "//tory/szyna", {}, {"textures//tory/szyna.dds"}},
        // A file of the name with another extension, or none, is not the texture.
        {".dds", "znak", {}, {"textures/znak.dds"}},
        {".dds", "ZNAK", {}, {"textures/znak.dds"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension + " " + c.name);
        SceneryFixture f({},
                         {"textures/szyna.dds", "textures/tory/Szyna.TGA", "textures/tory/most.bmp",
                          "textures/wersja.2/szyna.dds", "textures/znak", "textures/znak.png"},
                         c.extension);
        SceneryRun s(f.run);
        resolve_with_extensions(s, f.run.textures_dir, c.name, LookupMode::RecordMissing);
        EXPECT_EQ(f.used(), c.used);
        EXPECT_EQ(f.missing(), c.missing);
    }
}

TEST(resolve_scenery_texture, tries_the_directory_of_the_file_then_the_textures_directory) {
    SceneryFixture f({}, {"scenery/tory/a.dds", "textures/a.dds", "textures/b.tga"});
    SceneryRun s(f.run);
    for (const char* texture : {"a", "b", "c", "NONE", "ReplacableSkin"}) {
        resolve_scenery_texture(s, texture, test::separated("tory/stacja.inc"));
    }
    EXPECT_EQ(f.used(), (Names{"scenery/tory/a.dds", "textures/b.tga"}));
    EXPECT_EQ(f.missing(), (Names{"textures/c.dds", "textures/replacableskin.dds"}));
}

TEST(resolve_model_texture, tries_the_model_directory_the_scenery_and_the_textures) {
    SceneryFixture f({}, {"textures/lampy/drewno.dds", "textures/drewno.dds", "scenery/kamien.tga",
                          "textures/mur.bmp"});
    SceneryRun s(f.run);
    const std::string subdirectory =
        model_texture_subdirectory(s, test::separated("lampy/lampa.t3d"));
    EXPECT_EQ(subdirectory, f.tree.path("textures/lampy/"));
    for (const char* texture : {"drewno", "kamien", "mur", "none", "x_ReplacableSkin_1", "brak"}) {
        resolve_model_texture(s, texture, subdirectory);
    }
    EXPECT_EQ(f.used(),
              (Names{"scenery/kamien.tga", "textures/lampy/drewno.dds", "textures/mur.bmp"}));
    EXPECT_EQ(f.missing(), (Names{"textures/brak.dds"}));
}

TEST(resolve_node_sound, marks_the_companions_on_the_first_reference_only) {
    SceneryFixture f({}, {"sounds/syrena.wav", "sounds/syrena.txt", "sounds/syrena2.wav",
                          "sounds/syrenax.txt", "sounds/brak.txt", "sounds/gwizd.wav",
                          "sounds/gwizd.txt"});
    SceneryRun s(f.run);
    // Used before by another reference: its companion stays unused.
    std::string gwizd = "gwizd.wav";
    resolve_reference(s, f.run.sounds_dir, gwizd, LookupMode::LookUpOnly);

    resolve_node_sound(s, "syrena.wav");
    resolve_node_sound(s, "SYRENA.wav");
    resolve_node_sound(s, "Gwizd.wav");
    resolve_node_sound(s, "brak.wav");
    EXPECT_EQ(f.used(), (Names{"sounds/gwizd.wav", "sounds/syrena.txt", "sounds/syrena.wav",
                               "sounds/syrenax.txt"}));
    EXPECT_EQ(f.missing(), (Names{"sounds/brak.wav"}));
}

} // namespace
} // namespace ferwis
