#include "app/CComSettingDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AccessibleNames.h"
#include "app/DialogUnits.h"
#include "app/UiText.h"

namespace {

const QStringList kBaudRates = {"4800", "9600", "19200", "38400", "57600", "115200"};
const QStringList kDataBits = {"7", "8"};
const QStringList kParities = {"EVEN", "ODD", "NO"};
const QStringList kStopBits = {"1", "1.5", "2"};
// Width of a box in characters.
constexpr int kMinChars = 12;
constexpr int kMaxChars = 64;

// The value as an entry of the list when it is one, else typed in.
void ShowValue(QComboBox* box, const QString& value) {
    const int index = box->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) box->setCurrentIndex(index);
    box->setEditText(value);
}

// Wide enough for the value it opens with (a port may be a long path); the
// list may hold long device paths, so it opens wider than the box.
void FitWidth(QComboBox* box, const QStringList& entries, const QString& shown) {
    box->setMinimumContentsLength(std::clamp(int(shown.size()), kMinChars, kMaxChars));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    int widest = 0;
    for (const QString& entry : entries)
        widest = std::max(widest, box->fontMetrics().horizontalAdvance(entry));
    box->view()->setMinimumWidth(widest + BaseCharWidth(box->font()) * 4);
}

std::string ValueOf(const QComboBox* box, const std::string& initial) {
    return EncodeText(box->currentText(), initial);
}

}  // namespace

CComSettingDlg::CComSettingDlg(const quelda::LineSettings& values, QWidget* parent)
    : CComSettingDlg(values, true, parent) {}

CComSettingDlg::CComSettingDlg(const quelda::LineSettings& values, bool withPort, QWidget* parent)
    : QDialog(parent), m_initial(values) {
    setWindowTitle(withPort ? QStringLiteral("Communication Setting")
                            : QStringLiteral("COM Command"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    if (withPort) m_pPort = AddRow(grid, QStringLiteral("Port"), PortNames(), values.port);
    m_pBaud = AddRow(grid, QStringLiteral("BaudRate"), kBaudRates, values.baud);
    m_pDataBits = AddRow(grid, QStringLiteral("Data bit"), kDataBits, values.dataBits);
    m_pParity = AddRow(grid, QStringLiteral("Parity bit"), kParities, values.parity);
    m_pStopBits = AddRow(grid, QStringLiteral("Stop bit"), kStopBits, values.stopBits);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_pButtons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_pButtons);
    NameControls(this);
}

QComboBox* CComSettingDlg::AddRow(QGridLayout* grid, const QString& label,
                                  const QStringList& entries, const std::string& value) {
    const int row = grid->rowCount();
    auto* caption = new QLabel(label, this);
    auto* box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(entries);
    const QString shown = DecodeText(value);
    FitWidth(box, entries, shown);
    box->setAccessibleName(label);
    box->lineEdit()->setAccessibleName(label);
    caption->setBuddy(box);
    ShowValue(box, shown);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

quelda::LineSettings CComSettingDlg::Values() const {
    quelda::LineSettings values = m_initial;
    if (m_pPort) values.port = ValueOf(m_pPort, m_initial.port);
    values.baud = ValueOf(m_pBaud, m_initial.baud);
    values.dataBits = ValueOf(m_pDataBits, m_initial.dataBits);
    values.parity = ValueOf(m_pParity, m_initial.parity);
    values.stopBits = ValueOf(m_pStopBits, m_initial.stopBits);
    return values;
}

QStringList CComSettingDlg::PortNames() {
    QStringList names;
    for (int n = 1; n <= 16; ++n) names << QStringLiteral("COM%1").arg(n);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!names.contains(info.systemLocation())) names << info.systemLocation();
    }
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QString& entry :
         byId.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        names << byId.absoluteFilePath(entry);
    }
    return names;
}
