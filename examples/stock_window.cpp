// The example as a desktop program: a window with the bundled sample's
// stock list in a database grid, a summary by kind of product in a string
// grid on a second tab, and a Print button that hands the grid on the
// shown tab to the report component: its "Report Options" dialog opens, as
// for every user.
//
//     tabrix_stock_window <sample database> <data directory> [user]
//
// The data directory holds the settings file. Without a user, you work the
// window. A built-in user can work it instead:
//
//     --print-text FILE   clicks Print, goes on from the preview to the
//                         dialog, picks the "Text File" destination named
//                         FILE there, prints, exits, and closes the window
//     --snapshot FILE     prints a snapshot of the window to the "PDF File"
//                         printer, into FILE, set up to print at once
//     --pictures DIR      photographs the window, the dialog's pages, the
//                         preview, the progress window and the data-directory
//                         wizard into DIR as PNG files
//
// The program needs a display (DISPLAY or WAYLAND_DISPLAY, or Qt's
// offscreen platform through QT_QPA_PLATFORM).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "engine/print_settings.h"
#include "example_support.h"
#include "framework/core/clock.h"
#include "framework/data/data_source.h"
#include "framework/data/query.h"
#include "framework/data/table.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_printer_driver.h"
#include "framework/qt/qt_windows.h"
#include "ui/data_dir_wizard.h"
#include "ui/options_dialog.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"
#include "ui/tab_set_control.h"
#include "ui/tabrix.h"

namespace {

using namespace trx;
using example::TBuiltInUser;

// The window: the two grids on their tabs over the Print and Close buttons.
class TfmStock : public TForm {
public:
    TfmStock(TComponent* AOwner, const std::string& Database, const std::string& DataDir) : TForm(AOwner) {
        SetName("fmStock");
        SetCaption("Stock list - Tabrix! example");
        SetBorderStyle(TFormBorderStyle::bsSingle);
        SetPosition(TPosition::poScreenCenter);
        SetClientWidth(760);
        SetClientHeight(500);

        tblProducts = new TTable(this);
        tblProducts->SetName("tblProducts");
        tblProducts->SetDatabaseName(Database);
        tblProducts->SetTableName("products");
        dsProducts = new TDataSource(this);
        dsProducts->SetName("dsProducts");
        dsProducts->SetDataSet(tblProducts);

        tcViews = new TTabControl(this);
        tcViews->SetName("tcViews");
        tcViews->SetParent(this);
        tcViews->SetBounds(8, 8, 744, 444);
        tcViews->Tabs().Add("Stock list");
        tcViews->Tabs().Add("Stock by kind");
        tcViews->OnChange = [this](TObject*) { ShowView(); };

        dbgProducts = new TDBGrid(this);
        dbgProducts->SetName("dbgProducts");
        dbgProducts->SetParent(tcViews);
        dbgProducts->SetBounds(4, 28, 736, 412);
        dbgProducts->ReadOnly = true;
        dbgProducts->SetDefaultRowHeight(18);
        dbgProducts->SetColWidths(0, 12);
        dbgProducts->SetDataSource(dsProducts);

        sgKinds = new TStringGrid(this);
        sgKinds->SetName("sgKinds");
        sgKinds->SetParent(tcViews);
        sgKinds->SetBounds(4, 28, 736, 412);
        sgKinds->SetDefaultRowHeight(18);

        laResult = new TLabel(this);
        laResult->SetName("laResult");
        laResult->SetParent(this);
        laResult->SetBounds(8, 468, 560, 16);
        buPrint = new TButton(this);
        buPrint->SetName("buPrint");
        buPrint->SetParent(this);
        buPrint->SetBounds(592, 462, 75, 25);
        buPrint->SetCaption("&Print...");
        buPrint->OnClick = [this](TObject*) { PrintView(); };
        buClose = new TButton(this);
        buClose->SetName("buClose");
        buClose->SetParent(this);
        buClose->SetBounds(677, 462, 75, 25);
        buClose->SetCaption("&Close");
        buClose->OnClick = [this](TObject*) { Close(); };

        // One report a grid, each with its settings in the data directory.
        TrxStock = MakeReport("TrxStock", "Stock window (001.001)", "Stock list", dbgProducts, DataDir);
        TrxKinds = MakeReport("TrxKinds", "Stock kinds (001.002)", "Stock by kind", sgKinds, DataDir);

        tblProducts->Open();
        FillKinds(Database);
        ShowView();
    }

