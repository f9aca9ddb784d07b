#pragma once
// The plain child frame of the EEPROM editor and the simulator: no bar, only
// the view. Closing is refused while the view says no (see CChildSubWindow).
#include "app/CQueldaChildFrame.h"

class CChildFrame : public CQueldaChildFrame {
    Q_OBJECT
public:
    // The frame takes ownership of the view.
    CChildFrame(IViewContext& context, CQueldaView* view, QWidget* parent = nullptr);

    // The view's action whose property kCommandIdProperty is commandId.
    QAction* CommandAction(int commandId) override;
    static constexpr const char* kCommandIdProperty = "queldaCommandId";
};
