#include "common/errors.h"
#include "common/native_path.h"
#include "format/provenance_file.h"
#include "format/result_file.h"
#include "support/doubles.h"
#include "support/temp_tree.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/result_list.h"
#include "ui/widget_helpers.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace ferwis {
namespace {

using test::crlf;
using test::Installation;
using test::StartedWindow;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

bool enabled(StartedWindow& w, const char* name) {
    return w.find<QWidget>(name)->isEnabled();
}

// Expects each of the named controls to be enabled, or each to be disabled.
void expect_enabled(StartedWindow& w, std::initializer_list<const char*> names, bool expected) {
    for (const char* name : names) {
        EXPECT_EQ(enabled(w, name), expected) << name;
    }
}

QStringList item_texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

// The keyboard reaches every control in the order the form reads, and Return
// presses the focused button as Space does.
TEST(main_window, tab_follows_the_form_and_return_presses_the_focused_button) {
    Installation inst;
    inst.write_one_used_file();
    StartedWindow w(inst);
    const QStringList expected = {"File1",   "Command1", "Combo1",  "Command2", "List1",
                                  "Option1", "Option2",  "Option3", "Option4",  "Option5",
                                  "Option6", "Command3", "Command4"};
    QStringList order;
    QWidget* widget = w.find<QWidget>("File1");
    do {
        if (expected.contains(widget->objectName())) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != w.find<QWidget>("File1"));
    EXPECT_EQ(order, expected);

    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w.find<QPushButton>("Command4"), &enter);
    ASSERT_NE(w.window.help_window(), nullptr);
    w.window.help_window()->close();
}

// A result file shorter than 4 bytes holds no records: read_category's case.
TEST(main_window, a_complete_configuration_gives_the_window_its_function) {
    Installation inst;
    inst.write_complete_ini();
    inst.tree.write("wynik.txt", "abcd");
    StartedWindow w(inst);

    EXPECT_TRUE(w.messages.shown.empty());
    EXPECT_TRUE(enabled(w, "File1"));
    EXPECT_EQ(item_texts(*w.find<QListWidget>("File1")),
              QStringList({"A.SCN", "b.scn", utf8("łódź.scn")}));
    EXPECT_EQ(w.find<QComboBox>("Combo1")->currentText(), utf8("Używane sceneryjne"));
    EXPECT_EQ(w.window.minimumSize(), w.window.maximumSize());
    EXPECT_EQ(w.find<QLabel>("Label5")->text().toStdString(),
              inst.copy_dir() + test::separated("/"));
    EXPECT_FALSE(enabled(w, "Command1"));
    expect_enabled(w, {"Command2", "Command3"}, true);

    // Analysis is offered while any scenery is selected.
    auto* file1 = w.find<QListWidget>("File1");
    file1->item(2)->setSelected(true);
    file1->item(0)->setSelected(true);
    file1->item(2)->setSelected(false);
    EXPECT_TRUE(enabled(w, "Command1"));
    file1->item(0)->setSelected(false);
    EXPECT_FALSE(enabled(w, "Command1"));
}

// Which configurations are broken is odczyt_ini's case; the window shows each
// problem and leaves only Pomoc and Zamknij.
TEST(main_window, a_broken_configuration_leaves_only_help_and_close) {
    Installation inst;
    inst.tree.write("ferwis.ini", test::ini_bytes(inst.main_dir(), inst.copy_dir()));
    std::filesystem::remove_all(to_native(inst.tree.path("sym/Scenery")));
    std::filesystem::remove_all(to_native(inst.tree.path("sym/Textures")));
    inst.tree.write("wynik.txt", "\"a\",\"U\"\r\n");
    StartedWindow w(inst);
    // Each message names where it looked; after the boxes the window keeps the
    // problems, where it looked (once) and the file read.
    const std::string looked = "Szukano w: " + inst.main_dir() + kSeparator;
    EXPECT_EQ(w.messages.shown,
              (std::vector<std::string>{"Brak podkatalogu SCENERY.\n" + looked,
                                        "Brak podkatalogu TEXTURES.\n" + looked}));
    EXPECT_EQ(w.find<QLabel>("Label6")->text(),
              "Brak podkatalogu SCENERY.\nBrak podkatalogu TEXTURES.");
    EXPECT_EQ(w.find<QLabel>("Label7")->text(),
              to_qstring(looked + "\n" + cp1250("Plik ustawień: ") + inst.tree.path("ferwis.ini")));
    expect_enabled(w, {"File1", "Command1", "Command2", "Command3"}, false);
    EXPECT_EQ(w.find<QComboBox>("Combo1")->count(), 0);
    EXPECT_TRUE(w.find<QLabel>("Label5")->text().isEmpty());
}

