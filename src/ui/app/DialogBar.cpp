#include "app/DialogBar.h"

#include <QToolBar>

#include "app/DialogUnits.h"

void SetUpDialogBar(QToolBar* bar, const QString& objectName) {
    bar->setObjectName(objectName);
    bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    bar->setFloatable(false);
    bar->setFont(FormFont());
}
