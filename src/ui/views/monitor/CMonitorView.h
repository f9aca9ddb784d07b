#pragma once
// A monitor window's view. The four monitors differ only in their constants.
// For now the panel is empty: it shows the window's background, proposes
// the log name and takes the request command of its first command record.
#include <string>

#include "app/CQueldaView.h"

struct MonitorConstants {
    const char* title;  // frame title, also the WindowSettings section's kind
    int firstRecord;    // command records of Cmd1 and Cmd2: firstRecord, +1
    int hint;           // the update hint the view accepts
    const char* logExtension;
};

const MonitorConstants& MonitorConstantsOf(quelda::WindowKind kind);

class CMonitorView : public CQueldaView {
    Q_OBJECT
public:
    CMonitorView(CMainFrame& mainFrame, quelda::WindowKind kind, QWidget* parent = nullptr);

    quelda::WindowKind Kind() const override { return m_kind; }
    std::string RequestCommand() const override { return m_strRequest; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;

    const MonitorConstants& Constants() const { return MonitorConstantsOf(m_kind); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Today's first free log name, in the bar's box.
    void ProposeLogName();

    quelda::WindowKind m_kind;
    std::string m_strRequest;
};
