// The texts a person sees: every caption of the window shows whole at the
// design's font size, accents included, and every control lies inside its
// frame; the message boxes speak Polish.

#include "common/code_page.h"
#include "ui/form_controls.h"
#include "ui/message_box.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string_view>

namespace ferwis {
namespace {

using test::Installation;
using test::StartedWindow;

TEST(form_geometry, captions_show_whole_and_controls_stay_inside_their_frames) {
    if (!QFontDatabase::hasFamily(design_font(8.25).family())) {
        GTEST_SKIP() << "no font of the design's widths here (the offscreen platform of the "
                        "Windows build has none; the window itself is pictured under wine)";
    }
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.window.show();
    QApplication::processEvents();
    // A top-aligned label draws its ink from its ascent down: the accents too
    // must lie inside it.
    for (const char* name : {"Label1", "Label2", "Label4"}) {
        SCOPED_TRACE(name);
        const auto* label = w.find<QLabel>(name);
        const QFontMetrics metrics = label->fontMetrics();
        const QRect inside = label->contentsRect();
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 8.25);
        EXPECT_TRUE(label->rect().contains(
            metrics.tightBoundingRect(label->text())
                .translated(inside.left(), inside.top() + metrics.ascent())));
        EXPECT_LE(metrics.horizontalAdvance(label->text()), inside.width());
    }
    for (const QRadioButton* option : w.window.findChildren<QRadioButton*>()) {
        SCOPED_TRACE(option->objectName().toStdString());
        EXPECT_DOUBLE_EQ(option->font().pointSizeF(), 8.25);
        EXPECT_LE(option->sizeHint().width(), option->width());
        EXPECT_LE(option->fontMetrics().height(), option->height());
    }
    for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
        SCOPED_TRACE(name);
        const auto* button = w.find<QPushButton>(name);
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin,
                  button->width());
    }
    const auto frames = w.window.findChildren<DesignFrame*>();
    ASSERT_EQ(frames.size(), 8);
    for (const DesignFrame* frame : frames) {
        SCOPED_TRACE(frame->objectName().toStdString());
        EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()),
                  frame->inner_rect().width());
        for (const QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            SCOPED_TRACE(control->objectName().toStdString());
            EXPECT_TRUE(frame->inner_rect().contains(control->geometry()));
        }
    }
    // The drop-down list shows its longest entry whole ("Używane *.wav DYNAMIC").
    auto* combo = w.find<QComboBox>("Combo1");
    ASSERT_EQ(combo->count(), 6);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    EXPECT_LE(combo->sizeHint().width(), combo->width());
}

// The message boxes speak Polish: every button caption is the program's own,
// none of the toolkit's English standard buttons or their icons.
TEST(message_box, every_box_has_polish_buttons_no_icon_and_gives_the_pressed_answer) {
    MessageBoxMessages messages;
    MessageBoxQuestions questions(nullptr);
    using Delete = Questions::DeleteChoice;
    using Move = Questions::MoveChoice;
    const auto show = [&] {
        messages.show(cp1250("Brak pliku"));
        return 0;
    };
    const auto confirm = [&] { return static_cast<int>(messages.confirm(cp1250("Czy dalej?"))); };
    const auto remove = [&] {
        return static_cast<int>(questions.choose_delete(cp1250("Usunąć?"), nullptr));
    };
    const auto move = [&] {
        return static_cast<int>(questions.choose_move(cp1250("Przenieść?"), nullptr));
    };
    const auto overwrite = [&] {
        return static_cast<int>(questions.choose_overwrite(cp1250("Zastąpić?")));
    };
    using Overwrite = Questions::OverwriteChoice;
    const QString overwrites = QString::fromUtf8("Anuluj Pomiń Zastąp");
    const QString deletes = QString::fromUtf8("Anuluj Do kosza Podgląd Usuń trwale");
    const QString moves = QString::fromUtf8("Anuluj Podgląd Przenieś");
    const struct {
        std::function<int()> ask;
        const char* press; // empty: Escape
        int answer;
        QString captions; // sorted: the box lays its buttons out by their roles
    } cases[] = {
        {show, "OK", 0, "OK"},
        {show, "Enter", 0, "OK"},
        {confirm, "OK", 1, "Anuluj OK"},
        {confirm, "Anuluj", 0, "Anuluj OK"},
        {confirm, "", 0, "Anuluj OK"},
        {confirm, "Enter", 0, "Anuluj OK"},
        {remove, "Do kosza", static_cast<int>(Delete::Trash), deletes},
        {remove, "Usuń trwale", static_cast<int>(Delete::Permanent), deletes},
        {remove, "Podgląd", static_cast<int>(Delete::Preview), deletes},
        {remove, "Anuluj", static_cast<int>(Delete::Cancel), deletes},
        {remove, "", static_cast<int>(Delete::Cancel), deletes},
        {remove, "Enter", static_cast<int>(Delete::Cancel), deletes},
        {move, "Przenieś", static_cast<int>(Move::Move), moves},
        {move, "Podgląd", static_cast<int>(Move::Preview), moves},
        {move, "Anuluj", static_cast<int>(Move::Cancel), moves},
        {move, "Enter", static_cast<int>(Move::Cancel), moves},
        {overwrite, "Zastąp", static_cast<int>(Overwrite::Replace), overwrites},
        {overwrite, "Pomiń", static_cast<int>(Overwrite::Skip), overwrites},
        {overwrite, "Anuluj", static_cast<int>(Overwrite::Cancel), overwrites},
        {overwrite, "", static_cast<int>(Overwrite::Cancel), overwrites},
        {overwrite, "Enter", static_cast<int>(Overwrite::Skip), overwrites},
    };
    // Enter never takes a file out of the installation or replaces one.
    const std::map<QString, QString> enter_presses = {
        {"OK", "OK"},
        {"Anuluj OK", "Anuluj"},
        {deletes, "Anuluj"},
        {moves, "Anuluj"},
        {overwrites, QString::fromUtf8("Pomiń")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        QStringList captions;
        QString default_caption;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Ferwis");
            EXPECT_TRUE(box->iconPixmap().isNull());
            // The boxes speak in the main window's font, not the system's.
            EXPECT_EQ(box->font().family(), design_font(8.25).family());
            EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 8.25);
            ASSERT_NE(box->defaultButton(), nullptr);
            default_caption = box->defaultButton()->text();
            QAbstractButton* pressed = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                captions << button->text();
                EXPECT_TRUE(button->icon().isNull());
                pressed = button->text() == QString::fromUtf8(c.press) ? button : pressed;
            }
            if (std::string_view(c.press) == "Enter") {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(box, &enter);
            } else {
                pressed != nullptr ? pressed->click() : box->reject();
            }
        });
        EXPECT_EQ(c.ask(), c.answer);
        captions.sort();
        EXPECT_EQ(captions.join(' '), c.captions);
        EXPECT_EQ(default_caption, enter_presses.at(c.captions));
    }
}

} // namespace
} // namespace ferwis
