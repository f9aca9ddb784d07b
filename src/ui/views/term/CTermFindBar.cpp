#include "views/term/CTermFindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

CTermFindBar::CTermFindBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setPlaceholderText(QStringLiteral("Find"));
    m_pEdit->setToolTip(QStringLiteral("Find text"));
    m_pEdit->setAccessibleName(QStringLiteral("Find text"));
    m_pMatchCase = new QCheckBox(QStringLiteral("Match case"), this);
    auto* next = new QPushButton(QStringLiteral("Next"), this);
    next->setToolTip(QStringLiteral("Find next (F3)"));
    auto* previous = new QPushButton(QStringLiteral("Previous"), this);
    previous->setToolTip(QStringLiteral("Find previous (Shift+F3)"));
    m_pResult = new QLabel(this);
    m_pResult->setAccessibleName(QStringLiteral("Find result"));
    m_pResult->setMinimumWidth(
        m_pResult->fontMetrics().horizontalAdvance(QStringLiteral("not found ")));
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("Close"));
    close->setToolTip(QStringLiteral("Close the find bar (Esc)"));
    for (QWidget* w : std::initializer_list<QWidget*>{next, previous, m_pMatchCase, close}) {
        w->setFocusPolicy(Qt::TabFocus);
    }
    layout->addWidget(m_pEdit, 1);
    layout->addWidget(m_pMatchCase);
    layout->addWidget(next);
    layout->addWidget(previous);
    layout->addWidget(m_pResult);
    layout->addWidget(close);
    m_pEdit->installEventFilter(this);
    connect(m_pEdit, &QLineEdit::returnPressed, this, [this] { emit FindRequested(true); });
    connect(next, &QPushButton::clicked, this, [this] { emit FindRequested(true); });
    connect(previous, &QPushButton::clicked, this, [this] { emit FindRequested(false); });
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit Closed();
    });
    connect(m_pEdit, &QLineEdit::textChanged, m_pResult, &QLabel::clear);
}

QString CTermFindBar::Text() const { return m_pEdit->text(); }

bool CTermFindBar::MatchCase() const { return m_pMatchCase->isChecked(); }

void CTermFindBar::Open() {
    show();
    m_pEdit->setFocus(Qt::ShortcutFocusReason);
    m_pEdit->selectAll();
}

void CTermFindBar::ShowFound(bool found) {
    m_pResult->setText(found ? QString() : QStringLiteral("not found"));
}

void CTermFindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        emit Closed();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CTermFindBar::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the find box finds: it must not reach the window's send shortcut.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return false;
        }
    }
    return QWidget::eventFilter(watched, event);
}
