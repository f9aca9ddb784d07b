#pragma once
// The MDI sub-window around a child frame. Closing asks the frame's view
// first, so a view with unsaved changes can keep its window open.
#include <QMdiSubWindow>

class CQueldaChildFrame;

class CChildSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildSubWindow(CQueldaChildFrame* frame, QWidget* parent = nullptr);
    CQueldaChildFrame* Frame() const;

protected:
    void closeEvent(QCloseEvent* event) override;
};
