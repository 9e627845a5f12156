// Controls: what code fires and what a user fires.
#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"

namespace trx::testing {
namespace {

template <class T>
T* Make(TWinControl* Parent, const std::string& Name) {
    if (!Parent) throw EComponentError("no parent for " + Name);
    auto* c = new T(GetParentForm(Parent) ? static_cast<TComponent*>(GetParentForm(Parent)) : Parent);
    c->SetName(Name);
    c->SetParent(Parent);
    return c;
}

class ControlsTest : public FormsTest {
protected:
    ControlsTest() {
        form = NewForm<TForm>(Application());
        form->SetName("fmTest");
        form->SetBounds(0, 0, 400, 300);
    }
    TForm* form;
};

// ---------------------------------------------------------------------------
// Edits

TEST_F(ControlsTest, EditTextSetInCodeFiresOnChangeAndClearsModifiedTypingSetsIt) {
    auto* ed = Make<TEdit>(form, "ed");
    int changes = 0;
    bool modifiedInHandler = false;
    ed->OnChange = [&](TObject*) {
        ++changes;
        modifiedInHandler = ed->Modified();
    };
    ed->SetModified(true);
    ed->SetText("abc");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(ed->Modified());
    EXPECT_FALSE(modifiedInHandler);
    ed->SetText("abc"); // the same text changes nothing
    EXPECT_EQ(changes, 1);

    form->Show();
    // The first control takes the focus with its text selected; typing replaces it.
    ASSERT_TRUE(ed->Focused());
    EXPECT_EQ(ed->SelText(), "abc");
    ed->SetSelStart(3);
    UserType(ed, "de");
    EXPECT_EQ(ed->Text(), "abcde");
    EXPECT_EQ(changes, 3); // one OnChange a character
    EXPECT_TRUE(ed->Modified());
    EXPECT_TRUE(modifiedInHandler); // Modified is set before OnChange

    ed->SetText("x");
    EXPECT_FALSE(ed->Modified());
}

TEST_F(ControlsTest, KeyPressCanReplaceOrDropTypedCharacters) {
    auto* ed = Make<TEdit>(form, "ed");
    ed->OnKeyPress = [](TObject*, char& k) {
        if (k == 'x')
            k = 'y';
        else if (k < '0' || k > '9')
            k = 0;
    };
    form->Show();
    UserType(ed, "1a2x3\b");
    EXPECT_EQ(ed->Text(), "12y3"); // a dropped Backspace deletes nothing
}

TEST_F(ControlsTest, AKeyboardKeystrokeGoesToTheFocusedControlWithTheCharactersItTyped) {
    auto* ed = Make<TEdit>(form, "ed");
    std::vector<std::string> events;
    ed->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState) { events.push_back("down " + std::to_string(k)); };
    ed->OnKeyPress = [&](TObject*, char& c) {
        events.push_back("press " + std::to_string(static_cast<unsigned char>(c)));
    };
    form->Show();
    ASSERT_TRUE(ed->Focused());
    // The character a key makes on this keyboard, not the one of its code.
    UserKeystroke(form, '1', TShiftState{TShiftFlag::ssShift}, "!");
    // A letter beyond ASCII: one key, then its bytes one by one.
    UserKeystroke(form, 'E', {}, "\xC3\xA9");
    // A character without a key code fires only OnKeyPress.
    UserKeystroke(form, 0, {}, "%");
    EXPECT_EQ(ed->Text(), "!\xC3\xA9%");
    EXPECT_TRUE(ed->Modified());
    EXPECT_EQ(events,
              (std::vector<std::string>{"down 49", "press 33", "down 69", "press 195", "press 169", "press 37"}));
    // Without characters the key makes its own (Backspace here).
    events.clear();
    UserKeystroke(form, VK_BACK, {}, "");
    EXPECT_EQ(events, (std::vector<std::string>{"down 8", "press 8"}));
    EXPECT_EQ(ed->Text(), "!\xC3\xA9");
}

TEST_F(ControlsTest, EditEditingKeysMaxLengthReadOnlyAndPassword) {
    auto* ed = Make<TEdit>(form, "ed");
    auto* other = Make<TEdit>(form, "other");
    form->Show();
    UserType(ed, "hello");
    UserKeyDown(ed, VK_HOME);
    UserKeyDown(ed, VK_DELETE);
    UserKeyDown(ed, VK_END);
    UserType(ed, "\b!");
    EXPECT_EQ(ed->Text(), "ell!");

    ed->MaxLength = 5;
    UserType(ed, "abc");
    EXPECT_EQ(ed->Text(), "ell!a");

    // Tabbing in selects the whole text, so that typing replaces it.
    UserFocus(other);
    UserKeyDown(form, VK_TAB, TShiftState{TShiftFlag::ssShift});
    ASSERT_TRUE(ed->Focused());
    UserType(ed, "z");
    EXPECT_EQ(ed->Text(), "z");

    ed->SetReadOnly(true);
    UserType(ed, "q");
    EXPECT_EQ(ed->Text(), "z");
    EXPECT_FALSE(ed->Modified() && ed->Text() != "z");

    ed->SetPasswordChar('X');
    EXPECT_EQ(ed->DisplayText(), "X");
    EXPECT_EQ(ed->Text(), "z");
}

TEST_F(ControlsTest, EditReplaceTextAndClipboard) {
    auto* ed = Make<TEdit>(form, "ed");
    form->Show();
    ed->SetText("old text");
    UserReplaceText(ed, "new");
    EXPECT_EQ(ed->Text(), "new");
    EXPECT_TRUE(ed->Modified());
    UserReplaceText(ed, "");
    EXPECT_EQ(ed->Text(), "");

    ed->SetText("copy me");
    ed->SelectAll();
    UserKeyDown(ed, 'C', TShiftState{TShiftFlag::ssCtrl});
    UserKeyDown(ed, VK_END);
    UserKeyDown(ed, 'V', TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(ed->Text(), "copy mecopy me");
}

TEST_F(ControlsTest, MaskEditTextInCodeAndTypingFollowTheEditRules) {
    auto* me = Make<TMaskEdit>(form, "meCopies");
    me->EditMask = "999;0; ";
    int changes = 0;
    me->OnChange = [&](TObject*) { ++changes; };
    me->OnKeyPress = [](TObject*, char& k) {
        if (k < '0' || k > '9') k = 0;
    };
    me->SetModified(true);
    me->SetText("1");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(me->Modified());

    form->Show();
    UserReplaceText(me, "2x5");
    EXPECT_EQ(me->Text(), "25");
    EXPECT_TRUE(me->Modified());
    me->SetPasswordChar('*');
    EXPECT_EQ(me->DisplayText(), "**");
}

// ---------------------------------------------------------------------------
// Memos

TEST_F(ControlsTest, MemoLinesAreTheTextJoinedByCrLf) {
    auto* mem = Make<TMemo>(form, "mem");
    int changes = 0;
    mem->OnChange = [&](TObject*) { ++changes; };
    mem->Lines().Add("first");
    mem->Lines().Add("second");
    EXPECT_EQ(mem->Text(), "first\r\nsecond\r\n");
    EXPECT_EQ(mem->Lines().Count(), 2);
    EXPECT_EQ(mem->LineCount(), 3); // the edit control counts the empty last line
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(mem->LineIndex(2), 15);

    mem->SetText("a\r\nb");
    EXPECT_EQ(mem->Lines().Count(), 2);
    mem->Lines().Add("c"); // after a last line without a break
    EXPECT_EQ(mem->Text(), "a\r\nb\r\nc");
    mem->Lines().Insert(0, "z");
    mem->Lines().Put(2, "B");
    mem->Lines().Delete(3);
    EXPECT_EQ(mem->Text(), "z\r\na\r\nB\r\n");
    EXPECT_EQ(mem->Lines().Text(), "z\r\na\r\nB\r\n");
    EXPECT_EQ(mem->Lines()[1], "a");
    EXPECT_EQ(mem->LineFromChar(4), 1);
    EXPECT_EQ(mem->LineIndex(9), -1);

    mem->Lines().Clear();
    EXPECT_EQ(mem->Lines().Count(), 0);
    EXPECT_EQ(mem->LineCount(), 1);
}

TEST_F(ControlsTest, MemoTypingEnterScrollingAndModified) {
    auto* mem = Make<TMemo>(form, "mem");
    mem->SetBounds(0, 0, 200, 4 + 5 * mem->LineHeight());
    ASSERT_EQ(mem->VisibleLineCount(), 5);
    form->Show();
    mem->Lines().Add("x");
    EXPECT_FALSE(mem->Modified()); // lines added in code leave Modified alone
    UserType(mem, "ab\rcd"); // Enter stays in the memo: it wants returns
    EXPECT_TRUE(mem->Modified());
    EXPECT_EQ(mem->Text(), "x\r\nab\r\ncd");

    mem->SetText("");
    for (int i = 0; i < 20; ++i) mem->Lines().Add("line " + std::to_string(i));
    EXPECT_EQ(mem->FirstVisibleLine(), 0);
    mem->Perform(EM_LINESCROLL, 0, 3);
    EXPECT_EQ(mem->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    mem->LineScroll(100); // no further than the last page
    EXPECT_EQ(mem->FirstVisibleLine(), 21 - 5);
    mem->SetSelStart(0);
    UserFocus(mem);
    UserKeyDown(mem, VK_HOME, TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(mem->FirstVisibleLine(), 0); // the caret is kept in view
    UserKeyDown(mem, VK_NEXT);
    EXPECT_EQ(mem->CaretPos().Y, 5);
    mem->SelectAll();
    mem->CopyToClipboard();
    EXPECT_EQ(mem->SelText(), mem->Text());
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

TEST_F(ControlsTest, CheckBoxFiresOnClickWhenCodeChangesTheState) {
    auto* cb = Make<TCheckBox>(form, "cb");
    int clicks = 0;
    cb->OnClick = [&](TObject*) { ++clicks; };
    cb->SetChecked(true);
    cb->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    cb->SetChecked(false);
    EXPECT_EQ(clicks, 2);

    form->Show();
    UserClick(cb);
    EXPECT_TRUE(cb->Checked());
    UserKeyDown(cb, VK_SPACE);
    EXPECT_FALSE(cb->Checked());
    EXPECT_EQ(clicks, 4);

    cb->AllowGrayed = true;
    UserClick(cb);
    EXPECT_EQ(cb->State(), TCheckBoxState::cbGrayed);
    UserClick(cb);
    EXPECT_EQ(cb->State(), TCheckBoxState::cbChecked);
}

TEST_F(ControlsTest, CheckingARadioButtonUnchecksItsSiblingsOnly) {
    auto* group = Make<TGroupBox>(form, "gb");
    auto* r1 = Make<TRadioButton>(group, "r1");
    auto* r2 = Make<TRadioButton>(group, "r2");
    auto* outside = Make<TRadioButton>(form, "r3");
    std::vector<std::string> clicks;
    for (TRadioButton* r : {r1, r2, outside}) r->OnClick = [&clicks, r](TObject*) { clicks.push_back(r->Name()); };

    outside->SetChecked(true);
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_TRUE(outside->Checked()); // another parent, another group
    EXPECT_EQ(clicks, (std::vector<std::string>{"r3", "r1", "r2"}));

    r2->SetChecked(false); // unchecking fires nothing
    EXPECT_EQ(clicks.size(), 3u);

    form->Show();
    UserClick(r1);
    UserClick(r1); // already checked: nothing
    EXPECT_EQ(clicks, (std::vector<std::string>{"r3", "r1", "r2", "r1"}));
}

// ---------------------------------------------------------------------------
// Combo boxes

TEST_F(ControlsTest, ComboBoxCodeFiresNothingUserPickFiresClickThenChange) {
    auto* cbx = Make<TComboBox>(form, "cbx");
    cbx->Items().Add("Printer");
    cbx->Items().Add("Text File");
    cbx->OnChange = Logger("change");
    cbx->OnClick = Logger("click");
    cbx->OnDropDown = [&](TObject*) {
        log.push_back("dropdown");
        if (cbx->Items().Count() == 2) cbx->Items().Add("Export Data"); // filled as it opens
    };

    cbx->SetItemIndex(1);
    EXPECT_EQ(cbx->Text(), "Text File");
    cbx->SetText("Printer");
    EXPECT_EQ(cbx->ItemIndex(), 0);
    cbx->SetText("free text");
    EXPECT_EQ(cbx->ItemIndex(), -1);
    EXPECT_TRUE(log.empty());

    form->Show();
    UserSelect(cbx, "Export Data");
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown", "click", "change"}));
    EXPECT_EQ(cbx->ItemIndex(), 2);
    EXPECT_EQ(cbx->Text(), "Export Data");
    log.clear();
    UserSelect(cbx, 2); // the same item again
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown"}));
    log.clear();

    UserReplaceText(cbx, "ab");
    EXPECT_EQ(log, (std::vector<std::string>{"change", "change"}));
    EXPECT_EQ(cbx->Text(), "ab");
    EXPECT_EQ(cbx->ItemIndex(), -1);
}

TEST_F(ControlsTest, ComboBoxDoubleClickFiresOnDblClickButNoClick) {
    auto* cbx = Make<TComboBox>(form, "cbxFileName");
    cbx->Items().Add("REPORT.TXT");
    cbx->OnClick = Logger("click");
    cbx->OnChange = Logger("change");
    cbx->OnDblClick = Logger("dblclick");
    form->Show();
    UserDblClick(cbx);
    EXPECT_EQ(log, (std::vector<std::string>{"dblclick"}));
    EXPECT_TRUE(cbx->Focused());
}

TEST_F(ControlsTest, ComboBoxItemsClearKeepsTheTextOfAnEditableCombo) {
    auto* cbx = Make<TComboBox>(form, "cbx");
    cbx->Items().Add("ASCII LineDraw");
    cbx->Items().Add("IBM LineDraw");
    cbx->SetItemIndex(1);
    int changes = 0;
    cbx->OnChange = [&](TObject*) { ++changes; };
    cbx->Items().Clear();
    EXPECT_EQ(cbx->Text(), "IBM LineDraw");
    EXPECT_EQ(cbx->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);

    auto* list = Make<TComboBox>(form, "cbxList");
    list->SetStyle(TComboBoxStyle::csDropDownList);
    list->Items().Add("Portrait");
    list->Items().Add("Landscape");
    list->SetText("landscape"); // a drop-down list selects the matching item
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Text(), "Landscape");
    list->Items().Insert(0, "Printer Default");
    EXPECT_EQ(list->ItemIndex(), 2); // the selection follows its item
    list->Items().Clear();
    EXPECT_EQ(list->Text(), "");
}

// ---------------------------------------------------------------------------
// List boxes

TEST_F(ControlsTest, ListBoxUserClickFiresOnClickAndOwnerDrawPaintsVisibleItems) {
    auto* lbx = Make<TListBox>(form, "lbx");
    lbx->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    lbx->SetItemHeight(13);
    lbx->SetBounds(0, 0, 100, 4 + 13 * 3);
    for (const char* s : {"0,Font", "1,Size", "2,Colour", "3,Style"}) lbx->Items().Add(s);
    int clicks = 0;
    lbx->OnClick = [&](TObject*) { ++clicks; };
    struct TDrawn {
        int Index;
        TRect Rect;
        bool Selected;
        TColor Brush;
    };
    std::vector<TDrawn> drawn;
    lbx->OnDrawItem = [&](TWinControl*, int i, TRect r, TOwnerDrawState s) {
        drawn.push_back({i, r, s.Contains(TOwnerDrawStateFlag::odSelected), lbx->Canvas().Brush().Color()});
    };

    lbx->SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    form->Show();
    lbx->Repaint();
    ASSERT_EQ(drawn.size(), 3u); // three items fit
    EXPECT_EQ(drawn[1].Index, 1);
    EXPECT_TRUE(drawn[1].Selected);
    EXPECT_EQ(drawn[1].Brush, clHighlight);
    EXPECT_EQ(drawn[2].Rect, Rect(0, 26, 96, 39));

    UserSelectItem(lbx, 3);
    EXPECT_EQ(clicks, 1);
    UserSelectItem(lbx, 3); // clicking the selected item clicks again
    EXPECT_EQ(clicks, 2);
    UserKeyDown(lbx, VK_UP);
    EXPECT_EQ(lbx->ItemIndex(), 2);
    EXPECT_EQ(clicks, 3);
    lbx->Items().Delete(2);
    EXPECT_EQ(lbx->ItemIndex(), -1);
}

// ---------------------------------------------------------------------------
// Tab controls, speed buttons, notebooks

TEST_F(ControlsTest, TabIndexInCodeFiresNothingUserPickAsksOnChanging) {
    auto* tabs = Make<TTabControl>(form, "tabs");
    tabs->OnChange = Logger("change");
    bool allow = true;
    tabs->OnChanging = [&](TObject*, bool& a) {
        log.push_back("changing");
        a = allow;
    };
    tabs->Tabs().Add("General");
    EXPECT_EQ(tabs->TabIndex(), 0); // the first tab is selected
    tabs->Tabs().Add("Output");
    tabs->Tabs().Add("Setup");
    tabs->SetTabIndex(2);
    EXPECT_TRUE(log.empty());

    form->Show();
    UserSelectTab(tabs, "Output");
    EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
    EXPECT_EQ(tabs->TabIndex(), 1);
    allow = false;
    log.clear();
    UserSelectTab(tabs, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"changing"}));
    EXPECT_EQ(tabs->TabIndex(), 1);

    tabs->Tabs().Insert(0, "Style");
    EXPECT_EQ(tabs->TabIndex(), 2); // still "Output"
    tabs->Tabs().Delete(2);
    EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST_F(ControlsTest, SpeedButtonClickFiresEvenWhenDisabledButTheUserCannot) {
    auto* sb = Make<TSpeedButton>(form, "sbPrint");
    int clicks = 0;
    sb->OnClick = [&](TObject*) { ++clicks; };
    sb->SetEnabled(false);
    sb->Click();
    EXPECT_EQ(clicks, 1);
    form->Show();
    EXPECT_FALSE(CanUserReach(sb));
    EXPECT_THROW(UserClick(sb), EScriptFailure);
    EXPECT_EQ(clicks, 1);

    sb->SetEnabled(true);
    auto* other = Make<TSpeedButton>(form, "sbOther");
    sb->GroupIndex = other->GroupIndex = 1;
    UserClick(sb);
    EXPECT_TRUE(sb->Down());
    UserClick(other);
    EXPECT_FALSE(sb->Down());
    EXPECT_TRUE(other->Down());
}

TEST_F(ControlsTest, NotebookPagesAreParentsAndTurningMovesTheFocus) {
    auto* nb = Make<TNotebook>(form, "nbOptions");
    nb->SetAlign(TAlign::alClient);
    TStringList pages;
    pages.Add("General");
    pages.Add("Output");
    nb->SetPages(pages);
    ASSERT_EQ(nb->PageCount(), 2);
    auto* edGeneral = Make<TEdit>(nb->FindPage("general"), "edGeneral");
    auto* edOutput = Make<TEdit>(nb->FindPage("Output"), "edOutput");
    edGeneral->OnExit = Logger("exit general");
    edOutput->OnEnter = Logger("enter output");
    nb->OnPageChanged = Logger("page changed");

    EXPECT_EQ(nb->ActivePage(), "General");
    EXPECT_EQ(nb->FindPage("Output")->Caption(), "Output");
    EXPECT_FALSE(edOutput->CanFocus()); // its page is hidden
    form->Show();
    UserFocus(edGeneral);
    nb->SetActivePage("Output");
    EXPECT_EQ(log, (std::vector<std::string>{"exit general", "enter output", "page changed"}));
    EXPECT_TRUE(edOutput->Focused());
    EXPECT_FALSE(edGeneral->CanFocus());

    // Showing a control turns to its page.
    edGeneral->Show();
    EXPECT_EQ(nb->PageIndex(), 0);
    nb->Pages().Delete(1);
    EXPECT_EQ(nb->PageCount(), 1);
    EXPECT_EQ(form->FindComponent("edOutput"), nullptr); // freed with its page
}

// ---------------------------------------------------------------------------
// Focus

TEST_F(ControlsTest, CanFocusNeedsEveryParentVisibleAndEnabled) {
    auto* pa = Make<TPanel>(form, "pa");
    auto* inner = Make<TPanel>(pa, "inner");
    auto* ed = Make<TEdit>(inner, "ed");
    EXPECT_FALSE(ed->CanFocus()); // the form is hidden
    form->Show();
    EXPECT_TRUE(ed->CanFocus());
    pa->SetEnabled(false);
    EXPECT_FALSE(ed->CanFocus());
    EXPECT_TRUE(ed->Enabled()); // its own flag stays
    pa->SetEnabled(true);
    inner->SetVisible(false);
    EXPECT_FALSE(ed->CanFocus());
    EXPECT_THROW(ed->SetFocus(), EInvalidOperation);
    inner->SetVisible(true);
    ed->SetParent(nullptr);
    EXPECT_FALSE(ed->CanFocus()); // on no form
    EXPECT_THROW(ed->SetFocus(), EInvalidOperation);
    delete ed;
}

TEST_F(ControlsTest, SetFocusFiresOnExitThenOnEnterAcrossParents) {
    auto* pa = Make<TPanel>(form, "pa");
    auto* pb = Make<TPanel>(form, "pb");
    auto* ed1 = Make<TEdit>(pa, "ed1");
    auto* ed2 = Make<TEdit>(pb, "ed2");
    for (TWinControl* c : std::vector<TWinControl*>{pa, pb, ed1, ed2}) {
        c->OnEnter = Logger("enter " + c->Name());
        c->OnExit = Logger("exit " + c->Name());
    }
    form->Show();
    EXPECT_EQ(form->ActiveControl(), ed1); // the first in tab order
    EXPECT_EQ(log, (std::vector<std::string>{"enter pa", "enter ed1"}));
    log.clear();
    ed2->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"exit ed1", "exit pa", "enter pb", "enter ed2"}));
    EXPECT_EQ(Screen()->ActiveControl(), ed2);

