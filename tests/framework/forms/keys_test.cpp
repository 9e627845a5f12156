// Keys: short cuts, key preview, dialog keys, the key state.
#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"

namespace trx::testing {
namespace {

TEST(ShortCutTest, TextAndNumbersAsTheFrameworkWritesThem) {
    EXPECT_EQ(ShortCut('P', TShiftState{TShiftFlag::ssCtrl}), 16464);
    EXPECT_EQ(TextToShortCut("Ctrl+P"), 16464);
    EXPECT_EQ(TextToShortCut("ctrl+f10"), scCtrl | VK_F10);
    EXPECT_EQ(ShortCutToText(scCtrl | scShift | VK_TAB), "Shift+Ctrl+Tab");
    EXPECT_EQ(TextToShortCut(ShortCutToText(scAlt | 'X')), scAlt | 'X');
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    uint16_t key = 0;
    TShiftState shift;
    ShortCutToKey(scCtrl | 'W', key, shift);
    EXPECT_EQ(key, 'W');
    EXPECT_TRUE(shift.Contains(TShiftFlag::ssCtrl));
    EXPECT_FALSE(shift.Contains(TShiftFlag::ssShift));
}

class KeysTest : public FormsTest {
protected:
    KeysTest() {
        form = NewForm<TForm>(Application());
        form->SetName("fmKeys");
        ed = new TEdit(form);
        ed->SetName("ed");
        ed->SetParent(form);
        ed->OnKeyDown = [this](TObject*, uint16_t& k, TShiftState) { log.push_back("ed down " + std::to_string(k)); };
        ed->OnKeyPress = [this](TObject*, char& c) { log.push_back(std::string("ed press ") + c); };
        ed->OnKeyUp = [this](TObject*, uint16_t& k, TShiftState) { log.push_back("ed up " + std::to_string(k)); };
    }
    TForm* form;
    TEdit* ed;
};

TEST_F(KeysTest, GetKeyStateIsInjectableAndFollowsTheKeystroke) {
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    SetKeyDown(VK_CONTROL, true);
    SetKeyDown(VK_SHIFT, true);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_TRUE(KeyboardShiftState().Contains(TShiftFlag::ssShift));
    ReleaseAllKeys();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);

    int16_t during = 0;
    ed->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { during = GetKeyState(VK_CONTROL); };
    form->Show();
    UserKeyDown(ed, VK_UP, TShiftState{TShiftFlag::ssCtrl});
    EXPECT_LT(during, 0);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);

    SetKeyStateSource([](int k) { return k == VK_MENU ? int16_t{-128} : int16_t{0}; });
    EXPECT_LT(GetKeyState(VK_MENU), 0);
    SetKeyStateSource(nullptr);
    EXPECT_GE(GetKeyState(VK_MENU), 0);
}

TEST_F(KeysTest, KeyPreviewSeesTheKeyFirstAndAZeroKeyEndsIt) {
    form->KeyPreview = true;
    form->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState s) {
        log.push_back("form down " + std::to_string(k));
        if (k == 'Q' && s.Contains(TShiftFlag::ssCtrl)) k = 0;
    };
    form->OnKeyPress = [&](TObject*, char& c) { log.push_back(std::string("form press ") + c); };
    form->Show();
    UserKeyDown(ed, 'A', TShiftState{TShiftFlag::ssShift});
    EXPECT_EQ(log, (std::vector<std::string>{"form down 65", "ed down 65", "form press A", "ed press A", "ed up 65"}));
    EXPECT_EQ(ed->Text(), "A");
    log.clear();
    // Consumed in OnKeyDown: the control's OnKeyDown never sees it. The
    // character was made before the handlers ran, so Ctrl+Q still arrives
    // as #17, which an edit ignores.
    UserKeyDown(ed, 'Q', TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(log, (std::vector<std::string>{"form down 81", "form press \x11", "ed press \x11", "ed up 81"}));
    EXPECT_EQ(ed->Text(), "A");
}

