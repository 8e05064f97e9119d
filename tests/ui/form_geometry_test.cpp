// The design's positions in the toolkit: every caption shows whole at the
// design's font size, accents included, and every control lies inside its frame.

#include "ui/form_controls.h"
#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <gtest/gtest.h>

namespace ferwis {
namespace {

using test::Installation;
using test::StartedWindow;

TEST(form_geometry, captions_show_whole_and_controls_stay_inside_their_frames) {
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

} // namespace
} // namespace ferwis
