#include "app/CComCommandDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include "app/AccessibleNames.h"

CComCommandDlg::CComCommandDlg(const quelda::LineSettings& values, QWidget* parent)
    : CComSettingDlg(values, false, parent) {
    m_pAuto = Buttons()->addButton(QStringLiteral("AUTO"), QDialogButtonBox::ActionRole);
    connect(m_pAuto, &QPushButton::clicked, this, [this] { done(Auto); });
    NameControls(this);
}
