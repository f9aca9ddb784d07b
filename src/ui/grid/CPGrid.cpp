#include "grid/CPGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>

CPGrid::CPGrid(QWidget* parent) : QTableWidget(parent), m_pCorner(new QLabel(this)) {
    // The corner carries a text (the name column's header), which the
    // table's own corner button cannot show.
    setCornerButtonEnabled(false);
    // The disabled button still sits under the label; screen readers list it.
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        button->setAccessibleName(QStringLiteral("Corner"));
    }
    m_pCorner->setAutoFillBackground(true);
    m_pCorner->setBackgroundRole(QPalette::Button);
    m_pCorner->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_pCorner->setIndent(3);
    m_pCorner->setAccessibleName(QStringLiteral("Header column"));
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    connect(this, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { NameCell(item->row(), item->column()); });
}

void CPGrid::SetCols(int count) {
    const int old = columnCount();
    setColumnCount(qMax(0, count));
    for (int col = old; col < columnCount(); ++col) SetText(-1, col, QString());
}

void CPGrid::SetRows(int count) {
    const int old = rowCount();
    setRowCount(qMax(0, count));
    // An empty header rather than the table's row numbers.
    for (int row = old; row < rowCount(); ++row) SetText(row, -1, QString());
}

void CPGrid::SetColWidth(int col, int width) {
    if (col == -1) {
        verticalHeader()->setFixedWidth(qMax(0, width));
        updateGeometries();
    } else if (col >= 0 && col < columnCount()) {
        setColumnWidth(col, qMax(0, width));
    }
}

int CPGrid::ColWidth(int col) const {
    if (col == -1) return verticalHeader()->width();
    return col >= 0 && col < columnCount() ? columnWidth(col) : 0;
}

QTableWidgetItem* CPGrid::HeaderItem(int row, int col) const {
    if (row == -1 && col >= 0 && col < columnCount()) return horizontalHeaderItem(col);
    if (col == -1 && row >= 0 && row < rowCount()) return verticalHeaderItem(row);
    return nullptr;
}

void CPGrid::SetText(int row, int col, const QString& text) {
    if (row == -1 && col == -1) {
        m_pCorner->setText(text);
        m_pCorner->setAccessibleDescription(text);
        return;
    }
    if (row < -1 || col < -1 || row >= rowCount() || col >= columnCount()) return;
    if (row == -1 || col == -1) {
        QTableWidgetItem* header = HeaderItem(row, col);
        if (!header) {
            header = new QTableWidgetItem;
            row == -1 ? setHorizontalHeaderItem(col, header) : setVerticalHeaderItem(row, header);
        }
        header->setText(text);
        row == -1 ? NameColumn(col) : NameRow(row);
        return;
    }
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        setItem(row, col, new QTableWidgetItem(text));
        NameCell(row, col);
    } else {
        cell->setText(text);
    }
}

QString CPGrid::Text(int row, int col) const {
    if (row == -1 && col == -1) return m_pCorner->text();
    if (row == -1 || col == -1) {
        QTableWidgetItem* header = HeaderItem(row, col);
        return header ? header->text() : QString();
    }
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return QString();
    CommitEdit();
    QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

QSize CPGrid::FullSize() const {
    int width = verticalHeader()->width() + 2 * frameWidth();
    for (int col = 0; col < columnCount(); ++col) width += columnWidth(col);
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (int row = 0; row < rowCount(); ++row) height += rowHeight(row);
    return QSize(width, height);
}

void CPGrid::CommitEdit() const {
    if (state() != QAbstractItemView::EditingState) return;
    QWidget* editor = QApplication::focusWidget();
    if (editor && viewport()->isAncestorOf(editor)) {
        // commitData is the view's own slot for its open editor.
        const_cast<CPGrid*>(this)->commitData(editor);
    }
}

void CPGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    const int frame = frameWidth();
    m_pCorner->setGeometry(frame, frame, verticalHeader()->width(),
                           horizontalHeader()->height());
    m_pCorner->raise();
}

// A cell is named by its row's and its column's header; its text is the value.
void CPGrid::NameCell(int row, int col) {
    QTableWidgetItem* cell = item(row, col);
    if (!cell) return;
    const QString rowName = Text(row, -1).isEmpty() ? QStringLiteral("Row %1").arg(row + 1)
                                                   : Text(row, -1);
    const QString colName = Text(-1, col).isEmpty() ? QStringLiteral("Column %1").arg(col + 1)
                                                   : Text(-1, col);
    const QString name = rowName + QStringLiteral(", ") + colName;
    // Only changes: setting a role reports the item changed once more.
    if (cell->data(Qt::AccessibleTextRole).toString() != name) {
        cell->setData(Qt::AccessibleTextRole, name);
    }
    if (cell->data(Qt::AccessibleDescriptionRole).toString() != cell->text()) {
        cell->setData(Qt::AccessibleDescriptionRole, cell->text());
    }
}

void CPGrid::NameRow(int row) {
    for (int col = 0; col < columnCount(); ++col) NameCell(row, col);
}

void CPGrid::NameColumn(int col) {
    for (int row = 0; row < rowCount(); ++row) NameCell(row, col);
}
