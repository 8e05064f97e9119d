#include "app/first_start.h"
#include "app/program_paths.h"
#include "app/start_up.h"
#include "common/catalogue.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::TempTree;

TEST(program_paths, installed_follows_the_freedesktop_folders_only_when_absolute) {
    const std::string home = test::absolute("/home/ola");
    const std::string own = test::absolute("/etc/own");
    const struct {
        UserFolders user;
        std::string config_dir, data_dir;
    } cases[] = {
        {{home, "", ""}, "/home/ola/.config/ferwis/", "/home/ola/.local/share/ferwis/"},
        {{home + kSeparator, own, own + kSeparator}, "/etc/own/ferwis/", "/etc/own/ferwis/"},
        {{home, "relative", "."}, "/home/ola/.config/ferwis/", "/home/ola/.local/share/ferwis/"},
    };
    for (const auto& c : cases) {
        const ProgramPaths paths = installed_paths(c.user);
        EXPECT_TRUE(paths.installed);
        EXPECT_EQ(paths.config_path(), test::absolute(c.config_dir) + "ferwis.ini");
        EXPECT_EQ(paths.result_path(), test::absolute(c.data_dir) + "wynik.txt");
    }
    const ProgramPaths portable = portable_paths(home);
    EXPECT_FALSE(portable.installed);
    EXPECT_EQ(portable.config_dir, home + kSeparator);
    EXPECT_EQ(portable.data_dir, portable.config_dir);
}

TEST(first_start, a_chosen_folder_is_checked_then_written_as_the_reader_reads_it) {
    TempTree tree;
    const std::string main = tree.path(cp1250("Symulator Łódź/"));
    test::make_content_folders(tree, cp1250("Symulator Łódź/"));
    tree.mkdir("bez_models/scenery/");
    const struct {
        std::string folder; // UTF-8
        Text told;          // the first problem; ConfigEmpty for none
    } cases[] = {
        {cp1250_to_utf8(main), Text::ConfigEmpty},
        {cp1250_to_utf8(tree.path("bez_models")), Text::NoModelsFolder},
        {cp1250_to_utf8(tree.path("nie_ma")), Text::MainFolderMissing},
        {cp1250_to_utf8(tree.path("dwie  spacje")), Text::PathNotWritable},
        {cp1250_to_utf8(tree.path("a;b")), Text::PathNotWritable},
        {cp1250_to_utf8(tree.root()) + "\xD0\x96", Text::PathNotWritable}, // Cyrillic
    };
    for (const auto& c : cases) {
        const ChosenMainDir chosen = check_chosen_main_dir(c.folder);
        EXPECT_EQ(chosen.problems.empty() ? Text::ConfigEmpty : chosen.problems.front().message(),
                  c.told)
            << c.folder;
    }
    EXPECT_EQ(check_chosen_main_dir(cp1250_to_utf8(main)).main_dir, main);

    // The configuration folder is made; the file reads back as written.
    const std::string config = tree.path("cfg/ferwis/ferwis.ini");
    const std::string copy = tree.path("kopia/");
    EXPECT_FALSE(write_first_configuration(config, main, copy));
    const std::string bytes = tree.read("cfg/ferwis/ferwis.ini");
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    EXPECT_TRUE(test::contains(bytes, "\r\n[sciezka_dostepu]\r\n" + main + "\r\n"));
    const StartUp start = start_up(tree.root(), config);
    EXPECT_TRUE(start.problems.empty());
    EXPECT_TRUE(start.ready);
    EXPECT_EQ(start.state.main_dir, main);
    EXPECT_EQ(start.state.default_extension, "dds");
    EXPECT_EQ(start.state.copy_move_path, copy);
    EXPECT_TRUE(start.state.skip_list.empty());

    // One there already stays; a copy path the reader would change is refused.
    const auto again = write_first_configuration(config, tree.path("sym/"), copy);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->message(), Text::ConfigExists);
    EXPECT_EQ(tree.read("cfg/ferwis/ferwis.ini"), bytes);
    const auto tabbed = write_first_configuration(tree.path("x.ini"), main, copy + "\t/");
    ASSERT_TRUE(tabbed);
    EXPECT_EQ(tabbed->message(), Text::PathNotWritable);

    EXPECT_TRUE(needs_first_configuration(installed_paths({tree.root(), "", ""})));
    EXPECT_FALSE(needs_first_configuration(portable_paths(tree.root())));
}

} // namespace
} // namespace ferwis
