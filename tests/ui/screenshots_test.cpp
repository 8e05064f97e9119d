// Renders the windows and the confirmations to PNG files in the build tree, for
// a person to compare with the design; the checks here only make sure the
// pictures show what they are meant to.

#include "common/catalogue.h"
#include "common/errors.h"
#include "results/operation_preview.h"
#include "ui/help_window.h"
#include "ui/message_box.h"
#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace ferwis {
namespace {

QString screenshot(const char* name) {
    const QDir dir(QStringLiteral(FERWIS_SCREENSHOT_DIR));
    dir.mkpath(QStringLiteral("."));
    return dir.filePath(QString::fromLatin1(name));
}

// Saves the next modal box as file, then closes it with Escape.
void save_next_box(const char* file) {
    QTimer::singleShot(0, [file] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->grab().save(screenshot(file)));
        box->close();
    });
}

TEST(screenshots, the_main_window_after_an_analysis_the_help_window_and_the_questions) {
    // The sample installation, read where it lies: the analysis only reads it.
    test::TempTree program;
    program.write("ferwis.ini",
                  test::crlf({"[sciezka_dostepu]", FERWIS_SAMPLE_DIR, "[domyslne_rozszerzenie]",
                              "dds", "[sciezka_kopiowania_przesuwania]", program.path("kopia"),
                              "[pomijane_foldery_pliki]", "textures/tabor/"}));
    test::RecordingMessages messages;
    MainWindow window(messages, program.root(), [] {});
    window.load();
    window.show();
    auto* sceneries = window.findChild<QListWidget*>(QStringLiteral("File1"));
    ASSERT_EQ(sceneries->count(), 2);
    sceneries->item(0)->setSelected(true);
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    window.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(4);
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    EXPECT_GT(window.findChild<QListWidget*>(QStringLiteral("List1"))->count(), 0);
    EXPECT_TRUE(messages.shown.empty());
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(screenshot("form1.png")));

    HelpWindow help(&window);
    help.show();
    QApplication::processEvents();
    EXPECT_TRUE(help.grab().save(screenshot("frmhelp.png")));
    help.close();

    MessageBoxQuestions questions(&window);
    save_next_box("question_delete.png");
    questions.choose_delete(delete_choice(7, 679));
    save_next_box("question_move.png");
    questions.choose_move(move_confirmation(7, 679, program.path("kopia/")));
    OperationRequest request;
    request.code = ResultCode::N;
    save_next_box("preview_copy.png");
    questions.show_preview(operation_preview({FERWIS_SAMPLE_DIR "/", program.path("kopia/")},
                                             request, program.path("wynik.txt")));
    MessageBoxMessages messages_box;
    messages_box.set_parent(&window);
    save_next_box("message_settings.png");
    messages_box.show(failure_text(ConfigurationProblem(
        Text::SettingsMissing, missing_setting("[sciezka_kopiowania_przesuwania]", false))));
}

} // namespace
} // namespace ferwis
