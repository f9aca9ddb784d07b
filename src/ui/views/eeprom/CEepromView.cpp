#include "views/eeprom/CEepromView.h"

#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

#include "app/CChildFrame.h"
#include "app/CQueldaChildFrame.h"
#include "app/CommandIds.h"
#include "app/DialogUnits.h"
#include "app/UiText.h"
#include "app/ViewContext.h"
#include "eeprom/EepromData.h"
#include "eeprom/EepromPage.h"
#include "eeprom/ItemWord.h"
#include "grid/CPGrid.h"
#include "routing/UpdateHint.h"
#include "views/eeprom/CPageTabs.h"

namespace {

enum ControlId {
    kSave = 1008,
    kOpen = 1009,
    kAllSend = 1010,
    kAllRecv = 1011,
    kPageRecv = 1012,
    kPageSend = 1013,
    kCopy = 1099,
    kPaste = 1101,
};

const int kTransferButtons[] = {kAllRecv, kAllSend, kPageRecv, kPageSend};

const QString kTitle = QStringLiteral("ＥＥＰＲＯＭ");

}  // namespace

CEepromView::CEepromView(IViewContext& context, QWidget* parent)
    : CFormView(context, QSize(478, 251), parent), m_transfer(*this, *this, *this) {
    setAccessibleName(QStringLiteral("EEPROM editor"));
    CreateControls();
    CreateActions();
    connect(&context.Events(), &CViewEvents::ConnectionChanged, this,
            [this](bool) { OnConnectionChanged(); });
}

CEepromView::~CEepromView() {
    // Other windows may send again once this one no longer waits.
    if (m_transfer.Running()) Context().ClearReplyWait();
}

// ---- form -----------------------------------------------------------------------------

void CEepromView::CreateControls() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(2, 2, 2, 2);
    root->setSpacing(4);

    auto* area = new QFrame(this);
    area->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    area->setAccessibleName(QStringLiteral("Pages"));
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(2, 2, 2, 2);
    areaLayout->setSpacing(2);
    m_pTabs = new CPageTabs(area);
    m_pTabs->setAccessibleName(QStringLiteral("Page tabs"));
    areaLayout->addWidget(m_pTabs);
    auto* grids = new QHBoxLayout;
    grids->setSpacing(DialogUnitsToPixels(font(), 4, 0).width());
    m_pLeft = new CPGrid(area);
    m_pLeft->setAccessibleName(QStringLiteral("Parameters 1 to 16"));
    m_pRight = new CPGrid(area);
    m_pRight->setAccessibleName(QStringLiteral("Parameters 17 to 32"));
    // Set up before any layout measures them: their sizes are fixed.
    SetUpGrid(*m_pLeft);
    SetUpGrid(*m_pRight);
    grids->addWidget(m_pLeft);
    grids->addWidget(m_pRight);
    areaLayout->addLayout(grids);
    root->addWidget(area);
    CreateButtons();

    connect(m_pTabs, &CPageTabs::AboutToChange, this, [this] {
        // An editor still open in a grid hands its text over on losing the focus.
        m_pTabs->setFocus();
        StorePage();
    });
    connect(m_pTabs, &CPageTabs::Changed, this, [this] { ShowPage(); });
}

void CEepromView::CreateButtons() {
    struct Spec {
        int id;
        const char* caption;
        int width;  // dialog units
    };
    static const Spec kSpecs[] = {
        {kAllRecv, "All Recv", 50}, {kAllSend, "All Send", 50}, {kPageRecv, "Page Recv", 50},
        {kPageSend, "Page Send", 50}, {kCopy, "Copy", 20}, {kPaste, "Paste", 22},
        {kOpen, "Open", 50}, {kSave, "Save", 50},
    };
    auto* row = new QHBoxLayout;
    row->setSpacing(DialogUnitsToPixels(font(), 4, 0).width());
    for (const Spec& spec : kSpecs) {
        if (spec.id == kCopy) {
            // The check field and its label are never shown; they still hold
            // the last "SUM"/"COM" value.
            m_pCheckLabel = new QLabel(QStringLiteral("Check"), this);
            m_pCheck = new QLineEdit(this);
            m_pCheck->setReadOnly(true);
            m_pCheck->setAccessibleName(QStringLiteral("Check"));
            m_pCheckLabel->setBuddy(m_pCheck);
            m_pCheckLabel->hide();
            m_pCheck->hide();
            row->addWidget(m_pCheckLabel);
            row->addWidget(m_pCheck);
            row->addStretch(1);
        }
        if (spec.id == kOpen) row->addStretch(1);
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        button->setAccessibleName(button->text());
        const QSize size = DialogUnitsToPixels(font(), spec.width, 14);
        // Short captions keep their text readable in any font.
        button->setMinimumWidth(qMax(size.width(), button->sizeHint().width()));
        button->setAutoDefault(false);
        row->addWidget(button);
        m_buttons[spec.id] = button;
    }
    layout()->addItem(row);

    connect(Button(kAllRecv), &QPushButton::clicked, this, [this] { m_transfer.StartAllRecv(); });
    connect(Button(kAllSend), &QPushButton::clicked, this, [this] { m_transfer.StartAllSend(); });
    connect(Button(kPageRecv), &QPushButton::clicked, this,
            [this] { m_transfer.StartPageRecv(m_pTabs->Current()); });
    connect(Button(kPageSend), &QPushButton::clicked, this,
            [this] { m_transfer.StartPageSend(m_pTabs->Current()); });
    connect(Button(kCopy), &QPushButton::clicked, this, &CEepromView::OnCopyPage);
    connect(Button(kPaste), &QPushButton::clicked, this, &CEepromView::OnPastePage);
    connect(Button(kOpen), &QPushButton::clicked, this, &CEepromView::OnFileOpen);
    connect(Button(kSave), &QPushButton::clicked, this, &CEepromView::OnFileSaveAs);
}

