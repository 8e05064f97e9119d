#include "app/start_up.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::crlf;
using test::TempTree;

std::string complete_config(const TempTree& tree) {
    return crlf({"[sciezka_dostepu]", tree.path("sym"), "[domyslne_rozszerzenie]", "dds",
                 "[sciezka_kopiowania_przesuwania]", tree.path("kopia")});
}

void make_installation(const TempTree& tree) {
    for (const char* sub : {"scenery/", "models/", "sounds/", "textures/", "dynamic/"}) {
        tree.mkdir(std::string("sym/") + sub);
    }
}

TEST(start_up, complete_configuration_prepares_the_window) {
    TempTree tree;
    make_installation(tree);
    tree.write("ferwis.ini", complete_config(tree));
    RecordingMessages messages;
    const StartUp s = start_up(tree.root(), messages);
    EXPECT_TRUE(s.ready);
    EXPECT_EQ(s.state.copy_move_path, tree.path("kopia/"));
    EXPECT_EQ(s.scenery_dir, tree.path("sym/scenery/"));
    EXPECT_FALSE(s.result_available);
}

TEST(start_up, result_file_needs_four_bytes) {
    TempTree tree;
    make_installation(tree);
    tree.write("ferwis.ini", complete_config(tree));
    RecordingMessages messages;
    tree.write("wynik.txt", "abc");
    EXPECT_FALSE(start_up(tree.root(), messages).result_available);
    tree.write("wynik.txt", "abcd");
    EXPECT_TRUE(start_up(tree.root(), messages).result_available);
}

TEST(start_up, a_missing_setting_leaves_the_window_without_function_silently) {
    TempTree tree;
    make_installation(tree);
    tree.write("ferwis.ini",
               crlf({"[sciezka_dostepu]", tree.path("sym"), "[domyslne_rozszerzenie]", "dds"}));
    RecordingMessages messages;
    const StartUp s = start_up(tree.root(), messages);
    EXPECT_FALSE(s.ready);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(list_scenery_files, lists_scn_files_in_name_order) {
    TempTree tree;
    make_tree(tree, {{"s/b.scn", ""},
                     {"s/A.SCN", ""},
                     {"s/c.scn.bak", ""},
                     {"s/d.scm", ""},
                     {"s/dir.scn/", ""},
                     {"s/" + cp1250("Łódź.scn"), ""}});
    EXPECT_EQ(list_scenery_files(tree.path("s/")),
              (std::vector<std::string>{"A.SCN", "b.scn", cp1250("Łódź.scn")}));
    EXPECT_TRUE(list_scenery_files(tree.path("none/")).empty());
}

} // namespace
} // namespace ferwis
