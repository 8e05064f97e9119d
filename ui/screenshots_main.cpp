// ferwis-screenshots OUT_DIR: renders the main window after an analysis of the
// sample installation, the help window and the confirmations to PNG files in
// OUT_DIR, for a person to compare with the design. Needs no display.

#include "common/catalogue.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/messages.h"
#include "common/native_path.h"
#include "results/operation_preview.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/widget_helpers.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// The window's messages go to the standard error: after an analysis of the
// sample there should be none.
struct PrintedMessages : ferwis::Messages {
    void show(std::string_view text) override {
        std::fprintf(stderr, "ferwis-screenshots: message: %s\n",
                     ferwis::cp1250_to_utf8(text).c_str());
        ++shown;
    }
    bool confirm(std::string_view text) override {
        show(text);
        return true;
    }
    int shown = 0;
};

class Pictures {
public:
    explicit Pictures(const QString& folder) : folder_(folder) { folder_.mkpath("."); }

    void save(QWidget& widget, const char* name) {
        const QString file = folder_.filePath(QString::fromLatin1(name));
        if (!widget.grab().save(file)) {
            std::fprintf(stderr, "ferwis-screenshots: cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    // Saves the next modal box, then closes it as Escape would.
    void save_next_box(const char* name) {
        QTimer::singleShot(0, [this, name] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                save(*box, name);
                box->close();
            } else {
                ++failures;
            }
        });
    }
    int failures = 0;

private:
    QDir folder_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: ferwis-screenshots OUT_DIR\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ferwis::use_design_font();
    Pictures pictures(QString::fromLocal8Bit(argv[1]));

    // The sample installation is read where it lies (the analysis only reads);
    // ferwis.ini and wynik.txt go to a program folder of their own.
    QTemporaryDir program_folder;
    const std::string program =
        ferwis::from_native(std::filesystem::path(program_folder.path().toStdWString())) +
        ferwis::kSeparator;
    const std::string sample = FERWIS_SAMPLE_SOURCE "/";
    std::ofstream(ferwis::to_native(program + "ferwis.ini"), std::ios::binary)
        << "[sciezka_dostepu]\r\n"
        << sample << "\r\n[domyslne_rozszerzenie]\r\ndds\r\n[sciezka_kopiowania_przesuwania]\r\n"
        << program << "kopia\r\n[pomijane_foldery_pliki]\r\ntextures/tabor/\r\n";

    PrintedMessages messages;
    ferwis::MainWindow window(messages, ferwis::portable_paths(program), [] {});
    window.load();
    window.show();
    auto* sceneries = window.findChild<QListWidget*>(QStringLiteral("File1"));
    if (sceneries == nullptr || sceneries->count() == 0) {
        std::fputs("ferwis-screenshots: the sample offers no scenery\n", stderr);
        return 1;
    }
    sceneries->item(0)->setSelected(true);
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    window.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(4);
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QApplication::processEvents();
    pictures.save(window, "form1.png");

    ferwis::HelpWindow help(&window);
    help.show();
    QApplication::processEvents();
    pictures.save(help, "frmhelp.png");
    help.close();

    ferwis::MessageBoxQuestions questions(&window);
    pictures.save_next_box("question_delete.png");
    bool keep_used = true;
    questions.choose_delete(ferwis::delete_choice(7, 679) + "\n\n" +
                                ferwis::used_elsewhere_note(3, 412, {"wola.scn"}, 1),
                            &keep_used);
    pictures.save_next_box("question_move.png");
    questions.choose_move(ferwis::move_confirmation(7, 679, program + "kopia/"), nullptr);
    ferwis::OperationRequest request;
    request.code = ferwis::ResultCode::N;
    pictures.save_next_box("preview_copy.png");
    questions.show_preview(
        ferwis::operation_preview({sample, program + "kopia/"}, request, program + "wynik.txt"));
    pictures.save_next_box("message_undo.png");
    questions.offer_undo(ferwis::operation_summary(ferwis::Text::DoneMoving, 7, 679, 0) + "\n" +
                         ferwis::text(ferwis::Text::UndoOffered));
    ferwis::MessageBoxMessages message_box;
    message_box.set_parent(&window);
    pictures.save_next_box("message_settings.png");
    message_box.show(ferwis::failure_text(ferwis::ConfigurationProblem(
        ferwis::Text::SettingsMissing,
        ferwis::missing_setting("[sciezka_kopiowania_przesuwania]", false))));

    std::fprintf(stderr, "ferwis-screenshots: pictures in %s\n", argv[1]);
    return pictures.failures == 0 && messages.shown == 0 ? 0 : 1;
}
