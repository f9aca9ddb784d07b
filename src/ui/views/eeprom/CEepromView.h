#pragma once
// The EEPROM editor's view. For now an empty form of the editor's size.
#include "app/CFormView.h"

class CEepromView : public CFormView {
    Q_OBJECT
public:
    explicit CEepromView(IViewContext& context, QWidget* parent = nullptr);

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Eeprom; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;
};
