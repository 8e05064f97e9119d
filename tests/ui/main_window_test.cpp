#include "app/ui/main_window.h"

#include "analysis/analysis_failure.h"
#include "app/ui/twips.h"
#include "common/native_path.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <filesystem>
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

TEST(main_window, a_complete_configuration_gives_the_window_its_function) {
    Installation inst;
    inst.write_complete_ini();
    inst.tree.write("wynik.txt", "\"a\",\"U\"\r\n");
    StartedWindow w(inst);

    EXPECT_TRUE(w.messages.shown.empty());
    auto* file1 = w.find<QListWidget>("File1");
    EXPECT_TRUE(file1->isEnabled());
    QStringList names;
    for (int i = 0; i < file1->count(); ++i) {
        names << file1->item(i)->text();
    }
    EXPECT_EQ(names, QStringList({"A.SCN", "b.scn", utf8("łódź.scn")}));

    auto* combo1 = w.find<QComboBox>("Combo1");
    QStringList categories;
    for (int i = 0; i < combo1->count(); ++i) {
        categories << combo1->itemText(i);
    }
    EXPECT_EQ(
        categories,
        QStringList({utf8("Używane sceneryjne"), utf8("Nieużywane"), utf8("Braki sceneryjne"),
                     utf8("Wyjątki"), utf8("Używane *.wav DYNAMIC"), utf8("Braki *.wav DYNAMIC")}));
    EXPECT_EQ(combo1->currentIndex(), 0);
    EXPECT_FALSE(combo1->isEditable());

    EXPECT_EQ(w.find<QLabel>("Label5")->text().toStdString(), inst.copy_dir() + "/");
    EXPECT_FALSE(enabled(w, "Command1"));
    EXPECT_TRUE(enabled(w, "Command2"));
    EXPECT_TRUE(enabled(w, "Command3"));
    EXPECT_EQ(w.window.state().main_dir, inst.main_dir() + "/");
}

TEST(main_window, a_broken_configuration_leaves_only_help_and_close) {
    struct Case {
        const char* what;
        std::optional<std::string> ini; // nothing: no file at all
        std::vector<std::string> removed_folders;
        std::vector<const char*> messages;
    };
    Installation inst;
    const std::string main_dir = inst.main_dir();
    const std::string copy = inst.copy_dir();
    const Case cases[] = {
        {"missing file", std::nullopt, {}, {"Brak pliku ferwis.ini"}},
        {"nine bytes", std::string("[abcdefg]"), {}, {"Plik ferwis.ini jest pusty."}},
        {"missing sub-directories",
         crlf({"[sciezka_dostepu]", main_dir, "[domyslne_rozszerzenie]", "dds",
               "[sciezka_kopiowania_przesuwania]", copy}),
         {"sym/Scenery", "sym/Textures"},
         {"Brak podkatalogu SCENERY.", "Brak podkatalogu TEXTURES."}},
        {"no copy path",
         crlf({"[sciezka_dostepu]", main_dir, "[domyslne_rozszerzenie]", "dds"}),
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installation broken;
        if (c.ini) {
            // The main directory of this installation, not of the one above.
            std::string ini = *c.ini;
            if (const auto at = ini.find(main_dir); at != std::string::npos) {
                ini.replace(at, main_dir.size(), broken.main_dir());
            }
            broken.tree.write("ferwis.ini", ini);
        }
        for (const auto& folder : c.removed_folders) {
            std::filesystem::remove_all(to_native(broken.tree.path(folder)));
        }
        broken.tree.write("wynik.txt", "\"a\",\"U\"\r\n");
        StartedWindow w(broken);

        std::vector<std::string> expected;
        for (const char* message : c.messages) {
            expected.push_back(cp1250(message));
        }
        EXPECT_EQ(w.messages.shown, expected);
        for (const char* name : {"File1", "Command1", "Command2", "Command3"}) {
            EXPECT_FALSE(enabled(w, name)) << name;
        }
        EXPECT_TRUE(enabled(w, "Command4"));
        EXPECT_EQ(w.find<QComboBox>("Combo1")->count(), 0);
        EXPECT_TRUE(w.find<QLabel>("Label5")->text().isEmpty());
    }
}

TEST(main_window, a_result_file_of_four_bytes_enables_display_and_execute) {
    for (const auto& [content, available] :
         {std::pair<const char*, bool>{"abc", false}, {"abcd", true}}) {
        Installation inst;
        inst.write_complete_ini();
        inst.tree.write("wynik.txt", content);
        StartedWindow w(inst);
        EXPECT_EQ(enabled(w, "Command2"), available) << content;
        EXPECT_EQ(enabled(w, "Command3"), available) << content;
    }
}

TEST(main_window, the_analyse_button_follows_the_scenery_selection) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    auto* file1 = w.find<QListWidget>("File1");

    file1->item(2)->setSelected(true);
    EXPECT_TRUE(enabled(w, "Command1"));
    file1->item(0)->setSelected(true);
    file1->item(2)->setSelected(false);
    EXPECT_TRUE(enabled(w, "Command1"));
    file1->item(0)->setSelected(false);
    EXPECT_FALSE(enabled(w, "Command1"));
}

