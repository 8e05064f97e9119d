#include "ui/window_progress.h"

#include "ui/ui_text.h"

#include <QCoreApplication>

namespace ferwis {

void WindowProgress::set_status(std::string_view text) {
    status_.setText(to_qstring(text));
}

void WindowProgress::set_detail(std::string_view text) {
    detail_.setText(to_qstring(text));
}

void WindowProgress::process_events() {
    QCoreApplication::processEvents();
}

} // namespace ferwis
