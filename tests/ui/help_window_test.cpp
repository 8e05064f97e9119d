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

TEST(help_window, fills_the_screen_and_closes_with_the_main_window) {
    Installation inst;
    inst.write_complete_ini();
    StartedWindow w(inst);
    w.window.show();
    // Pomoc opens a modal help window; closing the main window closes it.
    w.find<QPushButton>("Command4")->click();
    QPointer<HelpWindow> help = w.window.help_window();
    ASSERT_NE(help, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(help->windowTitle(), "Pomoc");
    EXPECT_EQ(help->windowModality(), Qt::ApplicationModal);
    EXPECT_NE(help->frameGeometry(), help->geometry()); // the platform draws a frame
    EXPECT_EQ(help->frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
    auto* text = help->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->geometry(), help->rect());
    w.window.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(help.isNull() || !help->isVisible());
    EXPECT_FALSE(w.window.isVisible());
}

} // namespace
} // namespace ferwis