void CEepromView::CreateActions() {
    struct Spec {
        int id;
        const char* text;
        QKeySequence key;
        void (CEepromView::*slot)();
    };
    const Spec specs[] = {
        {cmd::kFileNew, "New(&N)", QKeySequence(Qt::CTRL | Qt::Key_N), &CEepromView::OnFileNew},
        {cmd::kFileOpen, "Open(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O), &CEepromView::OnFileOpen},
        {cmd::kFileSave, "Save(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), &CEepromView::OnFileSave},
        {cmd::kFileSaveAs, "Save As(&A)", QKeySequence(Qt::CTRL | Qt::Key_A),
         &CEepromView::OnFileSaveAs},
    };
    for (const Spec& spec : specs) {
        auto* action = new QAction(QString::fromLatin1(spec.text), this);
        action->setShortcut(spec.key);
        // The keys work while the EEPROM window has the focus, whatever the menu shows.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setProperty(CChildFrame::kCommandIdProperty, spec.id);
        connect(action, &QAction::triggered, this, spec.slot);
        addAction(action);
        m_actions[spec.id] = action;
    }
}

QPushButton* CEepromView::Button(int id) const {
    auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

QAction* CEepromView::FileAction(int commandId) const {
    auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

QSize CEepromView::sizeHint() const {
    return CFormView::sizeHint().expandedTo(layout()->sizeHint());
}

void CEepromView::SetUpGrid(CPGrid& grid) {
    grid.SetCols(3);
    grid.SetColWidth(-1, 160);
    grid.SetColWidth(0, 40);
    grid.SetColWidth(1, 100);
    grid.SetColWidth(2, 50);
    grid.SetSettingA(0);
    grid.SetRows(kGridRows);
    grid.SetSettingB(0);
    grid.SetSettingC(1);
    grid.SetSettingD(0, 1);
    grid.CallE(0, kGridRows);
    const int rowHeight = QFontMetrics(font()).height() + 4;
    grid.verticalHeader()->setMinimumSectionSize(1);
    grid.verticalHeader()->setDefaultSectionSize(rowHeight);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setFixedSize(grid.FullSize());
}

// ---- initial update ---------------------------------------------------------------------

void CEepromView::OnInitialUpdate() {
    LoadTabs();
    m_strDataPath = Context().AppDir() + "EEPROM.CSV";
    LoadData();
    OnConnectionChanged();
    FitFrame(kTitle, true);
    // Fitting a frame stops at two thirds of the screen; this form needs all
    // of it, but no more than the main window can show.
    if (CQueldaChildFrame* frame = Frame()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame->parentWidget())) {
            QSize size = sub->size().expandedTo(sub->sizeHint());
            if (QMdiArea* area = sub->mdiArea()) {
                const QSize room = area->viewport()->size() - QSize(sub->x(), sub->y());
                size = size.boundedTo(room.expandedTo(QSize(200, 200)));
            }
            sub->resize(size);
        }
    }
}

void CEepromView::LoadTabs() {
    std::vector<quelda::EepromPage>& pages = m_transfer.Pages();
    quelda::LoadPageTable(Context().AppDir() + "EEPROMTAB.TXT", pages);
    for (int tab = 0; tab < CPageTabs::kTabs; ++tab) {
        const std::size_t index = static_cast<std::size_t>(tab) + 1;
        m_pTabs->SetTitle(tab, index < pages.size() ? DecodeText(pages[index].title) : QString());
    }
}

void CEepromView::LoadData() {
    if (!quelda::LoadItems(m_strDataPath, m_transfer.Items())) {
        Inform(QStringLiteral("It failed to read the EEPROM file"));
        return;
    }
    WriteHeaders();
    ShowPage();
}

void CEepromView::WriteHeaders() {
    const std::vector<quelda::EepromItem>& items = m_transfer.Items();
    for (CPGrid* grid : {m_pLeft, m_pRight}) {
        if (items.empty()) {
            for (int col = -1; col < 3; ++col) grid->SetText(-1, col, QStringLiteral("non"));
            continue;
        }
        const quelda::EepromItem& header = items.front();
        grid->SetText(-1, -1, DecodeText(header.name));
        grid->SetText(-1, 0, DecodeText(header.lsb));
        grid->SetText(-1, 1, DecodeText(header.value));
        grid->SetText(-1, 2, DecodeText(header.unit));
    }
}

void CEepromView::OnConnectionChanged() {
    const bool connected = Context().IsConnected();
    for (int id : kTransferButtons) Button(id)->setEnabled(connected);
}

// ---- pages and grids --------------------------------------------------------------------

CPGrid* CEepromView::GridOfRow(int pageRow, int& gridRow) const {
    gridRow = pageRow % kGridRows;
    return pageRow < kGridRows ? m_pLeft : m_pRight;
}

QString CEepromView::CellText(int pageRow, int col) const {
    int gridRow = 0;
    CPGrid* grid = GridOfRow(pageRow, gridRow);
    return grid->Text(gridRow, col);
}

void CEepromView::SetCellText(int pageRow, int col, const QString& text) {
    int gridRow = 0;
    CPGrid* grid = GridOfRow(pageRow, gridRow);
    grid->SetText(gridRow, col, text);
}

void CEepromView::ShowPage() {
    const std::vector<quelda::EepromItem>& items = m_transfer.Items();
    const std::size_t first = static_cast<std::size_t>(m_pTabs->Current()) * kPageRows + 1;
    for (int row = 0; row < kPageRows; ++row) {
        const std::size_t index = first + static_cast<std::size_t>(row);
        if (index >= items.size()) {
            Inform(QStringLiteral("Data display in the EEPROM data has ended"));
            for (; row < kPageRows; ++row) {
                for (int col = -1; col < 3; ++col) SetCellText(row, col, QString());
            }
            return;
        }
        const quelda::EepromItem& item = items[index];
        SetCellText(row, -1, DecodeText(item.name));
        SetCellText(row, 0, DecodeText(item.lsb));
        SetCellText(row, 1, DecodeText(item.value));
        SetCellText(row, 2, DecodeText(item.unit));
    }
}

void CEepromView::StorePage() {
    std::vector<quelda::EepromItem>& items = m_transfer.Items();
    const std::size_t first = static_cast<std::size_t>(m_pTabs->Current()) * kPageRows + 1;
    for (int row = 0; row < kPageRows; ++row) {
        const std::size_t index = first + static_cast<std::size_t>(row);
        if (index >= items.size()) {
            Inform(QStringLiteral("There is no data in the EEPROM.CSV!"));
            return;
        }
        quelda::EepromItem& item = items[index];
        bool changed = false;
        // Written back in the encoding the item's text has, so that an
        // untouched cell compares equal byte for byte.
        for (auto [col, field] : {std::pair{0, &item.lsb}, {1, &item.value}, {2, &item.unit}}) {
            const std::string text = EncodeText(CellText(row, col), *field);
            if (text != *field) changed = true;
            *field = text;
        }
        if (changed) {
            m_bModified = true;
            quelda::ValueToHex(item);
        }
    }
}

// ---- broadcast --------------------------------------------------------------------------

void CEepromView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone && !data) {
        update();
        return;
    }
    const std::string text = data ? std::string(reinterpret_cast<const char*>(data), length)
                                  : std::string();
    switch (hint) {
        case quelda::hintEeprom:
            m_transfer.OnDataAnswer(text);
            break;
        case quelda::hintAck:
            m_transfer.OnAck();
            break;
        case quelda::hintNak:
            m_transfer.OnNak();
            break;
        case quelda::hintReply:
            m_transfer.OnReply(text);
            m_pCheck->setText(DecodeText(m_transfer.CheckText()));
            break;
        default:
            break;
    }
}

