// The "Report Options" dialog, its preview and the data-directory wizard as
// real windows, driven with QTest on the widgets: a field out of range
// keeps its tab, its warning and the focus until it is fixed; the owner-drawn
// style list, hints, menus and short cuts; the memo editor; the preview
// steps pages with PgDn and PgUp, copies a page to the system clipboard and
// zooms; the wizard's pages step with Next and Back.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dialog_window_fixture.h"
#include "engine/data_directory.h"
#include "engine/print_settings.h"
#include "engine/program_path.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/virtual_printer.h"
#include "framework/qt/qt_control_widgets.h"
#include "qt_user.h"
#include "support/engine/item_grid.h"
#include "support/temp_dir.h"
#include "support/ui/new_tabrix.h"
#include "support/windows_dir.h"
#include "ui/data_dir_wizard.h"
#include "ui/options_dialog.h"
#include "ui/preview_window.h"
#include "ui/tab_set_control.h"
#include "ui/tabrix.h"

namespace trx::test {
namespace {

TEST_F(DialogWindowTest, AFieldOutOfRangeKeepsItsTabAndWarningUntilFixedThenPrintWritesTheFile) {
    Store({"LinesPerpage=20", "CloseWinAfterPrinting=1"});
    QtUser user;
    user.When("the options window", DialogShown, [] { ClickTab("Output"); })
        .When(
            "the Output page", [] { return SelectedTab() == "Output"; }, [] { Retype(fmTBXMain->edLinesPerPage, "9"); })
        .When(
            "9 typed", [] { return fmTBXMain->edLinesPerPage->Text() == "9"; }, [] { ClickTab("Titles"); })
        .When(
            "the warning",
            [] { return Contains(fmTBXMain->paMsg->Caption(), "Lines Per Page must be between 10 and 99"); },
            [] {
                TfmTBXMain& dlg = *fmTBXMain;
                EXPECT_EQ(SelectedTab(), "Output");
                EXPECT_EQ(dlg.nbOptions->ActivePage(), "Output");
                EXPECT_EQ(static_cast<QTabBar*>(static_cast<TQtTabControl*>(QtWidget(dlg.TabSet))->Bar())
                              ->tabText(static_cast<TQtTabControl*>(QtWidget(dlg.TabSet))->Bar()->currentIndex()),
                          "Output");
                // The panel shows the message in the warning's colour.
                auto* panel = static_cast<TQtPanel*>(QtWidget(dlg.paMsg));
                EXPECT_EQ(panel->Caption.trimmed(), "Lines Per Page must be between 10 and 99 characters");
                EXPECT_EQ(dlg.paMsg->Color(), clYellow);
                EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::yellow));
                EXPECT_TRUE(panel->autoFillBackground());
                // The field being fixed holds the focus, in the model and on the screen.
                EXPECT_EQ(dlg.FocusedControl(), dlg.edLinesPerPage);
                EXPECT_EQ(QApplication::focusWidget(), QtWidget(dlg.edLinesPerPage));
                Retype(dlg.edLinesPerPage, "25");
            })
        .When(
            "25 typed", [] { return fmTBXMain->edLinesPerPage->Text() == "25"; }, [] { Click(fmTBXMain->sbPrint); });
    // Printed, the window closes and asks about the changed settings.
    TCustomForm* box = nullptr;
    user.When(
        "Save New Report Settings?", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
        [&] {
            auto* text = dynamic_cast<TLabel*>(box->FindComponent("Message"));
            ASSERT_NE(text, nullptr);
            EXPECT_TRUE(Contains(text->Caption(), "Save New Report Settings?"));
            Click(dynamic_cast<TControl*>(box->FindComponent("No")));
        });
    EXPECT_EQ(tbx->Print(), 1);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(fmTBXMain, nullptr);
    // The fixed value made the pages: several of them, none longer.
    const std::vector<std::string> pages = TextPages(ReadAll(OutName()));
    ASSERT_GE(pages.size(), 2u);
    for (const std::string& page : pages) EXPECT_LE(LineCount(page), 25);
    EXPECT_GT(LineCount(pages[0]), 20);
    EXPECT_TRUE(Contains(ReadAll(OutName()), "r" + std::to_string(Rows) + "c2"));
}

