// Every page of the "Report Options" dialog as a person sees it, for each
// output destination: texts whole, disabled fields drawn disabled and deaf
// to clicks, drop-downs that open on their arrow.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "dialog_window_fixture.h"
#include "engine/data_directory.h"
#include "engine/program_path.h"
#include "engine/trx_errors.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/user_input.h"
#include "ui/data_dir_wizard.h"
#include "view_check.h"

namespace trx::test {
namespace {

using WindowViewTest = DialogWindowTest;

// What the user at a page found wrong, with where.
void Look(const std::string& Where, std::vector<std::string>& Faults) {
    auto add = [&](const std::vector<std::string>& Found) {
        for (const std::string& f : Found) Faults.push_back(Where + ": " + f);
    };
    add(ViewFaults(*fmTBXMain));
    add(ProbeDisabledClicks(*fmTBXMain));
    add(ProbeDropDowns(*fmTBXMain));
}

TEST_F(WindowViewTest, EveryPageLooksRightForEveryDestination) {
    Store({"LinesPerpage=20"});
    const std::vector<std::string> destinations = {"Printer", "Text File", "Export Data"};
    std::vector<std::string> faults;
    std::vector<std::string> visited;
    TCustomForm* box = nullptr;
    QtUser user;
    std::function<void(std::size_t, std::size_t)> visit;
    // The destination chosen as a user picks it, then its pages one by one.
    auto choose = [&](std::size_t d) {
        Application()->QueueInput([dest = destinations[d]] { UserSelect(fmTBXMain->cbxOutputDest, dest); });
        user.When(
            "the destination " + destinations[d],
            [&, d] { return fmTBXMain->cbxOutputDest->Text() == destinations[d]; }, [&, d] { visit(d, 0); });
    };
    visit = [&](std::size_t d, std::size_t t) {
        const int tabs = fmTBXMain->TabSet->Tabs().Count();
        if (static_cast<int>(t) >= tabs) {
            if (d + 1 < destinations.size()) {
                choose(d + 1);
                return;
            }
            Click(fmTBXMain->sbClose);
            user.When(
                "Save New Report Settings?", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
                [&] {
                    for (const std::string& f : ViewFaults(*box)) faults.push_back("the save question: " + f);
                    Click(dynamic_cast<TControl*>(box->FindComponent("No")));
                });
            return;
        }
        const std::string tab = fmTBXMain->TabSet->Tabs()[static_cast<int>(t)];
        ClickTab(tab);
        user.When(
            "the page " + tab, [tab] { return SelectedTab() == tab && fmTBXMain->nbOptions->ActivePage() == tab; },
            [&, d, t, tab] {
                const std::string where = destinations[d] + ", " + tab;
                visited.push_back(where);
                Look(where, faults);
                if (tab != "Titles") {
                    visit(d, t + 1);
                    return;
                }
                // The memo controls again with a memo chosen.
                Application()->QueueInput([] { UserSelectItem(fmTBXMain->lbxMemoLocation, 2); });
                user.When(
                    "a memo chosen", [] { return fmTBXMain->lbxMemoLocation->ItemIndex() == 2; },
                    [&, d, t, where] {
                        Look(where + " with a memo chosen", faults);
                        visit(d, t + 1);
                    });
            });
    };
    user.When("the options window", DialogShown, [&] { choose(0); });
    tbx->Print();
    EXPECT_TRUE(user.Done());
    // Every destination's pages to the last (an export has no Titles page).
    for (const std::string& d : destinations)
        EXPECT_NE(std::find(visited.begin(), visited.end(), d + ", Setup"), visited.end()) << d;
    EXPECT_EQ(visited.size(), 5u + 5u + 4u);
    for (const std::string& f : faults) ADD_FAILURE() << f;
}

TEST_F(WindowViewTest, ADisabledFieldLooksDisabledAndAClickOnItLeavesTheFocusWhereItWas) {
    // Printing on the printer, the lines of a page are the printer's own.
    Store({"OutputDest=0"});
    std::string typedAt;
    QtUser user;
    user.When("the options window", DialogShown, [] { ClickTab("Output"); })
        .When(
            "the Output page", [] { return SelectedTab() == "Output"; },
            [] {
                ASSERT_FALSE(fmTBXMain->edLinesPerPage->Enabled());
                QWidget* field = QtWidget(fmTBXMain->edLinesPerPage);
                EXPECT_FALSE(field->isEnabled());
                // Grey on grey, as a field that takes nothing looks.
                const QPalette& p = field->palette();
                EXPECT_NE(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Active, QPalette::Text));
                EXPECT_NE(p.color(QPalette::Disabled, QPalette::Base), p.color(QPalette::Active, QPalette::Base));
                Click(fmTBXMain->cbxOutputDest);
                QTest::keyClick(QtWidget(fmTBXMain->cbxOutputDest), Qt::Key_Escape);
            })
        .When(
            "the destination focused", [] { return fmTBXMain->FocusedControl() == fmTBXMain->cbxOutputDest; },
            [&] {
                QTest::mouseClick(QtWidget(fmTBXMain->edLinesPerPage), Qt::LeftButton);
                QTest::keyClicks(QtWidget(fmTBXMain->edLinesPerPage), "7");
                typedAt = fmTBXMain->edLinesPerPage->Text();
            })
        .When(
            "the click and the key taken", [] { return Application()->PendingMessages() == 0; },
            [&] {
                // The field took neither the focus nor the digit.
                EXPECT_EQ(fmTBXMain->FocusedControl(), fmTBXMain->cbxOutputDest);
                EXPECT_EQ(QApplication::focusWidget(), QtWidget(fmTBXMain->cbxOutputDest)->focusProxy()
                                                           ? QtWidget(fmTBXMain->cbxOutputDest)->focusProxy()
                                                           : QtWidget(fmTBXMain->cbxOutputDest));
                EXPECT_EQ(fmTBXMain->edLinesPerPage->Text(), typedAt);
                // A text file's lines per page are the user's: typed whole, shown whole.
                Application()->QueueInput([] { UserSelect(fmTBXMain->cbxOutputDest, "Text File"); });
            })
        .When(
            "the text file chosen", [] { return fmTBXMain->edLinesPerPage->Enabled(); },
            [] { Retype(fmTBXMain->edLinesPerPage, "100000"); })
        .When(
            "100000 typed", [] { return fmTBXMain->edLinesPerPage->Text() == "100000"; },
            [] {
                EXPECT_EQ(static_cast<QLineEdit*>(QtWidget(fmTBXMain->edLinesPerPage))->text(), "100000");
                EXPECT_EQ(ViewFaults(*fmTBXMain), std::vector<std::string>{});
                Retype(fmTBXMain->edLinesPerPage, "60");
            })
        .When(
            "60 again", [] { return fmTBXMain->edLinesPerPage->Text() == "60"; },
            [] { QTest::keyClick(QtWidget(fmTBXMain), Qt::Key_Q, Qt::ControlModifier); });
    SaySaveNo(user);
    tbx->Print();
    EXPECT_TRUE(user.Done());
}

TEST_F(WindowViewTest, TheOutputQualityListOpensWithAltDownAndShowsItsItems) {
    Store({});
    QtUser user;
    auto list = [] { return static_cast<QComboBox*>(QtWidget(fmTBXMain->cbxOutputQuality)); };
    user.When("the options window", DialogShown, [] { ClickTab("Style"); })
        .When(
            "the Style page", [] { return SelectedTab() == "Style"; },
            [] { Application()->QueueInput([] { UserFocus(fmTBXMain->cbxOutputQuality); }); })
        .When(
            "the quality focused", [] { return fmTBXMain->FocusedControl() == fmTBXMain->cbxOutputQuality; },
            [&] { QTest::keyClick(QtWidget(fmTBXMain), Qt::Key_Down, Qt::AltModifier); })
        .When(
            "the list open", [&] { return list()->view()->isVisible(); },
            [&] {
                EXPECT_TRUE(fmTBXMain->cbxOutputQuality->DroppedDown());
                EXPECT_EQ(list()->count(), 2);
                EXPECT_EQ(list()->itemText(1), "IBM LineDraw");
                QTest::keyClick(list()->view(), Qt::Key_Escape);
            })
        .When(
            "the list closed", [&] { return !list()->view()->isVisible(); },
            [] { QTest::keyClick(QtWidget(fmTBXMain), Qt::Key_Q, Qt::ControlModifier); });
    SaySaveNo(user);
    tbx->Print();
    EXPECT_TRUE(user.Done());
}

// The preview's toolbar: the output controls of the destination, hints on
// its own status line, the caret's place after a page change.
TEST_F(WindowViewTest, ThePreviewShowsTheOutputControlsOfItsDestinationAndItsOwnHintsAndCaret) {
    Store({"OutputDest=0", "PreviewFirst=1", "DisplayReportOptionsWin=0"});
    auto preview = [] { return fmPreview && Shown(fmPreview) && QApplication::activeWindow() == QtWidget(fmPreview); };
    auto fileControlsShown = [] {
        return Shown(fmPreview->edOutputFileName) && Shown(fmPreview->buBrowseFile) &&
               Shown(fmPreview->cbxIfOutputFileExists);
    };
    QtUser user;
    user.When("the preview", preview,
              [&] {
                  // On the printer: its set-up, no file.
                  EXPECT_TRUE(Shown(fmPreview->sbPrinterSetup));
                  EXPECT_FALSE(Shown(fmPreview->edOutputFileName));
                  EXPECT_FALSE(Shown(fmPreview->buBrowseFile));
                  EXPECT_FALSE(Shown(fmPreview->cbxIfOutputFileExists));
                  Application()->QueueInput([] { UserSelect(fmPreview->cbxOutputDest, "Text File"); });
              })
        .When(
            "the text file chosen", [] { return fmPreview->cbxOutputDest->Text() == "Text File"; },
            [&] {
                EXPECT_TRUE(fileControlsShown());
                EXPECT_FALSE(Shown(fmPreview->sbPrinterSetup));
                QTest::mouseMove(QtWidget(fmPreview->sbNextPage));
            })
        .When(
            "the Next Page hint on the preview's status line",
            [] { return !Trim(fmPreview->paMsg->Caption()).empty(); },
            [] {
                EXPECT_EQ(Trim(static_cast<TQtPanel*>(QtWidget(fmPreview->paMsg))->Caption.toStdString()),
                          GetLongHint(fmPreview->sbNextPage->Hint()));
                // The caret down the page, then the next page.
                auto* memo = static_cast<QPlainTextEdit*>(QtWidget(fmPreview->memPreview));
                QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(20, memo->viewport()->height() - 10));
            })
        .When(
            "the caret at the end of the page", [] { return Trim(fmPreview->paRowCol->Caption()) != "1:   1"; },
            [] { QTest::mouseClick(QtWidget(fmPreview->sbNextPage), Qt::LeftButton); })
        .When(
            "the second page", [] { return PrintSettings->CurPage.Y == 2; },
            [] {
                EXPECT_EQ(fmPreview->memPreview->SelStart(), 0);
                EXPECT_EQ(fmPreview->paRowCol->Caption(), "    1:   1");
                EXPECT_EQ(static_cast<TQtPanel*>(QtWidget(fmPreview->paRowCol))->Caption, "    1:   1");
                Click(fmPreview->sbExit);
            });
    SaySaveNo(user);
    tbx->Print();
    EXPECT_TRUE(user.Done());
}

