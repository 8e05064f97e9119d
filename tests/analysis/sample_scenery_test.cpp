// The sample installation's sceneries mark what they reference, and nothing else.
#include "scenery_fixture.h"

#include "common/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ferwis {
namespace {

using Names = std::vector<std::string>;

TEST(sample_scenery, marks_every_kind_of_reference) {
    test::SceneryFixture f({});
    std::filesystem::copy(FERWIS_SAMPLE_SOURCE, to_native(f.tree.root()),
                          std::filesystem::copy_options::recursive);
    f.list_inventory();
    f.read({"lipki.scn", "wola.scn"});
    EXPECT_EQ(f.used(), (Names{"inne/opis_paczki.txt",
                               "models/budynki/dworzec.e3d",
                               "models/domy/dom1.t3d",
                               "models/domy/dom2.e3d",
                               "models/lampy/lampa.e3d",
                               "models/sky/niebo.t3d",
                               "scenery/images/wola.jpg",
                               "scenery/lipki.scn",
                               "scenery/obiekty/dom.inc",
                               "scenery/obiekty/sciana_zielony.tga",
                               "scenery/rozklady/os101.txt",
                               "scenery/rozklady/r1.txt",
                               "scenery/rozklady/r1radio.wav",
                               "scenery/wola.scn",
                               "scenery/wspolne/oswietlenie.inc",
                               "sounds/sceneria/syrena.txt",
                               "sounds/sceneria/syrena.wav",
                               "sounds/sceneria_ptaki.wav",
                               "textures/budynki/dworzec.dds",
                               "textures/domy/dach.dds",
                               "textures/domy/okna.bmp",
                               "textures/lampy/klosz.dds",
                               "textures/lampy/slup.tga",
                               "textures/peron/beton.dds",
                               "textures/sciana_czerwony.dds",
                               "textures/sky/niebo.dds",
                               "textures/tory/podsypka.tga",
                               "textures/tory/szyna.dds",
                               "textures/trawa.dds"}));
    EXPECT_EQ(f.missing(), (Names{"textures/budynki/brakujacy_dach.dds", "scenery/rozklady/r2.txt",
                                  "models/wiata.t3d", "textures/brakujaca_plama.dds"}));
}

} // namespace
} // namespace ferwis
