// A form of every kind of control, built, shown and grabbed as a picture;
// owner-drawn lists painted by their model through a Qt canvas; timers that
// fire while the model waits on the real windows.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QWidget>

#include <string>

#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/qt/qt_control_widgets.h"
#include "qt_user.h"
#include "support/temp_dir.h"

namespace trx::test {
namespace {

template <class T>
T* Make(TCustomForm* Form, TWinControl* Parent, const std::string& Name, int Left, int Top, int Width = -1,
        int Height = -1) {
    auto* c = new T(Form);
    c->SetName(Name);
    c->SetBounds(Left, Top, Width < 0 ? c->Width() : Width, Height < 0 ? c->Height() : Height);
    c->SetParent(Parent);
    return c;
}

// The number of colours in a picture, up to Limit.
int Colours(const QImage& Image, int Limit = 64) {
    QSet<QRgb> seen;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            seen.insert(Image.pixel(x, y));
            if (seen.size() >= Limit) return Limit;
        }
    return static_cast<int>(seen.size());
}

class ControlKindsTest : public ::testing::Test, public QtWindowsFixture {};

TEST_F(ControlKindsTest, AFormOfEveryKindOfControlIsShownAndGrabbed) {
    TForm* f = NewForm<TForm>(Application());
    f->SetName("fmEveryKind");
    f->SetCaption("Every kind of control");
    f->SetBorderStyle(TFormBorderStyle::bsDialog);
    f->SetClientWidth(640);
    f->SetClientHeight(420);
    auto* menu = new TMainMenu(f);
    auto* file = new TMenuItem(f);
    file->SetCaption("&File");
    auto* exit = new TMenuItem(f);
    exit->SetCaption("E&xit");
    menu->Items()->Add(file);
    file->Add(exit);
    f->SetMenu(menu);

    auto* top = Make<TPanel>(f, f, "paTop", 0, 0, 640, 32);
    top->SetAlign(TAlign::alTop);
    auto* sbPrint = Make<TSpeedButton>(f, top, "sbPrint", 8, 4, 60, 24);
    sbPrint->SetCaption("Print");
    sbPrint->GroupIndex = 1;
    sbPrint->SetDown(true);
    auto* sbPreview = Make<TSpeedButton>(f, top, "sbPreview", 70, 4, 60, 24);
    sbPreview->SetCaption("Preview");
    sbPreview->GroupIndex = 1;
    auto* status = Make<TPanel>(f, f, "paStatus", 0, 0, 640, 24);
    status->SetAlign(TAlign::alBottom);
    status->SetBevelOuter(TBevelCut::bvLowered);
    status->SetCaption("Ready");
    status->SetAlignment(TAlignment::taLeftJustify);

    auto* label = Make<TLabel>(f, f, "lbName", 8, 44);
    label->SetCaption("&Name:");
    auto* edit = Make<TEdit>(f, f, "edName", 60, 40, 150);
    edit->SetText("Sales by region");
    label->SetFocusControl(edit);
    auto* mask = Make<TMaskEdit>(f, f, "meCopies", 220, 40, 60);
    mask->EditMask = "999;0; ";
    mask->SetText("12");
    auto* combo = Make<TComboBox>(f, f, "cbxDest", 290, 40, 140);
    for (const char* s : {"Printer", "Text File", "Export Data"}) combo->Items().Add(s);
    combo->SetItemIndex(0);
    auto* button = Make<TButton>(f, f, "buBrowse", 440, 40, 25, 21);
    button->SetCaption("...");
    auto* bit = Make<TBitBtn>(f, f, "bbOk", 480, 40, 75, 25);
    bit->SetKind(TBitBtnKind::bkOK);

    auto* group = Make<TGroupBox>(f, f, "gbPrintWhat", 8, 72, 200, 90);
    group->SetCaption("Print What?");
    auto* all = Make<TRadioButton>(f, group, "rbAll", 8, 20, 180);
    all->SetCaption("&Entire Tree/Grid");
    all->SetChecked(true);
    auto* range = Make<TRadioButton>(f, group, "rbRange", 8, 44, 180);
    range->SetCaption("Page Range");
    auto* check = Make<TCheckBox>(f, f, "cbVisible", 8, 170, 150);
    check->SetCaption("&Visible");
    check->SetChecked(true);

    auto* memo = Make<TMemo>(f, f, "memRptMemo", 220, 72, 200, 90);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    for (int i = 1; i <= 12; ++i) memo->Lines().Add("Memo line " + std::to_string(i));
    auto* list = Make<TListBox>(f, f, "lbxMemoLocation", 430, 72, 200, 90);
    for (const char* s : {"Report Title", "Report Header Memo", "Page Title", "Page Header Memo"}) list->Items().Add(s);
    list->SetItemIndex(2);

    auto* tabs = Make<TTabControl>(f, f, "tcPages", 8, 196, 300, 170);
    for (const char* s : {"General", "Output", "Style"}) tabs->Tabs().Add(s);
    tabs->SetTabIndex(1);
    auto* notebook = Make<TNotebook>(f, tabs, "nbOptions", 0, 0);
    notebook->SetAlign(TAlign::alClient);
    notebook->Pages().Clear();
    for (const char* s : {"General", "Output", "Style"}) notebook->Pages().Add(s);
    notebook->SetPageIndex(1);
    auto* onPage = Make<TCheckBox>(f, notebook->Page(1), "cbShrink", 8, 8, 150);
    onPage->SetCaption("&Shrink to Page");
    auto* offPage = Make<TCheckBox>(f, notebook->Page(0), "cbHidden", 8, 8, 150);
    offPage->SetCaption("On another page");

    auto* styles = Make<TListBox>(f, f, "lbxStyleOpts", 320, 196, 150, 170);
    styles->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    styles->SetItemHeight(18);
    for (const char* s : {"Line#", "Grid Lines", "Border"}) styles->Items().Add(s);
    styles->OnDrawItem = [styles](TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
        TCanvas& c = styles->Canvas();
        c.Brush().SetColor(Index == 1 ? clRed : clWhite);
        c.FillRect(Rect);
        c.TextOut(Rect.Left + 20, Rect.Top + 2, styles->Items().Get(Index));
    };
    auto* timer = new TTimer(f);
    timer->SetEnabled(false);

    f->Show();
    Application()->ProcessMessages();

    // Every control has its widget, placed where the model put it.
    for (int i = 0; i < f->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(f->Components(i));
        if (!c) continue;
        QWidget* w = QtWidget(c);
        ASSERT_NE(w, nullptr) << c->Name();
        EXPECT_EQ(w->geometry(), QRect(c->Left(), c->Top(), c->Width(), c->Height())) << c->Name();
        EXPECT_EQ(w->isVisible(), c->Showing()) << c->Name();
    }
    EXPECT_FALSE(Shown(offPage));
    EXPECT_TRUE(Shown(onPage));

    // The picture: the window's size, with something drawn by every control.
    TempDir dir;
    const QString png = QString::fromStdString(dir.File("every_kind.png"));
    ASSERT_TRUE(QtWidget(f)->grab().save(png, "PNG"));
    const QImage picture(png);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QtWidget(f)->size());
    EXPECT_GE(Colours(picture), 16);
    for (TControl* c : std::initializer_list<TControl*>{label, edit, mask, combo, button, bit, group, all, check, memo,
                                                        list, tabs, onPage, styles, sbPrint, status}) {
        const QImage part = QtWidget(c)->grab().toImage();
        EXPECT_GE(Colours(part), 3) << c->Name() << " looks blank";
    }
    // The owner-drawn item is on the screen as its handler painted it.
    const QImage drawn = dynamic_cast<TQtListBox*>(QtWidget(styles))->Rendered;
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.pixel(5, 18 + 9), qRgb(255, 0, 0));
    EXPECT_NE(drawn.pixel(5, 9), qRgb(255, 0, 0));
}

