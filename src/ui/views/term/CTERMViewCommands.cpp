// CTERMView: selection, clipboard, find, time stamps, the time-stamped log
// and saving, from the context menu and the keys.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScrollBar>

#include "app/UiText.h"
#include "app/ViewContext.h"
#include "term/TermFind.h"
#include "term/TermText.h"
#include "views/term/CTERMView.h"
#include "views/term/CTermFindBar.h"
#include "views/term/CTermTextArea.h"

void CTERMView::CreateActions() {
    struct Command {
        const char* text;
        QKeySequence keys;
        QWidget* owner;  // where the keys work; nullptr: the menu only
        void (CTERMView::*slot)();
    } const commands[] = {
        {"Copy", QKeySequence::Copy, m_pArea, &CTERMView::Copy},
        {"Copy as hex", QKeySequence(), nullptr, &CTERMView::CopyAsHex},
        {"Select all", QKeySequence::SelectAll, m_pArea, &CTERMView::SelectAll},
        {"", QKeySequence(), nullptr, nullptr},
        {"Find...", QKeySequence::Find, this, &CTERMView::OpenFind},
        {"Find next", QKeySequence(Qt::Key_F3), this, &CTERMView::FindNext},
        {"Find previous", QKeySequence(Qt::SHIFT | Qt::Key_F3), this, &CTERMView::FindPrevious},
        {"", QKeySequence(), nullptr, nullptr},
        {"Save as...", QKeySequence(), nullptr, &CTERMView::SaveAs},
    };
    for (const Command& command : commands) {
        auto* action = new QAction(QString::fromLatin1(command.text), this);
        action->setSeparator(command.slot == nullptr);
        if (command.slot) connect(action, &QAction::triggered, this, command.slot);
        if (command.owner) {
            action->setShortcut(command.keys);
            action->setShortcutContext(command.owner == m_pArea ? Qt::WidgetShortcut
                                                                : Qt::WidgetWithChildrenShortcut);
            command.owner->addAction(action);
        }
        m_menuActions.push_back(action);
    }
    struct Check {
        const char* text;
        bool on;
        void (CTERMView::*slot)(bool);
    } const checks[] = {
        {"Show time", false, &CTERMView::SetShowTime},
        {"Show binary blocks", true, &CTERMView::SetShowBlocks},
        {"Time-stamped log", false, &CTERMView::SetStampLog},
    };
    // The checks go before "Save as...".
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_menuActions.insert(m_menuActions.end() - 1, separator);
    for (const Check& check : checks) {
        auto* action = new QAction(QString::fromLatin1(check.text), this);
        action->setCheckable(true);
        action->setChecked(check.on);
        connect(action, &QAction::toggled, this, check.slot);
        m_menuActions.insert(m_menuActions.end() - 2, action);
    }
}

QAction* CTERMView::MenuAction(const QString& text) const {
    for (QAction* action : m_menuActions) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

void CTERMView::ShowContextMenu(const QPoint& globalPos) {
    MenuAction(QStringLiteral("Copy"))->setEnabled(!m_selection.Empty());
    MenuAction(QStringLiteral("Copy as hex"))->setEnabled(!m_selection.Empty());
    QMenu menu(this);
    for (QAction* action : m_menuActions) {
        // Next and previous live in the find bar and on F3.
        if (!action->text().startsWith(QStringLiteral("Find ")) || action->isSeparator())
            menu.addAction(action);
    }
    menu.exec(globalPos);
}

// ---- selection and clipboard -----------------------------------------------------------

quelda::TermPos CTERMView::PositionAt(const QPoint& at) const {
    const long long y = static_cast<long long>(at.y()) + m_pArea->verticalScrollBar()->value();
    const long long row = y >= 0 ? y / m_nLineHeight : -1;
    return m_lines.PositionAt(row, (at.x() - TextLeft()) / m_dCellWidth);
}

void CTERMView::OnMousePress(const QPoint& at, int clicks, bool extend) {
    using Unit = quelda::CTermSelection::Unit;
    const Unit unit = clicks >= 3 ? Unit::Line : clicks == 2 ? Unit::Word : Unit::Char;
    m_selection.Press(m_lines, PositionAt(at), unit, extend);
    m_pArea->viewport()->update();
}

void CTERMView::OnMouseDrag(const QPoint& at) {
    m_selection.DragTo(m_lines, PositionAt(at));
    m_pArea->viewport()->update();
}

void CTERMView::OnMouseRelease() { SetClipboardSelection(); }

// The X11 selection follows the mouse selection, as in every X terminal.
void CTERMView::SetClipboardSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (m_selection.Empty() || !clipboard->supportsSelection()) return;
    clipboard->setText(QString::fromStdString(m_selection.Text(m_lines)), QClipboard::Selection);
}

void CTERMView::Copy() {
    if (m_selection.Empty()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(m_selection.Text(m_lines)));
}

void CTERMView::CopyAsHex() {
    if (m_selection.Empty()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(m_selection.Hex(m_lines)));
}

void CTERMView::SelectAll() {
    m_selection.SelectAll(m_lines);
    SetClipboardSelection();
    m_pArea->viewport()->update();
}

// ---- find ------------------------------------------------------------------------------------

void CTERMView::OpenFind() { m_pFindBar->Open(); }

void CTERMView::Find(bool forward) {
    if (!m_pFindBar->isVisible()) m_pFindBar->Open();
    const QByteArray needle = m_pFindBar->Text().toUtf8();
    if (needle.isEmpty()) return;
    // On from the current match (or selection), else from the oldest or newest line.
    quelda::TermPos from = forward ? quelda::TermPos{m_lines.FirstSerial(), 0} : m_lines.End();
    if (!m_selection.Empty()) {
        from = m_selection.Begin();
        if (forward) ++from.offset;
    }
    const quelda::TermMatch match =
        quelda::FindInLines(m_lines, needle.toStdString(), m_pFindBar->MatchCase(), forward, from);
    m_pFindBar->ShowFound(match.found);
    if (!match.found) return;
    m_selection.Select(match.at, quelda::TermPos{match.at.serial, match.at.offset + match.length});
    ScrollIntoView(match.at);
    m_pArea->viewport()->update();
}

// ---- switches and files ------------------------------------------------------------------

void CTERMView::SetShowTime(bool on) {
    m_bShowTime = on;
    Refresh();
}

void CTERMView::SetShowBlocks(bool on) {
    m_lines.SetShowBlocks(on);
    Refresh();
}

void CTERMView::SetStampLog(bool on) {
    m_lines.FlushAll();
    m_stampLog.SetFile(on ? quelda::ProposeStampLogName(Context().AppDir()) : std::string());
    m_strStampLogFile = DecodeText(m_stampLog.FileName());
    QAction* action = MenuAction(QStringLiteral("Time-stamped log"));
    action->setToolTip(on ? m_strStampLogFile : QString());
    action->setStatusTip(on ? m_strStampLogFile : QString());
}

void CTERMView::SaveAs() {
    const QString name = Context().SaveFileName(
        QStringLiteral("terminal.txt"), QStringLiteral("Text files (*.txt);;All files (*)"));
    if (name.isEmpty()) return;
    const std::string text = quelda::TermDocumentText(m_lines, m_bShowTime);
    QFile file(name);
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    file.write(text.data(), static_cast<qint64>(text.size())) ==
                        static_cast<qint64>(text.size()) &&
                    file.flush();
    if (!ok) {
        Context().Prompt(QStringLiteral("Cannot write ") + name, IViewContext::Buttons::Ok,
                         IViewContext::PromptKind::Warning);
    }
}
