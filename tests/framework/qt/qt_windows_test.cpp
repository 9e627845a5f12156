// The form model as real windows on Qt's offscreen platform: the model's
// changes reach the widgets at once, and what the user does to the widgets
// reaches the model (and only the model) when its loop runs.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include <string>
#include <vector>

#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "framework/qt/qt_control_widgets.h"
#include "qt_user.h"

namespace trx::test {
namespace {

template <class T>
T* Make(TWinControl* Parent, const std::string& Name, int Left, int Top, int Width = -1, int Height = -1) {
    auto* c = new T(GetParentForm(Parent));
    c->SetName(Name);
    c->SetBounds(Left, Top, Width < 0 ? c->Width() : Width, Height < 0 ? c->Height() : Height);
    c->SetParent(Parent);
    return c;
}

template <class W>
W* Qt(const TControl* Control) {
    return dynamic_cast<W*>(QtWidget(Control));
}

class QtWindowsTest : public ::testing::Test, public QtWindowsFixture {
protected:
    QtWindowsTest() {
        form = NewForm<TForm>(Application());
        form->SetName("fmTest");
        form->SetCaption("Test");
        form->SetBounds(40, 30, 400, 300);
    }
    TForm* form;
};

TEST_F(QtWindowsTest, ChangesMadeInCodeAreOnTheWidgetsAtOnce) {
    auto* label = Make<TLabel>(form, "lbName", 8, 8);
    auto* button = Make<TButton>(form, "buGo", 8, 40);
    auto* check = Make<TCheckBox>(form, "cbShow", 8, 70);
    auto* combo = Make<TComboBox>(form, "cbxDest", 8, 100);
    auto* list = Make<TListBox>(form, "lbxItems", 200, 8);
    auto* memo = Make<TMemo>(form, "memText", 200, 120);
    combo->Items().Add("Printer");
    form->Show();
    ASSERT_TRUE(Shown(form));
    EXPECT_EQ(QtWidget(form)->windowTitle(), "Test");

    form->SetCaption("Report Options");
    label->SetCaption("&Name:");
    button->SetEnabled(false);
    check->SetChecked(true);
    combo->Items().Add("Text File");
    combo->SetItemIndex(1);
    list->Items().Add("one");
    list->Items().Add("two");
    list->SetItemIndex(1);
    memo->Lines().Add("first line");
    memo->Lines().Add("second line");
    button->SetBounds(20, 44, 90, 30);

    EXPECT_EQ(QtWidget(form)->windowTitle(), "Report Options");
    EXPECT_EQ(Qt<QLabel>(label)->text(), "<u>N</u>ame:");
    EXPECT_FALSE(QtWidget(button)->isEnabled());
    EXPECT_EQ(QtWidget(button)->geometry(), QRect(20, 44, 90, 30));
    EXPECT_TRUE(Qt<QCheckBox>(check)->isChecked());
    ASSERT_EQ(Qt<QComboBox>(combo)->count(), 2);
    EXPECT_EQ(Qt<QComboBox>(combo)->currentText(), "Text File");
    auto* qlist = Qt<TQtListBox>(list);
    EXPECT_EQ(qlist->Items, (QStringList{"one", "two"}));
    EXPECT_EQ(qlist->Selected, 1);
    EXPECT_EQ(Qt<QPlainTextEdit>(memo)->toPlainText(), "first line\nsecond line\n");

    // Hidden, the widget goes; deleted lines leave the view.
    label->SetVisible(false);
    EXPECT_FALSE(QtWidget(label)->isVisible());
    memo->Lines().Delete(0);
    EXPECT_EQ(Qt<QPlainTextEdit>(memo)->toPlainText(), "second line\n");
    // A control taken off the form takes its widget with it.
    check->SetParent(nullptr);
    EXPECT_EQ(QtWidget(check), nullptr);
    delete check;
}

TEST_F(QtWindowsTest, TypingReachesTheModelAsKeystrokesAndTextSetInCodeIsNoUserEdit) {
    auto* edit = Make<TEdit>(form, "edName", 8, 8);
    auto* other = Make<TEdit>(form, "edOther", 8, 40);
    std::string pressed;
    int changes = 0;
    edit->OnKeyPress = [&](TObject*, char& Key) { pressed += Key; };
    edit->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    ASSERT_TRUE(edit->Focused());

    QTest::keyClicks(QtWidget(edit), "Ab1");
    // Nothing ran inside Qt's handlers, and Qt's editor changed nothing.
    EXPECT_EQ(pressed, "");
    EXPECT_EQ(Qt<QLineEdit>(edit)->text(), "");
    Application()->ProcessMessages();
    EXPECT_EQ(pressed, "Ab1");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(edit->Text(), "Ab1");
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(Qt<QLineEdit>(edit)->text(), "Ab1");

    // Backspace and a character beyond ASCII, as a keyboard sends them.
    QTest::keyClick(QtWidget(edit), Qt::Key_Backspace);
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9"));
    QCoreApplication::sendEvent(QtWidget(edit), &e);
    Application()->ProcessMessages();
    EXPECT_EQ(edit->Text(), "Ab\xC3\xA9");

    edit->SetText("set in code");
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(pressed.find("set"), std::string::npos);
    EXPECT_EQ(Qt<QLineEdit>(edit)->text(), "set in code");

    // Tab moves the model's focus, and the widget's with it.
    QTest::keyClick(QtWidget(edit), Qt::Key_Tab);
    Application()->ProcessMessages();
    EXPECT_TRUE(other->Focused());
    EXPECT_TRUE(QtWidget(other)->hasFocus() || !QtWidget(form)->isActiveWindow());
}

TEST_F(QtWindowsTest, ClicksAreTheModelsToDecide) {
    auto* check = Make<TCheckBox>(form, "cbShow", 8, 8);
    auto* list = Make<TListBox>(form, "lbxItems", 8, 40, 120, 80);
    auto* tabs = Make<TTabControl>(form, "tcPages", 140, 8, 240, 120);
    auto* edit = Make<TEdit>(form, "edText", 8, 140);
    auto* button = Make<TButton>(form, "buGo", 8, 180);
    std::vector<std::string> log;
    check->OnClick = [&](TObject*) { log.push_back("check"); };
    list->OnClick = [&](TObject*) { log.push_back("list " + std::to_string(list->ItemIndex())); };
    tabs->OnChange = [&](TObject*) { log.push_back("tab " + std::to_string(tabs->TabIndex())); };
    button->OnClick = [&](TObject*) { log.push_back("button"); };
    for (const char* s : {"one", "two", "three"}) list->Items().Add(s);
    for (const char* s : {"General", "Output"}) tabs->Tabs().Add(s);
    edit->SetText("abcdef");
    form->Show();

    QTest::mouseClick(QtWidget(check), Qt::LeftButton);
    EXPECT_FALSE(Qt<QCheckBox>(check)->isChecked()); // the widget waits for the model
    Application()->ProcessMessages();
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(Qt<QCheckBox>(check)->isChecked());
    EXPECT_TRUE(check->Focused());

    auto* qlist = Qt<TQtListBox>(list);
    QTest::mouseClick(qlist->viewport(), Qt::LeftButton, {}, QPoint(10, qlist->ItemHeight * 2 + 2));
    QTabBar* bar = Qt<TQtTabControl>(tabs)->Bar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QTest::mouseClick(QtWidget(button), Qt::LeftButton);
    // A disabled control takes no click.
    check->SetEnabled(false);
    QTest::mouseClick(QtWidget(check), Qt::LeftButton);
    Application()->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"check", "list 2", "tab 1", "button"}));

    // The caret goes where the mouse went down; a drag selects.
    auto* qedit = Qt<QLineEdit>(edit);
    const int y = qedit->height() / 2;
    QTest::mousePress(qedit, Qt::LeftButton, {}, QPoint(2, y));
    QTest::mouseRelease(qedit, Qt::LeftButton, {}, QPoint(qedit->width() - 4, y));
    Application()->ProcessMessages();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 6);
    EXPECT_EQ(qedit->selectedText(), "abcdef");
}

