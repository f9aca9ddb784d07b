#pragma once
// Base of the child frames: a QMainWindow inside a QMdiSubWindow, holding one
// view and (for most kinds) a bar that docks at the top or the bottom.
#include <QMainWindow>

class CQueldaView;
class IViewContext;
class QAction;
class QToolBar;

class CQueldaChildFrame : public QMainWindow {
    Q_OBJECT
public:
    CQueldaChildFrame(IViewContext& context, QWidget* parent = nullptr);
    ~CQueldaChildFrame() override;

    // The frame's view; set once by the subclass constructor.
    CQueldaView* View() const { return m_pView; }
    IViewContext& Context() const { return m_context; }

    // Moves and sizes the frame's sub-window in MDI client coordinates.
    void MoveFrame(int left, int top, int width, int height);
    void SetFrameTitle(const QString& title);

    // The action of a menu command this window handles itself (the
    // terminal's "Send Command Line", the EEPROM editor's file commands, ...),
    // or nullptr: the main frame then shows the item disabled.
    virtual QAction* CommandAction(int commandId) { return nullptr; }
    // The window became the active child: give the keyboard focus to where
    // the user types (the view by default).
    virtual void OnActivated();

protected:
    void SetView(CQueldaView* view);
    // A bar that docks only at the top or the bottom, docked at the top.
    QToolBar* AddDialogBar(const QString& title);

private:
    IViewContext& m_context;
    CQueldaView* m_pView = nullptr;
};
