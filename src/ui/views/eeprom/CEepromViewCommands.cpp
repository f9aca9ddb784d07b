// CEepromView: the file commands, page copy and paste, and the close question.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>

#include "app/CQueldaChildFrame.h"
#include "app/UiText.h"
#include "app/ViewContext.h"
#include "eeprom/EepromData.h"
#include "views/eeprom/CEepromView.h"

namespace {

const QString kFilter = QStringLiteral("EEPROM(*.CSV)");
const QString kConfirm = QStringLiteral("Confirm");

// The path as the file dialog gave it, with ".CSV" when it has no extension.
QString WithDefaultExtension(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".CSV") : path;
}

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void CEepromView::SetDataPathTitle(const QString& path) {
    if (CQueldaChildFrame* frame = Frame()) {
        frame->SetFrameTitle(QStringLiteral("ＥＥＰＲＯＭ:") + path);
    }
}

void CEepromView::OnFileNew() {
    m_strDataPath.clear();
    SetDataPathTitle(QString());
    LoadData();
}

void CEepromView::OnFileOpen() {
    StorePage();
    if (m_bModified && !Question(QStringLiteral("Changes have not been saved. You read ?"),
                                 quelda::PromptButtons::OkCancel)) {
        return;
    }
    const QString dir = QString::fromStdString(Context().AppDir());
    const QString path = Context().OpenFileName(dir + QStringLiteral("*.CSV"), kFilter);
    if (path.isEmpty()) return;
    m_strDataPath = PathBytes(path);
    SetDataPathTitle(path);
    LoadData();
    m_bModified = false;
}

void CEepromView::OnFileSaveAs() {
    const QString chosen = Context().SaveFileName(QFile::decodeName(m_strDataPath.c_str()), kFilter);
    if (chosen.isEmpty()) return;
    const QString path = WithDefaultExtension(chosen);
    StorePage();
    // A file that could not be written is not the window's file.
    if (!SaveTo(PathBytes(path))) return;
    m_strDataPath = PathBytes(path);
    SetDataPathTitle(path);
}

void CEepromView::OnFileSave() {
    StorePage();
    // New leaves no file to save to: ask for one.
    if (m_strDataPath.empty()) return OnFileSaveAs();
    SaveTo(m_strDataPath);
}

bool CEepromView::SaveTo(const std::string& path) {
    std::string reason;
    if (!quelda::SaveItems(path, m_transfer.Items(), &reason)) {
        // The old file stays whole and the changes stay unsaved.
        Context().PromptCaptioned(QStringLiteral("It failed to save the EEPROM file %1: %2")
                                      .arg(QFile::decodeName(path.c_str()),
                                           DecodeText(reason)),
                                  QString(), quelda::PromptButtons::Ok, quelda::PromptKind::Error);
        return false;
    }
    m_bModified = false;
    return true;
}

void CEepromView::OnCopyPage() {
    QString text;
    for (int row = 0; row < kPageRows; ++row) text += CellText(row, 1) + QStringLiteral("\r\n");
    // The text goes whole, however long the values are.
    QApplication::clipboard()->setText(text);
    Inform(QStringLiteral("It was page copy"), kConfirm);
}

void CEepromView::OnPastePage() {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime || !mime->hasText()) {
        Inform(QStringLiteral("There is no data in the clipboard"), kConfirm);
        return;
    }
    if (!Question(QStringLiteral("Paste the data to the display page\nPlease press the [Yes] if you're"),
                  quelda::PromptButtons::YesNo, kConfirm)) {
        return;
    }
    // The whole text is split, however long; runs of line ends are one break.
    const QStringList pieces =
        QApplication::clipboard()->text().split(QRegularExpression(QStringLiteral("[\r\n]+")),
                                                Qt::SkipEmptyParts);
    for (int row = 0; row < kPageRows && row < pieces.size(); ++row) {
        SetCellText(row, 1, pieces.at(row));
    }
    StorePage();
}

bool CEepromView::CanClose() {
    StorePage();
    if (!m_bModified) return true;
    return Question(QStringLiteral("Changes have not been saved. Are you sure you want to exit?"),
                    quelda::PromptButtons::OkCancel);
}
