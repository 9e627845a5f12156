// The "Report Options" dialog as a real window: Ctrl and Shift held on the
// keyboard when Print starts open it, and a changed setting closed with
// Exit is saved through the save question's real message box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QWindow>

#include <string>
#include <vector>

#include "framework/core/file_utils.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/keys.h"
#include "framework/forms/standard_controls.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/capture_spooler.h"
#include "framework/printing/virtual_printer.h"
#include "qt_user.h"
#include "support/temp_dir.h"
#include "support/ui/new_tabrix.h"
#include "support/windows_dir.h"
#include "ui/options_dialog.h"
#include "ui/tabrix.h"

namespace trx::test {
namespace {

constexpr const char* kReportId = "Items (001.001)";

class OptionsWindowTest : public ::testing::Test, public QtWindowsFixture {
protected:
    OptionsWindowTest() {
        form = NewForm<TForm>(Application());
        form->SetName("fmItems");
        form->SetBounds(40, 40, 400, 300);
        // A small stock list for the component to pick.
        auto* grid = new TStringGrid(form);
        grid->SetName("sgStock");
        grid->SetParent(form);
        grid->SetColCount(2);
        grid->SetRowCount(4);
        grid->SetFixedRows(1);
        const char* cells[4][2] = {{"Item", "Units"}, {"Bolts", "120"}, {"Nuts", "80"}, {"Washers", "300"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 2; ++c) grid->SetCells(c, r, cells[r][c]);
        tbx = NewTabrix(form, "TrxTabrix1", dir.Path(), kReportId);
        tbx->DialogTitle = "Items";
        form->Show();
    }

    std::string SettingsFile() const { return dir.File("RptSet.TXT"); }

    // The report's stored section: print the grid into a text file at
    // once, without the options window.
    void Store() {
        std::string text = std::string("[") + kReportId + "]\r\n";
        for (const std::string& line :
             {std::string("OutputDest=1"), "OutputFileName=" + dir.File("report.txt"),
              std::string("DisplayReportOptionsWin=0"), std::string("PreviewFirst=0"),
              std::string("PauseAfterPrinting=0"), std::string("DisplayProgressWindow=0"),
              std::string("OutputQuality=0"), std::string("TxtCharsPageWid=40"), std::string("LinesPerpage=20")})
            text += line + "\r\n";
        WriteAll(SettingsFile(), text);
    }

    TVirtualPrinterOverride printer;
    TSpoolerOverride spooler;
    TWindowsDirOverride windowsDir;
    TempDir dir;
    TForm* form = nullptr;
    TTrxTabrix* tbx = nullptr;
};

TEST_F(OptionsWindowTest, CtrlShiftOpensTheOptionsAndExitSavesTheChangeThroughTheQuestion) {
    Store();
    QWindow* caller = QtWidget(form)->windowHandle();
    ASSERT_NE(caller, nullptr);
    QTest::keyPress(caller, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(caller, Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier);

    QtUser user;
    TCustomForm* box = nullptr;
    user.When(
            "the options window", [] { return fmTBXMain && Shown(fmTBXMain) && Shown(fmTBXMain->edPanelsAcrossPage); },
            [&] {
                QTest::keyRelease(caller, Qt::Key_Shift, Qt::ControlModifier);
                QTest::keyRelease(caller, Qt::Key_Control, Qt::NoModifier);
                QWidget* edit = QtWidget(fmTBXMain->edPanelsAcrossPage);
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(edit, Qt::Key_End);
                for (int i = 0; i < 3; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
                QTest::keyClicks(edit, "2");
            })
        .When(
            "the edit changed", [] { return fmTBXMain->edPanelsAcrossPage->Text() == "2"; },
            [] { QTest::mouseClick(QtWidget(fmTBXMain->sbClose), Qt::LeftButton); })
        .When(
            "the save question", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
            [&] {
                QWidget* window = QtWidget(box);
                EXPECT_EQ(window->windowTitle(), "Confirm");
                EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
                ASSERT_NE(window->findChild<QLabel*>(QStringLiteral("Icon")), nullptr);
                auto* text = dynamic_cast<TLabel*>(box->FindComponent("Message"));
                ASSERT_NE(text, nullptr);
                EXPECT_EQ(text->Caption(), "Report Settings have been modified.\r\rSave New Report Settings?");
                for (const char* button : {"Yes", "No", "Cancel", "Help"})
                    EXPECT_TRUE(Shown(dynamic_cast<TControl*>(box->FindComponent(button)))) << button;
                QTest::mouseClick(QtWidget(dynamic_cast<TControl*>(box->FindComponent("Yes"))), Qt::LeftButton);
            });
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(fmTBXMain, nullptr);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    const std::string stored = ReadAll(SettingsFile());
    EXPECT_NE(stored.find("\r\nPanelsAcrossPage=2\r\n"), std::string::npos) << stored;
    EXPECT_FALSE(FileExists(dir.File("report.txt"))); // Exit prints nothing
}

} // namespace
} // namespace trx::test
