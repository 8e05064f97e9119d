#pragma once
// Texts cross between the core's Windows-1250 bytes and the widgets' Unicode
// only here, at the widget.

#include "common/code_page.h"

#include <QString>

#include <string>
#include <string_view>

namespace ferwis {

inline QString to_qstring(std::string_view cp1250_text) {
    return QString::fromStdString(cp1250_to_utf8(cp1250_text));
}

inline std::string from_qstring(const QString& text) {
    return utf8_to_cp1250(text.toStdString());
}

// A Polish literal of the window (UTF-8 in the sources) as a widget text.
inline QString ui_text(const char* utf8_literal) {
    return QString::fromUtf8(utf8_literal);
}

} // namespace ferwis
