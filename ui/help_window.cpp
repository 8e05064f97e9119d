#include "ui/help_window.h"

#include "ui/help_text.h"
#include "ui/widget_helpers.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>

#include <cmath>

namespace ferwis {
namespace {

int whole(float value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent), text1_(new QPlainTextEdit(this)), layout_(*this) {
    setObjectName(QStringLiteral("Frmhelp"));
    setWindowTitle(QStringLiteral("Pomoc"));
    const Twips twips(*this);
    resize(twips.x(7905), twips.y(4905));

    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(twips.rect(120, 120, 7695, 4215));
    text1_->setFont(design_font(12));
    text1_->setReadOnly(true);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setPlainText(to_qstring(help_text()));
    text1_->setFocus();

    fill_screen();
}

void HelpWindow::fill_screen() {
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner != nullptr && owner->screen() != nullptr
                                ? owner->screen()
                                : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    move(available.topLeft()); // the outer top-left corner
    layout_.load({static_cast<float>(available.width()), static_cast<float>(available.height())});
}

void HelpWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fit_to_known_frame();
}

void HelpWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    fit_to_known_frame();
}

void HelpWindow::fit_to_known_frame() {
    // Some window systems tell the frame as soon as the window is shown, others
    // (openbox) only when they have framed it, which moves the window. A
    // resizable window may get a frame other than the fixed main window's
    // (openbox adds a grip below it): the outer size is made good once.
    if (frame_known_ || !isVisible()) {
        return;
    }
    const QMargins frame = frame_margins();
    if (frame.isNull()) {
        return;
    }
    frame_known_ = true;
    if (frame != assumed_frame_) {
        fill_screen();
    }
}

QMargins HelpWindow::frame_margins() const {
    // Before the window is shown its frame is unknown; the window manager puts
    // the same frame around the main window, which is shown.
    const QWidget* framed = this;
    if (!isVisible() && parentWidget() != nullptr && parentWidget()->window()->isVisible()) {
        framed = parentWidget()->window();
    }
    const QRect outer = framed->frameGeometry();
    const QRect inner = framed->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layout_.handle_resize();
}

LayoutSize HelpWindow::client_size() const {
    return {static_cast<float>(width()), static_cast<float>(height())};
}

LayoutSize HelpWindow::outer_size() const {
    const QMargins frame = frame_margins();
    return {static_cast<float>(width() + frame.left() + frame.right()),
            static_cast<float>(height() + frame.top() + frame.bottom())};
}

bool HelpWindow::set_outer_size(LayoutSize size) {
    if (isMinimized()) {
        return false;
    }
    // The frame is the window system's; only the client area can be asked for.
    assumed_frame_ = frame_margins();
    resize(whole(size.width) - assumed_frame_.left() - assumed_frame_.right(),
           whole(size.height) - assumed_frame_.top() - assumed_frame_.bottom());
    return true;
}

LayoutRect HelpWindow::control_rect(std::size_t) const {
    const QRect r = text1_->geometry();
    return {static_cast<float>(r.x()), static_cast<float>(r.y()), static_cast<float>(r.width()),
            static_cast<float>(r.height())};
}

bool HelpWindow::place_control(std::size_t, const LayoutRect& rect) {
    text1_->setGeometry(whole(rect.left), whole(rect.top), whole(rect.width), whole(rect.height));
    return true;
}

} // namespace ferwis
