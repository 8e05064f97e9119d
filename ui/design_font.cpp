#include "ui/design_font.h"

#include <QFontDatabase>

namespace ferwis {

QFont design_font(double points) {
    static const QString kDesignFamily = QStringLiteral("MS Sans Serif");
    QFont font = QFontDatabase::hasFamily(kDesignFamily)
                     ? QFont(kDesignFamily)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(points);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

} // namespace ferwis