    // An OnExit that keeps the focus (a failed check) ends the move.
    log.clear();
    ed2->OnExit = [&](TObject*) {
        log.push_back("exit ed2");
        ed2->SetFocus();
    };
    ed1->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"exit ed2"}));
    EXPECT_TRUE(ed2->Focused());

    // A click on a button then is lost.
    auto* bu = Make<TButton>(form, "bu");
    int clicks = 0;
    bu->OnClick = [&](TObject*) { ++clicks; };
    UserClick(bu);
    EXPECT_EQ(clicks, 0);

    // Hiding the focused control moves the focus to the form.
    ed2->OnExit = Logger("exit ed2");
    log.clear();
    pb->Hide();
    EXPECT_EQ(log, (std::vector<std::string>{"exit ed2", "exit pb"}));
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(form->FocusedControl(), form);
}

TEST_F(ControlsTest, ActiveControlIsTheNewControlWhileTheOldOneExits) {
    auto* ed1 = Make<TEdit>(form, "ed1");
    auto* cb = Make<TCheckBox>(form, "cbDefaultPrinter");
    TWinControl* activeDuringExit = nullptr;
    ed1->OnExit = [&](TObject*) { activeDuringExit = Screen()->ActiveControl(); };
    form->Show();
    UserClick(cb);
    EXPECT_EQ(activeDuringExit, cb);
}

