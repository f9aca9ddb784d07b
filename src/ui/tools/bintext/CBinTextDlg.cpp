#include "tools/bintext/CBinTextDlg.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <climits>
#include <exception>
#include <system_error>
#include <utility>

#include "app/AccessibleNames.h"
#include "app/DialogUnits.h"
#include "app/UserPrompt.h"
#include "text/LenientNumbers.h"

namespace {

using quelda::BinTextResult;

const QString kTitle = QStringLiteral("Binary to Text Convert");
constexpr int kFormWidth = 330;  // dialog units
constexpr int kFormHeight = 99;
constexpr int kRateChars = 6;
// Updates of the bar per conversion at most (besides its start and end),
// so a log of millions of blocks does not flood the event queue.
constexpr uint64_t kBarUpdates = 1000;

// The progress bar counts in int: in bytes when the file's size fits,
// else in units of as many bytes as make it fit. Its maximum is reached
// only once the whole file is read.
struct BarScale {
    uint64_t unit = 1;
    int maximum = 1;

    explicit BarScale(uint64_t total) {
        if (total == 0) return;  // an empty file: full at once
        unit = total <= uint64_t(INT_MAX) ? 1 : (total + INT_MAX - 1) / INT_MAX;
        maximum = static_cast<int>((total + unit - 1) / unit);
    }
    int ValueAt(uint64_t done, uint64_t total) const {
        return done >= total ? maximum : static_cast<int>(done / unit);
    }
};

QString PathText(const std::string& path) { return QFile::decodeName(path.c_str()); }
std::string PathBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

BinTextResult Failure(const std::string& message) {
    BinTextResult r;
    r.outcome = BinTextResult::Outcome::FileError;
    r.message = message;
    return r;
}

}  // namespace

CBinTextDlg::CBinTextDlg(std::string appDir, int binLengthFormat, IUserPrompt& prompt,
                         const quelda::BinTextNames& names, QWidget* parent)
    : QDialog(parent),
      m_strAppDir(std::move(appDir)),
      m_nBinLengthFormat(binLengthFormat),
      m_prompt(prompt) {
    setWindowTitle(kTitle);
    setFont(FormFont());
    BuildForm(names);
    setMinimumWidth(DialogUnitsToPixels(font(), kFormWidth, kFormHeight).width());
    NameControls(this);
}

CBinTextDlg::~CBinTextDlg() {
    m_stop = true;
    if (m_worker.joinable()) m_worker.join();
}

void CBinTextDlg::BuildForm(const quelda::BinTextNames& names) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    static const FileField kBinary = {QStringLiteral("BINARY FileName"), QStringLiteral("BIN"),
                                      QStringLiteral("BINARY(*.BIN)"), false};
    static const FileField kDefinition = {QStringLiteral("Definition file name"),
                                          QStringLiteral("TXT"),
                                          QStringLiteral("定義ファイル(*.TXT)"), false};
    static const FileField kOutput = {QStringLiteral("Output Text FileName"), QStringLiteral("CSV"),
                                      QStringLiteral("テキストファイル(*.CSV)"), true};
    m_pBinary = AddFileRow(grid, kBinary, names.binaryFile, m_pBinaryRef);
    m_pDefinition = AddFileRow(grid, kDefinition, names.definitionFile, m_pDefinitionRef);
    m_pOutput = AddFileRow(grid, kOutput, names.outputFile, m_pOutputRef);

    auto* bottom = new QHBoxLayout;
    layout->addLayout(bottom);
    auto* rateBox = new QGroupBox(QStringLiteral("Convert Rate"), this);
    auto* rateRow = new QHBoxLayout(rateBox);
    rateRow->addWidget(new QLabel(QStringLiteral("１／"), rateBox));
    m_pRate = new QLineEdit(QStringLiteral("1"), rateBox);
    m_pRate->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_pRate));
    m_pRate->setMaximumWidth(m_pRate->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                             (kRateChars + 2));
    m_pRate->setAccessibleName(QStringLiteral("Convert Rate"));
    rateRow->addWidget(m_pRate);
    bottom->addWidget(rateBox);

    auto* progressBox = new QGroupBox(QStringLiteral("Conversion situation"), this);
    auto* progressRow = new QHBoxLayout(progressBox);
    m_pProgress = new QProgressBar(progressBox);
    m_pProgress->setRange(0, 1);
    m_pProgress->setValue(0);
    m_pProgress->setAccessibleName(QStringLiteral("Conversion situation"));
    progressRow->addWidget(m_pProgress);
    bottom->addWidget(progressBox, 1);

    auto* buttons = new QVBoxLayout;
    bottom->addLayout(buttons);
    m_pConvert = new QPushButton(QStringLiteral("Convert"), this);
    m_pConvert->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancel->setAutoDefault(false);
    buttons->addWidget(m_pConvert);
    buttons->addWidget(m_pCancel);
    connect(m_pConvert, &QPushButton::clicked, this, &CBinTextDlg::OnConvert);
    connect(m_pCancel, &QPushButton::clicked, this, &CBinTextDlg::reject);
}