TEST_F(QtWindowsTest, AMemoShowsTheModelsFirstLineAndCaretAndTheUsersScrollingReachesIt) {
    auto* memo = Make<TMemo>(form, "memText", 8, 8, 200, 80);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->WordWrap = false;
    for (int i = 0; i < 30; ++i) memo->Lines().Add("line " + std::to_string(i));
    form->Show();
    auto* w = Qt<QPlainTextEdit>(memo);
    auto topLine = [w] { return w->cursorForPosition(QPoint(4, 4)).blockNumber(); };
    // The caret stands at the end, yet the model shows the first line.
    ASSERT_TRUE(ProcessUntil([&] { return topLine() == 0; }));
    EXPECT_EQ(w->textCursor().position(), w->document()->characterCount() - 1);

    memo->LineScroll(5);
    EXPECT_EQ(topLine(), 5);
    memo->SetSelStart(memo->LineIndex(6) + 2);
    EXPECT_EQ(w->textCursor().blockNumber(), 6);
    EXPECT_EQ(w->textCursor().positionInBlock(), 2);

    // The scroll bar is Qt's; the model follows it.
    w->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Application()->ProcessMessages();
    EXPECT_EQ(memo->FirstVisibleLine(), 6);
    EXPECT_EQ(topLine(), 6);
}