// ---------------------------------------------------------------------------
// Layout of controls

TEST_F(ControlsTest, AlignedControlsFollowTheFormSize) {
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(0, 0, 640, 480);
    auto* top = Make<TPanel>(form, "paTop");
    top->SetHeight(32);
    top->SetAlign(TAlign::alTop);
    auto* bottom = Make<TPanel>(form, "paBottom");
    bottom->SetHeight(44);
    bottom->SetAlign(TAlign::alBottom);
    auto* right = Make<TPanel>(bottom, "paDestination");
    right->SetWidth(150);
    right->SetAlign(TAlign::alRight);
    auto* middle = Make<TPanel>(form, "paMiddle");
    middle->SetAlign(TAlign::alClient);
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };

    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 640, 32));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 436, 640, 480));
    EXPECT_EQ(middle->BoundsRect(), Rect(0, 32, 640, 436));
    EXPECT_EQ(right->BoundsRect(), Rect(640 - 150 - 1, 1, 640 - 1, 43)); // inside the bevel

    form->SetBounds(10, 10, 800, 600);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(middle->BoundsRect(), Rect(0, 32, 800, 556));
    form->SetBounds(20, 20, 800, 600); // a move is no resize
    EXPECT_EQ(resizes, 1);
    top->Hide();
    EXPECT_EQ(middle->Top(), 0);
}

