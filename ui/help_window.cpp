#include "ui/help_window.h"

#include "results/help_text.h"
#include "ui/design_font.h"
#include "ui/twips.h"
#include "ui/ui_text.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

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

    const QScreen* screen = parent != nullptr && parent->screen() != nullptr
                                ? parent->screen()
                                : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    move(available.topLeft());
    layout_.load({static_cast<float>(available.width()), static_cast<float>(available.height())});
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layout_.handle_resize();
}

LayoutSize HelpWindow::client_size() const {
    return {static_cast<float>(width()), static_cast<float>(height())};
}

LayoutSize HelpWindow::outer_size() const {
    const QSize outer = frameGeometry().size();
    return {static_cast<float>(outer.width()), static_cast<float>(outer.height())};
}

bool HelpWindow::set_outer_size(LayoutSize size) {
    if (isMinimized()) {
        return false;
    }
    // The frame is the window system's; only the client area can be asked for.
    const QSize frame = frameGeometry().size() - this->size();
    resize(whole(size.width) - frame.width(), whole(size.height) - frame.height());
    return true;
}

std::string HelpWindow::control_name(std::size_t) const {
    return text1_->objectName().toStdString();
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
