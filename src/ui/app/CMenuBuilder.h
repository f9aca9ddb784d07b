#pragma once
// The menu bars of the window kinds (129, 104-110) and of the main frame
// alone (128), built into the main window's menu bar.
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

class CMenuBuilder {
public:
    // The action that carries a command in a menu; it may be created with
    // the menu as parent (a disabled item for a command nobody handles).
    using Resolver = std::function<QAction*(int id, const QString& text, QMenu* menu)>;
    // false leaves the command's items out.
    using Filter = std::function<bool(int id)>;

    CMenuBuilder(Resolver resolver, Filter filter);

    // Clears the bar and fills it with the menus of menuId. Returns the new
    // top-level menus (children of the bar).
    QList<QMenu*> Build(QMenuBar* bar, int menuId) const;

    struct Item {
        int id;  // 0: separator
        const char* text;
    };
    // The items of one top-level menu of menuId, in order (before filtering).
    static QList<Item> Items(int menuId, const QString& title);
    static QList<QString> Titles(int menuId);

private:
    QMenu* BuildMenu(QMenuBar* bar, const QString& title, const QList<Item>& items) const;

    Resolver m_resolver;
    Filter m_filter;
};
