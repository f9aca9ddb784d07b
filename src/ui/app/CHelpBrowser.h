#pragma once
// The help page in a window of the program's own, for a desktop that has no
// browser to open it with. Links inside the page work in it; links to the
// web go to the desktop.
#include <QString>
#include <QWidget>

class QTextBrowser;

class CHelpBrowser : public QWidget {
    Q_OBJECT
public:
    CHelpBrowser(const QString& file, QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser = nullptr;
};
