#pragma once
// The status window's view. For now the panel is empty: it shows the
// window's background and takes the request command of record 28.
#include <string>

#include "app/CQueldaView.h"

class CStatusView : public CQueldaView {
    Q_OBJECT
public:
    static constexpr int kRecord = 28;

    explicit CStatusView(IViewContext& context, QWidget* parent = nullptr);

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Status; }
    std::string RequestCommand() const override { return m_strRequest; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;
    // After an edit of record 28 the request follows its command.
    void ReloadRequestCommand();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_strRequest;
};
