// An application form holding a string grid and a report component that
// picked the grid by itself, with its settings file in a temporary data
// directory, the virtual printer, a fake clock and a scripted user; and the
// engine's own run of the same report, to compare the component's output
// with.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/form_routines_fixture.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_scope.h"
#include "framework/core/compiler_warnings.h"
#include "framework/forms/form.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/capture_spooler.h"
#include "framework/printing/virtual_printer.h"
#include "storage/file_mgr.h"
#include "support/engine/run_setup.h"
#include "support/temp_dir.h"
#include "support/ui/new_tabrix.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"
#include "ui/tabrix.h"

namespace trx::test {

class TabrixTest : public FormRoutinesTest {
protected:
    static constexpr const char* kReportId = "Items (001.001)";

    TabrixTest() {
        PWInfo.Clear();
        form = NewForm<TForm>(Application());
        form->SetName("fmItems");
        grid = new TStringGrid(form);
        grid->SetName("sgItems");
        grid->SetParent(form);
        grid->SetColCount(3);
        grid->SetRowCount(30);
        grid->SetFixedCols(0);
        grid->SetFixedRows(1);
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        for (int c = 0; c < 3; ++c) {
            grid->SetCells(c, 0, "C" + std::to_string(c));
            for (int r = 1; r < 30; ++r) grid->SetCells(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
        }
        TRX_GCC_BOGUS_RESTRICT_END
        tbx = NewComponent("TrxTabrix1");
        tbx->DialogTitle = "Items";
        form->Show();
    }
    ~TabrixTest() override {
        ui.reset();
        ResetApplication();
        PWInfo.Clear();
    }

    // A component on the form, named Name, whose identifier is set as the
    // form's streaming sets it (no settings-file operation).
    TTrxTabrix* NewComponent(const std::string& Name, const std::string& Id = kReportId) {
        return NewTabrix(form, Name, dir.Path(), Id);
    }

    std::string SettingsFile() const { return dir.File("RptSet.TXT"); }
    std::string OutName() const { return dir.File("report.txt"); }

    // Stores the report's section: settings that print the grid at once
    // into the text file, without any window, then Lines.
    void Store(const std::vector<std::string>& Lines) {
        std::string text = std::string("[") + kReportId + "]\r\n";
        for (const std::string& line :
             {std::string("OutputDest=1"), "OutputFileName=" + OutName(), std::string("DisplayReportOptionsWin=0"),
              std::string("PreviewFirst=0"), std::string("PauseAfterPrinting=0"),
              std::string("DisplayProgressWindow=0"), std::string("OutputQuality=0"), std::string("TxtCharsPageWid=40"),
              std::string("LinesPerpage=20")})
            text += line + "\r\n";
        for (const std::string& line : Lines) text += line + "\r\n";
        WriteAll(SettingsFile(), text);
    }

    // The same report run by the engine alone, from the stored settings,
    // into the file Name; its bytes. Pages receives the pages it output.
    std::string EngineRun(const std::string& Name, int* Pages = nullptr) {
        TRunScope run;
        SetReportDefaults(run.RS());
        run.RS().ReportId = kReportId;
        run.RS().DialogTitle = tbx->DialogTitle;
        TtrxFileMgr mgr;
        mgr.DataDir = dir.Path();
        mgr.ReportSettings = &run.RS();
        EXPECT_TRUE(mgr.LoadReportSettings("", kReportId));
        run.RS().OutputFileName = Name;
        run.OI().ComponentName = tbx->Name();
        StartRun(grid);
        EXPECT_EQ(PrintRun(), 1);
        if (Pages) *Pages = run.PS().TotalPagesOutput;
        return ReadAll(Name);
    }

    // Every setting of the stored section as the settings table writes it
    // ("Key=Value"), in table order.
    std::vector<std::string> StoredValues() {
        TRunScope run;
        SetReportDefaults(run.RS());
        TtrxFileMgr mgr;
        mgr.DataDir = dir.Path();
        mgr.ReportSettings = &run.RS();
        EXPECT_TRUE(mgr.LoadReportSettings("", kReportId));
        mgr.InitRSFList();
        mgr.UpdateEntireRSFList();
        std::vector<std::string> values;
        for (int i = 0; i < mgr.RSFList->Count(); ++i)
            values.push_back(mgr.RSFList->Get(i) + "=" + mgr.RSFList->Data(i)->Value);
        return values;
    }
    // The settings whose stored value differs between two StoredValues.
    static std::vector<std::string> Changed(const std::vector<std::string>& Before,
                                            const std::vector<std::string>& After) {
        std::vector<std::string> changed;
        for (std::size_t i = 0; i < Before.size() && i < After.size(); ++i)
            if (Before[i] != After[i]) changed.push_back(After[i]);
        return changed;
    }

    // The texts of the message boxes of a kind, in order.
    std::vector<TDialogCall> Boxes(TDialogKind Kind) const { return ui->CallsOf(Kind); }

    TVirtualPrinterOverride printer;
    TSpoolerOverride spooler;
    TempDir dir;
    TForm* form = nullptr;
    TStringGrid* grid = nullptr;
    TTrxTabrix* tbx = nullptr;
};

} // namespace trx::test
