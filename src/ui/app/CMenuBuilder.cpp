#include "app/CMenuBuilder.h"

#include <QMenu>
#include <QMenuBar>

#include "app/CommandIds.h"
#include "app/WindowKinds.h"

namespace {

using Item = CMenuBuilder::Item;

const char kFile[] = "File(&F)";
const char kView[] = "View(&V)";
const char kCommunicate[] = "Communicate";
const char kWindow[] = "Window(&W)";
const char kHelp[] = "Help(&H)";

constexpr int kTermMenu = 129;
constexpr int kMonitor3Menu = 106;
constexpr int kStatusMenu = 108;
constexpr int kEepromMenu = 109;

bool IsMonitorMenu(int menuId) { return menuId >= 104 && menuId <= 107; }

QList<Item> FileItems(int menuId) {
    if (menuId == kMainMenuId) {
        return {{cmd::kFileNew, "New(&N)"},
                {cmd::kFileOpen, "Open(&O)..."},
                {cmd::kFilePrintSetup, "Printer setting(&R)..."},
                {0, nullptr},
                {cmd::kAppExit, "Exit(&X)"}};
    }
    QList<Item> items;
    if (menuId == kTermMenu) {
        items = {{cmd::kFilePrint, "Print(&P)...\tCtrl+P"},
                 {cmd::kFilePrintPreview, "Print Preview(&V)"}};
    }
    if (menuId == kMonitor3Menu) items = {{cmd::kBinToText, "Binary to Text Convert"}};
    if (menuId == kEepromMenu) {
        items = {{cmd::kFileNew, "New(&N)"},
                 {cmd::kFileOpen, "Open(&O)..."},
                 {cmd::kFileSave, "Save(&S)"},
                 {cmd::kFileSaveAs, "Save As(&A)"}};
    }
    if (!items.isEmpty()) items.append({0, nullptr});
    items.append({cmd::kAppExit, "Exit(&X)"});
    return items;
}

QList<Item> ViewItems(int menuId) {
    if (menuId == kMainMenuId) {
        return {{cmd::kViewToolBar, "ToolBar(&T)"}, {cmd::kViewStatusBar, "StatusBar(&S)"}};
    }
    return {{cmd::kViewStatusBar, "StatusBar(&S)"},
            {0, nullptr},
            {cmd::kViewTerminal, "Terminal"},
            {cmd::kViewMonitor1, "Monitor1"},
            {cmd::kViewMonitor2, "Monitor2"},
            {cmd::kViewMonitor3, "Monitor3"},
            {cmd::kViewMonitor4, "Monitor4"},
            {cmd::kViewStatus, "Status"},
            {cmd::kViewEeprom, "EEPROM"},
            {cmd::kViewSimulator, "Simulator"},
            {0, nullptr},
            {cmd::kFastDisplay, "Terminal fast display"},
            {cmd::kErrorDisplay, "Terminal error display"}};
}

QList<Item> CommunicateItems(int menuId) {
    QList<Item> items = {{cmd::kConnect, "Connect"},
                         {cmd::kDisconnect, "Disconnect"},
                         {0, nullptr},
                         {cmd::kComSetting, "Communication setting"},
                         {0, nullptr}};
    if (menuId == kTermMenu) items.append({cmd::kSendCommandLine, "Send Command Line"});
    items.append({cmd::kComRequest, "Communication setting request"});
    items.append({0, nullptr});
    items.append({cmd::kSaveCommLog, "Save the communication log"});
    if (IsMonitorMenu(menuId) || menuId == kStatusMenu) {
        items.append({0, nullptr});
        items.append({cmd::kRequest, "Request"});
    }
    if (IsMonitorMenu(menuId)) items.append({cmd::kRequestStop, "Request stop"});
    return items;
}

QList<Item> WindowItems() {
    return {{cmd::kWindowCascade, "Cascade(&C)"},
            {cmd::kWindowTile, "Tile(&T)"},
            {cmd::kWindowArrange, "Arrange Icons(&A)"}};
}

QList<Item> HelpItems() {
    return {{cmd::kAppAbout, "Version info(&A)..."}, {cmd::kHelpIndex, "Display of help"}};
}

// Separators only between items: none first, last or twice in a row (left
// behind by filtered items).
QList<Item> TidySeparators(const QList<Item>& items) {
    QList<Item> tidy;
    for (const Item& item : items) {
        if (item.id == 0 && (tidy.isEmpty() || tidy.last().id == 0)) continue;
        tidy.append(item);
    }
    if (!tidy.isEmpty() && tidy.last().id == 0) tidy.removeLast();
    return tidy;
}

}  // namespace

CMenuBuilder::CMenuBuilder(Resolver resolver, Filter filter)
    : m_resolver(std::move(resolver)), m_filter(std::move(filter)) {}

QList<QString> CMenuBuilder::Titles(int menuId) {
    if (menuId == kMainMenuId) return {kFile, kView, kHelp};
    return {kFile, kView, kCommunicate, kWindow, kHelp};
}

QList<Item> CMenuBuilder::Items(int menuId, const QString& title) {
    if (title == QLatin1String(kFile)) return FileItems(menuId);
    if (title == QLatin1String(kView)) return ViewItems(menuId);
    if (title == QLatin1String(kCommunicate)) return CommunicateItems(menuId);
    if (title == QLatin1String(kWindow)) return WindowItems();
    if (title == QLatin1String(kHelp)) return HelpItems();
    return {};
}

QList<QMenu*> CMenuBuilder::Build(QMenuBar* bar, int menuId) const {
    bar->clear();
    QList<QMenu*> menus;
    for (const QString& title : Titles(menuId)) {
        menus.append(BuildMenu(bar, title, Items(menuId, title)));
    }
    return menus;
}

QMenu* CMenuBuilder::BuildMenu(QMenuBar* bar, const QString& title,
                               const QList<Item>& items) const {
    auto* menu = new QMenu(title, bar);
    QList<Item> kept;
    for (const Item& item : items) {
        if (item.id == 0 || m_filter(item.id)) kept.append(item);
    }
    for (const Item& item : TidySeparators(kept)) {
        if (item.id == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(m_resolver(item.id, QString::fromUtf8(item.text), menu));
        }
    }
    bar->addMenu(menu);
    return menu;
}
