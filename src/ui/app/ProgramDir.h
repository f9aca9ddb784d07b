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
    bool version = false;    // --version: print it and exit
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
// The help page and the demo profile: beside the executable in a build
// folder, share/quelda/ of an installed tree.
std::string ShippedFilesDir();
// The program directory without --dir or QUELDA_DIR: the executable's
// folder, or the user's data folder for an installed program.
std::string DefaultProgramDir();
// A directory as m_strAppDir: absolute, ending with "/".
std::string AsProgramDir(const QString& dir);
// help/help.html of the program directory; the shipped copy when the
// program directory has none (a --dir or demo directory).
QString HelpFilePath(const std::string& appDir);
