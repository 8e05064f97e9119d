// The message boxes speak Polish: every button caption is the program's own,
// none of the toolkit's English standard buttons or their icons.

#include "ui/message_box.h"

#include "common/code_page.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace ferwis {
namespace {

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
        return static_cast<int>(questions.choose_delete(cp1250("Usunąć?")));
    };
    const auto move = [&] { return static_cast<int>(questions.choose_move(cp1250("Przenieść?"))); };
    const QString deletes = QString::fromUtf8("Anuluj Do kosza Podgląd Usuń trwale");
    const QString moves = QString::fromUtf8("Anuluj Podgląd Przenieś");
    const struct {
        std::function<int()> ask;
        const char* press; // empty: Escape
        int answer;
        QString captions; // sorted: the box lays its buttons out by their roles
    } cases[] = {
        {show, "OK", 0, "OK"},
        {confirm, "OK", 1, "Anuluj OK"},
        {confirm, "Anuluj", 0, "Anuluj OK"},
        {confirm, "", 0, "Anuluj OK"},
        {remove, "Do kosza", static_cast<int>(Delete::Trash), deletes},
        {remove, "Usuń trwale", static_cast<int>(Delete::Permanent), deletes},
        {remove, "Podgląd", static_cast<int>(Delete::Preview), deletes},
        {remove, "Anuluj", static_cast<int>(Delete::Cancel), deletes},
        {remove, "", static_cast<int>(Delete::Cancel), deletes},
        {move, "Przenieś", static_cast<int>(Move::Move), moves},
        {move, "Podgląd", static_cast<int>(Move::Preview), moves},
        {move, "Anuluj", static_cast<int>(Move::Cancel), moves},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        QStringList captions;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Ferwis");
            EXPECT_TRUE(box->iconPixmap().isNull());
            // Enter accepts: OK, "Do kosza", "Przenieś".
            ASSERT_NE(box->defaultButton(), nullptr);
            EXPECT_EQ(box->buttonRole(box->defaultButton()), QMessageBox::AcceptRole);
            QAbstractButton* pressed = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                captions << button->text();
                EXPECT_TRUE(button->icon().isNull());
                pressed = button->text() == QString::fromUtf8(c.press) ? button : pressed;
            }
            pressed != nullptr ? pressed->click() : box->reject();
        });
        EXPECT_EQ(c.ask(), c.answer);
        captions.sort();
        EXPECT_EQ(captions.join(' '), c.captions);
    }
}

} // namespace
} // namespace ferwis
