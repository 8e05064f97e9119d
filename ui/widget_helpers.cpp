#include "ui/widget_helpers.h"

#include <QApplication>
#include <QFile>
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

QIcon program_icon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/ferwis/ferwis-%1.png").arg(size);
        if (QFile::exists(file)) {
            icon.addFile(file, QSize(size, size));
        }
    }
    return icon;
}

} // namespace ferwis
