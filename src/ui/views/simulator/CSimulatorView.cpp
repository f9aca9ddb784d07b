#include "views/simulator/CSimulatorView.h"

#include "routing/UpdateHint.h"

CSimulatorView::CSimulatorView(IViewContext& context, QWidget* parent)
    : CFormView(context, QSize(391, 241), parent) {}

void CSimulatorView::OnInitialUpdate() { FitFrame(QStringLiteral("Simulator"), true); }

void CSimulatorView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone && !data) update();
}
