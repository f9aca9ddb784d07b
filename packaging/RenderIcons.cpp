// Writes the program's icon as the PNG files of the install tree, so the
// desktop menu shows the same tile as the program's windows.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/ProgramIcon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quelda-render-icons OUTPUT_DIR\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(dir) || !ProgramIconPixmap(size).save(dir + QStringLiteral("/quelda.png"))) {
            std::fprintf(stderr, "quelda-render-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
