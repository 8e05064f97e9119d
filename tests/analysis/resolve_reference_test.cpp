#include "analysis/models/resolve_model.h"
#include "analysis/models/scan_binary_model.h"
#include "analysis/resolve/lookup.h"
#include "analysis/resolve/reference_rules.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace ferwis {
namespace {

using test::SceneryFixture;
using Names = std::vector<std::string>;
using test::crlf;

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

std::string bytes(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const auto part : parts) {
        out += part;
    }
    return out;
}

const std::string kZero(1, '\0');
const std::string kFive(5, '\x01'); // the bytes between the tag and the list

TEST(resolve_model, prefers_the_binary_form_and_reads_each_model_once) {
    SceneryFixture f({
        {"models/lampy/lampa.e3d", bytes({"TEX0", kFive, "klosz", kZero, "nam0"})},
        {"models/lampy/lampa.t3d", crlf({"map: drewno"})},
    });
    SceneryRun s(f.run);
    resolve_model(s, "lampy/lampa.t3d");
    EXPECT_EQ(f.used(), (Names{"models/lampy/lampa.e3d"}));
    EXPECT_EQ(f.missing(), (Names{"textures/klosz.dds"}));

    // Read once: a second reference in another letter case does not open the file.
    std::filesystem::remove(f.tree.path("models/lampy/lampa.e3d"));
    resolve_model(s, "LAMPY\\Lampa.E3D");
    EXPECT_EQ(s.statement.model_name, test::separated("LAMPY/Lampa.E3D"));
}

TEST(resolve_model, reads_the_map_lines_of_a_text_model) {
    SceneryFixture f(
        {
            {"models/lampy/lampa.t3d", crlf({"// map: nie", "  map: drewno", "MAP: Mech x",
                                             "map:\tkamien", "map:  ", "tekstura"})},
            {"models/lf.t3d", "map: lf1\nmap: lf2"}, // edited on Linux
        },
        {"models/pusty.t3d", "textures/lampy/drewno.dds", "scenery/mech.dds"});
    SceneryRun s(f.run);
    resolve_model(s, "lampy/lampa.e3d");
    resolve_model(s, "pusty.t3d");
    resolve_model(s, "lf.t3d");
    resolve_model(s, "brak/model.e3d");
    EXPECT_EQ(f.used(), (Names{"models/lampy/lampa.t3d", "models/lf.t3d", "models/pusty.t3d",
                               "scenery/mech.dds", "textures/lampy/drewno.dds"}));
    // A model has no comments: "// map: nie" names nie. A "map:" with nothing
    // behind it on its line names nothing.
    EXPECT_EQ(f.missing(), (Names{"textures/nie.dds", "textures/lf1.dds", "textures/lf2.dds",
                                  "models/brak/model.t3d"}));
}

TEST(scan_binary_model, finds_the_list_inside_one_window_and_stops_at_nam0) {
    const std::size_t w = kBinaryModelWindow;
    struct Case {
        const char* what;
        std::string file;
        Names missing;
    };
    const std::vector<Case> cases = {
        {"tag at 100",
         bytes({std::string(100, 'x'), "tex0", kFive, "kamien1.dds", kZero, "Mech", kZero, kZero,
                "NAM0", "inne"}),
         {"textures/kamien1.dds", "textures/mech.dds"}},
        {"tag across a window border",
         bytes({std::string(w - 2, 'x'), "tex0", kFive, "a", kZero, "nam0"}),
         {}},
        {"tag in the third window",
         bytes({std::string(2 * w + 10, 'x'), "TeX0", kFive, "c", kZero, "nam0"}),
         {"textures/c.dds"}},
        {"names to the end of the window",
         bytes({"tex0", kFive, "none", kZero, "ReplacableSkin", kZero, std::string(w - 24, 'b'),
                kZero, "ciete", kZero, "za"}),
         {"textures/" + std::string(w - 24, 'b') + ".dds", "textures/cie.dds"}},
        {"list past the bytes of the tag's window",
         bytes({std::string(w - 30, 'x'), "tex0", kFive, "abc", kZero, std::string(40, 'd'), kZero,
                "nam0"}),
         {"textures/abc.dds", "textures/" + std::string(40, 'd') + ".dds"}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SceneryFixture f({{"models/sub/m.e3d", c.file}});
        SceneryRun s(f.run);
        const std::string path = f.tree.path("models/sub/m.e3d");
        scan_binary_model(s, path, nullptr, "sub/m.e3d");
        EXPECT_EQ(f.missing(), c.missing);

        // The list read ahead names the same, without the file.
        OpenFile file = open_file_for_reading(path);
        std::string block(kBinaryModelWindow, '\0');
        const auto list = read_texture_list(file, block.data());
        HeldModel held{ModelForm::Binary, list.has_value(), nullptr, list ? list->size() : 0,
                       file.stamp_when_opened()};
        held.bytes = std::make_unique<char[]>(held.size);
        std::copy_n(list ? list->data() : "", held.size, held.bytes.get());
        file = OpenFile();
        std::filesystem::remove(to_native(path));
        f.list_inventory();
        SceneryRun again(f.run);
        scan_binary_model(again, path, nullptr, "sub/m.e3d", &held);
        EXPECT_EQ(f.missing(), c.missing);
    }
}

} // namespace
} // namespace ferwis