TEST(main_window, a_display_lists_the_category_and_copies_the_selection_in_list_order) {
    Installation inst;
    inst.write_complete_ini();
    inst.tree.write("wynik.txt", crlf({"\"p0\",\"U\"", "\"q\",\"UD\"", "\"p1\",\"u\"",
                                       "\"p2\",\"U\"", "\"p3\",\"U\""}));
    StartedWindow w(inst);
    w.find<QPushButton>("Command2")->click();
    auto* list1 = w.find<QListWidget>("List1");
    EXPECT_EQ(item_texts(*list1), QStringList({"p0", "p1", "p2", "p3"}));
    EXPECT_EQ(w.find<QLabel>("Label3")->text(), "4");
    for (const int row : {3, 0, 2}) {
        list1->item(row)->setSelected(true);
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "p0\r\np2\r\np3");
    EXPECT_EQ(w.find<QLabel>("ShownCategory")->text(), utf8("Używane sceneryjne"));

    // Another category chosen: the list is not shown under its name.
    w.find<QComboBox>("Combo1")->setCurrentIndex(4);
    EXPECT_EQ(list1->count(), 0);
    EXPECT_TRUE(w.find<QLabel>("Label3")->text().isEmpty());
    EXPECT_TRUE(w.find<QLabel>("ShownCategory")->text().isEmpty());
    w.find<QPushButton>("Command2")->click();
    EXPECT_EQ(item_texts(*list1), QStringList({"q"}));
    EXPECT_EQ(w.find<QLabel>("ShownCategory")->text(), utf8("Używane *.wav DYNAMIC"));
}

TEST(main_window, a_failed_analysis_says_so_and_ends_the_program) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.find<QListWidget>("File1")->item(0)->setSelected(true);
    w.window.set_analysis_run([](const AnalysisSettings&, const std::vector<std::string>&,
                                 const std::string&, Progress&) -> PassedOver {
        throw AnalysisFailure(FileError("/sym/models/x.t3d", "Permission denied"));
    });

    w.find<QPushButton>("Command1")->click();
    // The first sentence as it always was; the file and the reason follow.
    EXPECT_EQ(w.messages.shown, std::vector<std::string>{cp1250(
                                    "Wystąpił błąd. Dalsze działanie programu zostało przerwane.\n"
                                    "Plik: /sym/models/x.t3d\nPrzyczyna: Permission denied")});
    EXPECT_EQ(w.program_ends, 1);
}