TEST_F(QtWindowsTest, AComboBoxListOpensForTheModelAndAPickReachesIt) {
    auto* combo = Make<TComboBox>(form, "cbxDest", 8, 8);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    std::vector<std::string> log;
    combo->OnDropDown = [&](TObject*) {
        log.push_back("dropdown");
        if (combo->Items().Count() == 0)
            for (const char* s : {"Printer", "Text File", "Export Data"}) combo->Items().Add(s);
    };
    combo->OnChange = [&](TObject*) { log.push_back("change " + combo->Text()); };
    form->Show();
    auto* qcombo = Qt<QComboBox>(combo);

    QTest::mouseClick(qcombo, Qt::LeftButton);
    ASSERT_TRUE(ProcessUntil([&] { return qcombo->view()->isVisible(); }));
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(qcombo->count(), 3); // filled by OnDropDown before the list showed

    // Qt's list handles its own keys; its pick comes to the model.
    for (int i = 0; i < 3 && qcombo->view()->currentIndex().row() != 1; ++i)
        QTest::keyClick(qcombo->view(), Qt::Key_Down);
    ASSERT_EQ(qcombo->view()->currentIndex().row(), 1);
    EXPECT_EQ(combo->ItemIndex(), -1);
    QTest::keyClick(qcombo->view(), Qt::Key_Return);
    ASSERT_TRUE(ProcessUntil([&] { return combo->ItemIndex() == 1; }));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown", "change Text File"}));
    EXPECT_EQ(qcombo->currentText(), "Text File");
}

TEST_F(QtWindowsTest, AFormWithoutASizeWaitsUnshownAndABorderChangeShowsItAgain) {
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(0, 0, 0, 0);
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(QtWidget(form)->isVisible());

    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetBounds(100, 80, 300, 200);
    ASSERT_TRUE(QtWidget(form)->isVisible());
    EXPECT_EQ(QtWidget(form)->size(), QSize(form->ClientWidth(), form->ClientHeight()));
    EXPECT_TRUE(QtWidget(form)->windowFlags().testFlag(Qt::Dialog));
    EXPECT_EQ(QtWidget(form)->windowModality(), Qt::NonModal);

    // A modal run shows the form application-modal, and the others as
    // they were (not greyed).
    TForm* other = NewForm<TForm>(Application());
    other->SetBounds(10, 10, 200, 150);
    other->Show();
    QtUser user;
    user.When(
        "the modal form", [&] { return QtWidget(form)->isVisible(); },
        [&] {
            EXPECT_EQ(QtWidget(form)->windowModality(), Qt::ApplicationModal);
            EXPECT_TRUE(QtWidget(other)->isEnabled());
            QCloseEvent close;
            QCoreApplication::sendEvent(QtWidget(form), &close);
        });
    form->Hide();
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(QtWidget(form)->isVisible());
    EXPECT_EQ(QtWidget(form)->windowModality(), Qt::NonModal);
}