TEST_F(ControlsTest, ButtonsGiveTheirModalResultAndACloseButtonCloses) {
    auto* bu = Make<TButton>(form, "bu");
    bu->ModalResult = mrOk;
    int clicks = 0;
    bu->OnClick = [&](TObject*) { ++clicks; };
    bu->Click();
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_EQ(clicks, 1);

    auto* bb = Make<TBitBtn>(form, "bb");
    bb->SetKind(TBitBtnKind::bkClose);
    bb->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    UserClick(bb);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(clicks, 1);

    bb->SetKind(TBitBtnKind::bkCancel);
    EXPECT_EQ(bb->Caption(), "Cancel");
    EXPECT_TRUE(bb->Cancel);
    EXPECT_EQ(bb->ModalResult, mrCancel);
}

TEST_F(ControlsTest, LabelFitsItsCaption) {
    auto* lb = Make<TLabel>(form, "lb");
    lb->SetCaption("&Hello");
    TCanvas c;
    c.SetFont(lb->Font());
    EXPECT_EQ(lb->Width(), c.TextWidth("Hello"));
    EXPECT_EQ(lb->Height(), c.TextHeight("Hello"));
    lb->SetAutoSize(false);
    lb->SetCaption("A much longer caption");
    EXPECT_EQ(lb->Width(), c.TextWidth("Hello"));

    auto* ed = Make<TEdit>(form, "ed");
    lb->SetFocusControl(ed);
    delete ed;
    EXPECT_EQ(lb->FocusControl(), nullptr); // told when it went
}