    TTable* tblProducts;
    TDataSource* dsProducts;
    TTabControl* tcViews;
    TDBGrid* dbgProducts;
    TStringGrid* sgKinds;
    TLabel* laResult;
    TButton* buPrint;
    TButton* buClose;
    TTrxTabrix* TrxStock;
    TTrxTabrix* TrxKinds;

private:
    TTrxTabrix* MakeReport(const std::string& Name, const std::string& Id, const std::string& Title, TComponent* Grid,
                           const std::string& DataDir) {
        auto* tabrix = new TTrxTabrix(this);
        tabrix->SetName(Name);
        tabrix->FileMgr->DataDir = DataDir;
        tabrix->DialogTitle = Title;
        tabrix->SetObjectToPrint(Grid);
        // As a form's streaming sets it: no settings-file operation.
        tabrix->BeginLoading();
        tabrix->SetReportId(Id);
        tabrix->Loaded();
        return tabrix;
    }

    // The products counted by kind, the part of the name before its comma.
    void FillKinds(const std::string& Database) {
        TQuery query(nullptr);
        query.SetDatabaseName(Database);
        query.SQL.Add("SELECT substr(name, 1, instr(name, ',') - 1) AS kind, count(*) AS products,");
        query.SQL.Add("       min(price) AS lowest, max(price) AS highest");
        query.SQL.Add("FROM products GROUP BY kind ORDER BY kind");
        query.Open();
        sgKinds->SetColCount(4);
        sgKinds->SetRowCount(std::max(2, query.RecordCount() + 1));
        sgKinds->SetFixedCols(0);
        sgKinds->SetFixedRows(1);
        const char* titles[] = {"Kind", "Products", "Lowest price", "Highest price"};
        const int widths[] = {220, 90, 110, 110};
        for (int c = 0; c < 4; ++c) {
            sgKinds->SetCells(c, 0, titles[c]);
            sgKinds->SetColWidths(c, widths[c]);
        }
        for (int row = 1; !query.Eof(); ++row, query.Next())
            for (int c = 0; c < 4; ++c) sgKinds->SetCells(c, row, query.Fields(c)->DisplayText());
    }

    void ShowView() {
        const bool stock = tcViews->TabIndex() == 0;
        dbgProducts->SetVisible(stock);
        sgKinds->SetVisible(!stock);
    }

    void PrintView() {
        TTrxTabrix* tabrix = tcViews->TabIndex() == 0 ? TrxStock : TrxKinds;
        const int result = tabrix->Print();
        const std::string said = tabrix->DialogTitle + ": " + example::Outcome(result) + " (" +
                                 std::to_string(tabrix->PagesPrinted) + " pages)";
        laResult->SetCaption(said);
        std::printf("%s\n", said.c_str());
        std::fflush(stdout);
    }
};

// The message box shown, or nullptr.
TCustomForm* FindMessageBox() {
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        if (form->Name() == "fmMessage" && form->Visible()) return form;
    }
    return nullptr;
}

// The preview, shown first by a new report's settings, while it waits.
bool PreviewWaits() { return fmPreview && fmPreview->Visible() && fmPreview->Modal(); }

// From the preview on to the "Report Options" dialog, as its File menu offers.
void ReportOptionsFromPreview() {
    UserClickMenu(dynamic_cast<TMenuItem*>(fmPreview->FindComponent("itmReportOptions")));
}

// The dialog shown and waiting for the user.
bool DialogWaits() { return fmTBXMain && fmTBXMain->Visible() && fmTBXMain->Active() && !fmPreview; }

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(name); value && *value) return true;
    return false;
}

// A clock whose milliseconds run fast while a print reads it (about once a
// page): the sample's short print lets the events in (every 500 ms of its
// clock) often enough for the user to look at its progress window while it
// runs. The date and time of day stay the real ones.
class TFastClock : public TClock {
public:
    // Each reading counts 50 ms more, less than any timer's interval: the
    // model's look for a timer that is due still comes to an end.
    int64_t TickCount() override { return real_.TickCount() + 50 * ++calls_; }
    double LocalDateTime() override { return real_.LocalDateTime(); }
    void Wait(int64_t Ms) override { real_.Wait(Ms); }

private:
    TSystemClock real_;
    int64_t calls_ = 0;
};