TEST(main_window, an_analysis_gives_the_window_back_and_a_close_request_ends_it_early) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.window.show();
    w.find<QListWidget>("File1")->item(0)->setSelected(true);
    w.find<QLabel>("Label3")->setText("7");
    w.find<QPushButton>("Command1")->click(); // the real analysis of the installation
    EXPECT_TRUE(inst.tree.exists("wynik.txt"));
    EXPECT_TRUE(w.messages.shown.empty());
    EXPECT_TRUE(w.find<QLabel>("Label3")->text().isEmpty());
    EXPECT_TRUE(w.find<QLabel>("Label7")->text().isEmpty());
    // What the run found stays on the status line until the next action.
    EXPECT_TRUE(QRegularExpression(utf8("^Analiza zakończona w [0-9 ]+,[0-9] s\\. U: [0-9]+, N: "
                                        "[0-9]+, B: [0-9]+, W: [0-9]+, UD: [0-9]+, BD: [0-9]+\\.$"))
                    .match(w.find<QLabel>("Label6")->text())
                    .hasMatch())
        << w.find<QLabel>("Label6")->text().toStdString();
    w.find<QPushButton>("Command2")->click();
    EXPECT_TRUE(w.find<QLabel>("Label6")->text().isEmpty());
    expect_enabled(w, {"File1", "Command1", "Command2", "Command3"}, true);

    std::vector<std::string> seen_selected;
    bool reached_end = false;
    w.window.set_analysis_run([&](const AnalysisSettings&, const std::vector<std::string>& selected,
                                  const std::string&, Progress& progress) -> PassedOver {
        seen_selected = selected;
        progress.set_status(cp1250("FAZA - Czytanie scenerii..."));
        EXPECT_EQ(w.find<QLabel>("Label6")->text(), utf8("FAZA - Czytanie scenerii..."));
        expect_enabled(w, {"File1", "Command1", "Command2", "Command3"}, false);
        w.window.close(); // the user closes the window while the run lets events in
        EXPECT_TRUE(w.window.isVisible());
        let_events_run(progress);
        reached_end = true;
        return PassedOver{};
    });

    w.find<QPushButton>("Command1")->click();
    EXPECT_EQ(seen_selected, std::vector<std::string>{"A.SCN"});
    EXPECT_FALSE(reached_end);
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_TRUE(w.messages.shown.empty());
    EXPECT_EQ(w.program_ends, 0);
}

TEST(main_window, a_delete_offers_the_trash_or_for_good_and_leaves_its_summary) {
    using Choice = Questions::DeleteChoice;
    const struct {
        const char* what;
        Choice answer;
        bool in_trash;
        const char* summary;
    } cases[] = {
        {"Do kosza", Choice::Trash, true, "Przeniesiono do kosza plików: 1 (4 B), pominięto: 0."},
        {"Usuń trwale", Choice::Permanent, false, "Usunięto trwale plików: 1 (4 B), pominięto: 0."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Installation inst;
        inst.write_one_used_file();
        // The trash of a person of its own, inside the test's folder.
        const QByteArray data_home = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(inst.tree.path("data")));
        StartedWindow w(inst);
        w.questions.delete_answers = {c.answer};
        w.find<QRadioButton>("Option3")->click();
        EXPECT_TRUE(w.find<QRadioButton>("Option4")->isChecked()); // the groups are independent

        w.find<QPushButton>("Command3")->click();
        qputenv("XDG_DATA_HOME", data_home);
        ASSERT_EQ(w.questions.asked.size(), 1u);
        EXPECT_TRUE(
            test::contains(w.questions.asked.front(), cp1250("Ilość plików do usunięcia: 1")));
        EXPECT_FALSE(inst.tree.exists("sym/Textures/a.dds"));
#ifndef _WIN32 // the Recycle Bin has no place below the test's folder to look into
        EXPECT_EQ(inst.tree.exists("data/Trash/files/a.dds"), c.in_trash);
#endif
        EXPECT_FALSE(inst.tree.exists("wynik.txt"));
        EXPECT_EQ(w.find<QLabel>("Label6")->text(), utf8(c.summary));
        expect_enabled(w, {"Command2", "Command3"}, false);
    }
}

