#include "app/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "config/ProgramLocations.h"

AppOptions ParseAppOptions(const QStringList& arguments, const QString& environmentDir) {
    AppOptions options;
    options.dir = environmentDir;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--demo")) {
            options.demo = true;
        } else if (argument == QLatin1String("--raise")) {
            options.raise = true;
        } else if (argument == QLatin1String("--version")) {
            options.version = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else if (argument == QLatin1String("--dir") && i + 1 < arguments.size()) {
            options.dir = arguments[++i];
            options.dirOption = true;
        } else if (argument.startsWith(QLatin1String("--dir="))) {
            options.dir = argument.mid(6);
            options.dirOption = true;
        } else {
            options.error = QStringLiteral("unknown or incomplete option: %1").arg(argument);
            return options;
        }
    }
    return options;
}

QString UsageText() {
    return QStringLiteral(
        "usage: quelda [--dir DIR] [--demo] [--raise] [--version]\n"
        "  --dir DIR  read and write the program's files in DIR (also QUELDA_DIR)\n"
        "  --demo     run against the built-in virtual device, with the demo files\n"
        "             in DIR of --dir, else in the user's data directory\n"
        "  --raise    bring the running Quelda to the front and exit\n"
        "  --version  print the version and exit\n");
}

QString DemoProgramDir(const AppOptions& options, const QString& dataDir) {
    return options.dirOption ? options.dir : dataDir + QStringLiteral("/demo");
}

std::string ExecutableDir() { return AsProgramDir(QCoreApplication::applicationDirPath()); }

std::string ShippedFilesDir() { return quelda::ResourceDirectory(ExecutableDir()); }

std::string DefaultProgramDir() { return quelda::DefaultProgramDirectory(ExecutableDir()); }

std::string AsProgramDir(const QString& dir) {
    QString path = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    return path.toStdString();
}

QString HelpFilePath(const std::string& appDir) {
    const QString own = QString::fromStdString(appDir) + QStringLiteral("help/help.html");
    if (QFileInfo::exists(own)) return own;
    return QString::fromStdString(ShippedFilesDir()) + QStringLiteral("help/help.html");
}