// The progress window while its print goes on, half way or so.
bool PrintUnderWay() {
    return fmProgress && fmProgress->Visible() && fmProgress->bbCancel->Visible() &&
           fmProgress->paProgressBar->Width() > fmProgress->paProgressBackground->Width() / 4;
}

// In the dialog: the "Text File" destination named File, Print, OK on the
// progress window's result (after OnResult), then Exit without saving (after
// OnQuestion, given the question). With OnRunning, that is done while the
// print goes on.
void PrintToTextFileAndExit(TBuiltInUser& User, const std::string& File, const std::function<void()>& OnResult,
                            const std::function<void()>& OnRunning = {},
                            const std::function<void(TCustomForm*)>& OnQuestion = {}) {
    auto fast = std::make_shared<TFastClock>();
    auto clock = std::make_shared<std::unique_ptr<TClockOverride>>();
    User.Step("the dialog for a print", DialogWaits, [] { UserSelect(fmTBXMain->cbxOutputDest, "Text File"); })
        .Step(
            "the output file's field", [] { return fmTBXMain && CanUserReach(fmTBXMain->edOutputFileName); },
            [File, OnRunning, fast, clock] {
                UserReplaceText(fmTBXMain->edOutputFileName, File);
                if (OnRunning) *clock = std::make_unique<TClockOverride>(*fast);
                UserClick(fmTBXMain->sbPrint);
            });
    if (OnRunning)
        User.Step("the print under way", PrintUnderWay, [OnRunning, clock] {
            OnRunning();
            clock->reset();
        });
    User.Step(
            "the print's result", [] { return fmProgress && fmProgress->bbOk->Visible(); },
            [OnResult] {
                OnResult();
                UserClick(fmProgress->bbOk);
            })
        .Step(
            "the dialog after the print", [] { return fmTBXMain && !fmProgress && fmTBXMain->Active(); },
            [] { UserClickMenu(fmTBXMain->itmExit); })
        .Step(
            "the save question", [] { return !fmTBXMain || FindMessageBox(); },
            [OnQuestion] {
                TCustomForm* box = FindMessageBox();
                if (!box) return;
                if (OnQuestion) OnQuestion(box);
                UserClick(dynamic_cast<TControl*>(box->FindComponent("No")));
            });
}

// Prints through the dialog as a user does: Print on the window, the
// "Text File" destination named File, Print in the dialog, OK on the
// progress window's result, then Exit without saving, and Close.
void PrintTextFile(TBuiltInUser& User, TfmStock& Form, const std::string& File) {
    User.Step(
            "the window with its rows", [&Form] { return Form.Visible() && Form.tblProducts->Active(); },
            [&Form] { UserClick(Form.buPrint); })
        .Step(
            "the preview or the dialog", [] { return PreviewWaits() || DialogWaits(); },
            [] {
                if (PreviewWaits()) ReportOptionsFromPreview();
            });
    PrintToTextFileAndExit(User, File, [] {});
    User.Step(
        "the window again", [&Form] { return !fmTBXMain && Form.Active(); }, [&Form] { UserClick(Form.buClose); });
}

// The window's snapshot to the "PDF File" printer, File: the report of the
// shown grid set up to print a snapshot of its window at once, then Print.
void PrintSnapshot(TBuiltInUser& User, TfmStock& Form, const std::string& DataDir, const std::string& File) {
    const bool stored = example::StoreSettings(DataDir, TtrxReportId(Form.TrxStock->GetReportId()),
                                               [](TtrxReportSettings& Rs, TRptStyles&) {
                                                   Rs.DisplayReportOptionsWin = false;
                                                   Rs.PreviewFirst = false;
                                                   Rs.OutputDest = TOutputDest::odPrinter;
                                                   Rs.DefaultPrinter = false;
                                                   Rs.PrinterName = PdfPrinterName;
                                                   Rs.PrintWhat = TPrintWhat::pwWindowSnapShot;
                                                   Rs.SnapShotSize = "CT"; // the window as it is, fitted to the page
                                               });
    if (!stored) throw std::runtime_error("The settings file is locked: the snapshot's settings are not stored.");
    if (auto* qt = dynamic_cast<TQtPrinterDriver*>(&Printer()->Driver())) qt->PdfFileName = File;
    User.Step(
            "the window with its rows", [&Form] { return Form.Visible() && Form.tblProducts->Active(); },
            [&Form] {
                std::printf("window %dx%d\n", Form.ClientWidth(), Form.ClientHeight());
                UserClick(Form.buPrint);
            })
        .Step(
            "the window after the print", [&Form] { return !fmTBXMain && Form.Active(); },
            [&Form] { UserClick(Form.buClose); });
}

