#pragma once
// What both windows share: the design's unit (twips), the design's font and the
// crossing of texts between the core's Windows-1250 bytes and the widgets.

#include "common/code_page.h"

#include <QFont>
#include <QIcon>
#include <QPaintDevice>
#include <QRect>
#include <QString>

#include <cmath>
#include <string>
#include <string_view>

namespace ferwis {

// The windows are laid out in twips (1/1440 inch), as designed; pixels follow
// the screen's logical resolution.
class Twips {
public:
    explicit Twips(const QPaintDevice& device)
        : dpi_x_(device.logicalDpiX()), dpi_y_(device.logicalDpiY()) {}
    Twips(int dpi_x, int dpi_y) : dpi_x_(dpi_x), dpi_y_(dpi_y) {}

    int x(int twips) const { return convert(twips, dpi_x_); }
    int y(int twips) const { return convert(twips, dpi_y_); }
    QRect rect(int left, int top, int width, int height) const {
        return {x(left), y(top), x(width), y(height)};
    }

private:
    static int convert(int twips, int dpi) {
        return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
    }

    int dpi_x_;
    int dpi_y_;
};

// The windows' font at the given size in points: "MS Sans Serif" where the
// system has it, else a stand-in of the same widths ("Liberation Sans", Arial's
// metrics), else the system's own sans font.
QFont design_font(double points);

// Makes the design's 8.25 point font the program's own: the main window, the
// message boxes, the preview and the help window's frame alike. Called once
// the application object exists.
void use_design_font();

// The program's icon as the executable holds it (rendered from ui/icon/ferwis.svg
// in the sizes of a desktop); empty where the build holds none (on Windows the
// version resource gives the windows theirs).
QIcon program_icon();

// Texts cross between the core's Windows-1250 bytes and the widgets' Unicode
// only here, at the widget.
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
