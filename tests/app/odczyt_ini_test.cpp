#include "app/odczyt_ini.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::crlf;
using test::TempTree;

// A main directory with the five required folders.
void make_installation(const TempTree& tree, const std::string& main = "sym/") {
    for (const char* sub : {"scenery/", "models/", "sounds/", "textures/", "dynamic/"}) {
        tree.mkdir(main + sub);
    }
}

struct Read {
    AppState state;
    std::vector<std::string> told; // the problems' messages, in order
};

Read read_config(const TempTree& tree, const std::string& bytes,
                 const std::string& name = "ferwis.ini") {
    if (!bytes.empty()) {
        tree.write(name, bytes);
    }
    Read r;
    for (const auto& problem : odczyt_ini(r.state, tree.path(name))) {
        r.told.push_back(failure_text(problem));
    }
    return r;
}

TEST(odczyt_ini, line_and_header_rules) {
    TempTree tree;
    make_installation(tree);
    // Blank lines after a header are skipped, headers in any case and with trailing
    // text open their section, ";" and tabs become blanks, runs of blanks one blank,
    // only the first value of a single-value section counts, an unknown header
    // closes the skip section, a later section replaces an earlier value, and skip
    // entries read before the main directory get no prefix.
    const auto r = read_config(tree, crlf({"stray line",
                                           "[pomijane_foldery_pliki]",
                                           "textures/x/",
                                           "[SCIEZKA_Dostepu] comment",
                                           "",
                                           " \t ",
                                           tree.path("sym") + "/",
                                           "ignored",
                                           "[domyslne_rozszerzenie]",
                                           "dds",
                                           "tga",
                                           "[sciezka_kopiowania_przesuwania]x",
                                           "a;b  \tc",
                                           "[pomijane_foldery_pliki]",
                                           "textures\\tabor\\",
                                           "two",
                                           "[inne]",
                                           "four",
                                           "[domyslne_rozszerzenie]",
                                           "bmp"}));
    EXPECT_TRUE(r.told.empty());
    EXPECT_EQ(r.state.main_dir, tree.path("sym/"));
    EXPECT_EQ(r.state.default_extension, "bmp");
    EXPECT_EQ(r.state.copy_move_path, "a b c");
    EXPECT_EQ(r.state.skip_list,
              (std::vector<std::string>{test::separated("textures/x/"),
                                        tree.path("sym/textures/tabor/"), tree.path("sym/two")}));
}

// Edited on Linux: every line ends with a LF alone, the last one with none.
TEST(odczyt_ini, lf_only_file) {
    TempTree tree;
    make_installation(tree);
    const auto r = read_config(tree, "[sciezka_dostepu]\n" + tree.path("sym") +
                                         "\n[domyslne_rozszerzenie]\ndds");
    EXPECT_EQ(r.state.main_dir, tree.path("sym/"));
    EXPECT_EQ(r.state.default_extension, "dds");
}

TEST(odczyt_ini, short_and_unreadable_files) {
    TempTree tree;
    {
        const auto r = read_config(tree, "[sciezka]"); // 9 bytes
        EXPECT_EQ(r.told, (std::vector<std::string>{"Plik ferwis.ini jest pusty."}));
    }
    {
        const auto r = read_config(tree, "[sciezka]\r"); // 10 bytes: read
        EXPECT_TRUE(r.told.empty());
    }
    {
        // A folder where the file should be cannot be read; nothing half-read survives.
        tree.mkdir("dir.ini");
        const auto r = read_config(tree, "", "dir.ini");
        EXPECT_EQ(r.told.size(), 1u);
        EXPECT_TRUE(r.state.main_dir.empty());
    }
}

} // namespace
} // namespace ferwis
