#pragma once

#include <QFont>

namespace ferwis {

// The windows' font: "MS Sans Serif" where the system has it, else the default
// sans font, at the given size in points.
QFont design_font(double points);

} // namespace ferwis
