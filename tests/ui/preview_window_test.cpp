// The preview as a window: its place and size kept per user, maximizing
// from the View menu, the toolbar on resize, and the choice of pages to
// print from the pages combo and the File menu.
#include <gtest/gtest.h>

#include <string>

#include "engine/form_sizes.h"
#include "framework/core/ini_file.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/keys.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "preview_fixture.h"
#include "support/forms/scripted_ui.h"

namespace trx::test {
namespace {

class PreviewWindowTest : public PreviewTest {
protected:
    PreviewWindowTest() { Screen()->SetSize(1024, 768); }

    // The window closed by the user, then a new one opened on the same run.
    void Reopen() {
        UserClose(fm);
        OpenAgain();
    }
    void OpenAgain() {
        delete fm;
        fm = new TfmPreview(nullptr);
        fm->Show();
    }
    TMenuItem* Menu(const std::string& Name) const { return RequireComponent<TMenuItem>(*fm, Name); }
    std::string Section() { return FormSizeSection(*fm, RS().UserName); }
    static TRect Bounds(int Left, int Top, int Width, int Height) {
        return Rect(Left, Top, Left + Width, Top + Height);
    }
};

TEST_F(PreviewWindowTest, TheWindowComesBackWhereTheUserLeftItPerUser) {
    RS().UserName = "ann";
    auto grid = WideGrid(12);
    Open(grid.get());
    // Nothing stored yet: a quarter of the screen in, half of it large.
    EXPECT_EQ(fm->BoundsRect(), Bounds(256, 192, 512, 384));

    fm->SetBounds(40, 30, 700, 500);
    Reopen();
    EXPECT_EQ(fm->BoundsRect(), Bounds(40, 30, 700, 500));
    const TIniFile ini("Tabrix.Ini");
    EXPECT_EQ(ini.ReadInteger("Form:fmPreview User:ann", "Window Left", -1), 40);
    EXPECT_EQ(ini.ReadInteger("Form:fmPreview User:ann", "Window Height", -1), 500);
    EXPECT_FALSE(ini.ReadBool("Form:fmPreview User:ann", "Window Maximized", true));

    // Another user of the same report has a place of his own.
    UserClose(fm);
    RS().UserName = "bob";
    OpenAgain();
    EXPECT_EQ(fm->BoundsRect(), Bounds(256, 192, 512, 384));
}

TEST_F(PreviewWindowTest, AMaximizedWindowOpensMaximizedAndReturnsToItsLastNormalPlace) {
    auto grid = WideGrid(12);
    Open(grid.get());
    fm->SetBounds(40, 30, 700, 500);
    Reopen();
    UserClickMenu(Menu("itmMaximized"));
    ASSERT_EQ(fm->WindowState(), TWindowState::wsMaximized);
    Reopen();
    // Closed maximized: the normal place stays as stored before.
    const TIniFile ini("Tabrix.Ini");
    EXPECT_TRUE(ini.ReadBool(Section(), "Window Maximized", false));
    EXPECT_EQ(ini.ReadInteger(Section(), "Window Width", -1), 700);

    EXPECT_EQ(fm->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(fm->BoundsRect(), Bounds(0, 0, 1024, 768));
    UserOpenMenu(Menu("mnView"));
    EXPECT_TRUE(Menu("itmMaximized")->Checked());
    UserClickMenu(Menu("itmMaximized"));
    EXPECT_EQ(fm->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(fm->BoundsRect(), Bounds(40, 30, 700, 500));
}

TEST_F(PreviewWindowTest, ViewMaximizedTogglesTheWindowAndItsCheckFollowsTheWindow) {
    auto grid = WideGrid(12);
    Open(grid.get());
    const TRect normal = fm->BoundsRect();
    TMenuItem* item = Menu("itmMaximized");
    EXPECT_EQ(item->ShortCut(), ShortCut('M', TShiftState{TShiftFlag::ssCtrl}));

    UserClickMenu(item);
    EXPECT_EQ(fm->WindowState(), TWindowState::wsMaximized);
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(fm->BoundsRect(), Bounds(0, 0, 1024, 768));

    fm->memPreview->SetFocus();
    UserKeystroke(fm, 'M', TShiftState{TShiftFlag::ssCtrl}, "");
    EXPECT_EQ(fm->WindowState(), TWindowState::wsNormal);
    EXPECT_FALSE(item->Checked());
    EXPECT_EQ(fm->BoundsRect(), normal);

    // Maximized some other way (the window's own title bar): the menu shows
    // it when opened, and the item then makes the window normal again.
    fm->SetWindowState(TWindowState::wsMaximized);
    UserOpenMenu(Menu("mnView"));
    EXPECT_TRUE(item->Checked());
    UserClickMenu(item);
    EXPECT_EQ(fm->WindowState(), TWindowState::wsNormal);
    EXPECT_FALSE(item->Checked());
}

TEST_F(PreviewWindowTest, TheOutputControlsKeepToTheToolbarsRightAndTheFileNameTakesTheRoomLeft) {
    auto grid = WideGrid(12);
    Open(grid.get());
    auto expectLaidOut = [this](const std::string& When) {
        const int right = fm->paToolbar->ClientWidth();
        TControl* combo = fm->cbxIfOutputFileExists;
        TControl* browse = fm->buBrowseFile;
        TControl* name = fm->edOutputFileName;
        EXPECT_EQ(combo->Left() + combo->Width(), right - 5) << When;
        EXPECT_EQ(browse->Left() + browse->Width(), combo->Left() - 5) << When;
        EXPECT_EQ(name->Left(), fm->sbPrinterSetup->Left()) << When;
        // The file name reaches 3 pixels under the browse button.
        EXPECT_EQ(name->Left() + name->Width(), right - browse->Width() - combo->Width() - 7) << When;
    };
    expectLaidOut("shown");
    UserResize(fm, 800, 500);
    expectLaidOut("800 wide");
    const int nameWidth = fm->edOutputFileName->Width();
    UserResize(fm, 1000, 500);
    expectLaidOut("1000 wide");
    EXPECT_EQ(fm->edOutputFileName->Width(), nameWidth + 200);
    UserClickMenu(Menu("itmMaximized"));
    expectLaidOut("maximized");
}

TEST_F(PreviewWindowTest, DoubleClickingThePagesComboTakesTheNextChoiceRoundToTheFirst) {
    auto grid = WideGrid(12);
    Open(grid.get());
    const std::string caption = fm->Caption();
    TComboBox* pages = fm->cbxPrintWhatPages;
    pages->SetItemIndex(-1);
    for (const int expected : {0, 1, 0, 1}) {
        UserDblClick(pages);
        EXPECT_EQ(pages->ItemIndex(), expected);
        // The choice takes effect at once: the range shows only for a range.
        EXPECT_EQ(fm->edFromPageNum->Visible(), expected == 1);
        EXPECT_EQ(fm->edToPageNum->Visible(), expected == 1);
    }
    EXPECT_EQ(fm->Caption(), caption);
}

TEST_F(PreviewWindowTest, TheFileMenuChoosesThePagesToPrintAndShowsTheChoice) {
    auto grid = WideGrid(12);
    Open(grid.get());
    TComboBox* pages = fm->cbxPrintWhatPages;
    pages->SetItemIndex(0);

    UserClickMenu(Menu("itmPageRange"));
    EXPECT_EQ(pages->ItemIndex(), 1);
    EXPECT_TRUE(fm->edFromPageNum->Visible());
    EXPECT_TRUE(fm->edToPageNum->Visible());
    EXPECT_EQ(fm->FocusedControl(), fm->edFromPageNum);
    UserOpenMenu(Menu("mnFile"));
    EXPECT_FALSE(Menu("itmCurrentPage")->Checked());
    EXPECT_TRUE(Menu("itmPageRange")->Checked());

    UserClickMenu(Menu("itmCurrentPage"));
    EXPECT_EQ(pages->ItemIndex(), 0);
    EXPECT_FALSE(fm->edFromPageNum->Visible());
    UserOpenMenu(Menu("mnFile"));
    EXPECT_TRUE(Menu("itmCurrentPage")->Checked());
    EXPECT_FALSE(Menu("itmPageRange")->Checked());

    // A choice made on the combo shows in the menu too.
    UserSelect(pages, "Print Page Range");
    UserOpenMenu(Menu("mnFile"));
    EXPECT_TRUE(Menu("itmPageRange")->Checked());
}

} // namespace
} // namespace trx::test
