#pragma once
// The simulator's view. For now an empty form of the simulator's size.
#include "app/CFormView.h"

class CSimulatorView : public CFormView {
    Q_OBJECT
public:
    explicit CSimulatorView(IViewContext& context, QWidget* parent = nullptr);

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Simulator; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;
};
