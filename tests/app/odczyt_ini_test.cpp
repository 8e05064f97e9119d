#include "app/odczyt_ini.h"
#include "app/start_up.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace ferwis {
namespace {

using test::crlf;
using test::TempTree;

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
    test::make_content_folders(tree, "sym/");
    // Blank lines after a header are skipped, headers in any case and with trailing
    // text open their section, ";" and tabs become blanks, runs of blanks one blank,
    // only the first value of a single-value section counts, an unknown header
    // closes the skip section, a later section replaces an earlier value, and skip
    // entries read before the main directory get no prefix. One section to a line.
    const auto r = read_config(
        tree,
        crlf({"stray line", "[pomijane_foldery_pliki]", "textures/x/"}) +
            crlf({"[SCIEZKA_Dostepu] comment", "", " \t ", tree.path("sym") + "/", "ignored"}) +
            crlf({"[domyslne_rozszerzenie]", "dds", "tga"}) +
            crlf({"[sciezka_kopiowania_przesuwania]x", "a;b  \tc"}) +
            crlf({"[pomijane_foldery_pliki]", "textures\\tabor\\", "two"}) +
            crlf({"[inne]", "four", "[domyslne_rozszerzenie]", "bmp"}));
    EXPECT_TRUE(r.told.empty());
    EXPECT_EQ(r.state.main_dir, tree.path("sym/"));
    EXPECT_EQ(r.state.default_extension, "bmp");
    EXPECT_EQ(r.state.copy_move_path, "a b c");
    EXPECT_EQ(r.state.skip_list,
              (std::vector<std::string>{test::separated("textures/x/"),
                                        tree.path("sym/textures/tabor/"), tree.path("sym/two")}));
}

TEST(odczyt_ini, short_and_unreadable_files) {
    TempTree tree;
    // Each message names the file; one of a few bytes is said to lack the sections.
    const std::string file = "\nPlik: " + tree.path("ferwis.ini");
    EXPECT_EQ(read_config(tree, "[sciezka]").told, // 9 bytes
              std::vector<std::string>{
                  cp1250("Plik ferwis.ini jest pusty.") + file +
                  cp1250("\nMa 9 B, bez wymaganych sekcji (za krótki, by je zawierać).")});
    tree.write("ferwis.ini", "");
    EXPECT_EQ(read_config(tree, "").told,
              std::vector<std::string>{"Plik ferwis.ini jest pusty." + file});
    const auto lacking = read_config(tree, "[sciezka]\r"); // 10 bytes: read, and found lacking
    ASSERT_EQ(lacking.told.size(), 1u);
    EXPECT_FALSE(test::contains(lacking.told.front(), "pusty"));
    std::filesystem::remove(to_native(tree.path("ferwis.ini")));
    EXPECT_EQ(
        read_config(tree, "").told,
        std::vector<std::string>{"Brak pliku ferwis.ini\nSzukano w: " + tree.path("ferwis.ini")});
    // A folder where the file should be cannot be read; nothing half-read survives.
    tree.mkdir("dir.ini");
    const auto folder = read_config(tree, "", "dir.ini");
    EXPECT_EQ(folder.told.size(), 1u);
    EXPECT_TRUE(folder.state.main_dir.empty());
    // One that fails while it is read is said with the file and the reason.
    tree.write("long.ini", "[sciezka_dostepu]\r\n");
    std::filesystem::resize_file(to_native(tree.path("long.ini")), 1u << 30);
    const auto failed = read_config(tree, "", "long.ini");
    EXPECT_EQ(failed.told, (std::vector<std::string>{
                               cp1250("Nie można odczytać pliku ferwis.ini.\n") +
                               failed_file(tree.path("long.ini"), text(Text::ReasonLineTooLong))}));
}

TEST(list_scenery_files, a_folder_that_cannot_be_read_is_said_not_shown_empty) {
    TempTree tree;
    tree.write("scenery/b.SCN", "");
    tree.write("scenery/a.scn", "");
    tree.write("scenery/opis.txt", "");
    EXPECT_EQ(list_scenery_files(tree.path("scenery/")),
              (std::vector<std::string>{"a.scn", "b.SCN"}));
    try {
        list_scenery_files(tree.path("none/"));
        ADD_FAILURE() << "listed a missing folder";
    } catch (const ConfigurationProblem& problem) {
        EXPECT_EQ(problem.message(), Text::SceneryFolderUnreadable);
        EXPECT_TRUE(test::contains(problem.particulars(), tree.path("none")));
    }
}

TEST(odczyt_ini, a_missing_setting_or_main_directory_is_named) {
    TempTree tree;
    test::make_content_folders(tree, "sym/");
    const std::string main = tree.path("sym");
    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::vector<std::string> told;
        bool main_kept;
    } cases[] = {
        {"no copy path section, an empty extension section",
         {"[sciezka_dostepu]", main, "[domyslne_rozszerzenie]", "", "[pomijane_foldery_pliki]"},
         {cp1250("W pliku ferwis.ini brakuje ustawień potrzebnych do pracy programu:\n"
                 "[domyslne_rozszerzenie] - sekcja bez wartości\n"
                 "[sciezka_kopiowania_przesuwania] - brak sekcji")},
         true},
        {"a main directory that does not exist: one message, not one per sub-directory",
         {"[sciezka_dostepu]", main + "/nie_ma", "[domyslne_rozszerzenie]", "dds",
          "[sciezka_kopiowania_przesuwania]", "/kopia"},
         {cp1250("Katalog główny symulatora nie istnieje:\n") + main + test::separated("/nie_ma/")},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = read_config(tree, crlf(c.lines));
        EXPECT_EQ(r.told, c.told);
        EXPECT_EQ(r.state.main_dir, c.main_kept ? main + kSeparator : std::string());
    }
}

TEST(odczyt_ini, a_file_saved_as_utf8_is_read_as_utf8) {
    TempTree tree;
    const std::string polish = cp1250("sym/łódź");
    test::make_content_folders(tree, polish + "/");
    const std::string main_cp1250 = tree.path(polish);
    const std::string main_utf8 = cp1250_to_utf8(main_cp1250);
    const std::string bom = "\xEF\xBB\xBF";
    const std::pair<const char*, std::string> cases[] = {
        {"Windows-1250", crlf({"[sciezka_dostepu]", main_cp1250})},
        {"UTF-8", crlf({"[sciezka_dostepu]", main_utf8})},
        {"UTF-8 with its byte-order mark", bom + crlf({"[sciezka_dostepu]", main_utf8})},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        const auto r = read_config(tree, bytes);
        EXPECT_EQ(r.state.main_dir, main_cp1250 + kSeparator);
        ASSERT_EQ(r.told.size(), 1u); // only the two settings not given
        EXPECT_FALSE(test::contains(r.told.front(), cp1250("Brak podkatalogu")));
    }
    // The mark before a file that is plain ASCII otherwise still lets the first
    // header open its section.
    const auto r = read_config(tree, bom + crlf({"[sciezka_dostepu]", tree.path("x")}));
    EXPECT_EQ(r.state.main_dir, "");
    EXPECT_EQ(r.told.back(), cp1250("Katalog główny symulatora nie istnieje:\n") + tree.path("x/"));
}

} // namespace
} // namespace ferwis