TEST(main_window, a_preview_changes_nothing_and_a_copy_keeps_the_list) {
    Installation inst;
    inst.write_one_used_file();
    StartedWindow w(inst);
    auto* execute = w.find<QPushButton>("Command3");
    ASSERT_EQ(execute->actions().size(), 1);

    // Copy asks nothing; its preview comes from the button's menu.
    execute->actions().front()->trigger();
    ASSERT_EQ(w.questions.previews.size(), 1u);
    EXPECT_TRUE(
        test::contains(w.questions.previews[0], cp1250("kopiowanie: ") + inst.main_dir() +
                                                    test::separated("/Textures/a.dds -> ")));
    EXPECT_FALSE(inst.tree.exists("kopia/Textures"));

    // The copy takes nothing away: the result stays listed.
    w.find<QPushButton>("Command2")->click();
    execute->click();
    EXPECT_TRUE(w.questions.asked.empty());
    EXPECT_TRUE(inst.tree.exists("kopia/Textures/a.dds"));
    EXPECT_EQ(w.find<QLabel>("Label6")->text(), utf8("Skopiowano plików: 1 (4 B), pominięto: 0."));
    EXPECT_EQ(w.find<QListWidget>("List1")->count(), 1);

    // A delete: the preview, the question again, then Anuluj.
    w.questions.delete_answers = {Questions::DeleteChoice::Preview,
                                  Questions::DeleteChoice::Cancel};
    w.find<QRadioButton>("Option3")->click();
    execute->click();
    EXPECT_EQ(w.questions.asked.size(), 2u);
    ASSERT_EQ(w.questions.previews.size(), 2u);
    EXPECT_TRUE(test::contains(w.questions.previews[1], cp1250("do kosza: ") + inst.main_dir()));
    EXPECT_TRUE(inst.tree.exists("sym/Textures/a.dds"));
    EXPECT_TRUE(inst.tree.exists("wynik.txt"));
    EXPECT_TRUE(w.find<QLabel>("Label6")->text().isEmpty());
}

TEST(main_window, a_move_keeps_the_analysis_off_while_it_runs_and_the_result_file_after) {
    Installation inst;
    inst.write_one_used_file();
    StartedWindow w(inst);
    w.window.show();
    w.find<QPushButton>("Command2")->click();
    ASSERT_EQ(w.find<QListWidget>("List1")->count(), 1);
    w.find<QRadioButton>("Option2")->click();
    w.questions.move_answers = {Questions::MoveChoice::Preview, Questions::MoveChoice::Move};
    // A click in the scenery list while the move lets events run must not open
    // the way to an analysis in the middle of it.
    std::optional<bool> analyse_during_move;
    QTimer::singleShot(0, &w.window, [&] {
        w.find<QListWidget>("File1")->item(0)->setSelected(true);
        analyse_during_move = enabled(w, "Command1");
    });
    w.find<QPushButton>("Command3")->click();
    EXPECT_EQ(analyse_during_move, std::optional<bool>(false));
    // Asked first, naming the folder the files go to; asked again after the preview.
    ASSERT_EQ(w.questions.asked.size(), 2u);
    EXPECT_EQ(w.questions.previews.size(), 1u);
    EXPECT_TRUE(test::contains(w.questions.asked.front(), inst.copy_dir()));
    EXPECT_EQ(w.find<QLabel>("Label6")->text(),
              utf8("Przeniesiono plików: 1 (4 B), pominięto: 0."));
    EXPECT_TRUE(inst.tree.exists("kopia/Textures/a.dds"));
    EXPECT_FALSE(inst.tree.exists("sym/Textures/a.dds"));
    EXPECT_FALSE(inst.tree.exists("wynik.txt"));
    EXPECT_TRUE(enabled(w, "Command1")); // the scenery is still selected
    expect_enabled(w, {"Command2", "Command3"}, false);
    // The list no longer shows a result that is gone.
    EXPECT_EQ(w.find<QListWidget>("List1")->count(), 0);
    EXPECT_TRUE(w.find<QLabel>("Label3")->text().isEmpty());
    EXPECT_TRUE(w.find<QLabel>("Label7")->text().isEmpty());
}

// The end message of a move offers "Cofnij", which puts the file back and
// says that the result is gone.
TEST(main_window, cofnij_after_a_move_puts_the_file_back) {
    Installation inst;
    inst.write_one_used_file();
    StartedWindow w(inst);
    w.find<QRadioButton>("Option2")->click();
    w.questions.undo_answer = true;
    w.find<QPushButton>("Command3")->click();
    ASSERT_EQ(w.questions.offered.size(), 1u);
    EXPECT_TRUE(test::contains(w.questions.offered[0], cp1250("przyciskiem „Cofnij”")));
    EXPECT_EQ(inst.tree.read("sym/Textures/a.dds"), "aaaa");
    EXPECT_FALSE(inst.tree.exists("kopia/Textures/a.dds"));
    ASSERT_EQ(w.messages.shown.size(), 1u);
    EXPECT_EQ(w.messages.shown[0], cp1250("Przywrócono plików: 1 (4 B), pominięto: 0.\n"
                                          "Wynik analizy został usunięty. Przeprowadź analizę "
                                          "ponownie."));
    expect_enabled(w, {"Command2", "Command3"}, false);
}

