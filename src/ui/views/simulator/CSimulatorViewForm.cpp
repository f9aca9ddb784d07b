// Form 145 of the simulator: the controls at their dialog-unit places.
#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/DialogUnits.h"
#include "views/simulator/CSimulatorView.h"

namespace {

constexpr const char* kModeTexts[] = {"1 shot", "Periodic trans", "Response"};
constexpr int kModeY[] = {5, 16, 27};
constexpr int kRowsPerColumn = 10;

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& rect,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(rect);
    label->setAlignment(align);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QRect& rect, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(rect);
    edit->setAccessibleName(name);
    return edit;
}

}  // namespace

QRect CSimulatorView::FormRect(int x, int y, int width, int height) const {
    const QSize topLeft = DialogUnitsToPixels(font(), x, y);
    const QSize size = DialogUnitsToPixels(font(), width, height);
    return QRect(topLeft.width(), topLeft.height(), size.width(), size.height());
}

void CSimulatorView::CreateControls() {
    // The mode radios need room for their texts in the fixed-pitch form
    // font; the period edit moves right of the widest one if it must.
    int radioRight = 0;
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(QString::fromLatin1(kModeTexts[mode]), this);
        QRect rect = FormRect(10, kModeY[mode], 44, 10);
        rect.setWidth(std::max(rect.width(), radio->sizeHint().width()));
        rect.setHeight(std::max(rect.height(), radio->sizeHint().height()));
        radio->setGeometry(rect);
        radioRight = std::max(radioRight, rect.right());
        m_pMode[static_cast<std::size_t>(mode)] = radio;
    }
    QRect periodRect = FormRect(60, 15, 30, 12);
    if (periodRect.left() <= radioRight + 4) periodRect.moveLeft(radioRight + 6);
    m_pPeriod = MakeEdit(this, periodRect, QStringLiteral("Period in Hz"));
    MakeLabel(this, QStringLiteral("Hz"),
              QRect(periodRect.right() + 4, periodRect.top(), FormRect(0, 0, 14, 0).width(),
                    periodRect.height()));
    const QRect receptionRect = FormRect(148, 28, 75, 12);
    MakeLabel(this, QStringLiteral("Reception header,type"),
              FormRect(148, 17, 110, 10), Qt::AlignLeft | Qt::AlignBottom);
    m_pReception = MakeEdit(this, receptionRect, QStringLiteral("Reception header,type"));

    m_pSend = new QPushButton(QStringLiteral("Send"), this);
    m_pSend->setGeometry(FormRect(335, 5, 50, 15));
    m_pStop = new QPushButton(QStringLiteral("Stop"), this);
    m_pStop->setGeometry(FormRect(335, 25, 50, 15));

    m_pGroup = new QGroupBox(QStringLiteral("Send"), this);
    m_pGroup->setGeometry(FormRect(3, 40, 382, 195));
    m_pGroup->setAccessibleName(QStringLiteral("Send"));
    // The title sits on the frame's line, as the form was drawn; a title
    // above the line would put the line through the header row.
    m_pGroup->setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                       " margin-top: %1px; }"
                       " QGroupBox::title { subcontrol-origin: margin; left: 8px;"
                       " padding: 0px 3px; }")
            .arg(fontMetrics().height() / 2));
    m_pGroup->lower();
    MakeLabel(this, QStringLiteral("Header,Type"), FormRect(10, 50, 58, 12));
    m_pHeader = MakeEdit(this, FormRect(70, 50, 75, 12), QStringLiteral("Header,Type"));
    // Below the buttons, inside the group whose sends it counts.
    m_pRefused =
        MakeLabel(this, QString(), FormRect(186, 50, 192, 12), Qt::AlignRight | Qt::AlignVCenter);

    for (int row = 0; row < quelda::kSimRows; ++row) CreateRow(row);

    m_pChecksum = new QCheckBox(QStringLiteral("Add Checksum"), this);
    QRect checkRect = FormRect(200, 220, 64, 10);
    checkRect.setWidth(std::max(checkRect.width(), m_pChecksum->sizeHint().width()));
    checkRect.setHeight(std::max(checkRect.height(), m_pChecksum->sizeHint().height()));
    m_pChecksum->setGeometry(checkRect);
}

void CSimulatorView::CreateRow(int row) {
    const bool right = row >= kRowsPerColumn;
    const int y = 65 + 15 * (row % kRowsPerColumn);
    Row& r = m_rows.at(static_cast<std::size_t>(row));
    // Captions and units share the value's height, centred on it.
    r.caption = MakeLabel(this, QString(), FormRect(right ? 200 : 10, y, 60, 13));
    r.edit = new QLineEdit(this);
    r.edit->setGeometry(FormRect(right ? 260 : 70, y, 64, 13));
    r.list = new QComboBox(this);
    QRect listRect = FormRect(right ? 260 : 70, y, 75, 13);
    listRect.setHeight(std::max(listRect.height(),
                                std::min(r.list->sizeHint().height(), FormRect(0, 0, 0, 15).height())));
    r.list->setGeometry(listRect);
    r.unit = MakeLabel(this, QString(), FormRect(right ? 337 : 147, y, 40, 13));
    r.caption->hide();
    r.edit->hide();
    r.list->hide();
    r.unit->hide();
    NameRow(row);
}

void CSimulatorView::NameRow(int row) {
    Row& r = m_rows.at(static_cast<std::size_t>(row));
    QString caption = r.caption->text();
    if (caption.trimmed().isEmpty()) caption = QStringLiteral("Parameter %1").arg(row + 1);
    r.edit->setAccessibleName(caption + QStringLiteral(" value"));
    r.list->setAccessibleName(caption + QStringLiteral(" choice"));
    r.edit->setAccessibleDescription(r.unit->text());
    r.list->setAccessibleDescription(r.unit->text());
    r.caption->setAccessibleName(caption);
    r.unit->setAccessibleName(caption + QStringLiteral(" unit: ") + r.unit->text());
}
