#include "views/simulator/CSimulatorView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "app/AccessibleNames.h"
#include "app/UiText.h"
#include "app/ViewContext.h"
#include "routing/UpdateHint.h"
#include "views/simulator/CViewPromptHost.h"
#include "views/simulator/CViewTimerHost.h"

const QColor CSimulatorView::kChangedColor(192, 192, 255);

CSimulatorView::CSimulatorView(IViewContext& context, QWidget* parent)
    : CFormView(context, QSize(391, 241), parent),
      m_pTimers(new CViewTimerHost(this, [this] { UpdateRefused(); })),
      m_pPrompts(new CViewPromptHost(context, this)),
      m_simulator(*this, *m_pTimers, *m_pPrompts, context.AppDir()) {
    CreateControls();
    for (int mode = 0; mode < 3; ++mode) {
        connect(ModeRadio(mode), &QRadioButton::clicked, this, [this, mode] { OnModeClicked(mode); });
    }
    connect(m_pSend, &QPushButton::clicked, this, &CSimulatorView::OnSend);
    connect(m_pStop, &QPushButton::clicked, this, &CSimulatorView::OnStop);
    connect(m_pHeader, &QLineEdit::textEdited, this, [this] { SetChanged(0); });
    for (int row = 0; row < quelda::kSimRows; ++row) {
        connect(ValueEdit(row), &QLineEdit::textEdited, this, [this, row] { SetChanged(1 + row); });
        connect(ChoiceList(row), qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this, row] { SetChanged(1 + row); });
    }
    connect(m_pChecksum, &QCheckBox::clicked, this, &CSimulatorView::SetChecksumChanged);
    connect(&context.Events(), &CViewEvents::ConnectionChanged, this,
            &CSimulatorView::UpdateSendEnabled);
    UpdateRefused();
}

// The core's timer dies with it, before the timer host (a child) goes.
CSimulatorView::~CSimulatorView() = default;

void CSimulatorView::OnInitialUpdate() {
    FitFrame(QStringLiteral("Simulator"), true);
    m_simulator.Load();
    ShowSettings();
    // Every new window starts in "1 shot".
    m_pMode[0]->setChecked(true);
    OnModeClicked(0);
    for (int row = 0; row < quelda::kSimRows; ++row) ShowRow(row);
    UpdateSendEnabled();
    NameControls(this);
}

void CSimulatorView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintSimulator) {
        // The frame itself is not looked at: any routed frame is answered.
        m_simulator.OnFrame();
        UpdateRefused();
    } else if (hint == quelda::hintNone && !data) {
        update();
    }
}

void CSimulatorView::OnConnectionChanged() { UpdateSendEnabled(); }

void CSimulatorView::ShowSettings() {
    const quelda::SimulatorSettings& settings = m_simulator.Settings();
    m_pHeader->setText(DecodeText(settings.sendHeader));
    m_pPeriod->setText(DecodeText(settings.period));
    m_pReception->setText(DecodeText(settings.receiveHeader));
    m_pChecksum->setChecked(settings.checksum);
}

void CSimulatorView::ShowRow(int row) {
    Row& r = m_rows.at(static_cast<std::size_t>(row));
    const auto& params = m_simulator.Rows();
    const bool defined = row < static_cast<int>(params.size());
    r.caption->setVisible(defined);
    r.unit->setVisible(defined);
    r.edit->setVisible(false);
    r.list->setVisible(false);
    if (!defined) return;
    const quelda::SimParam& param = params[static_cast<std::size_t>(row)];
    r.caption->setText(DecodeText(param.caption));
    r.unit->setText(DecodeText(param.unit));
    const quelda::SimRowInput input = m_simulator.InitialInput(row);
    if (param.IsChoiceRow()) {
        const QSignalBlocker blocker(r.list);
        r.list->clear();
        for (std::size_t k = 1; k < param.options.size(); ++k) {
            r.list->addItem(DecodeText(param.options[k].text));
        }
        r.list->setCurrentIndex(input.selection);
        r.list->show();
    } else {
        r.edit->setText(DecodeText(input.text));
        r.edit->show();
    }
    NameRow(row);
}