// A file at the target that differs from its source is replaced only on the
// person's word, asked once; one with the same bytes is already there.
TEST(main_window, a_copy_asks_once_before_replacing_a_different_file_at_the_target) {
    Installation inst;
    inst.write_one_used_file();
    inst.tree.write("kopia/Textures/a.dds", "edit");
    StartedWindow w(inst);
    auto* execute = w.find<QPushButton>("Command3");
    const struct {
        Questions::OverwriteChoice answer;
        const char* kept;
        const char* summary;
    } cases[] = {
        {Questions::OverwriteChoice::Cancel, "edit", ""},
        {Questions::OverwriteChoice::Skip, "edit", "Skopiowano plików: 0 (0 B), pominięto: 1."},
        {Questions::OverwriteChoice::Replace, "aaaa", "Skopiowano plików: 1 (4 B), pominięto: 0."},
    };
    for (const auto& c : cases) {
        w.questions.asked.clear();
        w.questions.overwrite_answers = {c.answer};
        execute->click();
        ASSERT_EQ(w.questions.asked.size(), 1u);
        EXPECT_TRUE(test::contains(w.questions.asked[0], cp1250("o tych samych nazwach: 1")));
        EXPECT_EQ(inst.tree.read("kopia/Textures/a.dds"), c.kept);
        EXPECT_EQ(w.find<QLabel>("Label6")->text(), utf8(c.summary));
    }
    w.questions.asked.clear();
    execute->click();
    EXPECT_TRUE(w.questions.asked.empty());
    EXPECT_EQ(w.find<QLabel>("Label6")->text(),
              utf8("Skopiowano plików: 0 (0 B), pominięto: 0, już były na miejscu: 1."));
}

// wynik.txt with a selected scenery, a texture it names and an unused file,
// and its places.
struct ShownResult {
    ShownResult() {
        ResultFileWriter result(result_path());
        for (const auto& [path, code] : entries) {
            result.add(path, code);
        }
        ProvenanceFileWriter places(result_path(), result.finish());
        places.add(0, "", 0);
        places.add(1, "/m/scenery/a.scn", 7);
        places.add(3, "/m/scenery/a.scn", 8);
        places.commit();
        result.commit();
        list.resize(400, 200);
    }
    std::string result_path() const { return tree.path("wynik.txt"); }
    void fill() {
        fill_result_list(list, {entries[0].first, entries[1].first, entries[2].first});
        show_provenance(list, result_path(), "/m/", messages);
    }
    std::unique_ptr<QMenu> menu_of(int entry) {
        return std::unique_ptr<QMenu>(
            provenance_menu(list, list.visualItemRect(list.item(entry)).center()));
    }

    const std::vector<std::pair<std::string, std::string>> entries = {{"/m/scenery/a.scn", "U"},
                                                                      {"/m/textures/b.dds", "U"},
                                                                      {"/m/textures/c.dds", "N"},
                                                                      {"/m/textures/c.tga", "B"}};
    test::TempTree tree;
    test::RecordingMessages messages;
    QListWidget list;
};

