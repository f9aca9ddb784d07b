#pragma once
// Where the program's files live, and what the command line asks for.
#include <QString>
#include <QStringList>
#include <string>

struct AppOptions {
    QString dir;             // --dir DIR or QUELDA_DIR; empty: the executable's directory
    bool dirOption = false;  // dir came from --dir
    bool demo = false;       // --demo: against the built-in virtual device
    bool raise = false;      // --raise: bring the running instance to the front
    bool help = false;
    QString error;  // a command line that cannot be used
};

// arguments without the program name.
AppOptions ParseAppOptions(const QStringList& arguments, const QString& environmentDir);
QString UsageText();
// Where the demo's files go: the directory of --dir, else "demo" in the
// user's data directory. QUELDA_DIR alone never receives them, since the
// demo points PSETTING.TXT at its device.
QString DemoProgramDir(const AppOptions& options, const QString& dataDir);

// The executable's directory, ending with "/".
std::string ExecutableDir();
// A directory as m_strAppDir: absolute, ending with "/".
std::string AsProgramDir(const QString& dir);
// help/help.html of the program directory; the copy beside the executable
// when the program directory has none (a --dir or demo directory).
QString HelpFilePath(const std::string& appDir);
