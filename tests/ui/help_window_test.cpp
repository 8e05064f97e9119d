#include "results/ui/help_window.h"

#include "app/ui/ui_text.h"
#include "results/help_text.h"
#include "window_fixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::Installation;
using test::StartedWindow;

QPlainTextEdit* text1(const HelpWindow& help) {
    return help.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
}

TEST(help_window, opens_as_large_as_the_screen_with_the_text_filling_it) {
    HelpWindow help;
    EXPECT_EQ(help.windowTitle(), "Pomoc");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(help.size(), screen.size());
    QPlainTextEdit* text = text1(help);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->geometry(), help.rect());
    EXPECT_TRUE(text->isReadOnly());
    // The text box shows the help text line for line.
    QString expected = to_qstring(help_text());
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(text->toPlainText(), expected);
}

TEST(help_window, pomoc_opens_a_modal_help_window_afresh_and_closing_the_main_window_closes_it) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.window.show();
    auto* pomoc = w.find<QPushButton>("Command4");

    pomoc->click();
    QPointer<HelpWindow> first = w.window.help_window();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->windowModality(), Qt::ApplicationModal);
    first->resize(300, 200);
    first->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    pomoc->click();
    QPointer<HelpWindow> second = w.window.help_window();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->size(), QGuiApplication::primaryScreen()->availableGeometry().size());

    w.window.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull() || !second->isVisible());
    EXPECT_FALSE(w.window.isVisible());
}

} // namespace
} // namespace ferwis