TEST_F(DialogWindowTest, ThePreviewStepsPagesCopiesAPageWithItsBoxCharactersAndZooms) {
    // A page taller than the preview shows at once.
    Store({"LinesPerpage=60"});
    std::vector<std::string> pages;
    TMemo* memo = nullptr;
    int pressed = 0;
    bool scrolledFirst = false;
    int fontPixels = 0;
    QtUser user;
    std::function<void()> onSecondPage = [&] {
        EXPECT_TRUE(scrolledFirst) << "PgDn left the first page before its bottom showed";
        ASSERT_GE(pages.size(), 2u);
        // What the window shows is what the text file holds on its second page.
        auto* view = static_cast<QPlainTextEdit*>(QtWidget(memo));
        EXPECT_EQ(TextPages(view->toPlainText().toStdString()), std::vector<std::string>{pages[1]});
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(QtWidget(fmPreview), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QtWidget(fmPreview), Qt::Key_C, Qt::ControlModifier);
        user.When(
                "the page on the clipboard", [] { return !QGuiApplication::clipboard()->text().isEmpty(); },
                [&] {
                    const std::string copied = QGuiApplication::clipboard()->text().toStdString();
                    EXPECT_EQ(TextPages(copied), std::vector<std::string>{pages[1]});
                    // The IBM lines as the box characters they stand for.
                    for (const char* box : {"┌", "─", "│", "┘"}) EXPECT_TRUE(Contains(copied, box)) << box;
                    QTest::keyClick(QtWidget(fmPreview), Qt::Key_PageUp);
                })
            .When(
                "the first page again, from its bottom",
                [&] { return PrintSettings->CurPage.Y == 1 && memo->FirstVisibleLine() > 0; },
                [&] {
                    auto* view = static_cast<QPlainTextEdit*>(QtWidget(memo));
                    EXPECT_EQ(view->verticalScrollBar()->value(), memo->FirstVisibleLine());
                    EXPECT_EQ(TextPages(view->toPlainText().toStdString()), std::vector<std::string>{pages[0]});
                    fontPixels = view->font().pixelSize();
                    Click(fmPreview->cmbZoomLevel);
                })
            .When(
                "the zoom list", [] { return ZoomList()->view()->isVisible(); },
                [] {
                    QAbstractItemView* list = ZoomList()->view();
                    const int item = ZoomList()->findText("150%");
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualRect(ZoomList()->model()->index(item, 0)).center());
                })
            .When(
                "the page at 150%",
                [&] {
                    return fmPreview->cmbZoomLevel->Text() == "150%" && QtWidget(memo)->font().pixelSize() > fontPixels;
                },
                [&] {
                    EXPECT_NEAR(QtWidget(memo)->font().pixelSize(), fontPixels * 3 / 2, 2);
                    Click(fmPreview->sbExit);
                })
            .When(
                "the options window again", [] { return !fmPreview && DialogShown(); },
                [] { Click(fmTBXMain->sbClose); });
    };
    // PgDn until the second page shows; the first ones scroll the page.
    std::function<void()> pageDown = [&] {
        const int first = memo->FirstVisibleLine();
        const int y = PrintSettings->CurPage.Y;
        ++pressed;
        QTest::keyClick(QtWidget(fmPreview), Qt::Key_PageDown);
        user.When(
            "PgDn taken",
            [=] { return fmPreview && (memo->FirstVisibleLine() != first || PrintSettings->CurPage.Y != y); },
            [&] {
                if (PrintSettings->CurPage.Y == 2) {
                    onSecondPage();
                } else {
                    scrolledFirst = true;
                    if (pressed < 20) pageDown();
                }
            });
    };
    user.When("the options window", DialogShown, [] { Click(fmTBXMain->sbPrint); })
        .When(
            "the text file printed", [&] { return FileExists(OutName()) && DialogShown(); },
            [&] {
                pages = TextPages(ReadAll(OutName()));
                Click(fmTBXMain->sbPreview);
            })
        .When(
            "the preview's first page",
            [&] {
                return fmPreview && Shown(fmPreview) && PrintSettings->CurPage == (TPoint{1, 1}) &&
                       QApplication::activeWindow() == QtWidget(fmPreview);
            },
            [&] {
                memo = fmPreview->memPreview;
                EXPECT_EQ(fmPreview->FocusedControl(), memo);
                EXPECT_EQ(QApplication::focusWidget(), QtWidget(memo));
                pageDown();
            });
    tbx->Print();
    EXPECT_TRUE(user.Done());
    EXPECT_GE(pressed, 2);
}

// A click on the item of a form's menu bar that opens Menu.
void OpenMenu(const TCustomForm* Form, const TMenuItem* Menu) {
    auto* bar = QtWidget(Form)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(QtAction(Menu)).center());
}
bool MenuOpen(const TMenuItem* Menu) { return QtAction(Menu)->menu()->isVisible(); }
// The mouse to an item of an open menu, and a click there.
void PointAt(const TMenuItem* Menu, const TMenuItem* Item) {
    QMenu* list = QtAction(Menu)->menu();
    QTest::mouseMove(list, list->actionGeometry(QtAction(Item)).center());
}
void ClickAt(const TMenuItem* Menu, const TMenuItem* Item) {
    QMenu* list = QtAction(Menu)->menu();
    QTest::mouseClick(list, Qt::LeftButton, {}, list->actionGeometry(QtAction(Item)).center());
}
TMenuItem* MenuItem(TComponent* Form, const std::string& Name) {
    return dynamic_cast<TMenuItem*>(Form->FindComponent(Name));
}