TEST(result_list, entries_show_their_place_and_chain_until_another_category_is_shown) {
    ShownResult shown;
    shown.fill();
    EXPECT_EQ(shown.list.item(0)->toolTip(), QString::fromUtf8("sceneria wybrana do analizy"));
    EXPECT_EQ(shown.list.item(1)->toolTip(), "/m/scenery/a.scn:7");
    EXPECT_TRUE(shown.list.item(2)->toolTip().isEmpty());

    const auto menu = shown.menu_of(1);
    ASSERT_TRUE(menu);
    QAction* action = menu->actions().value(0);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8("Pokaż pochodzenie"));
    action->trigger();
    EXPECT_EQ(shown.messages.shown,
              std::vector<std::string>{"U /m/textures/b.dds\n  <- /m/scenery/a.scn:7\n"});
    EXPECT_EQ(shown.messages.titles, std::vector<std::string>{"Pochodzenie pliku"});
    // An unused file has no place to show.
    EXPECT_FALSE(shown.menu_of(2)->actions().value(0)->isEnabled());

    // A missing file: its first likely match in the tooltip, all under its chain.
    fill_result_list(shown.list, {shown.entries[3].first});
    show_provenance(shown.list, shown.result_path(), "/m/", shown.messages);
    EXPECT_EQ(shown.list.item(0)->toolTip(),
              "/m/scenery/a.scn:8\n? /m/textures/c.dds (ta sama nazwa z innym rozszerzeniem)");
    shown.menu_of(0)->actions().value(0)->trigger();
    EXPECT_EQ(shown.messages.shown.back(), "B /m/textures/c.tga\n  <- /m/scenery/a.scn:8\n  ? "
                                           "/m/textures/c.dds (ta sama nazwa z innym "
                                           "rozszerzeniem)\n");

    // Another category shown: the places go with the entries they belonged to.
    fill_result_list(shown.list, {"/m/textures/b.dds"});
    EXPECT_TRUE(shown.list.item(0)->toolTip().isEmpty());
    EXPECT_FALSE(shown.menu_of(0));
}

TEST(main_window, a_delete_keeps_what_a_scenery_outside_the_analysis_uses_while_ticked) {
    Installation inst;
    inst.write_complete_ini();
    inst.tree.write("sym/Scenery/b.scn", crlf({"node -1 0 t triangles wspolna.dds", "endtri"}));
    inst.tree.write("sym/Textures/wspolna.dds", "used");
    StartedWindow w(inst);
    w.questions.delete_answers = {Questions::DeleteChoice::Permanent};
    for (const bool keep : {true, false}) {
        w.questions.keep_used = keep;
        w.find<QListWidget>("File1")->item(0)->setSelected(true); // A.SCN only
        w.find<QPushButton>("Command1")->click();
        w.find<QRadioButton>("Option3")->click();
        w.find<QRadioButton>("Option5")->click();
        w.find<QPushButton>("Command3")->click();
        EXPECT_EQ(inst.tree.exists("sym/Textures/wspolna.dds"), keep);
        EXPECT_TRUE(test::contains(w.questions.asked.back(), "b.scn"));
    }
    EXPECT_EQ(w.questions.keep_offered, 2);
}

// The installed program's first start: a folder that is no main directory is
// said and asked again, the next one is written to ferwis.ini and the window
// opens on it. Cancelled, the window says what it says without ferwis.ini.
TEST(main_window, first_start_asks_for_the_main_directory) {
    Installation inst;
    const ProgramPaths paths{true, inst.tree.path("cfg/"), inst.tree.path("data/")};
    StartedWindow cancelled(inst, paths);
    ASSERT_EQ(cancelled.messages.shown.size(), 2u);
    EXPECT_TRUE(test::contains(cancelled.messages.shown[1], "Brak pliku ferwis.ini"));
    EXPECT_FALSE(enabled(cancelled, "File1"));
    StartedWindow w(inst, paths,
                    {cp1250_to_utf8(inst.tree.path("nie_ma")), cp1250_to_utf8(inst.main_dir())});
    ASSERT_EQ(w.messages.shown.size(), 2u);
    EXPECT_EQ(w.messages.shown[1].rfind(text(Text::MainFolderMissing), 0), 0u);
    EXPECT_TRUE(enabled(w, "File1"));
    EXPECT_EQ(w.find<QLabel>("Label7")->text(), to_qstring(paths.config_path()));
    EXPECT_TRUE(inst.tree.exists("data/"));
}

} // namespace
} // namespace ferwis