TEST_F(ControlKindsTest, AnOwnerDrawnListIsPaintedAgainWhenTheModelChangesIt) {
    TForm* f = NewForm<TForm>(Application());
    f->SetBounds(10, 10, 300, 200);
    auto* list = Make<TListBox>(f, f, "lbxStyleOpts", 8, 8, 150, 120);
    list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    list->SetItemHeight(20);
    for (const char* s : {"one", "two", "three"}) list->Items().Add(s);
    int painted = 0;
    list->OnDrawItem = [&](TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
        ++painted;
        TCanvas& c = list->Canvas();
        c.Brush().SetColor(State.Contains(TOwnerDrawStateFlag::odSelected) ? clBlue : clWhite);
        c.FillRect(Rect);
        c.TextOut(Rect.Left + 2, Rect.Top + 2, list->Items().Get(Index));
    };
    f->Show();
    Application()->ProcessMessages();
    EXPECT_EQ(painted, 3);
    auto* w = dynamic_cast<TQtListBox*>(QtWidget(list));
    EXPECT_NE(w->Rendered.pixel(1, 21), qRgb(0, 0, 255));

    // A change in code paints once the model's loop turns, not inside Qt.
    list->SetItemIndex(1);
    EXPECT_EQ(painted, 3);
    Application()->ProcessMessages();
    EXPECT_EQ(painted, 6);
    EXPECT_EQ(w->Rendered.pixel(1, 21), qRgb(0, 0, 255));
}

TEST_F(ControlKindsTest, TimersFireWhileTheModelWaitsOnTheWindows) {
    TForm* f = NewForm<TForm>(Application());
    f->SetBounds(10, 10, 200, 100);
    auto* timer = new TTimer(f);
    int ticks = 0;
    timer->SetInterval(20);
    timer->OnTimer = [&](TObject*) {
        if (++ticks == 3) f->SetModalResult(mrOk);
    };
    timer->SetEnabled(true);
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_EQ(ticks, 3);
}

} // namespace
} // namespace trx::test