TEST_F(QtWindowsTest, TheCloseButtonAsksTheForm) {
    bool allow = false;
    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& CanClose) {
        ++asked;
        CanClose = allow;
    };
    form->Show();
    QtWidget(form)->close();
    Application()->ProcessMessages();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(QtWidget(form)->isVisible());
    allow = true;
    QtWidget(form)->close();
    Application()->ProcessMessages();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(QtWidget(form)->isVisible());
}

TEST_F(QtWindowsTest, TheMainMenuShowsTheModelsItemsAndTheirClicksReachIt) {
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("&File");
    auto* print = new TMenuItem(form);
    print->SetCaption("&Print");
    print->SetShortCut(TextToShortCut("Ctrl+P"));
    auto* line = new TMenuItem(form);
    line->SetCaption("-");
    auto* exit = new TMenuItem(form);
    exit->SetCaption("E&xit");
    menu->Items()->Add(file);
    file->Add(print);
    file->Add(line);
    file->Add(exit);
    form->SetMenu(menu);
    std::vector<std::string> log;
    file->OnClick = [&](TObject*) {
        log.push_back("file");
        exit->SetEnabled(false); // set up when the menu opens
    };
    print->OnClick = [&](TObject*) { log.push_back("print"); };
    form->Show();

    // The client area keeps the model's size under the menu bar.
    auto* bar = QtWidget(form)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(QtWidget(form)->height(), form->ClientHeight() + bar->height());
    ASSERT_NE(QtAction(print), nullptr);
    EXPECT_EQ(QtAction(print)->text(), "&Print\tCtrl+P");
    EXPECT_TRUE(QtAction(line)->isSeparator());

    // Opening the menu runs the item's OnClick at once, inside Qt.
    QMenu* fileMenu = QtAction(file)->menu();
    ASSERT_NE(fileMenu, nullptr);
    fileMenu->popup(QPoint(0, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"file"}));
    EXPECT_FALSE(QtAction(exit)->isEnabled());
    QtAction(print)->trigger();
    fileMenu->close();
    EXPECT_EQ(log.size(), 1u);
    Application()->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"file", "print"}));

    // The short cut is the model's.
    QTest::keyClick(QtWidget(form), Qt::Key_P, Qt::ControlModifier);
    Application()->ProcessMessages();
    EXPECT_EQ(log.back(), "print");
    EXPECT_EQ(log.size(), 4u); // the menu's OnClick first

    // Alt with the accelerator of the bar's item opens its menu.
    QTest::keyClick(QtWidget(form), Qt::Key_F, Qt::AltModifier);
    Application()->ProcessMessages();
    EXPECT_TRUE(fileMenu->isVisible());
    EXPECT_EQ(log.back(), "file");
    fileMenu->close();

    // Items added later show too.
    auto* save = new TMenuItem(form);
    save->SetCaption("&Save");
    file->Insert(1, save);
    ASSERT_NE(QtAction(save), nullptr);
    EXPECT_EQ(fileMenu->actions().indexOf(QtAction(save)), 1);
}

TEST_F(QtWindowsTest, AltWithALabelsAcceleratorFocusesItsControl) {
    auto* label = Make<TLabel>(form, "lbName", 8, 8);
    label->SetCaption("&Name:");
    auto* other = Make<TEdit>(form, "edOther", 80, 40);
    auto* name = Make<TEdit>(form, "edName", 80, 8);
    label->SetFocusControl(name);
    form->Show();
    ASSERT_TRUE(other->Focused());
    QTest::keyClick(QtWidget(other), Qt::Key_N, Qt::AltModifier);
    Application()->ProcessMessages();
    EXPECT_TRUE(name->Focused());
    EXPECT_EQ(other->Text(), ""); // the key typed nothing
}

