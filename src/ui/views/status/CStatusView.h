#pragma once
// The status window's view: the core's CStatusModel (STATUS.TXT, the
// request command of record 28, the word decoded at the 500 ms tick)
// painted as the "%08X" word box and the cells LayOutStatusPanel places.
#include <string>

#include "monitor/PanelLayout.h"
#include "status/StatusModel.h"
#include "views/monitor/CPanelView.h"

class CStatusView : public CPanelView {
    Q_OBJECT
public:
    static constexpr int kRecord = quelda::CStatusModel::kRecord;

    explicit CStatusView(IViewContext& context, QWidget* parent = nullptr);

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Status; }
    std::string RequestCommand() const override { return m_model.RequestCommand(); }
    void OnInitialUpdate() override;
    // hint 0 without data repaints; hint 5 brings a frame text.
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;
    // After an edit of record 28 the request follows its command.
    void ReloadRequestCommand();

    const quelda::CStatusModel& Model() const { return m_model; }
    const quelda::StatusPanel& Panel() const { return m_panel; }

    // Entry 0 is the word box ("Status word"), then the drawn cells.
    int EntryCount() const override { return 1 + static_cast<int>(m_panel.cells.size()); }
    PanelEntry Entry(int index) const override;
    QRect EntryRect(int index) const override;

protected:
    bool TickModel() override { return m_model.Tick(); }
    QSize LayOutPanel(int cx, int cy) override;
    // Paints again only what the new word changed, nothing when it shows the same.
    void OnDecoded() override;
    std::size_t Paint(QPainter& painter, const QRect& exposed) const override;

private:
    quelda::CStatusModel m_model;
    quelda::StatusPanel m_panel;
};
