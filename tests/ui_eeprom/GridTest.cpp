// The grid: -1 addresses the header row and column, sizes and widths take
// the header column too, and text typed into a cell is read before the
// editor closes.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "grid/CPGrid.h"
#include "support/UiTestSupport.h"

namespace quelda::test {
namespace {

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.SetCols(3);
        grid.SetRows(16);
    }
    // The application must exist before the grid widget does.
    struct AppFirst {
        AppFirst() { UiApp(); }
    } app;
    CPGrid grid;
};

TEST_F(GridTest, MinusOneAddressesTheHeadersAndTheCorner) {
    grid.SetText(-1, -1, QStringLiteral("名前"));
    grid.SetText(-1, 1, QStringLiteral("値"));
    grid.SetText(4, -1, QStringLiteral("定格電流"));
    grid.SetText(4, 1, QStringLiteral("2.80"));
    EXPECT_EQ(grid.Text(-1, -1), QStringLiteral("名前"));
    EXPECT_EQ(grid.Text(-1, 1), QStringLiteral("値"));
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("値"));
    EXPECT_EQ(grid.Text(4, -1), QStringLiteral("定格電流"));
    EXPECT_EQ(grid.verticalHeaderItem(4)->text(), QStringLiteral("定格電流"));
    EXPECT_EQ(grid.Text(4, 1), QStringLiteral("2.80"));
    // The data cell (4, 1) is the table's own cell, not shifted by the headers.
    EXPECT_EQ(grid.item(4, 1)->text(), QStringLiteral("2.80"));
    EXPECT_EQ(grid.Text(4, 0), QString());
    // Rows without a name show nothing rather than a row number.
    EXPECT_EQ(grid.model()->headerData(0, Qt::Vertical).toString(), QString());
    // Outside the grid: nothing happens, nothing is read.
    grid.SetText(16, 0, QStringLiteral("x"));
    grid.SetText(0, 3, QStringLiteral("x"));
    grid.SetText(-2, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.Text(16, 0), QString());
    EXPECT_EQ(grid.Text(0, 3), QString());
    EXPECT_EQ(grid.rowCount(), 16);
    EXPECT_EQ(grid.columnCount(), 3);
}

TEST_F(GridTest, SizesAndWidthsIncludeTheHeaderColumn) {
    grid.SetColWidth(-1, 160);
    grid.SetColWidth(0, 40);
    grid.SetColWidth(1, 100);
    grid.SetColWidth(2, 50);
    grid.SetColWidth(3, 70);  // no such column
    EXPECT_EQ(grid.ColWidth(-1), 160);
    EXPECT_EQ(grid.verticalHeader()->width(), 160);
    EXPECT_EQ(grid.ColWidth(0), 40);
    EXPECT_EQ(grid.ColWidth(1), 100);
    EXPECT_EQ(grid.ColWidth(2), 50);
    EXPECT_EQ(grid.ColWidth(3), 0);
    const QSize full = grid.FullSize();
    EXPECT_EQ(full.width(), 160 + 40 + 100 + 50 + 2 * grid.frameWidth());
    // At that size the last cell lies wholly in view, with no scroll bar.
    grid.setFixedSize(full);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    const QRect last = grid.visualRect(grid.model()->index(15, 2));
    EXPECT_TRUE(grid.viewport()->rect().contains(last))
        << last.bottom() << " " << grid.viewport()->rect().bottom();
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    // The settings of the older component are accepted and change nothing.
    grid.SetSettingA(0);
    grid.SetSettingB(0);
    grid.SetSettingC(1);
    grid.SetSettingD(0, 1);
    EXPECT_EQ(grid.CallE(0, 16), 0);
    EXPECT_EQ(grid.FullSize(), full);
    EXPECT_EQ(grid.Rows(), 16);
    // Shrinking keeps the remaining header names.
    grid.SetText(2, -1, QStringLiteral("keep"));
    grid.SetRows(3);
    grid.SetCols(2);
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.Text(2, -1), QStringLiteral("keep"));
}

TEST_F(GridTest, TypedTextIsReadWhileTheEditorIsOpenAndCellsHaveNames) {
    grid.SetText(-1, 1, QStringLiteral("値"));
    grid.SetText(3, -1, QStringLiteral("最大電流"));
    grid.SetText(3, 1, QStringLiteral("8.40"));
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.setCurrentCell(3, 1);
    grid.editItem(grid.item(3, 1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("9.10"));
    EXPECT_EQ(grid.Text(3, 1), QStringLiteral("9.10"));
    EXPECT_EQ(grid.item(3, 1)->data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("最大電流, 値"));
    EXPECT_EQ(grid.item(3, 1)->data(Qt::AccessibleDescriptionRole).toString(),
              QStringLiteral("9.10"));
    // A cell of an unnamed row and column still has a name.
    grid.SetText(0, 2, QStringLiteral("A"));
    EXPECT_EQ(grid.item(0, 2)->data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("Row 1, Column 3"));
}

}  // namespace
}  // namespace quelda::test
