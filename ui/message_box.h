#pragma once

#include "common/messages.h"

#include <QPointer>
#include <QWidget>

namespace ferwis {

// Shows every message as a modal box titled "Ferwis", without an icon, with one
// OK button (a question: OK and Cancel).
class MessageBoxMessages : public Messages {
public:
    // The window the boxes belong to; may be set after the window exists.
    void set_parent(QWidget* parent) { parent_ = parent; }

    void show(std::string_view text) override;
    bool confirm(std::string_view text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace ferwis
