#include "ui/form_controls.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <qdrawutil.h>

#include <algorithm>

namespace ferwis {
namespace {

// An etched border line (dark and light) is two pixels wide.
constexpr int kBorder = 2;
// Where the caption begins on the border line, and the gap around it.
constexpr int kCaptionLeft = 6;
constexpr int kCaptionGap = 2;

// The right edge (exclusive) up to which control may grow: the nearest control
// beside it on the right, or the inside of its frame.
int right_limit(const QWidget& control) {
    const QWidget& container = *control.parentWidget();
    const auto* frame = qobject_cast<const DesignFrame*>(&container);
    int limit = frame != nullptr ? frame->inner_rect().right() + 1 : container.width();
    const QRect own = control.geometry();
    for (const QObject* child : container.children()) {
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling == nullptr || sibling == &control) {
            continue;
        }
        const QRect other = sibling->geometry();
        if (other.left() > own.left() && other.top() <= own.bottom() &&
            other.bottom() >= own.top()) {
            limit = std::min(limit, other.left());
        }
    }
    return limit;
}

void widen_to(QWidget& control, int needed) {
    if (needed > control.width()) {
        const int room = right_limit(control) - control.x();
        control.resize(std::min(needed, std::max(control.width(), room)), control.height());
    }
}

} // namespace

DesignFrame::DesignFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int DesignFrame::border_top() const {
    return title().isEmpty() ? 0 : fontMetrics().height() / 2;
}

QRect DesignFrame::inner_rect() const {
    return rect().adjusted(kBorder, border_top() + kBorder, -kBorder, -kBorder);
}

void DesignFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawShadeRect(&painter, rect().adjusted(0, border_top(), 0, 0), palette(), true, 1, 0);
    if (!title().isEmpty()) {
        const QFontMetrics metrics = fontMetrics();
        const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionGap,
                            metrics.height());
        painter.fillRect(caption, palette().window());
        style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
}

DesignFrame* FormBuilder::frame(QWidget* container, const char* name, const char* caption, int left,
                                int top, int width, int height) const {
    return place(new DesignFrame(ui_text(caption), container), name, left, top, width, height);
}

QLabel* FormBuilder::label(QWidget* container, const char* name, const char* caption, int left,
                           int top, int width, int height) const {
    auto* control = place(new QLabel(ui_text(caption), container), name, left, top, width, height);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

QLabel* FormBuilder::status_label(QWidget* container, const char* name, int left, int top,
                                  int width, int height) const {
    QLabel* control = label(container, name, "", left, top, width, height);
    control->setWordWrap(true);
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    control->setPalette(palette);
    return control;
}

QPushButton* FormBuilder::button(QWidget* container, const char* name, const char* caption,
                                 int left, int top, int width, int height) const {
    auto* pressed = new QPushButton(ui_text(caption), container);
    // Outside a dialog a push button answers only Space; Return on the focused
    // button presses it too.
    pressed->setAutoDefault(true);
    return place(pressed, name, left, top, width, height);
}

QRadioButton* FormBuilder::option(QWidget* container, const char* name, const char* caption,
                                  int left, int top, int width, int height) const {
    return place(new QRadioButton(ui_text(caption), container), name, left, top, width, height);
}

void fit_caption(QLabel& label) {
    const QFontMetrics metrics = label.fontMetrics();
    const QRect glyphs = metrics.tightBoundingRect(label.text());
    const int beside = label.width() - label.contentsRect().width();
    widen_to(label, std::max(metrics.horizontalAdvance(label.text()), glyphs.right() + 1) + beside);
    // A top-aligned caption's accents may rise above the font's ascent.
    const int rise = -(metrics.ascent() + glyphs.top());
    if (rise > 0) {
        QMargins margins = label.contentsMargins();
        margins.setTop(margins.top() + rise);
        label.setContentsMargins(margins);
        const int bottom = margins.top() + metrics.height();
        label.resize(label.width(), std::max(label.height(), bottom));
    }
}

void fit_caption(QRadioButton& option) {
    widen_to(option, option.sizeHint().width());
}

void fit_entries(QComboBox& combo) {
    combo.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    widen_to(combo, combo.sizeHint().width());
}

} // namespace ferwis