TEST(main_window, tab_visits_the_controls_in_design_order) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    const QStringList expected = {"File1",   "Command1", "Combo1",  "Command2", "List1",
                                  "Option1", "Option2",  "Option4", "Option5",  "Command3",
                                  "Option3", "Option6",  "Command4"};
    QStringList visited;
    QWidget* widget = w.find<QWidget>("File1");
    do {
        if (expected.contains(widget->objectName())) {
            visited << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != w.find<QWidget>("File1"));
    EXPECT_EQ(visited, expected);
}

TEST(main_window, the_controls_stand_where_the_design_puts_them) {
    Installation inst;
    StartedWindow w(inst);
    const Twips t(w.window);
    EXPECT_EQ(w.window.size(), QSize(t.x(14490), t.y(10665)));
    EXPECT_EQ(w.window.minimumSize(), w.window.maximumSize());
    EXPECT_EQ(w.window.windowTitle(), "Ferwis");

    struct Place {
        const char* name;
        const char* container;
        int left, top, width, height;
    };
    const Place places[] = {
        {"Frame1", "Form1", 0, 120, 5655, 5295},
        {"Frame2", "Form1", 6000, 360, 8295, 10215},
        {"Frame3", "Frame2", 120, 240, 4695, 1815},
        {"Frame4", "Frame2", 120, 2280, 7695, 5415},
        {"Frame5", "Frame2", 360, 7800, 7455, 2175},
        {"Frame6", "Frame5", 240, 240, 1695, 1335},
        {"Frame7", "Frame5", 2160, 240, 3375, 1335},
        {"Frame8", "Form1", 120, 5640, 5655, 4695},
        {"File1", "Frame1", 240, 240, 5055, 4185},
        {"Command1", "Frame1", 2040, 4680, 1215, 375},
        {"Label1", "Frame3", 960, 600, 1095, 375},
        {"Combo1", "Frame3", 2160, 600, 2295, 315},
        {"Command2", "Frame3", 2400, 1080, 1695, 495},
        {"List1", "Frame4", 360, 360, 7095, 4155},
        {"Label2", "Frame4", 360, 4800, 375, 255},
        {"Label3", "Frame4", 840, 4800, 735, 255},
        {"Option1", "Frame6", 240, 240, 1215, 255},
        {"Option2", "Frame6", 240, 600, 1335, 255},
        {"Option3", "Frame6", 240, 840, 1215, 375},
        {"Option4", "Frame7", 120, 240, 2295, 255},
        {"Option5", "Frame7", 120, 600, 1335, 255},
        {"Option6", "Frame7", 120, 960, 3015, 255},
        {"Command3", "Frame5", 5640, 600, 1575, 495},
        {"Label4", "Frame5", 120, 1680, 2535, 255},
        {"Label5", "Frame5", 2640, 1680, 4695, 255},
        {"Label6", "Frame8", 240, 600, 5175, 975},
        {"Label7", "Frame8", 240, 2160, 5175, 2415},
        {"Command4", "Form1", 9960, 0, 975, 375},
    };
    for (const Place& p : places) {
        const QWidget* control = w.find<QWidget>(p.name);
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->parentWidget()->objectName(), p.container) << p.name;
        const QRect design = t.rect(p.left, p.top, p.width, p.height);
        EXPECT_EQ(control->pos(), design.topLeft()) << p.name;
        EXPECT_EQ(control->height(), design.height()) << p.name;
        // A caption may take free room at its right when the font is wider than the design's.
        const bool caption = QString(p.name).startsWith("Option") ||
                             QStringList({"Label1", "Label2", "Label4"}).contains(p.name);
        if (caption) {
            EXPECT_GE(control->width(), design.width()) << p.name;
        } else {
            EXPECT_EQ(control->width(), design.width()) << p.name;
        }
    }

    EXPECT_TRUE(w.find<QPushButton>("Command4")->font().bold());
    EXPECT_FALSE(w.find<QPushButton>("Command1")->font().bold());
    EXPECT_DOUBLE_EQ(w.find<QLabel>("Label6")->font().pointSizeF(), 8.25);
    // No fixed caption is cut off, whatever font stands in for the design's.
    for (const char* name : {"Label1", "Label2", "Label4"}) {
        const auto* control = w.find<QLabel>(name);
        QLabel probe(control->text());
        probe.setFont(control->font());
        EXPECT_LE(probe.sizeHint().width(), control->width()) << name;
    }
    for (const char* name : {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6"}) {
        const auto* control = w.find<QRadioButton>(name);
        QRadioButton probe(control->text());
        probe.setFont(control->font());
        EXPECT_LE(probe.sizeHint().width(), control->width()) << name;
    }
    for (const char* name : {"Label6", "Label7"}) {
        const QLabel* status = w.find<QLabel>(name);
        EXPECT_TRUE(status->wordWrap());
        EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }

    // The two option groups are independent.
    w.find<QRadioButton>("Option3")->click();
    w.find<QRadioButton>("Option5")->click();
    EXPECT_FALSE(w.find<QRadioButton>("Option1")->isChecked());
    EXPECT_TRUE(w.find<QRadioButton>("Option3")->isChecked());
    EXPECT_FALSE(w.find<QRadioButton>("Option4")->isChecked());
    EXPECT_TRUE(w.find<QRadioButton>("Option5")->isChecked());
}