TEST_F(DialogWindowTest, TheStyleListIsPaintedAndHintsMenusAndShortCutsWork) {
    Store({"LinesPerpage=20"});
    QtUser user;
    auto painted = [] {
        auto* list = static_cast<TQtListBox*>(QtWidget(fmTBXMain->lbxStyleOpts));
        if (list->Rendered.size() != list->viewport()->size()) return false;
        // Something besides the background: the model drew its items.
        const QRgb base = list->palette().color(QPalette::Base).rgb();
        for (int y = 0; y < list->Rendered.height(); ++y)
            for (int x = 0; x < list->Rendered.width(); ++x)
                if (list->Rendered.pixel(x, y) != base) return true;
        return false;
    };
    user.When("the options window", DialogShown, [] { ClickTab("Style"); })
        .When(
            "the style list painted", [&] { return SelectedTab() == "Style" && painted(); },
            [] { QTest::mouseMove(QtWidget(fmTBXMain->sbPrint)); })
        .When(
            "the print button's hint",
            [] { return Trim(fmTBXMain->paMsg->Caption()) == "Print the report to the Output Destination"; },
            [] {
                // The short part of the hint as the tooltip.
                QWidget* button = QtWidget(fmTBXMain->sbPrint);
                EXPECT_EQ(button->toolTip(), "Print Report");
                QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
                QApplication::sendEvent(button, &help);
                EXPECT_TRUE(QToolTip::isVisible());
                EXPECT_EQ(QToolTip::text(), "Print Report");
                QToolTip::hideText();
                OpenMenu(fmTBXMain, fmTBXMain->mnView);
            })
        .When(
            "the View menu", [] { return MenuOpen(fmTBXMain->mnView); },
            [] { ClickAt(fmTBXMain->mnView, fmTBXMain->itmGeneralTab); })
        .When(
            "the General page from the menu", [] { return SelectedTab() == "General"; },
            [] { QTest::keyClick(QtWidget(fmTBXMain), Qt::Key_W, Qt::ControlModifier); })
        .When(
            "the preview from its short cut",
            [] { return fmPreview && Shown(fmPreview) && QApplication::activeWindow() == QtWidget(fmPreview); },
            [] { OpenMenu(fmPreview, MenuItem(fmPreview, "mnFile")); })
        .When(
            "the preview's File menu", [] { return MenuOpen(MenuItem(fmPreview, "mnFile")); },
            [] { PointAt(MenuItem(fmPreview, "mnFile"), MenuItem(fmPreview, "itmPrint")); })
        .When(
            "the hint of the item under the mouse",
            [] { return Application()->Hint() == "Report gets printed to Output Destination"; },
            [] { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape); })
        .When(
            "the menu closed, the item's hint gone",
            [] {
                return !MenuOpen(MenuItem(fmPreview, "mnFile")) &&
                       Application()->Hint() != "Report gets printed to Output Destination";
            },
            [] { QTest::keyClick(QtWidget(fmPreview), Qt::Key_Q, Qt::ControlModifier); })
        .When(
            "the options window again", [] { return !fmPreview && DialogShown(); },
            [] { QTest::keyClick(QtWidget(fmTBXMain), Qt::Key_Q, Qt::ControlModifier); });
    tbx->Print();
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(fmTBXMain, nullptr);
}

TEST_F(DialogWindowTest, TheMemoEditorShowsTheChosenMemoAndTakesWhatIsTyped) {
    Store({"LinesPerpage=20"});
    QtUser user;
    auto view = [] { return static_cast<QPlainTextEdit*>(QtWidget(fmTBXMain->memRptMemo)); };
    user.When("the options window", DialogShown, [] { ClickTab("Titles"); })
        .When(
            "the Titles page", [] { return SelectedTab() == "Titles"; },
            [] {
                // Page Title, the third memo of the list.
                auto* list = static_cast<TQtListBox*>(QtWidget(fmTBXMain->lbxMemoLocation));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->ItemHeight * 2 + 2));
            })
        .When(
            "the page title chosen", [] { return fmTBXMain->lbxMemoLocation->ItemIndex() == 2; },
            [&] {
                // Shown as the memo is aligned: centred.
                EXPECT_TRUE(fmTBXMain->rbRptMemoCenterJustify->Checked());
                EXPECT_EQ(view()->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
                QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
                QTest::keyClicks(view(), "Stock");
                QTest::keyClick(view(), Qt::Key_Return);
                QTest::keyClicks(view(), "by region");
            })
        .When(
            "the text typed", [] { return fmTBXMain->memRptMemo->Text() == "Stock\r\nby region"; },
            [&] {
                EXPECT_EQ(view()->toPlainText(), "Stock\nby region");
                Click(fmTBXMain->rbRptMemoRightJustify);
            })
        .When(
            "right justified", [&] { return view()->document()->defaultTextOption().alignment() == Qt::AlignRight; },
            [] { Click(fmTBXMain->sbClose); });
    SaySaveNo(user);
    tbx->Print();
    EXPECT_TRUE(user.Done());
}

