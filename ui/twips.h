#pragma once
// The windows are laid out in twips (1/1440 inch), as designed; pixels follow
// the screen's logical resolution.

#include <QPaintDevice>
#include <QRect>

#include <cmath>

namespace ferwis {

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

} // namespace ferwis
