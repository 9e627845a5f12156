// The "Report Options" dialog on the real windows: an application form
// holding a string grid and the report component that prints it, with the
// report's settings in a temporary data directory, and what a user does at
// the dialog's widgets.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/data_directory.h"
#include "engine/program_path.h"
#include "framework/core/file_utils.h"
#include "framework/forms/form.h"
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

inline constexpr const char* kReportId = "Items (001.001)";

// The lines of a report text (CR LF or LF lines, form feeds between pages)
// page by page, without the blanks at the ends of lines and the empty lines
// at the ends of a page.
inline std::vector<std::string> TextPages(const std::string& Text) {
    std::vector<std::string> pages(1);
    std::size_t start = 0;
    while (start < Text.size()) {
        std::size_t end = Text.find('\n', start);
        if (end == std::string::npos) end = Text.size();
        std::string line = Text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        while (!line.empty() && line[0] == '\f') {
            pages.emplace_back();
            line.erase(0, 1);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        pages.back() += line + "\n";
    }
    for (std::string& page : pages) {
        page.erase(page.find_last_not_of('\n') + 1);
        const std::size_t first = page.find_first_not_of('\n');
        page.erase(0, first == std::string::npos ? page.size() : first);
    }
    while (!pages.empty() && pages.back().empty()) pages.pop_back();
    return pages;
}

inline bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

inline int LineCount(const std::string& Page) {
    return static_cast<int>(std::count(Page.begin(), Page.end(), '\n')) + 1;
}

// An application form holding a string grid and the report component that
// prints it, its settings in a temporary data directory, on the real
// windows.
class DialogWindowTest : public ::testing::Test, public QtWindowsFixture {
protected:
    static constexpr int Rows = 60;

    DialogWindowTest() {
        form = NewForm<TForm>(Application());
        form->SetName("fmItems");
        form->SetBounds(20, 20, 300, 200);
        grid = new TStringGrid(form);
        grid->SetName("sgItems");
        grid->SetParent(form);
        FillItemGrid(*grid, 3, Rows);
        tbx = NewTabrix(form, "TrxTabrix1", dir.Path(), kReportId);
        tbx->DialogTitle = "Items";
        form->Show();
    }
    ~DialogWindowTest() override { ResetApplication(); }

    // The report's stored settings: the options window opens, the report
    // goes to the text file in IBM lines without the page number memo (its
    // time of day would differ between two runs), then Lines.
    void Store(const std::vector<std::string>& Lines) {
        std::vector<std::string> lines{"OutputDest=1",    "OutputFileName=" + OutName(), "DisplayReportOptionsWin=1",
                                       "PreviewFirst=0",  "PauseAfterPrinting=0",        "DisplayProgressWindow=0",
                                       "OutputQuality=1", "TxtCharsPageWid=40",          "Memo,PgNum,MemoVisible=0"};
        lines.insert(lines.end(), Lines.begin(), Lines.end());
        std::string text = std::string("[") + kReportId + "]\r\n";
        for (const std::string& line : lines) text += line + "\r\n";
        WriteAll(dir.File("RptSet.TXT"), text);
    }
    std::string OutName() const { return dir.File("report.txt"); }

    static QComboBox* ZoomList() { return static_cast<QComboBox*>(QtWidget(fmPreview->cmbZoomLevel)); }
    static bool DialogShown() { return fmTBXMain && Shown(fmTBXMain) && fmTBXMain->Active(); }
    static std::string SelectedTab() {
        const int i = fmTBXMain->TabSet->TabIndex();
        return i < 0 ? std::string("(none)") : fmTBXMain->TabSet->Tabs()[i];
    }
    // A click on the dialog's tab of that name.
    static void ClickTab(const std::string& Name) {
        QTabBar* bar = static_cast<TQtTabControl*>(QtWidget(fmTBXMain->TabSet))->Bar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i).toStdString() == Name) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
                return;
            }
        ADD_FAILURE() << "no tab " << Name;
    }
    static void Click(const TControl* Control) { QTest::mouseClick(QtWidget(Control), Qt::LeftButton); }
    // The next step of User: the question whether to save the changed
    // settings, answered No.
    static void SaySaveNo(QtUser& User) {
        User.When(
            "Save New Report Settings?",
            [] {
                TCustomForm* box = FindForm("fmMessage");
                return box && Shown(box);
            },
            [] { Click(dynamic_cast<TControl*>(FindForm("fmMessage")->FindComponent("No"))); });
    }
    // Clicked into, the edit's text replaced by Text as a user types it.
    static void Retype(const TCustomEdit* Edit, const std::string& Text) {
        QWidget* w = QtWidget(Edit);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 4, w->height() / 2));
        QTest::keyClick(w, Qt::Key_End);
        for (std::size_t i = 0; i < Edit->Text().size(); ++i) QTest::keyClick(w, Qt::Key_Backspace);
        QTest::keyClicks(w, QString::fromStdString(Text));
    }

    TVirtualPrinterOverride printer;
    TWindowsDirOverride windowsDir;
    TempDir dir;
    TForm* form = nullptr;
    TStringGrid* grid = nullptr;
    TTrxTabrix* tbx = nullptr;
};

// The data-directory wizard on the real windows: a program whose data
// directory is missing, in a temporary directory.
class WizardWindowTest : public ::testing::Test, public QtWindowsFixture {
protected:
    WizardWindowTest() {
        std::filesystem::create_directories(dir.File("bin"));
        WriteAll(Program(), "program");
        SetExeFileName(Program());
        SetAskToCreateTBXDataDirectory(AskToCreateTBXDataDirectory);
    }
    ~WizardWindowTest() override {
        ResetApplication();
        SetExeFileName("");
        SetAskToCreateTBXDataDirectory(nullptr);
    }
    std::string Program() const { return dir.File("bin/Payroll"); }

    TWindowsDirOverride windowsDir;
    TempDir dir;
};

} // namespace trx::test
