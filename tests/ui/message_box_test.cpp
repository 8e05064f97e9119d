// The message boxes speak Polish: every button caption is the program's own,
// none of the toolkit's English standard buttons or their icons.

#include "ui/message_box.h"

#include "common/code_page.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace ferwis {
namespace {

struct SeenBox {
    QString title;
    QStringList captions;
    QString default_caption;
    bool any_icon = false;
};

// Answers the next modal box by pressing the button captioned press (or
// Escape when press is empty), after noting what the box offered.
void answer_next_box(const QString& press, SeenBox& seen) {
    QTimer::singleShot(0, [press, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.any_icon = !box->iconPixmap().isNull();
        for (QAbstractButton* button : box->buttons()) {
            seen.captions << button->text();
            seen.any_icon = seen.any_icon || !button->icon().isNull();
        }
        if (box->defaultButton() != nullptr) {
            seen.default_caption = box->defaultButton()->text();
        }
        if (press.isEmpty()) {
            box->reject();
            return;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == press) {
                button->click();
            }
        }
    });
}

TEST(message_box, a_message_has_one_ok_button_and_a_question_ok_and_anuluj) {
    MessageBoxMessages messages;
    SeenBox shown;
    answer_next_box("OK", shown);
    messages.show(cp1250("Brak pliku ferwis.ini"));
    EXPECT_EQ(shown.title, "Ferwis");
    EXPECT_EQ(shown.captions, QStringList{"OK"});
    EXPECT_FALSE(shown.any_icon);

    struct Case {
        const char* press;
        bool answer;
    };
    for (const Case c : {Case{"OK", true}, Case{"Anuluj", false}, Case{"", false}}) {
        SCOPED_TRACE(c.press);
        SeenBox asked;
        answer_next_box(QString::fromUtf8(c.press), asked);
        EXPECT_EQ(messages.confirm(cp1250("Czy kontynuować?")), c.answer);
        EXPECT_EQ(asked.captions, QStringList({"OK", "Anuluj"}));
        EXPECT_EQ(asked.default_caption, "OK");
        EXPECT_FALSE(asked.any_icon);
    }
}

TEST(message_box, the_questions_before_a_delete_and_a_move_have_polish_buttons) {
    using Choice = Questions::DeleteChoice;
    using MoveChoice = Questions::MoveChoice;
    MessageBoxQuestions questions(nullptr);
    const struct {
        const char* press;
        Choice answer;
    } deletes[] = {{"Do kosza", Choice::Trash},
                   {"Usuń trwale", Choice::Permanent},
                   {"Podgląd", Choice::Preview},
                   {"Anuluj", Choice::Cancel},
                   {"", Choice::Cancel}};
    for (const auto& c : deletes) {
        SCOPED_TRACE(c.press);
        SeenBox seen;
        answer_next_box(QString::fromUtf8(c.press), seen);
        EXPECT_EQ(questions.choose_delete(cp1250("Usunąć?")), c.answer);
        seen.captions.sort(); // the box lays its buttons out by their roles
        EXPECT_EQ(seen.captions, QStringList({"Anuluj", "Do kosza", QString::fromUtf8("Podgląd"),
                                              QString::fromUtf8("Usuń trwale")}));
        EXPECT_EQ(seen.default_caption, "Do kosza");
        EXPECT_FALSE(seen.any_icon);
    }
    for (const auto& [press, answer] : {std::pair{"Przenieś", MoveChoice::Move},
                                        {"Podgląd", MoveChoice::Preview},
                                        {"Anuluj", MoveChoice::Cancel}}) {
        SCOPED_TRACE(press);
        SeenBox seen;
        answer_next_box(QString::fromUtf8(press), seen);
        EXPECT_EQ(questions.choose_move(cp1250("Przenieść?")), answer);
        seen.captions.sort();
        EXPECT_EQ(seen.captions, QStringList({"Anuluj", QString::fromUtf8("Podgląd"),
                                              QString::fromUtf8("Przenieś")}));
        EXPECT_EQ(seen.title, "Ferwis");
    }
}

TEST(message_box, the_preview_shows_its_text_and_closes_with_a_polish_button) {
    MessageBoxQuestions questions(nullptr);
    QString shown;
    QString totals;
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->findChild<QPlainTextEdit*>()->toPlainText();
        totals = dialog->findChild<QLabel*>("PreviewTotals")->text();
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            captions << button->text();
            if (button->text() == "Zamknij") {
                button->click();
            }
        }
    });
    questions.show_preview({cp1250("usunięcie: /sym/a.dds\n"), cp1250("Ilość plików: 1")});
    EXPECT_EQ(shown, QString::fromUtf8("usunięcie: /sym/a.dds\n"));
    EXPECT_EQ(totals, QString::fromUtf8("Ilość plików: 1"));
    EXPECT_EQ(captions, QStringList{"Zamknij"});
}

} // namespace
} // namespace ferwis