QLineEdit* CBinTextDlg::AddFileRow(QGridLayout* grid, const FileField& field,
                                   const std::string& name, QPushButton*& ref) {
    const int row = grid->rowCount();
    auto* caption = new QLabel(field.caption, this);
    auto* edit = new QLineEdit(PathText(name), this);
    edit->setAccessibleName(field.caption);
    caption->setBuddy(edit);
    ref = new QPushButton(QStringLiteral("Ref"), this);
    ref->setAutoDefault(false);
    // three buttons say "Ref": the name tells which file each chooses
    ref->setAccessibleName(QStringLiteral("Ref ") + field.caption);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(ref, row, 2);
    connect(ref, &QPushButton::clicked, this, [this, edit, field] { OnRef(edit, field); });
    return edit;
}

void CBinTextDlg::OnRef(QLineEdit* edit, const FileField& field) {
    const QString chosen =
        field.save ? m_prompt.GetSaveFileName(field.caption, edit->text(), field.filter)
                   : m_prompt.GetOpenFileName(field.caption, edit->text(), field.filter);
    if (chosen.isEmpty()) return;
    QFileInfo info(chosen);
    if (info.suffix().isEmpty()) info.setFile(chosen + QLatin1Char('.') + field.extension);
    edit->setText(info.absoluteFilePath());
}

void CBinTextDlg::OnConvert() {
    if (IsConverting()) return;
    quelda::BinTextRequest request;
    request.binaryFile = PathBytes(m_pBinary->text());
    request.definitionFile = PathBytes(m_pDefinition->text());
    request.outputFile = PathBytes(m_pOutput->text());
    // an empty box reads as 0 and is refused with the rate message
    request.rate = quelda::LenientAtoi(m_pRate->text().toStdString());
    request.lengthFormat = m_nBinLengthFormat;
    request.appDir = m_strAppDir;
    request.stop = &m_stop;
    m_stop = false;
    SetConverting(true);
    try {
        m_worker = std::thread(&CBinTextDlg::Run, this, std::move(request));
    } catch (const std::system_error& e) {
        OnFinished(Failure(std::string("The conversion cannot be started: ") + e.what()));
    }
}

// On the conversion's thread: everything it tells the dialog is queued.
void CBinTextDlg::Run(quelda::BinTextRequest request) {
    BarScale scale(0);
    int shown = -1;
    int reached = -1;
    const auto show = [this, &scale, &shown](int value) {
        shown = value;
        const int maximum = scale.maximum;
        QMetaObject::invokeMethod(
            this, [this, value, maximum] { ShowProgress(value, maximum); }, Qt::QueuedConnection);
    };
    auto progress = [&](uint64_t done, uint64_t total) {
        if (reached < 0) scale = BarScale(total);
        reached = scale.ValueAt(done, total);
        const uint64_t step = scale.maximum / kBarUpdates;
        if (shown < 0 || reached == scale.maximum || uint64_t(reached - shown) > step)
            show(reached);
    };
    BinTextResult result;
    try {
        result = quelda::BinTextConverter().Convert(request, progress);
    } catch (const std::exception& e) {
        result = Failure(std::string("The conversion failed: ") + e.what());
    }
    // a conversion that ends early leaves the bar where reading stopped
    if (reached != shown) show(reached);
    QMetaObject::invokeMethod(
        this, [this, result] { OnFinished(result); }, Qt::QueuedConnection);
}

void CBinTextDlg::ShowProgress(int value, int maximum) {
    m_pProgress->setRange(0, maximum);
    m_pProgress->setValue(value);
}

void CBinTextDlg::OnFinished(const BinTextResult& result) {
    if (m_worker.joinable()) m_worker.join();
    SetConverting(false);
    if (!result.message.empty()) {
        m_prompt.Message(QString::fromStdString(result.message), kTitle,
                         IUserPrompt::Icon::Warning);
    }
    if (!result.KeepsDialogOpen()) accept();
}

void CBinTextDlg::SetConverting(bool converting) {
    for (QWidget* w : {static_cast<QWidget*>(m_pBinary), static_cast<QWidget*>(m_pDefinition),
                       static_cast<QWidget*>(m_pOutput), static_cast<QWidget*>(m_pRate),
                       static_cast<QWidget*>(m_pBinaryRef), static_cast<QWidget*>(m_pDefinitionRef),
                       static_cast<QWidget*>(m_pOutputRef), static_cast<QWidget*>(m_pConvert)}) {
        w->setEnabled(!converting);
    }
}

void CBinTextDlg::reject() {
    if (IsConverting()) {
        m_stop = true;  // the conversion ends with the stopped message
        return;
    }
    QDialog::reject();
}
