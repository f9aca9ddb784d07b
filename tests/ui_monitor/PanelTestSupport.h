#pragma once
// What the monitor window tests share: the drawn items of a panel view as a
// screen reader reads them, and pixels of a painted panel.
#include <QAccessible>
#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "views/monitor/CPanelArea.h"
#include "views/monitor/CPanelView.h"

namespace quelda::test {

struct Spoken {
    QString name;
    QString value;
    QString description;
    QAccessible::Role role;
};

// The accessible children of the view that are drawn items, in order.
inline std::vector<Spoken> SpokenItems(CPanelView* view) {
    std::vector<Spoken> out;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    if (!iface) return out;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child || child->object()) continue;  // the view's own widgets
        out.push_back({child->text(QAccessible::Name), child->text(QAccessible::Value),
                       child->text(QAccessible::Description), child->role()});
    }
    return out;
}

// The value of the first drawn item of that name; "<none>" when there is none.
inline QString SpokenValue(CPanelView* view, const QString& name) {
    for (const Spoken& s : SpokenItems(view)) {
        if (s.name == name) return s.value;
    }
    return QStringLiteral("<none>");
}

inline std::string Text(const QString& s) { return s.toStdString(); }

// The viewport as painted now; pixel (x, y) is panel point (x, y) plus the
// scroll offset.
inline QImage PaintedPanel(CPanelView* view) { return view->Area()->viewport()->grab().toImage(); }

inline std::string Rgb(QColor c) {
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," +
           std::to_string(c.blue());
}

inline std::string PixelAt(const QImage& image, int x, int y) {
    if (!image.rect().contains(x, y)) return "outside";
    return Rgb(image.pixelColor(x, y));
}

}  // namespace quelda::test
