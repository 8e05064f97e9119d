#include "ui/message_box.h"

#include "ui/ui_text.h"

#include <QMessageBox>

namespace ferwis {
namespace {

int ask(QWidget* parent, std::string_view text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Ferwis"), to_qstring(text), buttons,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec();
}

} // namespace

void MessageBoxMessages::show(std::string_view text) {
    ask(parent_, text, QMessageBox::Ok);
}

bool MessageBoxMessages::confirm(std::string_view text) {
    return ask(parent_, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace ferwis