TEST_F(QtWindowsTest, WhatFormsMeasureComesFromTheScreensFontsAndSize) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(Screen()->Width(), screen.width());
    EXPECT_EQ(Screen()->Height(), screen.height());
    auto* label = Make<TLabel>(form, "lbTitle", 8, 8);
    label->Font().SetStyle(TFontStyles{TFontStyle::fsBold});
    label->SetCaption("Report Titles and Memos");
    form->Show();
    // An auto-sized label is as wide as Qt draws its caption.
    const QFontMetrics metrics(QtWidget(label)->font());
    EXPECT_EQ(label->Width(), metrics.horizontalAdvance("Report Titles and Memos"));
    EXPECT_EQ(label->Height(), metrics.height());
    EXPECT_LE(QtWidget(label)->sizeHint().width(), label->Width() + 1);
    auto* memo = Make<TMemo>(form, "memText", 8, 40);
    EXPECT_EQ(memo->LineHeight(), QFontMetrics(QtWidget(memo)->font()).height());
}

TEST_F(QtWindowsTest, AWindowMovedOnTheScreenMovesItsForm) {
    form->Show();
    const int width = form->Width();
    QWidget* w = QtWidget(form);
    w->windowHandle()->setPosition(220, 140); // the client area; the frame stands around it
    ASSERT_TRUE(ProcessUntil([&] { return w->pos() != QPoint(40, 30) && form->Left() == w->pos().x(); }));
    EXPECT_EQ(form->Top(), w->pos().y());
    EXPECT_EQ(w->geometry().topLeft(), QPoint(220, 140));
    EXPECT_EQ(form->Width(), width);
    // And the model's own move is no move of the user's.
    form->SetBounds(60, 50, form->Width(), form->Height());
    Application()->ProcessMessages();
    EXPECT_EQ(form->Left(), 60);
    EXPECT_EQ(QtWidget(form)->pos(), QPoint(60, 50));
}

TEST_F(QtWindowsTest, AMaximizedFormIsAMaximizedWindowAndBackInItsPlaceWhenNormal) {
    form->Show();
    QWidget* w = QtWidget(form);
    const QSize normalSize = w->size();
    form->SetWindowState(TWindowState::wsMaximized);
    EXPECT_TRUE(w->isMaximized());
    ASSERT_TRUE(ProcessUntil([&] { return w->size() != normalSize; }));
    form->SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(w->isMaximized());
    Application()->ProcessMessages();
    ASSERT_TRUE(ProcessUntil([&] { return w->size() == normalSize && w->pos() == QPoint(40, 30); }));
    // What the window system did on the way is no resize of the user's.
    EXPECT_EQ(form->BoundsRect(), Rect(40, 30, 440, 330));

    // Maximized before it is shown, as a window that opens where it was left.
    TForm* other = NewForm<TForm>(Application());
    other->SetBounds(60, 50, 300, 200);
    other->SetWindowState(TWindowState::wsMaximized);
    other->Show();
    EXPECT_TRUE(QtWidget(other)->isMaximized());
    other->SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(QtWidget(other)->isMaximized());
    ASSERT_TRUE(ProcessUntil([&] { return QtWidget(other)->pos() == QPoint(60, 50); }));
    EXPECT_EQ(QtWidget(other)->size(), QSize(other->ClientWidth(), other->ClientHeight()));
    EXPECT_EQ(other->BoundsRect(), Rect(60, 50, 360, 250));
}

