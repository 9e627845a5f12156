// Grids as real windows: the titles and the rows shown are read off the
// model in its own loop; the current record is marked and followed; rows
// further on are read when the user scrolls; reading leaves the dataset
// where it was; a dataset whose controls are disabled is not read.
#include <gtest/gtest.h>

#include <QScrollBar>

#include <memory>
#include <string>

#include "framework/data/data_source.h"
#include "framework/data/mem_dataset.h"
#include "framework/forms/form.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/string_grid.h"
#include "framework/qt/qt_grid_widget.h"
#include "qt_user.h"

namespace trx::test {
namespace {

class GridWidgetTest : public ::testing::Test, public QtWindowsFixture {
protected:
    GridWidgetTest() {
        form = NewForm<TForm>(Application());
        form->SetName("fmGrids");
        form->SetClientWidth(400);
        form->SetClientHeight(200);
    }
    ~GridWidgetTest() override { ResetApplication(); }

    TQtGrid& Widget(const TControl* Grid) {
        auto* w = dynamic_cast<TQtGrid*>(QtWidget(Grid));
        EXPECT_NE(w, nullptr);
        return *w;
    }
    static QStringList Row(std::initializer_list<const char*> Texts) {
        QStringList row;
        for (const char* t : Texts) row << QString::fromUtf8(t);
        return row;
    }

    TForm* form;
};

TEST_F(GridWidgetTest, ADatabaseGridShowsItsTitlesAndRowsAndFollowsTheCurrentRecord) {
    TMemDataSet data(nullptr);
    data.AddFieldDef("id", TFieldType::ftInteger);
    data.AddFieldDef("name", TFieldType::ftString, 20);
    for (int i = 1; i <= 100; ++i) data.AppendRecord({i, "item " + std::to_string(i)});
    data.Open();
    TDataSource source(nullptr);
    source.SetDataSet(&data);
    auto* grid = new TDBGrid(form);
    grid->SetName("dbgItems");
    grid->SetBounds(0, 0, 400, 200);
    grid->SetDefaultRowHeight(18);
    grid->SetParent(form);
    grid->SetDataSource(&source);
    form->Show();

    TQtGrid& w = Widget(grid);
    ASSERT_TRUE(ProcessUntil([&] { return !w.Rows.empty(); }));
    EXPECT_EQ(w.FixedRows, (std::vector<QStringList>{Row({"", "id", "name"})}));
    EXPECT_EQ(w.Rows.front(), Row({"", "1", "item 1"}));
    EXPECT_EQ(w.RowTotal, 100);
    EXPECT_EQ(w.Current, 0);
    EXPECT_TRUE(w.Indicator);
    EXPECT_GE(static_cast<int>(w.Rows.size()), w.VisibleRows()); // the rows in view, and no more than one besides
    EXPECT_LE(static_cast<int>(w.Rows.size()), w.VisibleRows() + 1);

    // The current record moves; the mark follows.
    data.MoveBy(4);
    ASSERT_TRUE(ProcessUntil([&] { return w.Current == 4; }));

    // The user scrolls down: the rows from there on are read, and the
    // dataset stays on its record.
    w.verticalScrollBar()->setValue(50);
    ASSERT_TRUE(ProcessUntil([&] { return !w.Rows.empty() && w.Rows.front() == Row({"", "51", "item 51"}); }));
    EXPECT_EQ(data.RecNo(), 5);
    EXPECT_EQ(w.Current, 4);

    // While a print works through the dataset its controls are disabled:
    // the grid shows what it showed.
    const std::vector<QStringList> before = w.Rows;
    data.DisableControls();
    data.First();
    grid->Invalidate();
    Application()->ProcessMessages();
    EXPECT_EQ(w.Rows, before);
    EXPECT_EQ(w.Current, 4);
    EXPECT_EQ(data.RecNo(), 1);
    data.EnableControls();
    ASSERT_TRUE(ProcessUntil([&] { return w.Current == 0; }));
    form->Hide();
}

TEST_F(GridWidgetTest, AStringGridShowsItsFixedRowsAndItsCellsFromTheRowScrolledTo) {
    auto* grid = new TStringGrid(form);
    grid->SetName("sgItems");
    grid->SetBounds(0, 0, 400, 200);
    grid->SetParent(form);
    grid->SetColCount(2);
    grid->SetRowCount(41);
    grid->SetFixedCols(0);
    grid->SetColWidths(1, 150);
    grid->SetCells(0, 0, "Kind");
    grid->SetCells(1, 0, "Count");
    for (int r = 1; r <= 40; ++r) {
        grid->SetCells(0, r, "kind " + std::to_string(r));
        grid->SetCells(1, r, std::to_string(r * 10));
    }
    form->Show();

    TQtGrid& w = Widget(grid);
    ASSERT_TRUE(ProcessUntil([&] { return !w.Rows.empty(); }));
    EXPECT_EQ(w.FixedRows, (std::vector<QStringList>{Row({"Kind", "Count"})}));
    EXPECT_EQ(w.Rows.front(), Row({"kind 1", "10"}));
    EXPECT_EQ(w.ColWidths, (std::vector<int>{64, 150}));
    EXPECT_EQ(w.RowTotal, 40);
    EXPECT_FALSE(w.Indicator);

    w.verticalScrollBar()->setValue(30);
    ASSERT_TRUE(ProcessUntil([&] { return !w.Rows.empty() && w.Rows.front() == Row({"kind 31", "310"}); }));
    // A cell changed by the program shows once the grid is repainted.
    grid->SetCells(1, 31, "changed");
    grid->Invalidate();
    ASSERT_TRUE(ProcessUntil([&] { return w.Rows.front() == Row({"kind 31", "changed"}); }));
    form->Hide();
}

} // namespace
} // namespace trx::test