// Photographs what a user sees: the window, each page of the dialog, the
// preview, the progress window with its result (of a print to a text file
// in the data directory), and the wizard that sets up a missing data
// directory.
void TakePictures(TBuiltInUser& User, TfmStock& Form, const std::filesystem::path& DataDir) {
    User.Step(
            "the window with its rows", [&Form] { return Form.Visible() && Form.tblProducts->Active(); },
            [&User, &Form] {
                User.Photograph(&Form, "main-window.png");
                UserSelectTab(Form.tcViews, 1);
            })
        .Step(
            "the second tab", [&Form] { return Form.sgKinds->Visible(); },
            [&User, &Form] {
                User.Photograph(&Form, "main-window-kinds.png");
                UserSelectTab(Form.tcViews, 0);
            })
        .Step(
            "the first tab again", [&Form] { return Form.dbgProducts->Visible(); },
            [&Form] { UserClick(Form.buPrint); })
        .Picture(
            "the preview", [] { return PreviewWaits() ? fmPreview : nullptr; }, "preview.png",
            ReportOptionsFromPreview);
    const char* pages[] = {"General", "Output", "Style", "Titles", "Setup"};
    for (int page = 0; page < 5; ++page) {
        const std::string name = pages[page];
        User.Step("the dialog's " + name + " page", DialogWaits, [name] { UserSelectTab(fmTBXMain->TabSet, name); })
            .Step(
                "the " + name + " page shown",
                [name] {
                    return fmTBXMain && fmTBXMain->TabSet->TabIndex() >= 0 &&
                           fmTBXMain->TabSet->Tabs().Get(fmTBXMain->TabSet->TabIndex()) == name;
                },
                [&User, name] { User.Photograph(fmTBXMain, "options-" + std::string(name) + ".png"); });
    }
    PrintToTextFileAndExit(
        User, (DataDir / "stock-list.txt").string(), [&User] { User.Photograph(fmProgress, "progress-result.png"); },
        [&User] { User.Photograph(fmProgress, "progress-window.png"); },
        [&User](TCustomForm* Box) { User.Photograph(Box, "save-question.png"); });
    User.Step(
            "the window again", [&Form] { return !fmTBXMain && Form.Active(); },
            [DataDir] {
                // A program whose data directory is missing meets the wizard.
                std::string dir = (DataDir / "missing.TRX").string();
                AskToCreateTBXDataDirectory(dir, false);
            })
        .Step(
            "the wizard", [] { return fmTBXDir && fmTBXDir->Visible() && fmTBXDir->Active(); },
            [&User] {
                User.Photograph(fmTBXDir, "wizard.png");
                UserClick(fmTBXDir->buCancel);
            })
        .Step(
            "the window at the end", [&Form] { return !fmTBXDir && Form.Active(); },
            [&Form] { UserClick(Form.buClose); });
}

} // namespace

int main(int argc, char** argv) {
    const std::string option = argc == 5 ? argv[3] : "";
    if (argc != 3 && !(argc == 5 && (option == "--print-text" || option == "--snapshot" || option == "--pictures"))) {
        std::fprintf(stderr,
                     "usage: %s <sample database> <data directory> [--print-text FILE | --snapshot FILE | "
                     "--pictures DIR]\n",
                     argv[0]);
        return 2;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "%s: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                     argv[0]);
        return 1;
    }
    const std::string database = argv[1];
    const std::string dataDir = std::filesystem::absolute(argv[2]).string();
    int status = 0;
    std::unique_ptr<TBuiltInUser> user;
    try {
        std::filesystem::create_directories(dataDir);
        UseQtWindows();
        auto* form = NewForm<TfmStock>(Application(), database, dataDir);
        if (argc == 5) {
            const std::filesystem::path target = std::filesystem::absolute(argv[4]);
            user = std::make_unique<TBuiltInUser>(option == "--pictures" ? target : target.parent_path());
            if (option == "--print-text")
                PrintTextFile(*user, *form, target.string());
            else if (option == "--snapshot")
                PrintSnapshot(*user, *form, dataDir, target.string());
            else
                TakePictures(*user, *form, dataDir);
        }
        Application()->Run(form);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        status = 1;
    }
    return example::FinishWindows(std::move(user), status);
}
