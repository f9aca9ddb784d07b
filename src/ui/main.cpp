#include <QApplication>

#include "app/CQueldaApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    CQueldaApp quelda;
    return quelda.Run(QApplication::arguments().mid(1));
}