TEST_F(QtWindowsTest, NothingButTheModelChangesTheText) {
    auto* edit = Make<TEdit>(form, "edName", 8, 8);
    auto* memo = Make<TMemo>(form, "memText", 8, 40);
    edit->SetText("kept");
    memo->SetText("kept too");
    form->Show();
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    for (QWidget* w : {QtWidget(edit), static_cast<QWidget*>(Qt<QPlainTextEdit>(memo)->viewport())}) {
        // The middle button's paste, the context menu's, a drop, input methods.
        QTest::mouseClick(w, Qt::MiddleButton);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(4, 4), w->mapToGlobal(QPoint(4, 4)));
        QCoreApplication::sendEvent(w, &menu);
        QMimeData data;
        data.setText(QStringLiteral("dropped"));
        QDropEvent drop(QPointF(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &drop);
        QInputMethodEvent input;
        input.setCommitString(QStringLiteral("composed"));
        QCoreApplication::sendEvent(w, &input);
    }
    Application()->ProcessMessages();
    EXPECT_EQ(edit->Text(), "kept");
    EXPECT_EQ(memo->Text(), "kept too");
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(Qt<QLineEdit>(edit)->text(), "kept");
    EXPECT_EQ(Qt<QPlainTextEdit>(memo)->toPlainText(), "kept too");
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(QtWindowsTest, AWindowLosingActivationIsNoExitOfItsControl) {
    auto* edit = Make<TEdit>(form, "edName", 8, 8);
    std::vector<std::string> log;
    edit->OnEnter = [&](TObject*) { log.push_back("enter"); };
    edit->OnExit = [&](TObject*) { log.push_back("exit"); };
    form->Show();
    ASSERT_TRUE(edit->Focused());
    TForm* other = NewForm<TForm>(Application());
    other->SetBounds(300, 300, 200, 100);
    other->Show();
    EXPECT_TRUE(other->Active());
    // The user brings the first window back to the front.
    QtWidget(form)->activateWindow();
    ASSERT_TRUE(ProcessUntil([&] { return form->Active(); }));
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"enter"}));
}

TEST_F(QtWindowsTest, TooltipsShowTheShortHintOnlyWhileHintsAreOn) {
    auto* button = Make<TButton>(form, "buGo", 8, 8);
    button->SetHint("Print Report|Print the report to the Output Destination");
    form->SetShowHint(true);
    form->Show();
    EXPECT_EQ(QtWidget(button)->toolTip(), "Print Report");
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), QtWidget(button)->mapToGlobal(QPoint(5, 5)));
    Application()->ShowHint = false;
    QCoreApplication::sendEvent(QtWidget(button), &tip);
    EXPECT_FALSE(QToolTip::isVisible());
    Application()->ShowHint = true;
    QCoreApplication::sendEvent(QtWidget(button), &tip);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Print Report");
    QToolTip::hideText();
    // The mouse over a control shows its long hint on the status line.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(QtWidget(button), &enter);
    Application()->ProcessMessages();
    EXPECT_EQ(Application()->Hint(), "Print the report to the Output Destination");
}

TEST_F(QtWindowsTest, MessageBoxesAreModalFormsOfTheModel) {
    form->Show();
    QtUser user;
    TCustomForm* box = nullptr;
    user.When(
            "the message box", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
            [&] {
                EXPECT_EQ(QtWidget(box)->windowTitle(), "Confirm");
                EXPECT_EQ(QtWidget(box)->windowModality(), Qt::ApplicationModal);
                auto* label = dynamic_cast<QLabel*>(QtWidget(dynamic_cast<TControl*>(box->FindComponent("Message"))));
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->text(), "Save New Report Settings?");
                QTest::mouseClick(QtWidget(dynamic_cast<TControl*>(box->FindComponent("No"))), Qt::LeftButton);
            })
        .When(
            "the second box", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
            [&] { QTest::keyClick(QtWidget(box), Qt::Key_Return); });
    EXPECT_EQ(MessageDlg("Save New Report Settings?", TMsgDlgType::mtConfirmation, mbYesNoCancel, 0), mrNo);
    EXPECT_EQ(MessageDlg("Printed.", TMsgDlgType::mtInformation, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0), mrOk);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(FindForm("fmMessage"), nullptr);
}

TEST_F(QtWindowsTest, TheSystemClipboardIsTheModels) {
    auto* edit = Make<TEdit>(form, "edText", 8, 8);
    form->Show();
    edit->SetText("copy me");
    edit->SelectAll();
    edit->CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "copy me");
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    edit->SetSelStart(7);
    QTest::keyClick(QtWidget(edit), Qt::Key_V, Qt::ControlModifier);
    Application()->ProcessMessages();
    EXPECT_EQ(edit->Text(), "copy mepasted");
    EXPECT_TRUE(edit->Modified());
}

} // namespace
} // namespace trx::test