void CSimulatorView::OnModeClicked(int mode) {
    // Only the boxes follow the click: the mode itself takes effect at Send.
    m_pPeriod->setEnabled(mode == 1);
    m_pReception->setEnabled(mode == 2);
}

quelda::SimMode CSimulatorView::CurrentMode() const {
    if (m_pMode[1]->isChecked()) return quelda::SimMode::Periodic;
    if (m_pMode[2]->isChecked()) return quelda::SimMode::Response;
    return quelda::SimMode::Once;
}

std::vector<quelda::SimRowInput> CSimulatorView::RowInputs() const {
    std::vector<quelda::SimRowInput> inputs;
    const auto& params = m_simulator.Rows();
    for (std::size_t k = 0; k < params.size() && k < m_rows.size(); ++k) {
        quelda::SimRowInput input;
        if (params[k].IsChoiceRow()) {
            input.selection = m_rows[k].list->currentIndex();
        } else {
            // Typed text goes back in the encoding the file already uses.
            input.text = EncodeText(m_rows[k].edit->text(), params[k].value);
        }
        inputs.push_back(input);
    }
    return inputs;
}

void CSimulatorView::OnSend() {
    const quelda::SimulatorSettings& old = m_simulator.Settings();
    quelda::SimulatorSettings settings;
    settings.sendHeader = EncodeText(m_pHeader->text(), old.sendHeader);
    settings.period = EncodeText(m_pPeriod->text(), old.period);
    settings.receiveHeader = EncodeText(m_pReception->text(), old.receiveHeader);
    settings.checksum = m_pChecksum->isChecked();
    m_simulator.Send(settings, CurrentMode(), RowInputs());
    ClearChanged();
    UpdateRefused();
    update();
}

void CSimulatorView::OnStop() { m_simulator.Stop(); }

void CSimulatorView::UpdateSendEnabled() { m_pSend->setEnabled(Context().IsConnected()); }

void CSimulatorView::UpdateRefused() {
    const int refused = m_simulator.RefusedCount();
    const QString text = QStringLiteral("Sends refused since the last Send: %1").arg(refused);
    if (m_pRefused->text() == text) return;
    m_pRefused->setText(text);
    m_pRefused->setAccessibleName(text);
    // Gaps the device side saw stand out.
    QPalette palette = m_pRefused->palette();
    palette.setColor(QPalette::WindowText,
                     refused > 0 ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
    m_pRefused->setPalette(palette);
}

void CSimulatorView::SetChanged(int flag) {
    m_bChanged.at(static_cast<std::size_t>(flag)) = true;
    if (flag == 0) {
        Mark(m_pHeader, true);
    } else {
        const Row& r = m_rows.at(static_cast<std::size_t>(flag - 1));
        Mark(r.edit, true);
        Mark(r.list, true);
    }
}

void CSimulatorView::SetChecksumChanged() {
    m_bChecksumChanged = true;
    Mark(m_pChecksum, true);
}

void CSimulatorView::ClearChanged() {
    m_bChanged.fill(false);
    m_bChecksumChanged = false;
    Mark(m_pHeader, false);
    for (const Row& r : m_rows) {
        Mark(r.edit, false);
        Mark(r.list, false);
    }
    Mark(m_pChecksum, false);
}

void CSimulatorView::Mark(QWidget* widget, bool changed) {
    if (!changed) {
        widget->setStyleSheet(QString());
        return;
    }
    // A list is only painted flat in a colour when its frame is styled too.
    const bool list = qobject_cast<QComboBox*>(widget) != nullptr;
    widget->setStyleSheet(
        QStringLiteral("%1 { background-color: %2;%3 }")
            .arg(QString::fromLatin1(widget->metaObject()->className()), kChangedColor.name(),
                 list ? QStringLiteral(" border: 1px solid #808080; border-radius: 2px;"
                                       " padding: 0px 4px;")
                      : QString()));
}

bool CSimulatorView::SendLine(const std::string& text) { return Context().SendLine(text, 0) != 0; }

void CSimulatorView::SetSimulatorPrefix(const std::string& prefix) {
    Context().SetSimulatorPrefix(prefix);
}