TEST_F(KeysTest, MenuShortCutsComeFirstAndOpenTheirMenus) {
    auto* menu = new TMainMenu(form);
    auto* mnFile = new TMenuItem(form);
    mnFile->SetName("mnFile");
    mnFile->SetCaption("&File");
    auto* itmPreview = new TMenuItem(form);
    itmPreview->SetName("itmPreview");
    itmPreview->SetCaption("Pre&view");
    itmPreview->SetShortCut(TextToShortCut("Ctrl+W"));
    menu->Items()->Add(mnFile);
    mnFile->Add(itmPreview);
    form->SetMenu(menu);
    bool snapshot = false;
    mnFile->OnClick = [&](TObject*) {
        log.push_back("mnFile");
        itmPreview->SetEnabled(!snapshot);
    };
    itmPreview->OnClick = Logger("preview");
    form->KeyPreview = true;
    form->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState) { log.push_back("form down " + std::to_string(k)); };
    form->Show();

    UserKeyDown(form, 'W', TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(log, (std::vector<std::string>{"mnFile", "preview"}));
    EXPECT_EQ(menu->FindItem(16471), itmPreview);
    log.clear();
    snapshot = true; // the menu disables the item: the key goes on to the form
    UserKeyDown(form, 'W', TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(log, (std::vector<std::string>{"mnFile", "form down 87", "ed down 87", "ed press \x17", "ed up 87"}));

    log.clear();
    UserOpenMenu(mnFile);
    EXPECT_EQ(log, (std::vector<std::string>{"mnFile"}));
    EXPECT_THROW(UserClickMenu(itmPreview), EScriptFailure);
    snapshot = false;
    log.clear();
    UserClickMenu(itmPreview);
    EXPECT_EQ(log, (std::vector<std::string>{"mnFile", "preview"}));
    EXPECT_EQ(StripHotkey("Report P&assword && more"), "Report Password & more");
    EXPECT_EQ(mnFile->Find("preview"), itmPreview);
}

TEST_F(KeysTest, DialogKeysMoveTheFocusAndClickDefaultAndCancelButtons) {
    auto* ed2 = new TEdit(form);
    ed2->SetParent(form);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->Default = true;
    ok->ModalResult = mrOk;
    auto* cancel = new TButton(form);
    cancel->SetParent(form);
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    auto* mem = new TMemo(form);
    mem->SetParent(form);

    ui->OnModal("fmKeys", [&](TCustomForm&) {
        EXPECT_TRUE(ed->Focused());
        UserKeyDown(form, VK_TAB);
        EXPECT_TRUE(ed2->Focused());
        UserKeyDown(form, VK_TAB, TShiftState{TShiftFlag::ssShift});
        EXPECT_TRUE(ed->Focused());
        log.clear();
        UserKeyDown(ed, VK_RETURN); // the default button takes it; the edit sees nothing
        EXPECT_TRUE(log.empty());
    });
    EXPECT_EQ(form->ShowModal(), mrOk);

    ui->OnModal("fmKeys", [&](TCustomForm&) {
        UserType(mem, "a\rb"); // a memo keeps Enter for itself
        EXPECT_EQ(mem->Lines().Count(), 2);
        UserKeyDown(mem, VK_ESCAPE);
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);

    // Without a default button Enter reaches the edit as a key and a character.
    ok->Default = false;
    form->Show();
    log.clear();
    UserKeyDown(ed, VK_RETURN);
    EXPECT_EQ(log, (std::vector<std::string>{"ed down 13", "ed press \r", "ed up 13"}));
}

TEST_F(KeysTest, CtrlTabIsNoDialogKeyAndReachesTheForm) {
    form->KeyPreview = true;
    auto* ed2 = new TEdit(form);
    ed2->SetParent(form);
    form->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState s) {
        if (k == VK_TAB && s.Contains(TShiftFlag::ssCtrl)) log.push_back("next page");
    };
    form->Show();
    UserKeyDown(form, VK_TAB, TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(log.front(), "next page");
    EXPECT_TRUE(ed->Focused());
}

} // namespace
} // namespace trx::testing
