#include "app/CHelpBrowser.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpBrowser::CHelpBrowser(const QString& file, QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quelda help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setAccessibleName(QStringLiteral("Help"));
    m_pBrowser->setOpenLinks(true);
    m_pBrowser->setOpenExternalLinks(true);
    layout->addWidget(m_pBrowser);
    if (QFileInfo(file).isFile()) {
        m_pBrowser->setSource(QUrl::fromLocalFile(file));
    } else {
        m_pBrowser->setPlainText(QStringLiteral("The help file %1 is missing.").arg(file));
    }
    resize(760, 640);
}
