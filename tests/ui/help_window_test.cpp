#include "ui/help_window.h"

#include "results/help_text.h"
#include "ui/ui_text.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
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
    EXPECT_TRUE(expected.startsWith(QString::fromUtf8("Program służy do:\n1. ")));

    help.show();
    help.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(text->geometry(), QRect(0, 0, 400, 300));
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

// Renders both windows for a person to compare with the design.
TEST(help_window, screenshots_of_both_windows) {
    Installation inst;
    inst.write_complete_ini();
    inst.tree.write("wynik.txt", "\"a\",\"U\"\r\n");
    StartedWindow w(inst);
    w.find<QListWidget>("File1")->item(1)->setSelected(true);
    w.find<QListWidget>("List1")->addItems({"C:/Sym/textures/a.dds", "C:/Sym/models/b.t3d"});
    w.window.show();
    QApplication::processEvents();

    const QDir dir(QStringLiteral(FERWIS_SCREENSHOT_DIR));
    ASSERT_TRUE(dir.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(w.window.grab().save(dir.filePath(QStringLiteral("form1.png"))));

    HelpWindow help;
    help.resize(900, 600);
    help.show();
    QApplication::processEvents();
    EXPECT_TRUE(help.grab().save(dir.filePath(QStringLiteral("frmhelp.png"))));
}

} // namespace
} // namespace ferwis
