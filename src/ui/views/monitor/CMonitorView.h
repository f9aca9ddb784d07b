#pragma once
// A monitor window's view. The four monitors differ only in their constants.
// For now the panel is empty: it shows the window's background, proposes
// the log name and takes the request command of its first command record.
#include <string>

#include "app/CQueldaView.h"
#include "monitor/MonitorConstants.h"

class CMonitorView : public CQueldaView {
    Q_OBJECT
public:
    CMonitorView(IViewContext& context, quelda::WindowKind kind, QWidget* parent = nullptr);

    quelda::WindowKind Kind() const override { return m_kind; }
    std::string RequestCommand() const override { return m_strRequest; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;

    const quelda::MonitorConstants& Constants() const {
        return quelda::GetMonitorConstants(m_kind);
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Today's first free log name, in the bar's box.
    void ProposeLogName();

    quelda::WindowKind m_kind;
    std::string m_strRequest;
};
