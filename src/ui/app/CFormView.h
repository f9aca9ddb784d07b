#pragma once
// Base of the views that are forms (EEPROM editor, simulator): the form has
// a size in dialog units of the form font, and the frame fits it.
#include <QSize>

#include "app/CQueldaView.h"

class CFormView : public CQueldaView {
    Q_OBJECT
public:
    // formSize in dialog units.
    CFormView(IViewContext& context, QSize formSize, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    // Sets the frame's title and sizes the frame to fit the form; with
    // atSettings the frame goes to WINDOW_LEFT and WINDOW_TOP of the view's
    // window section.
    void FitFrame(const QString& title, bool atSettings);

private:
    QSize m_formSize;
};
