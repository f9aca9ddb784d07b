#pragma once
// Base of the child frames: a QMainWindow inside a QMdiSubWindow, holding one
// view and (for most kinds) a bar that docks at the top or the bottom.
#include <QMainWindow>

class CMainFrame;
class CQueldaView;

class CQueldaChildFrame : public QMainWindow {
    Q_OBJECT
public:
    CQueldaChildFrame(CMainFrame& mainFrame, QWidget* parent = nullptr);
    ~CQueldaChildFrame() override;

    // The frame's view; set once by the subclass constructor.
    CQueldaView* View() const { return m_pView; }
    CMainFrame& MainFrame() const { return m_mainFrame; }

    // Moves and sizes the frame's sub-window in MDI client coordinates.
    void MoveFrame(int left, int top, int width, int height);
    void SetFrameTitle(const QString& title);

protected:
    void SetView(CQueldaView* view);

private:
    CMainFrame& m_mainFrame;
    CQueldaView* m_pView = nullptr;
};