// ---- Report text on the screen ------------------------------------------------

class WindowLookTest : public ::testing::Test, public QtWindowsFixture {};

TEST_F(WindowLookTest, AnEditShowsItsSelectionOnlyWhileItHasTheFocus) {
    TForm* form = NewForm<TForm>(Application());
    form->SetBounds(10, 10, 300, 200);
    TEdit* edits[2] = {new TEdit(form), new TEdit(form)};
    for (int i = 0; i < 2; ++i) {
        edits[i]->SetParent(form);
        edits[i]->SetBounds(8, 8 + 30 * i, 120, 21);
        edits[i]->SetText("text " + std::to_string(i));
        edits[i]->SelectAll();
    }
    form->Show();
    auto selected = [&](int i) { return static_cast<QLineEdit*>(QtWidget(edits[i]))->hasSelectedText(); };
    for (int focus : {0, 1, 0}) {
        edits[focus]->SetFocus();
        EXPECT_TRUE(selected(focus)) << focus;
        EXPECT_FALSE(selected(1 - focus)) << focus;
        // The model keeps the selection all the while.
        EXPECT_EQ(edits[1 - focus]->SelLength(), 6);
    }
}

TEST_F(WindowLookTest, AReportFontThatIsNotInstalledShowsInAFixedPitchWithItsLinesAligned) {
    TForm* form = NewForm<TForm>(Application());
    form->SetBounds(10, 10, 300, 200);
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 280, 180);
    memo->Font().SetName("Letter Gothic Line");
    memo->Font().SetSize(10);
    memo->SetText("┌──┬──┐\r\n│ab│cd│");
    form->Show();
    const QFont font = QtWidget(memo)->font();
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
    // The box characters take the cells of the letters beside them.
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(QString::fromUtf8("┌──┬──┐")), metrics.horizontalAdvance("xxxxxxx"));
    EXPECT_EQ(metrics.horizontalAdvance(QString::fromUtf8("│ab│cd│")), metrics.horizontalAdvance("xxxxxxx"));
}

// ---- The wizard --------------------------------------------------------------

TEST_F(WizardWindowTest, NextAndBackStepThePagesAndFinishMakesTheDirectory) {
    auto click = [](const TControl* Control) { QTest::mouseClick(QtWidget(Control), Qt::LeftButton); };
    QtUser user;
    std::vector<int> seen;
    user.When(
            "the wizard's first page", [] { return fmTBXDir && Shown(fmTBXDir) && fmTBXDir->Active(); },
            [&] {
                seen.push_back(fmTBXDir->nbWizard->PageIndex());
                EXPECT_FALSE(QtWidget(fmTBXDir->buBack)->isEnabled());
                EXPECT_FALSE(QtWidget(fmTBXDir->buNext)->isEnabled());
                click(fmTBXDir->rbOldProgram);
            })
        .When(
            "Next enabled", [] { return QtWidget(fmTBXDir->buNext)->isEnabled(); }, [&] { click(fmTBXDir->buNext); })
        .When(
            "the next page", [] { return fmTBXDir->nbWizard->PageIndex() != 0; },
            [&] {
                seen.push_back(fmTBXDir->nbWizard->PageIndex());
                EXPECT_TRUE(QtWidget(fmTBXDir->buBack)->isEnabled());
                click(fmTBXDir->buBack);
            })
        .When(
            "the first page again", [] { return fmTBXDir->nbWizard->PageIndex() == 0; },
            [&] {
                seen.push_back(fmTBXDir->nbWizard->PageIndex());
                click(fmTBXDir->rbNewProgram);
            })
        .When(
            "a new program chosen", [] { return fmTBXDir->rbNewProgram->Checked(); },
            [&] { click(fmTBXDir->buFinish); });
    TCustomForm* box = nullptr;
    user.When(
        "Create this subdirectory?", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
        [&] { click(dynamic_cast<TControl*>(box->FindComponent("Yes"))); });
    EXPECT_EQ(GetTBXDataDir(), Program() + ".TRX/");
    EXPECT_TRUE(user.Done());
    EXPECT_TRUE(DirectoryExists(Program() + ".TRX"));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_EQ(seen[2], 0);
}

} // namespace
} // namespace trx::test
