#pragma once
// The application: reads the command line, keeps one instance per user,
// prepares the demo if asked, and creates the main window with its terminal.
#include <QObject>
#include <QStringList>
#include <memory>

#include "app/QtUserPrompt.h"

class CDemoSession;
class CMainFrame;
class CSignalQuit;
class CSingleInstance;
struct AppOptions;

class CQueldaApp : public QObject {
    Q_OBJECT
public:
    CQueldaApp();
    ~CQueldaApp() override;

    // Starts the program with the arguments (without the program name) and
    // runs the event loop; returns the exit code.
    int Run(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_frame.get(); }

private:
    // -1: go on; else the exit code of a start that ends here.
    int HandleInstance(const AppOptions& options);
    // The program directory, or an empty string when the demo cannot start.
    std::string PrepareProgramDir(const AppOptions& options);
    void CreateMainFrame(const std::string& appDir);
    void Shutdown();

    QtUserPrompt m_prompt;
    std::unique_ptr<CSignalQuit> m_signals;
    std::unique_ptr<CSingleInstance> m_instance;
    std::unique_ptr<CDemoSession> m_demo;
    std::unique_ptr<CMainFrame> m_frame;
};
