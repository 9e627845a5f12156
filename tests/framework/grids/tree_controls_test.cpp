// Tree views, outlines and decision grids.
#include <gtest/gtest.h>

#include "framework/grids/decision_grid.h"
#include "framework/grids/outline.h"
#include "framework/grids/tree_view.h"

using namespace trx;

namespace {

TEST(TreeView, NodesAreNumberedParentBeforeChildren) {
    TTreeView tv(nullptr);
    TTreeNode* a = tv.Items().Add(nullptr, "a");
    TTreeNode* b = tv.Items().Add(a, "b");
    TTreeNode* a1 = tv.Items().AddChild(a, "a1");
    TTreeNode* a11 = tv.Items().AddChild(a1, "a11");
    TTreeNode* a2 = tv.Items().AddChild(a, "a2");
    ASSERT_EQ(tv.Items().Count(), 5);
    std::string order;
    for (int i = 0; i < tv.Items().Count(); ++i) order += tv.Items().Item(i)->Text + " ";
    EXPECT_EQ(order, "a a1 a11 a2 b ");
    EXPECT_EQ(a11->Level(), 2);
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_EQ(b->AbsoluteIndex(), 4);
    EXPECT_EQ(a11->GetNext(), a2);
    EXPECT_EQ(b->GetNext(), nullptr);
    EXPECT_THROW(tv.Items().Item(5), EListError);

    int changes = 0;
    tv.OnChange = [&](TObject*) { ++changes; };
    tv.SetSelected(a11);
    EXPECT_TRUE(a11->Selected());
    EXPECT_EQ(changes, 1);
    // Deleting a branch takes the selection out of it.
    tv.Items().Delete(a1);
    EXPECT_EQ(tv.Items().Count(), 3);
    EXPECT_EQ(tv.Selected(), nullptr);
    EXPECT_FALSE(tv.Items().Contains(a1));
    EXPECT_TRUE(tv.Items().Contains(a2));

    TTreeView other(nullptr);
    EXPECT_THROW(other.SetSelected(a2), EInvalidOperation);
}

TEST(Outline, ItemsLevelsAndSelection) {
    TOutline ol(nullptr);
    ol.Lines().Add("Top");
    ol.Lines().Add("\tChild");
    ol.Lines().Add("\t\tGrandchild");
    EXPECT_EQ(ol.ItemCount(), 3);
    EXPECT_EQ(ol.ItemText(2), "Child");
    EXPECT_EQ(ol.ItemLevel(3), 3);
    EXPECT_EQ(ol.SelectedItem(), 0);
    ol.SetSelectedItem(2);
    EXPECT_EQ(ol.SelectedItem(), 2);
    EXPECT_THROW(ol.SetSelectedItem(4), EOutlineError);
    EXPECT_THROW(ol.ItemText(0), EOutlineError);
    ol.Lines().Clear();
    EXPECT_EQ(ol.SelectedItem(), 0);
}

#ifdef UseDecGrid
TEST(DecisionGrid, CellsFromTheDataOriginWithHeadersBelowZero) {
    TDecisionGrid dg(nullptr);
    dg.SetDimensions(2, 1, 3, 4);
    EXPECT_EQ(dg.ColCount(), 6); // label column, two row headers, three values
    EXPECT_EQ(dg.FixedCols(), 3);
    EXPECT_EQ(dg.RowCount(), 5);
    EXPECT_EQ(dg.FixedRows(), 1);
    dg.SetCells(-2, -1, "Region");
    dg.SetCells(-1, 3, "North");
    dg.SetCells(2, 3, "42");
    EXPECT_EQ(dg.Cells(-2, -1), "Region");
    EXPECT_EQ(dg.Cells(-1, 3), "North");
    EXPECT_EQ(dg.Cells(2, 3), "42");
    EXPECT_EQ(dg.Cells(0, 0), "");
    EXPECT_EQ(dg.Cells(-3, 0), ""); // the label column holds no cell
    EXPECT_EQ(dg.Cells(3, 0), "");
    EXPECT_EQ(dg.Cells(0, -2), "");
    EXPECT_THROW(dg.SetCells(3, 0, "x"), EInvalidOperation);
    dg.SetDimensions(-1, -1, 0, 0);
    EXPECT_EQ(dg.ColCount(), 1);
    EXPECT_EQ(dg.RowCount(), 0);
}
#endif

} // namespace
