#include "ui/widget_helpers.h"

#include <QApplication>
#include <QFontDatabase>

namespace ferwis {

QFont design_font(double points) {
    // The design's captions were measured in "MS Sans Serif"; a wider font
    // would not fit them into their controls at the design's size.
    static const QString kFamilies[] = {QStringLiteral("MS Sans Serif"),
                                        QStringLiteral("Microsoft Sans Serif"),
                                        QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    for (const QString& family : kFamilies) {
        if (QFontDatabase::hasFamily(family)) {
            font = QFont(family);
            break;
        }
    }
    font.setPointSizeF(points);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

void use_design_font() {
    QApplication::setFont(design_font(8.25));
}

} // namespace ferwis