// The data-directory wizard's four pages, each reached as a user does.
using WizardViewTest = WizardWindowTest;

TEST_F(WizardViewTest, EveryPageLooksRight) {
    auto click = [](const TControl* Control) { QTest::mouseClick(QtWidget(Control), Qt::LeftButton); };
    auto atStart = [] {
        return fmTBXDir && Shown(fmTBXDir) && fmTBXDir->Active() && fmTBXDir->nbWizard->PageIndex() == 0;
    };
    std::vector<std::string> faults;
    std::set<int> pages;
    auto look = [&] {
        pages.insert(fmTBXDir->nbWizard->PageIndex());
        for (const std::string& f : ViewFaults(*fmTBXDir))
            faults.push_back("page " + std::to_string(fmTBXDir->nbWizard->PageIndex()) + ": " + f);
    };
    // An old program alone, a new one sharing, an old one sharing.
    const std::pair<TRadioButton * TfmTBXDir::*, TRadioButton * TfmTBXDir::*> choices[] = {
        {&TfmTBXDir::rbOldProgram, &TfmTBXDir::rbSingleProgram},
        {&TfmTBXDir::rbNewProgram, &TfmTBXDir::rbMultiProgram},
        {&TfmTBXDir::rbOldProgram, &TfmTBXDir::rbMultiProgram}};
    QtUser user;
    for (const auto& [age, sharing] : choices) {
        user.When("the first page", atStart,
                  [&, age = age, sharing = sharing] {
                      click(fmTBXDir->*age);
                      click(fmTBXDir->*sharing);
                  })
            .When(
                "the choice made",
                [age = age, sharing = sharing] {
                    return (fmTBXDir->*age)->Checked() && (fmTBXDir->*sharing)->Checked() &&
                           QtWidget(fmTBXDir->buNext)->isEnabled();
                },
                [&] {
                    look();
                    click(fmTBXDir->buNext);
                })
            .When(
                "the next page", [] { return fmTBXDir->nbWizard->PageIndex() != 0; },
                [&] {
                    look();
                    click(fmTBXDir->buBack);
                });
    }
    user.When("the first page at the end", atStart, [&] { click(fmTBXDir->buCancel); });
    // Cancelled, the program has no data directory.
    EXPECT_THROW(GetTBXDataDir(), ETrxSUError);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(pages.size(), 4u);
    for (const std::string& f : faults) ADD_FAILURE() << f;
}

} // namespace
} // namespace trx::test
