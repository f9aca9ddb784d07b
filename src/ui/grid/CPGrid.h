#pragma once
// The EEPROM editor's grid: a header row and a header column addressed as
// -1, data cells from (0, 0), per-column widths (the header column's too),
// and in-place editing of the data cells. Header cells are not editable.
#include <QTableWidget>

class QLabel;

class CPGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit CPGrid(QWidget* parent = nullptr);

    // Data columns and rows; the header row and column are always there.
    void SetCols(int count);
    int Cols() const { return columnCount(); }
    void SetRows(int count);
    int Rows() const { return rowCount(); }
    // Pixels; column -1 is the header column.
    void SetColWidth(int col, int width);
    int ColWidth(int col) const;

    // (row, col) from -1; (-1, -1) is the corner. Outside the grid: ignored
    // and empty.
    void SetText(int row, int col, const QString& text);
    // Includes text still being typed into the cell's editor.
    QString Text(int row, int col) const;

    // The editor's set-up sequence of the older component sets these; this
    // grid has no use for them, so they are accepted and change nothing.
    void SetSettingA(int) {}
    void SetSettingB(int) {}
    void SetSettingC(int) {}
    void SetSettingD(int, int) {}
    int CallE(int, int) { return 0; }

    // The size that shows every cell without scroll bars.
    QSize FullSize() const;

    // Hands text being typed in a cell to the cell.
    void CommitEdit() const;

protected:
    void updateGeometries() override;

private:
    QTableWidgetItem* HeaderItem(int row, int col) const;
    void NameCell(int row, int col);
    void NameRow(int row);
    void NameColumn(int col);

    QLabel* m_pCorner;
};
