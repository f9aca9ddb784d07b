#include <QApplication>
#include <cstring>

#include "app/CQueldaApp.h"

namespace {

// --version and --help only print, so they must work without a display.
bool OnlyPrints(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "--help") ||
            !std::strcmp(argv[i], "-h")) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (OnlyPrints(argc, argv) && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    CQueldaApp quelda;
    return quelda.Run(QApplication::arguments().mid(1));
}
