#pragma once
// The status window's frame: the view and a bar with "Req" and its ">".
#include "app/CQueldaChildFrame.h"

class CRecordButtons;
class CStatusView;

class CStatusChildFrame : public CQueldaChildFrame {
    Q_OBJECT
public:
    explicit CStatusChildFrame(IViewContext& context, QWidget* parent = nullptr);

    CStatusView* StatusView() const;
    CRecordButtons* CommandButtons() const { return m_pButtons; }

private:
    CRecordButtons* m_pButtons = nullptr;
};