TEST(main_window, a_display_without_result_file_still_ends_with_the_commands_enabled) {
    Installation inst;
    inst.write_complete_ini();
    inst.tree.write("wynik.txt", "\"a\",\"U\"\r\n");
    StartedWindow w(inst);
    std::filesystem::remove(to_native(inst.tree.path("wynik.txt")));

    w.find<QListWidget>("File1")->item(1)->setSelected(true);
    w.find<QPushButton>("Command2")->click();
    EXPECT_EQ(w.find<QListWidget>("List1")->count(), 0);
    EXPECT_TRUE(w.find<QLabel>("Label3")->text().isEmpty());
    EXPECT_TRUE(w.messages.shown.empty());
    for (const char* name : {"Command1", "Command2", "Command3"}) {
        EXPECT_TRUE(enabled(w, name)) << name;
    }

    // Without a selected scenery the analyse button stays off after a display.
    w.find<QListWidget>("File1")->clearSelection();
    w.find<QPushButton>("Command2")->click();
    EXPECT_FALSE(enabled(w, "Command1"));
    EXPECT_TRUE(enabled(w, "Command2"));
}

TEST(main_window, an_analysis_gives_the_window_back_when_it_ends) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.find<QListWidget>("File1")->item(0)->setSelected(true);
    w.find<QLabel>("Label3")->setText("7");

    w.find<QPushButton>("Command1")->click();
    EXPECT_EQ(w.program_ends, 0);
    EXPECT_TRUE(w.find<QLabel>("Label3")->text().isEmpty());
    for (const char* name : {"File1", "Command1", "Command2", "Command3"}) {
        EXPECT_TRUE(enabled(w, name)) << name;
    }
    EXPECT_TRUE(w.find<QLabel>("Label6")->text().isEmpty());
    EXPECT_TRUE(w.find<QLabel>("Label7")->text().isEmpty());
    EXPECT_EQ(w.window.cursor().shape(), Qt::ArrowCursor);
}

TEST(main_window, a_failed_analysis_says_so_and_ends_the_program) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.find<QListWidget>("File1")->item(0)->setSelected(true);
    w.window.set_analysis_run([](AppState&, const std::vector<std::string>&, const std::string&,
                                 Progress&) { throw AnalysisFailure("models/x.t3d: unreadable"); });

    w.find<QPushButton>("Command1")->click();
    EXPECT_EQ(w.messages.shown,
              std::vector<std::string>{
                  cp1250("Wystąpił błąd. Dalsze działanie programu zostało przerwane.")});
    EXPECT_EQ(w.program_ends, 1);
}

TEST(main_window, a_close_request_during_an_analysis_ends_the_run_and_then_the_window) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.window.show();
    w.find<QListWidget>("File1")->item(0)->setSelected(true);
    std::vector<std::string> seen_selected;
    bool reached_end = false;
    w.window.set_analysis_run([&](AppState&, const std::vector<std::string>& selected,
                                  const std::string&, Progress& progress) {
        seen_selected = selected;
        progress.set_status(cp1250("FAZA - Czytanie scenerii..."));
        EXPECT_EQ(w.find<QLabel>("Label6")->text(), utf8("FAZA - Czytanie scenerii..."));
        for (const char* name : {"File1", "Command1", "Command2", "Command3"}) {
            EXPECT_FALSE(enabled(w, name)) << name;
        }
        EXPECT_EQ(w.window.cursor().shape(), Qt::WaitCursor);
        w.window.close(); // the user closes the window while the run lets events in
        EXPECT_TRUE(w.window.isVisible());
        let_events_run(progress);
        reached_end = true;
    });

    w.find<QPushButton>("Command1")->click();
    EXPECT_EQ(seen_selected, std::vector<std::string>{"A.SCN"});
    EXPECT_FALSE(reached_end);
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_TRUE(w.messages.shown.empty());
    EXPECT_EQ(w.program_ends, 0);
}

TEST(main_window, a_delete_is_asked_for_first_and_cancel_changes_nothing) {
    Installation inst;
    inst.write_complete_ini();
    inst.tree.write("wynik.txt", "\"a\",\"U\"\r\n");
    StartedWindow w(inst, /*confirm_reply=*/false);
    w.find<QRadioButton>("Option3")->click();

    w.find<QPushButton>("Command3")->click();
    EXPECT_EQ(w.messages.asked.size(), 1u);
    EXPECT_TRUE(inst.tree.exists("wynik.txt"));
    EXPECT_TRUE(w.find<QLabel>("Label6")->text().isEmpty());
    EXPECT_TRUE(enabled(w, "Command2"));
    EXPECT_TRUE(enabled(w, "Command3"));
}

} // namespace
} // namespace ferwis
