#include "app/UiFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

QString DisplayFontFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family :
         {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP")}) {
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QFont DisplayFont(int pointTenths) {
    QFont font(DisplayFontFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(std::clamp(pointTenths, 10, 1000) / 10.0);
    return font;
}
