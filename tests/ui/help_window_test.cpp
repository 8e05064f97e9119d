#include "ui/help_window.h"

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

QRect available_screen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

TEST(help_window, fills_the_screen_opens_afresh_and_closes_with_the_main_window) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.window.show();
    // Pomoc opens a modal help window afresh each time; closing the main
    // window closes it.
    auto* pomoc = w.find<QPushButton>("Command4");
    pomoc->click();
    QPointer<HelpWindow> first = w.window.help_window();
    ASSERT_NE(first, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(first->windowTitle(), "Pomoc");
    EXPECT_EQ(first->windowModality(), Qt::ApplicationModal);
    EXPECT_NE(first->frameGeometry(), first->geometry()); // the platform draws a frame
    EXPECT_EQ(first->frameGeometry(), available_screen());
    auto* text = first->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->geometry(), first->rect());
    first->resize(300, 200);
    first->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    pomoc->click();
    QPointer<HelpWindow> second = w.window.help_window();
    ASSERT_NE(second, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(second->frameGeometry(), available_screen()); // laid out afresh

    w.window.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull() || !second->isVisible());
    EXPECT_FALSE(w.window.isVisible());
}

} // namespace
} // namespace ferwis
