#include "app/ProgramIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QPixmap ProgramIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal edge = size / 16.0;
    painter.setPen(QPen(QColor(0, 0, 100), edge));
    painter.setBrush(QColor(192, 192, 255));
    painter.drawRoundedRect(QRectF(edge, edge, size - 2 * edge, size - 2 * edge), size / 6.0,
                            size / 6.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size * 11 / 16);
    painter.setFont(font);
    painter.setPen(QColor(0, 80, 0));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("Q"));
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}
