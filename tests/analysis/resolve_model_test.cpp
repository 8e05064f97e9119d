#include "analysis/models/scan_binary_model.h"
#include "analysis/resolve/reference_rules.h"
#include "scenery_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ferwis {
namespace {

using test::crlf;
using test::SceneryFixture;
using Names = std::vector<std::string>;

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
    SceneryFixture f({
        {"models/lampy/lampa.t3d", crlf({"// map: nie", "  map: drewno", "MAP: Mech x",
                                         "map:\tkamien", "map:  ", "tekstura"})},
        {"models/pusty.t3d", ""},
        {"models/lf.t3d", "map: lf1\nmap: lf2"}, // edited on Linux
        {"textures/lampy/drewno.dds", ""},
        {"scenery/mech.dds", ""},
    });
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
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SceneryFixture f({{"models/sub/m.e3d", c.file}});
        SceneryRun s(f.run);
        scan_binary_model(s, f.tree.path("models/sub/m.e3d"), "sub/m.e3d");
        EXPECT_EQ(f.missing(), c.missing);
    }
}

} // namespace
} // namespace ferwis