TEST_F(ControlsTest, ChildrenTakeTheParentFontUntilTheyHaveTheirOwn) {
    auto* pa = Make<TPanel>(form, "pa");
    auto* lb = Make<TLabel>(pa, "lb");
    form->Font().SetName("Arial");
    EXPECT_EQ(lb->Font().Name(), "Arial");
    EXPECT_EQ(form->Canvas().Font().Name(), "Arial");
    lb->Font().SetStyle(TFontStyles{TFontStyle::fsBold});
    EXPECT_FALSE(lb->ParentFont());
    pa->Font().SetName("Courier New");
    EXPECT_EQ(lb->Font().Name(), "Arial");
    lb->SetParentFont(true);
    EXPECT_EQ(lb->Font().Name(), "Courier New");
}

TEST_F(ControlsTest, AltWithACaptionsAcceleratorActsOnItsControl) {
    auto* label = Make<TLabel>(form, "lbName");
    label->SetCaption("&Name:");
    auto* name = Make<TEdit>(form, "edName");
    label->SetFocusControl(name);
    auto* check = Make<TCheckBox>(form, "cbVisible");
    check->SetCaption("&Visible");
    auto* hidden = Make<TButton>(form, "buHidden");
    hidden->SetCaption("&Print");
    hidden->SetVisible(false);
    auto* print = Make<TButton>(form, "buPrint");
    print->SetCaption("&Print");
    auto* amp = Make<TButton>(form, "buAmp");
    amp->SetCaption("Q&&A");
    auto* group = Make<TGroupBox>(form, "gbWhat");
    group->SetCaption("Print &What?");
    auto* first = Make<TRadioButton>(group, "rbAll");
    first->SetTabStop(true);
    form->Show();
    UserFocus(check);

    const TShiftState alt{TShiftFlag::ssAlt};
    UserKeyDown(form, 'N', alt);
    EXPECT_TRUE(name->Focused());
    UserKeyDown(form, 'V', alt);
    EXPECT_TRUE(check->Focused());
    EXPECT_TRUE(check->Checked());
    UserKeyDown(form, 'W', alt);
    EXPECT_TRUE(first->Focused());
    // The first showing control takes the key; "&&" is no accelerator.
    std::vector<std::string> clicks;
    print->OnClick = [&](TObject*) { clicks.push_back("print"); };
    hidden->OnClick = [&](TObject*) { clicks.push_back("hidden"); };
    amp->OnClick = [&](TObject*) { clicks.push_back("amp"); };
    UserKeyDown(form, 'P', alt);
    UserKeyDown(form, 'A', alt);
    UserKeyDown(form, 'P', TShiftState{TShiftFlag::ssAlt, TShiftFlag::ssCtrl});
    EXPECT_EQ(clicks, (std::vector<std::string>{"print"}));
    EXPECT_TRUE(first->Focused()); // a button's accelerator only clicks it
}

} // namespace
} // namespace trx::testing
