// The user's saved position and the line bookmarks of a page row.
#include "adapter_fixture.h"

#include "framework/data/mem_dataset.h"
#include "framework/grids/outline.h"
#include "framework/grids/tree_view.h"

namespace trx::test {
namespace {

constexpr TRegPlaneNdx Data = TRegPlaneNdx::plMiddle;

int64_t CurrentId(TDataSet& DS) { return DS.FieldByName("id")->AsInteger(); }

TEST_F(AdapterTest, UserPositionComesBackAfterARun) {
    auto table = Table(Database(PeopleSql), "people");
    table->Open();
    table->Next(); // the user stands on Bob
    EXPECT_EQ(Define(table.get()), "");
    ASSERT_TRUE(OI.ObjPosn);
    EXPECT_TRUE(OI.ObjPosn->Bookmark);
    while (!OI.GetNextRcd(Data, false)) {}
    EXPECT_EQ(CurrentId(*table), 3);
    OI.ObjPosn->RestorePosn();
    EXPECT_EQ(CurrentId(*table), 2);

    // The current-page print starts where the user stands.
    table->First();
    RS.PrintWhat = TPrintWhat::pwCurrentPage;
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_EQ(CurrentId(*table), 2);

    // A saved record deleted meanwhile leaves the dataset where it is.
    LastFile().Exec("DELETE FROM people WHERE id = 2;");
    table->Last();
    EXPECT_NO_THROW(OI.ObjPosn->RestorePosn());
    EXPECT_EQ(CurrentId(*table), 3);
    ASSERT_TRUE(OI.GetFirstRcd()); // the current page then starts there too
    EXPECT_EQ(CurrentId(*table), 3);
}

TEST_F(AdapterTest, PositionsOfTreeLikeObjects) {
    TOutline outline(nullptr);
    for (const char* s : {"a", "b", "c"}) outline.Lines().Add(s);
    outline.SetSelectedItem(2);
    EXPECT_EQ(Define(&outline), "");
    OI.CurCell.Y = 3;
    OI.ObjPosn->RestorePosn();
    EXPECT_EQ(OI.CurCell, (TPoint{-1, 2}));

    TTreeView tree(nullptr);
    TTreeNode* a = tree.Items().Add(nullptr, "a");
    TTreeNode* b = tree.Items().Add(nullptr, "b");
    tree.SetSelected(b);
    EXPECT_EQ(Define(&tree), "");
    EXPECT_EQ(OI.ObjPosn->TreeNode, b);
    tree.SetSelected(a);
    OI.ObjPosn->RestorePosn();
    EXPECT_EQ(tree.Selected(), b);
    tree.SetSelected(a);
    tree.Items().Delete(b); // a node deleted since is not selected again
    OI.ObjPosn->RestorePosn();
    EXPECT_EQ(tree.Selected(), a);
}

TEST_F(AdapterTest, LineBookmarksReplayRecords) {
    auto table = Table(Database(PeopleSql), "people");
    EXPECT_EQ(Define(table.get()), "");
    TBMLineList& list = *PS.BMLineList;
    PS.LineNum = 0;
    ASSERT_TRUE(OI.GetFirstRcd());
    int top = 4;
    do {
        PS.PrintRect = TRect{0, top, 80, 60};
        PS.TextRect = TRect{0, top, 80, top + 1}; // each line takes two text lines
        list.SaveRcdBookmark();
        top += 2;
    } while (!OI.GetNextRcd(Data, false));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(1)->LineNum, 2);
    EXPECT_EQ(list.Items(1)->TextRect, (TRect{-1, 6, -1, 60}));
    EXPECT_EQ(list.Items(1)->Posn, (TPoint{-1, -1}));

    int used = 0;
    PS.PrintRect = TRect{3, 50, 70, 60};
    ASSERT_TRUE(list.GotoRcdBookMark(1, used));
    EXPECT_EQ(used, 2);
    EXPECT_EQ(PS.LineNum, 2);
    EXPECT_EQ(CurrentId(*table), 2);
    EXPECT_EQ(OI.GetColData(Data, 1, true), "Bob");
    // The line's place goes back on the page; the page keeps its edges.
    EXPECT_EQ(PS.PrintRect, (TRect{3, 6, 70, 5}));
    EXPECT_FALSE(OI.BookmarkFailed);

    EXPECT_FALSE(list.GotoRcdBookMark(3, used));
    EXPECT_EQ(used, -1);
    EXPECT_FALSE(list.GotoRcdBookMark(-1, used));

    // A record deleted behind a bookmark fails that line only.
    LastFile().Exec("DELETE FROM people WHERE id = 2;");
    EXPECT_TRUE(list.GotoRcdBookMark(1, used));
    EXPECT_TRUE(OI.BookmarkFailed);
    EXPECT_EQ(used, 2);
    EXPECT_TRUE(list.GotoRcdBookMark(2, used));
    EXPECT_FALSE(OI.BookmarkFailed);
    EXPECT_EQ(CurrentId(*table), 3);

    list.FreeAllBookmarks();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(AdapterTest, LineBookmarksOfGridsKeepTheCell) {
    auto sg = Grid(3, 4);
    EXPECT_EQ(Define(sg.get()), "");
    TBMLineList& list = *PS.BMLineList;
    RS.OutputQuality = 2; // graphic output keeps no text place
    ASSERT_TRUE(OI.GetFirstRcd());
    OI.GetNextRcd(Data, false);
    list.SaveRcdBookmark();
    EXPECT_EQ(list.Items(0)->TextRect, (TRect{-1, -1, -1, -1}));
    OI.GetNextRcd(Data, false);
    int used = 0;
    PS.PrintRect = TRect{0, 30, 50, 40};
    ASSERT_TRUE(list.GotoRcdBookMark(0, used));
    EXPECT_EQ(OI.CurCell, (TPoint{1, 2}));
    EXPECT_EQ(PS.PrintRect, (TRect{0, 30, 50, 29}));
}

TEST_F(AdapterTest, BookmarksNeedNoDataSetToBeFreed) {
    auto list = std::make_unique<TBMLineList>();
    {
        TMemDataSet mem;
        mem.AddFieldDef("id", TFieldType::ftInteger);
        mem.AppendRecord({1});
        EXPECT_EQ(Define(&mem), "");
        ASSERT_TRUE(OI.GetFirstRcd());
        list->SaveRcdBookmark();
        OI.DataSet = nullptr; // the run forgets the dataset it is about to lose
        OI.ObjPosn.reset();
    }
    int used = 0;
    EXPECT_TRUE(list->GotoRcdBookMark(0, used));
    EXPECT_TRUE(OI.BookmarkFailed);
    list.reset();
}

} // namespace
} // namespace trx::test
