#include "app/CVersionInfoDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AccessibleNames.h"
#include "app/ProgramIcon.h"
#include "QueldaVersion.h"

const char* const CVersionInfoDlg::kVersionText = "Quelda Version 5.001(ENG)";

CVersionInfoDlg::CVersionInfoDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Version Info"));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    icon->setAccessibleName(QStringLiteral("Program icon"));
    auto* text = new QLabel(QString::fromLatin1(kVersionText), this);
    auto* build = new QLabel(QStringLiteral("Linux build %1").arg(QStringLiteral(QUELDA_VERSION)), this);
    build->setAccessibleName(QStringLiteral("Build version"));
    auto* texts = new QVBoxLayout;
    texts->addWidget(text);
    texts->addWidget(build);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    NameControls(this);
}