// ---- the transfer's hosts ---------------------------------------------------------------

bool CEepromView::SendCommand(const std::string& text) {
    return Context().SendCommand(text, 1) != 0;
}

void CEepromView::ClearReplyWait() { Context().ClearReplyWait(); }

int CEepromView::ByteWord() const { return Context().EepromByteWord(); }

void CEepromView::StartTimer(quelda::ITimerClient& owner, int id, int milliseconds) {
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] {
            if (quelda::ITimerClient* client = m_timerOwners[id]) client->OnTimer(id);
        });
    }
    m_timerOwners[id] = &owner;
    timer->start(milliseconds);
}

void CEepromView::KillTimer(quelda::ITimerClient&, int id) {
    auto it = m_timers.find(id);
    if (it != m_timers.end() && it->second) it->second->stop();
}

void CEepromView::ShowPrompt(const quelda::Prompt& prompt, std::function<void(bool)> answer) {
    // The questions come only from the start buttons, so they may be modal;
    // OK boxes do not block and are safe inside the broadcast.
    const bool yes = Context().PromptCaptioned(DecodeText(prompt.text), DecodeText(prompt.caption),
                                               prompt.buttons, prompt.kind);
    if (answer) answer(yes);
}

void CEepromView::Inform(const QString& text, const QString& caption) {
    Context().PromptCaptioned(text, caption, quelda::PromptButtons::Ok,
                              quelda::PromptKind::Information);
}

bool CEepromView::Question(const QString& text, quelda::PromptButtons buttons,
                           const QString& caption) {
    return Context().PromptCaptioned(text, caption, buttons, quelda::PromptKind::Information);
}
