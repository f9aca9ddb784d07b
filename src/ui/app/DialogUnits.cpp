#include "app/DialogUnits.h"

#include <QFontInfo>
#include <QFontMetrics>

#include "app/UiFont.h"

QFont FormFont() { return DisplayFont(90); }

int BaseCharWidth(const QFont& font) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int total = QFontMetrics(font).horizontalAdvance(kLetters);
    return (total / 26 + 1) / 2;
}

QSize DialogUnitsToPixels(const QFont& font, int width, int height) {
    // The em height, not the line spacing: fonts with Japanese glyphs space
    // their lines far wider than the forms were drawn for.
    return QSize(width * BaseCharWidth(font) / 4, height * QFontInfo(font).pixelSize() / 8);
}
