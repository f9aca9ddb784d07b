#include "views/eeprom/CEepromView.h"

#include "routing/UpdateHint.h"

CEepromView::CEepromView(IViewContext& context, QWidget* parent)
    : CFormView(context, QSize(478, 251), parent) {}

void CEepromView::OnInitialUpdate() { FitFrame(QStringLiteral("ＥＥＰＲＯＭ"), true); }

void CEepromView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone && !data) update();
}
