#include "ui/preview_window.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

#include "engine/form_sizes.h"
#include "engine/obj_info.h"
#include "engine/report_settings.h"
#include "engine/run_progress.h"
#include "engine/shared_routines.h"
#include "engine/status_messages.h"
#include "engine/trx_errors.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"

namespace trx {

TfmPreview* fmPreview = nullptr;

namespace {

// The hourglass while a page is laid out; the arrow afterwards, whatever happens.
struct TCursorScope {
    TCursorScope() { Screen()->SetCursor(crHourGlass); }
    ~TCursorScope() { Screen()->SetCursor(crArrow); }
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;
};

// The window's place and size are kept per user in this ini file.
constexpr const char* FormSizeIniFile = "Tabrix.Ini";

} // namespace

const TFormDesc& PreviewLayout() {
    static const TFormDesc d{
        .Name = "fmPreview",
        .Caption = "Report Preview",
        .ClientWidth = 643,
        .ClientHeight = 475,
        .Props = {{"HelpContext", "210"}, {"ShowHint", "True"}, {"ActiveControl", "memPreview"}, {"Menu", "MainMenu1"}},
        .Events = {{"OnShow", "FormShow"}, {"OnClose", "FormClose"}, {"OnResize", "FormResize"}},
        .Controls = {
            // The toolbar: the pages, printing, the zoom and the output destination.
            {.Kind = "TPanel", .Name = "paToolbar", .Height = 58, .Props = {{"Align", "alTop"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbExit",
             .Parent = "paToolbar",
             .Left = 4,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Exit Report Viewer (Ctrl-Q)",
             .Props = {{"Glyph", "Exit"}},
             .Events = {{"OnClick", "sbExitClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbFirstPage",
             .Parent = "paToolbar",
             .Left = 34,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "First Page (Ctrl-F)",
             .Props = {{"Glyph", "First"}},
             .Events = {{"OnClick", "sbFirstPageClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbPrevPage",
             .Parent = "paToolbar",
             .Left = 59,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Prev Page (Shift PgUp)",
             .Props = {{"Glyph", "Prior"}},
             .Events = {{"OnClick", "sbPrevPageClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbNextPage",
             .Parent = "paToolbar",
             .Left = 84,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Next Page (Shift PgDn)",
             .Props = {{"Glyph", "Next"}},
             .Events = {{"OnClick", "sbNextPageClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbLastPage",
             .Parent = "paToolbar",
             .Left = 109,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Last Page (Ctrl-L)",
             .Props = {{"Glyph", "Last"}},
             .Events = {{"OnClick", "sbLastPageClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbPrint",
             .Parent = "paToolbar",
             .Left = 140,
             .Top = 4,
             .Width = 50,
             .Height = 25,
             .Caption = "Print",
             .Hint = "Print Report (Ctrl-P)|Print the report to the Output Destination",
             .Events = {{"OnClick", "sbPrintClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbAlignPgWid",
             .Parent = "paToolbar",
             .Left = 270,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Fit Horizontally|Try to fill the page horizontally as near as possible",
             .Props = {{"Glyph", "FitWidth"}},
             .Events = {{"OnClick", "sbAlignPgWidClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbAlignPgHt",
             .Parent = "paToolbar",
             .Left = 295,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Fit Vertically|Try to fill the page vertically as near as possible",
             .Props = {{"Glyph", "FitHeight"}},
             .Events = {{"OnClick", "sbAlignPgHtClick"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbClipBoard",
             .Parent = "paToolbar",
             .Left = 320,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Copy page to Windows Clipboard|Copy page to Windows Clipboard. Same as pressing Ctrl-A Ctrl-C",
             .Props = {{"Glyph", "Clipboard"}},
             .Events = {{"OnClick", "sbClipBoardClick"}}},
            {.Kind = "TComboBox",
             .Name = "cmbZoomLevel",
             .Parent = "paToolbar",
             .Left = 200,
             .Top = 4,
             .Width = 65,
             .Caption = "100%",
             .Hint = "Zoom Level|Zoom Level will magnify the size of the text",
             .Items = {"300%", "250%", "200%", "150%", "125%", "100%", "75%", "50%", "25%"},
             .Events = {{"OnChange", "cmbZoomLevelChange"},
                        {"OnEnter", "cmbZoomLevelEnter"},
                        {"OnExit", "cmbZoomLevelExit"},
                        {"OnKeyDown", "cmbZoomLevelKeyDown"},
                        {"OnKeyPress", "cmbZoomLevelKeyPress"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbPrinterSetup",
             .Parent = "paToolbar",
             .Left = 350,
             .Top = 4,
             .Width = 25,
             .Height = 25,
             .Hint = "Printer Setup (Ctrl-U)|Printer Setup changes printer settings",
             .Props = {{"Glyph", "PrinterSetup"}},
             .Events = {{"OnClick", "sbPrinterSetupClick"}}},
            {.Kind = "TComboBox",
             .Name = "cbxOutputDest",
             .Parent = "paToolbar",
             .Left = 380,
             .Top = 4,
             .Width = 100,
             .Hint = "Output Destination|Output Destination determines where output will be sent",
             .Items = {"Printer", "Text File", "Export Data"},
             .Props = {{"DropDownCount", "4"}},
             .Events = {{"OnChange", "cbxOutputDestChange"}}},
            {.Kind = "TEdit",
             .Name = "edOutputFileName",
             .Parent = "paToolbar",
             .Left = 350,
             .Top = 32,
             .Width = 150,
             .Hint = "Output File|The text file where the report will be sent",
             .Events = {{"OnExit", "edOutputFileNameExit"}}},
            {.Kind = "TButton",
             .Name = "buBrowseFile",
             .Parent = "paToolbar",
             .Left = 505,
             .Top = 32,
             .Width = 25,
             .Height = 21,
             .Caption = "...",
             .Hint = "Browse|Browse directory for output file",
             .Props = {{"Font.Style", "[fsBold]"}},
             .Events = {{"OnClick", "sbPrinterSetupClick"}}},
            {.Kind = "TComboBox",
             .Name = "cbxIfOutputFileExists",
             .Parent = "paToolbar",
             .Left = 535,
             .Top = 32,
             .Width = 100,
             .Hint = "When Output File Exists?|Determines what to do if Output file already exists",
             .Items = {"Overwrite", "Append", "Ask User"},
             .Events = {{"OnChange", "cbxIfOutputFileExistsChange"}}},
            {.Kind = "TComboBox",
             .Name = "cbxPrintWhatPages",
             .Parent = "paToolbar",
             .Left = 4,
             .Top = 32,
             .Width = 130,
             .Caption = "Print Current Page",
             .Hint = "Pages to be Printed",
             .Items = {"Print Current Page", "Print Page Range"},
             .Events = {{"OnClick", "cbxPrintWhatPagesClick"}, {"OnDblClick", "cbxPrintWhatPagesDblClick"}}},
            {.Kind = "TEdit",
             .Name = "edFromPageNum",
             .Parent = "paToolbar",
             .Left = 140,
             .Top = 32,
             .Width = 50,
             .Caption = "1",
             .Hint = "First Page# to Print"},
            {.Kind = "TEdit",
             .Name = "edToPageNum",
             .Parent = "paToolbar",
             .Left = 195,
             .Top = 32,
             .Width = 50,
             .Caption = "9999",
             .Hint = "Last Page# to Print"},

            // The status line.
            {.Kind = "TPanel",
             .Name = "paMsg",
             .Height = 22,
             .Props = {{"Align", "alBottom"}, {"Alignment", "taLeftJustify"}, {"BevelOuter", "bvLowered"}}},
            {.Kind = "TPanel",
             .Name = "paDestination",
             .Parent = "paMsg",
             .Width = 70,
             .Hint = "Output Destination",
             .Props = {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}}},
            {.Kind = "TPanel",
             .Name = "paRowCol",
             .Parent = "paMsg",
             .Width = 70,
             .Hint = "Row:Col",
             .Props = {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}}},
            {.Kind = "TPanel",
             .Name = "paPageNum",
             .Parent = "paMsg",
             .Width = 90,
             .Hint = "Page#|Page Y-X where \"Y,X\" are the vertical and hroiz. (if any) page#'s",
             .Props = {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}, {"Font.Style", "[fsBold]"}}},

            // The page.
            {.Kind = "TMemo",
             .Name = "memPreview",
             .Props = {{"Align", "alClient"}, {"ReadOnly", "True"}, {"ScrollBars", "ssBoth"}, {"WordWrap", "False"}},
             .Events = {{"OnClick", "memPreviewClick"},
                        {"OnKeyDown", "memPreviewKeyDown"},
                        {"OnKeyUp", "memPreviewKeyUp"}}},

            // The menus.
            {.Kind = "TMainMenu", .Name = "MainMenu1"},
            {.Kind = "TMenuItem",
             .Name = "mnFile",
             .Parent = "MainMenu1",
             .Caption = "&File",
             .Events = {{"OnClick", "mnFileClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmPrint",
             .Parent = "mnFile",
             .Caption = "&Print",
             .Hint = "Print the report|Report gets printed to Output Destination",
             .Props = {{"ShortCut", "Ctrl+P"}},
             .Events = {{"OnClick", "sbPrintClick"}}},
            {.Kind = "TMenuItem", .Name = "N3", .Parent = "mnFile", .Caption = "-"},
            {.Kind = "TMenuItem",
             .Name = "itmCurrentPage",
             .Parent = "mnFile",
             .Caption = "&Current Page",
             .Hint = "Set page range to current page",
             .Events = {{"OnClick", "itmCurrentPageClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmPageRange",
             .Parent = "mnFile",
             .Caption = "Page &Range...",
             .Hint = "Set output to print a page range",
             .Events = {{"OnClick", "itmPageRangeClick"}}},
            {.Kind = "TMenuItem", .Name = "N2", .Parent = "mnFile", .Caption = "-"},
            {.Kind = "TMenuItem",
             .Name = "itmReportOptions",
             .Parent = "mnFile",
             .Caption = "Report &Options",
             .Props = {{"ShortCut", "Ctrl+O"}},
             .Events = {{"OnClick", "itmReportOptionsClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmExit",
             .Parent = "mnFile",
             .Caption = "E&xit",
             .Hint = "Exit Report Viewer",
             .Props = {{"ShortCut", "Ctrl+Q"}},
             .Events = {{"OnClick", "sbExitClick"}}},
            {.Kind = "TMenuItem", .Name = "mnEdit", .Parent = "MainMenu1", .Caption = "&Edit"},
            {.Kind = "TMenuItem",
             .Name = "itmSelectAll",
             .Parent = "mnEdit",
             .Caption = "Se&lect All",
             .Hint = "Select everything on page|Selects entire all text on page",
             .Props = {{"ShortCut", "Ctrl+A"}},
             .Events = {{"OnClick", "itmSelectAllClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmCopyToClipBoard",
             .Parent = "mnEdit",
             .Caption = "&Copy to clipboard",
             .Hint = "Copies selected text to clipboard",
             .Props = {{"ShortCut", "Ctrl+C"}},
             .Events = {{"OnClick", "itmCopyToClipBoardClick"}}},
            {.Kind = "TMenuItem",
             .Name = "mnView",
             .Parent = "MainMenu1",
             .Caption = "&View",
             .Events = {{"OnClick", "mnViewClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmFirstPage",
             .Parent = "mnView",
             .Caption = "&First Page",
             .Hint = "Display first page in report",
             .Props = {{"ShortCut", "Ctrl+F"}},
             .Events = {{"OnClick", "sbFirstPageClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmLastPage",
             .Parent = "mnView",
             .Caption = "&Last Page",
             .Hint = "Display last page in report",
             .Props = {{"ShortCut", "Ctrl+L"}},
             .Events = {{"OnClick", "sbLastPageClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmZoomLevel",
             .Parent = "mnView",
             .Caption = "Zoom Level",
             .Hint = "Zoom Enlarges Text|Increase or decrease text size for viewing",
             .Props = {{"ShortCut", "Ctrl+Z"}},
             .Events = {{"OnClick", "itmZoomLevelClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmFitPageWidth",
             .Parent = "mnView",
             .Caption = "Fit Page &Width",
             .Hint = "Fit Page Horizontally in Window|Try to fill page horizontally as near as possible",
             .Props = {{"ShortCut", "Ctrl+W"}},
             .Events = {{"OnClick", "sbAlignPgWidClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmFitPageHeight",
             .Parent = "mnView",
             .Caption = "Fit Page &Height",
             .Hint = "Fill Page Vertically|Try to fill page vertically as near as possible",
             .Props = {{"ShortCut", "Ctrl+H"}},
             .Events = {{"OnClick", "sbAlignPgHtClick"}}},
            {.Kind = "TMenuItem", .Name = "N1", .Parent = "mnView", .Caption = "-"},
            {.Kind = "TMenuItem",
             .Name = "itmMaximized",
             .Parent = "mnView",
             .Caption = "&Maximized",
             .Hint = "Toggle Window Maximization",
             .Props = {{"ShortCut", "Ctrl+M"}, {"GroupIndex", "1"}},
             .Events = {{"OnClick", "itmMaximizedClick"}}},
        }};
    return d;
}

// ---- Page list -------------------------------------------------------------

TPrvwPageListData::~TPrvwPageListData() {
    if (Bookmark && ObjInfo && ObjInfo->DataSet) ObjInfo->DataSet->FreeBookmark(Bookmark);
}

int TPrvwPageList::FindPrvwPageNdx(int PageNum, bool Nearest) const {
    auto it = firstNdx_.lower_bound(PageNum);
    if (it != firstNdx_.end() && it->first == PageNum) return it->second;
    if (!Nearest || it == firstNdx_.begin()) return -1;
    return std::prev(it)->second;
}

int TPrvwPageList::SavePagePosition(int PageNum, bool CheckExisting) {
    if (CheckExisting) {
        const int i = FindPrvwPageNdx(PageNum, false);
        if (i >= 0) return i;
    }
    auto item = std::make_unique<TPrvwPageListData>();
    item->PageNum = PageNum;
    if (ObjInfo && ObjInfo->DataSet) item->Bookmark = ObjInfo->DataSet->GetBookmark();
    if (ObjInfo) item->CurPosn = ObjInfo->CurCell;
    item->LineNum = PrintSettings->LineNum;
    items_.push_back(std::move(item));
    firstNdx_.emplace(PageNum, Count() - 1);
    return Count() - 1;
}

bool TPrvwPageList::RestorePagePosition(const TPoint& Page, bool Nearest) {
    const int i = FindPrvwPageNdx(Page.Y, Nearest);
    if (i < 0) return false;
    const TPrvwPageListData& item = *items_[static_cast<std::size_t>(i)];
    TPrintSettings& ps = *PrintSettings;
    TObjInfo& oi = *ObjInfo;
    if (item.Bookmark && oi.DataSet) oi.DataSet->GotoBookmark(item.Bookmark);
    ps.CurPage.Y = item.PageNum;
    int x = Page.X;
    ps.CurColNdx = oi.GetPageXColNum(x);
    ps.CurPage.X = x;
    ps.FirstColNdx = ps.CurColNdx;
    oi.CurCell = item.CurPosn;
    ps.LineNum = item.LineNum;
    ps.FirstLineNum = item.LineNum;
    return true;
}

// ---- Window ----------------------------------------------------------------

TfmPreview::TfmPreview(TComponent* AOwner) : TForm(AOwner) {
    BuildForm(*this, PreviewLayout(),
              THandlerTable()
                  .Add("FormShow", this, &TfmPreview::FormShow)
                  .Add("FormClose", this, &TfmPreview::FormClose)
                  .Add("FormResize", this, &TfmPreview::FormResize)
                  .Add("mnFileClick", this, &TfmPreview::mnFileClick)
                  .Add("mnViewClick", this, &TfmPreview::mnViewClick)
                  .Add("itmCurrentPageClick", this, &TfmPreview::itmCurrentPageClick)
                  .Add("itmPageRangeClick", this, &TfmPreview::itmPageRangeClick)
                  .Add("itmMaximizedClick", this, &TfmPreview::itmMaximizedClick)
                  .Add("cbxPrintWhatPagesDblClick", this, &TfmPreview::cbxPrintWhatPagesDblClick)
                  .Add("sbExitClick", this, &TfmPreview::sbExitClick)
                  .Add("sbFirstPageClick", this, &TfmPreview::sbFirstPageClick)
                  .Add("sbPrevPageClick", this, &TfmPreview::sbPrevPageClick)
                  .Add("sbNextPageClick", this, &TfmPreview::sbNextPageClick)
                  .Add("sbLastPageClick", this, &TfmPreview::sbLastPageClick)
                  .Add("sbPrintClick", this, &TfmPreview::sbPrintClick)
                  .Add("cbxPrintWhatPagesClick", this, &TfmPreview::cbxPrintWhatPagesClick)
                  .Add("cbxOutputDestChange", this, &TfmPreview::cbxOutputDestChange)
                  .Add("edOutputFileNameExit", this, &TfmPreview::edOutputFileNameExit)
                  .Add("cbxIfOutputFileExistsChange", this, &TfmPreview::cbxIfOutputFileExistsChange)
                  .Add("sbPrinterSetupClick", this, &TfmPreview::sbPrinterSetupClick)
                  .Add("itmReportOptionsClick", this, &TfmPreview::itmReportOptionsClick)
                  .Add("cmbZoomLevelChange", this, &TfmPreview::cmbZoomLevelChange)
                  .Add("cmbZoomLevelEnter", this, &TfmPreview::cmbZoomLevelEnter)
                  .Add("cmbZoomLevelExit", this, &TfmPreview::cmbZoomLevelExit)
                  .Add("cmbZoomLevelKeyDown", this, &TfmPreview::cmbZoomLevelKeyDown)
                  .Add("cmbZoomLevelKeyPress", this, &TfmPreview::cmbZoomLevelKeyPress)
                  .Add("itmZoomLevelClick", this, &TfmPreview::itmZoomLevelClick)
                  .Add("sbAlignPgWidClick", this, &TfmPreview::sbAlignPgWidClick)
                  .Add("sbAlignPgHtClick", this, &TfmPreview::sbAlignPgHtClick)
                  .Add("sbClipBoardClick", this, &TfmPreview::sbClipBoardClick)
                  .Add("itmSelectAllClick", this, &TfmPreview::itmSelectAllClick)
                  .Add("itmCopyToClipBoardClick", this, &TfmPreview::itmCopyToClipBoardClick)
                  .Add("memPreviewClick", this, &TfmPreview::memPreviewClick)
                  .Add("memPreviewKeyDown", this, &TfmPreview::memPreviewKeyDown)
                  .Add("memPreviewKeyUp", this, &TfmPreview::memPreviewKeyUp));
    FormCreate();
}

TfmPreview::~TfmPreview() {
    // The saved starts hold bookmarks of the dataset: they go while it is there.
    PageList.reset();
    if (PrintSettings) {
        PrintSettings->PreviewPages = nullptr;
        // The memo goes with the window; the page loop must not write into it.
        if (PrintSettings->PreviewMemo == memPreview) PrintSettings->PreviewMemo = nullptr;
        if (PrintSettings->BMLineList) PrintSettings->BMLineList->FreeAllBookmarks();
    }
    if (ObjInfo && ObjInfo->ObjPosn) ObjInfo->ObjPosn->RestorePosn();
    if (fmPreview == this) fmPreview = nullptr;
}

void TfmPreview::FormCreate() {
    WantOptions = false;
    LastPageFound = false;
    PageList = std::make_unique<TPrvwPageList>();
    if (ObjInfo && ObjInfo->ObjPosn) ObjInfo->ObjPosn->RestorePosn();
    if (TextQuality() && PrintSettings) {
        PrintSettings->PreviewMemo = memPreview;
        memPreview->Font().SetName(ReportSettings->TextFontName);
        memPreview->Font().SetSize(PrintSettings->ScaleFontSize(ReportSettings->TextFontSize));
        BaseFontSize = memPreview->Font().Size();
        Canvas().SetFont(memPreview->Font());
        LineHeight = Canvas().TextHeight("AgyX");
    }
    if (PrintSettings) {
        PrintSettings->PrevPage = TPoint{0, 0};
        PrintSettings->PreviewPages = PageList.get();
    }
}

void TfmPreview::FormShow(TObject*) {
    if (ReportSettings && !ReportSettings->DialogTitle.empty())
        SetCaption("Report Preview: " + ReportSettings->DialogTitle);
    SetOptions(nullptr, true);
    InitPReview();
    PreviewPage(TPrtDirection::pdFwdDir);
}

void TfmPreview::FormClose(TObject*, TCloseAction&) {
    IniSaveFormSize(FormSizeIniFile, this, ReportSettings ? ReportSettings->UserName.str() : std::string());
    if (BaseFontSize > 0 && ReportSettings)
        // A font set by its height (Fit Page Height) reports a negative size.
        // The zoom combo takes 25 to 500 per cent: a zoom beyond them would
        // be refused when the next preview opens.
        ReportSettings->PreviewZoomLevel =
            std::clamp(std::abs(memPreview->Font().Size()) * 100 / BaseFontSize, 25, 500);
}

void TfmPreview::InitPReview() {
    TPrintSettings& ps = *PrintSettings;
    IniLoadFormSize(FormSizeIniFile, this, ReportSettings ? ReportSettings->UserName.str() : std::string());
    sbPrevPage->SetEnabled(false);
    ps.FirstLineNum = ReportSettings ? ReportSettings->StartingReportLineId : 1;
    // The preview always begins at the first record.
    ps.StartAtFirstRcd = true;
    ps.InitPrintPages();
    ps.CurPage = TPoint{0, 1};
    ps.CurColNdx = 0;
    if (BaseFontSize > 0 && ReportSettings) {
        cmbZoomLevel->SetText(std::to_string(ReportSettings->PreviewZoomLevel) + "%");
        cmbZoomLevelExit(cmbZoomLevel);
    }
}

void TfmPreview::DisplayPage() {
    TPrintSettings& ps = *PrintSettings;
    if (ObjInfo) ObjInfo->Eof = false;
    ps.OperStatus = TOperStatus::osActive;
    ps.FirstColNdx = ps.CurColNdx;
    ps.FirstLineNum = ps.LineNum;
    ps.PrintPage();
    paPageNum->SetCaption(ps.FormattedPageNum());
    // A new page shows from its top with the caret there (the lines written
    // into the memo leave it at their end), and Row:Col says so.
    memPreview->SetSelStart(0);
    memPreview->SetSelLength(0);
    paRowCol->SetCaption(FormatRowCol());
}

void TfmPreview::PreviewPage(TPrtDirection Direction) {
    TPrintSettings& ps = *PrintSettings;
    const TCursorScope busy;
    int x = ps.CurPage.X, y = ps.CurPage.Y;
    const int across = std::max(1, ps.PagesAcross);
    bool newRow = false;
    switch (Direction) {
    case TPrtDirection::pdFwdDir:
        if (++x > across) {
            x = 1;
            ++y;
            ps.CurColNdx = 0;
        }
        newRow = x == 1;
        break;
    case TPrtDirection::pdBwdDir:
        if (--x < 1) {
            x = across;
            --y;
        }
        newRow = x == across;
        break;
    case TPrtDirection::pdNoDir: break;
    }
    if (y < 1) {
        y = 1;
        x = 1;
    }
    ps.CurPage = TPoint{x, y};
    // Every page starts from the saved start of its row: a page shown again
    // ends the data where a forward step to it would.
    if (!PageList->RestorePagePosition(ps.CurPage, false)) {
        PageList->SavePagePosition(y, false);
        if (x > 1) {
            int px = x;
            ps.CurColNdx = ObjInfo->GetPageXColNum(px);
            ps.CurPage.X = px;
        }
    }
    if (newRow && ps.BMLineList) ps.BMLineList->FreeAllBookmarks();
    // Restoring lays the row out again, so the page loop must see a new row.
    if (ps.CurPage.Y != ps.PrevPage.Y || ps.CurPage.X <= ps.PrevPage.X) ps.PrevPage = TPoint{0, 0};
    DisplayPage();
    sbPrevPage->SetEnabled(!(ps.CurPage.X == 1 && ps.CurPage.Y == 1));
    sbFirstPage->SetEnabled(sbPrevPage->Enabled());
    const bool last = ps.IsLastPage(true, ps.CurPanel);
    sbNextPage->SetEnabled(!last);
    sbLastPage->SetEnabled(!last);
}

void TfmPreview::sbNextPageClick(TObject*) {
    if (sbNextPage->Enabled())
        PreviewPage(TPrtDirection::pdFwdDir);
    else
        MessageBeep(0);
}

void TfmPreview::sbPrevPageClick(TObject*) {
    if (sbPrevPage->Enabled())
        PreviewPage(TPrtDirection::pdBwdDir);
    else
        MessageBeep(0);
}

void TfmPreview::sbFirstPageClick(TObject*) {
    PageList->RestorePagePosition(TPoint{1, 1}, true);
    PreviewPage(TPrtDirection::pdNoDir);
}

void TfmPreview::sbLastPageClick(TObject*) {
    TPrintSettings& ps = *PrintSettings;
    TObjInfo& oi = *ObjInfo;
    if (!LastPageFound) {
        ActivateProgressWindow(oi.Rows > 100, this, "Searching for last report page", "&Resume Search",
                               "&Abort Search");
        StatusMsg(paMsg, "Searching for last page - Press Escape to Stop", TMsgDlgType::mtCustom);
    }
    // Whatever happens, the status line clears, the progress window goes and
    // the page where the search stopped shows.
    auto endSearch = [this]() {
        // Forced: the search message is coloured, which a plain information
        // would leave standing.
        StatusMsg(paMsg, " ", TMsgDlgType::mtInformation, nullptr, -1);
        PrintSettings->Oper = TOper::opPreview;
        try {
            CloseProgressWindow(false, "");
        } catch (...) {
            PreviewPage(TPrtDirection::pdNoDir);
            PrintSettings->OperStatus = TOperStatus::osCompleted;
            throw;
        }
        PreviewPage(TPrtDirection::pdNoDir);
        PrintSettings->OperStatus = TOperStatus::osCompleted;
    };
    try {
        ps.OperStatus = TOperStatus::osActive;
        ps.Oper = TOper::opScanning;
        PageList->RestorePagePosition(TPoint{INT_MAX, INT_MAX}, true);
        if (!LastPageFound) {
            PreviewPage(TPrtDirection::pdNoDir);
            while (!(ps.CurPage.X == ps.PagesAcross && oi.Eof) && ps.OperStatus == TOperStatus::osActive) {
                PreviewPage(TPrtDirection::pdFwdDir);
                // The progress may raise its total to what it has seen; the
                // row count of the object stays as the object gave it.
                int line = ps.LineNum, total = oi.Rows;
                UpdateProgressBar(line, total, ps.CurPage);
            }
            if (ps.OperStatus == TOperStatus::osActive) LastPageFound = true;
        }
    } catch (...) {
        endSearch();
        throw;
    }
    endSearch();
}

void TfmPreview::sbExitClick(TObject*) { Close(); }

void TfmPreview::itmMaximizedClick(TObject*) {
    itmMaximized->SetChecked(!itmMaximized->Checked());
    const TWindowState state = itmMaximized->Checked() ? TWindowState::wsMaximized : TWindowState::wsNormal;
    if (WindowState() != state) SetWindowState(state);
}

void TfmPreview::mnViewClick(TObject*) { itmMaximized->SetChecked(WindowState() == TWindowState::wsMaximized); }

void TfmPreview::FormResize(TObject*) {
    // The output controls stay at the toolbar's right; the file name takes
    // the room left between the printer set-up button and them.
    const int width = paToolbar->ClientWidth();
    cbxIfOutputFileExists->SetLeft(width - cbxIfOutputFileExists->Width() - 5);
    buBrowseFile->SetLeft(cbxIfOutputFileExists->Left() - buBrowseFile->Width() - 5);
    edOutputFileName->SetLeft(sbPrinterSetup->Left());
    edOutputFileName->SetWidth(width - edOutputFileName->Left() - buBrowseFile->Width() -
                               cbxIfOutputFileExists->Width() - 7);
}

// The dialog's output controls shown here.
static void MirrorDialog(TfmPreview& fm) {
    if (!fmTBXMain) return;
    TfmTBXMain& dlg = *fmTBXMain;
    fm.paDestination->SetCaption(dlg.paDestination->Caption());
    fm.paDestination->SetWidth(dlg.paDestination->Width());
    fm.cbxOutputDest->SetText(dlg.cbxOutputDest->Text());
    fm.edOutputFileName->SetText(dlg.edOutputFileName->Text());
    fm.cbxIfOutputFileExists->SetText(dlg.cbxIfOutputFileExists->Text());
}

// The preview's output controls handed to the dialog.
static void CopyToDialog(const TfmPreview& fm) {
    if (!fmTBXMain) return;
    TfmTBXMain& dlg = *fmTBXMain;
    dlg.cbxOutputDest->SetText(fm.cbxOutputDest->Text());
    dlg.edOutputFileName->SetText(fm.edOutputFileName->Text());
    dlg.cbxIfOutputFileExists->SetText(fm.cbxIfOutputFileExists->Text());
}

void TfmPreview::SetOptions(TObject* Sender, bool All) {
    if (fmTBXMain) {
        CopyToDialog(*this);
        fmTBXMain->SetOptions(Sender, All);
        MirrorDialog(*this);
    }
    SetOptionsAfter();
}

void TfmPreview::SetOptionsAfter() {
    const bool range = cbxPrintWhatPages->ItemIndex() == 1;
    edFromPageNum->SetVisible(range);
    edToPageNum->SetVisible(range);
}

void TfmPreview::cbxPrintWhatPagesClick(TObject* Sender) { SetOptions(Sender, false); }

void TfmPreview::cbxPrintWhatPagesDblClick(TObject* Sender) {
    auto* cbx = dynamic_cast<TComboBox*>(Sender);
    if (!cbx) return;
    // The next choice, round to the first; no choice yet gives the first.
    int i = cbx->ItemIndex() + 1;
    if (i >= cbx->Items().Count()) i = 0;
    cbx->SetItemIndex(i);
    if (cbx->OnClick) cbx->OnClick(cbx);
}

void TfmPreview::itmCurrentPageClick(TObject*) {
    cbxPrintWhatPages->SetItemIndex(0);
    if (cbxPrintWhatPages->OnClick) cbxPrintWhatPages->OnClick(this);
}

void TfmPreview::itmPageRangeClick(TObject*) {
    cbxPrintWhatPages->SetItemIndex(1);
    if (cbxPrintWhatPages->OnClick) cbxPrintWhatPages->OnClick(this);
    edFromPageNum->SetFocus();
}

void TfmPreview::mnFileClick(TObject*) {
    itmCurrentPage->SetChecked(cbxPrintWhatPages->ItemIndex() == 0);
    itmPageRange->SetChecked(cbxPrintWhatPages->ItemIndex() == 1);
}

void TfmPreview::cbxOutputDestChange(TObject*) {
    if (!fmTBXMain) return;
    fmTBXMain->cbxOutputDest->SetItemIndex(cbxOutputDest->ItemIndex());
    CopyToDialog(*this);
    fmTBXMain->cbxOutputDestChange(fmTBXMain->cbxOutputDest);
    // The destination panel follows the change made here.
    MirrorDialog(*this);
}

void TfmPreview::edOutputFileNameExit(TObject*) {
    // As in the dialog's own edit, only a name the user changed is taken and
    // checked; the mark goes first, so an exit that the check's own prompt
    // sets off finds nothing to do.
    if (!fmTBXMain || !edOutputFileName->Modified()) return;
    edOutputFileName->SetModified(false);
    CopyToDialog(*this);
    fmTBXMain->edOutputFileName->SetModified(true);
    fmTBXMain->edOutputFileNameExit(fmTBXMain->edOutputFileName);
    MirrorDialog(*this);
}

void TfmPreview::cbxIfOutputFileExistsChange(TObject*) {
    if (!fmTBXMain) return;
    CopyToDialog(*this);
    fmTBXMain->cbxIfOutputFileExistsChange(fmTBXMain->cbxIfOutputFileExists);
    MirrorDialog(*this);
}

void TfmPreview::sbPrinterSetupClick(TObject*) {
    if (!fmTBXMain) return;
    CopyToDialog(*this);
    fmTBXMain->sbPrinterSetupClick(fmTBXMain->sbPrinterSetup);
    MirrorDialog(*this);
}

bool TfmPreview::ChkSettings() {
    if (cbxPrintWhatPages->ItemIndex() < 0) cbxPrintWhatPages->SetItemIndex(0);
    if (!PrintSettings->ChkPageRange(cbxPrintWhatPages->ItemIndex() == 1, edFromPageNum, edToPageNum)) return false;
    return !fmTBXMain || fmTBXMain->ChkOptions(nullptr, true, false);
}

void TfmPreview::sbPrintClick(TObject*) {
    if (!ChkSettings()) return;
    TPrintSettings& ps = *PrintSettings;
    const TPoint keep = ps.CurPage;
    ps.Oper = TOper::opPrinting;
    // Whatever the print does, the preview goes back to the page it showed
    // and the stored choice of what to print counts again.
    auto restore = [this, &ps, keep]() {
        ps.CurPage = keep;
        ps.Oper = TOper::opPreview;
        ps.PageRangeWhat.reset();
        PreviewPage(TPrtDirection::pdNoDir);
    };
    try {
        TPoint from = keep, to = keep;
        if (cbxPrintWhatPages->ItemIndex() == 1) {
            bool error = false;
            from = TPoint{TPrintSettings::ExtractPageNum(edFromPageNum->Text(), TXyDir::dX, error),
                          TPrintSettings::ExtractPageNum(edFromPageNum->Text(), TXyDir::dY, error)};
            to = TPoint{TPrintSettings::ExtractPageNum(edToPageNum->Text(), TXyDir::dX, error),
                        TPrintSettings::ExtractPageNum(edToPageNum->Text(), TXyDir::dY, error)};
        }
        ps.SetPageRange(TPrintWhat::pwPageRange, true, from, to);
        // A print made from the preview is the run's result as much as one
        // made from the dialog.
        ps.LastModalResult = ps.PrintReport(true, this);
        if (fmTBXMain) fmTBXMain->TellRunOutcome(paMsg);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TfmPreview::itmReportOptionsClick(TObject*) {
    WantOptions = true;
    Close();
}

bool TfmPreview::GotoPage(const std::string& PageText) {
    bool errY = false, errX = false;
    const int y = TPrintSettings::ExtractPageNum(PageText, TXyDir::dY, errY);
    int x = TPrintSettings::ExtractPageNum(PageText, TXyDir::dX, errX);
    if (errY || errX || y < 1) {
        MessageBeep(0);
        return false;
    }
    if (x < 1) x = 1;
    TPrintSettings& ps = *PrintSettings;
    // A page not reached yet: step forward to it, as far as the data goes.
    while (PageList->FindPrvwPageNdx(y, false) < 0 && sbNextPage->Enabled()) {
        ps.CurPage = TPoint{ps.PagesAcross, ps.CurPage.Y};
        PageList->RestorePagePosition(TPoint{INT_MAX, INT_MAX}, true);
        PreviewPage(TPrtDirection::pdNoDir);
        if (!sbNextPage->Enabled()) break;
        PreviewPage(TPrtDirection::pdFwdDir);
    }
    if (PageList->FindPrvwPageNdx(y, false) < 0) {
        MessageBeep(0);
        PreviewPage(TPrtDirection::pdNoDir);
        return false;
    }
    ps.CurPage = TPoint{x, y};
    PreviewPage(TPrtDirection::pdNoDir);
    return true;
}

// ---- The view --------------------------------------------------------------

void TfmPreview::SetMemFontSize(int Size) {
    if (Size < 2 || Size > 20) {
        MessageBeep(0);
        Size = std::clamp(Size, 2, 20);
    }
    memPreview->Font().SetSize(Size);
    Canvas().SetFont(memPreview->Font());
    LineHeight = Canvas().TextHeight("AgyX|");
}

void TfmPreview::SetMemFontHt(int Height) {
    memPreview->Font().SetHeight(Height);
    Canvas().SetFont(memPreview->Font());
    LineHeight = Canvas().TextHeight("AgyX|");
}

void TfmPreview::cmbZoomLevelExit(TObject*) {
    // Without a text font there is nothing to zoom.
    if (BaseFontSize <= 0) return;
    bool error = false;
    const int pct = CnvtStrToInt(StripSymbols(cmbZoomLevel->Text(), ""), error);
    if (error || pct < 25 || pct > 500) {
        MessageBeep(0);
        return;
    }
    memPreview->Font().SetSize(MulDiv(BaseFontSize, pct, 100));
    Canvas().SetFont(memPreview->Font());
    LineHeight = Canvas().TextHeight("AgyX");
}

void TfmPreview::cmbZoomLevelKeyPress(TObject* Sender, char& Key) {
    if (Key == '\r') cmbZoomLevelExit(Sender);
}

void TfmPreview::cmbZoomLevelChange(TObject* Sender) {
    if (cmbZoomLevel->Text().size() < 3) return;
    char enter = '\r';
    cmbZoomLevelKeyPress(Sender, enter);
}

void TfmPreview::cmbZoomLevelEnter(TObject*) {
    const int i = cmbZoomLevel->Items().IndexOf(cmbZoomLevel->Text());
    cmbZoomLevel->SetItemIndex(i >= 0 ? i : cmbZoomLevel->Items().IndexOf("100%"));
}

void TfmPreview::cmbZoomLevelKeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (Key == VK_NEXT || Key == VK_PRIOR) memPreview->SetFocus();
}

void TfmPreview::itmZoomLevelClick(TObject*) { cmbZoomLevel->SetFocus(); }

void TfmPreview::sbAlignPgHtClick(TObject*) {
    const double h = memPreview->Font().Height();
    const double c = memPreview->ClientHeight();
    const int p = PrintSettings ? PrintSettings->PageHt : 0;
    if (h == 0) return;
    const int height = static_cast<int>(h * (c / h / (p + 1)) + 0.5);
    // The height is the line's cell height. A window too low or too high
    // for a readable page gets the font's limits, as Fit Page Width does:
    // a font of no height shows nothing and saves a zoom of nothing.
    const int points = MulDiv(height, 72, memPreview->Font().PixelsPerInch());
    if (points < 2 || points > 20)
        SetMemFontSize(points);
    else
        SetMemFontHt(height);
}

void TfmPreview::sbAlignPgWidClick(TObject*) {
    const int pageWid = PrintSettings ? PrintSettings->PageWid : 0;
    if (pageWid <= 0) return;
    // Twice: the second pass measures in the font the first one set.
    for (int pass = 0; pass < 2; ++pass) {
        Canvas().SetFont(memPreview->Font());
        const double w = Canvas().TextWidth("x");
        if (w <= 0) return;
        SetMemFontSize(
            static_cast<int>(std::abs(memPreview->Font().Size()) * (memPreview->ClientWidth() / w / pageWid)));
    }
}

std::string TfmPreview::FormatRowCol() const {
    const int line = memPreview->LineFromChar(memPreview->SelStart());
    const int col = memPreview->SelStart() - memPreview->LineIndex(line);
    return Format("%5d:%4d", {line + 1, col + 1});
}

void TfmPreview::memPreviewClick(TObject*) { paRowCol->SetCaption(FormatRowCol()); }

void TfmPreview::memPreviewKeyUp(TObject*, uint16_t&, TShiftState) { paRowCol->SetCaption(FormatRowCol()); }

void TfmPreview::memPreviewKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift) {
    auto* mem = dynamic_cast<TMemo*>(Sender);
    if (!mem) return;
    const bool shift = Shift.Contains(TShiftFlag::ssShift);
    const int visibleLines = LineHeight > 0 ? mem->ClientHeight() / LineHeight : 0;
    if (Shift.Contains(TShiftFlag::ssCtrl)) {
        try {
            const int line = mem->LineFromChar(mem->SelStart());
            const int col = mem->SelStart() - mem->LineIndex(line);
            if (Key == VK_DOWN) {
                mem->LineScroll(1);
                if (line < mem->LineCount() - 1)
                    mem->SetSelStart(mem->LineIndex(line + 1) + col);
                else
                    MessageBeep(0);
            } else if (Key == VK_UP) {
                mem->LineScroll(-1);
                if (line > 0)
                    mem->SetSelStart(mem->LineIndex(line - 1) + col);
                else
                    MessageBeep(0);
            }
        } catch (...) {
            MessageBeep(0);
        }
    } else if (!Shift.Contains(TShiftFlag::ssAlt)) {
        if (Key == VK_NEXT && (shift || mem->FirstVisibleLine() + visibleLines >= mem->LineCount())) {
            Key = 0;
            if (PrintSettings->IsLastPage(true, PrintSettings->CurPanel))
                MessageBeep(0);
            else
                sbNextPageClick(sbNextPage);
        } else if (Key == VK_PRIOR && (shift || mem->FirstVisibleLine() == 0)) {
            Key = 0;
            if (PrintSettings->CurPage == TPoint{1, 1}) {
                MessageBeep(0);
            } else {
                sbPrevPageClick(sbPrevPage);
                if (!shift) {
                    // The page before shows from its bottom.
                    const int n = mem->LineCount() - visibleLines + 1;
                    if (n > 0) mem->LineScroll(n);
                    // The caret with it, also when the whole page is in view.
                    mem->SetSelStart(std::max(0, mem->LineIndex(mem->LineCount() - 1)));
                }
            }
        }
    }
    paRowCol->SetCaption(FormatRowCol());
}

void TfmPreview::itmSelectAllClick(TObject*) { memPreview->SelectAll(); }

void TfmPreview::itmCopyToClipBoardClick(TObject*) { memPreview->CopyToClipboard(); }

void TfmPreview::sbClipBoardClick(TObject*) {
    memPreview->SelectAll();
    memPreview->CopyToClipboard();
    memPreview->SetSelLength(0);
    StatusMsg(paMsg, "Page has been copied to Windows clipboard", TMsgDlgType::mtCustom,
              fmTBXMain ? fmTBXMain->Timer1 : nullptr, 5);
    MessageBeep(0);
}

// ---- Entry -----------------------------------------------------------------

bool Preview() {
    TtrxReportSettings& rs = *ReportSettings;
    ObjInfo->ChkObjectToPrint();
    if (!AskPassword(rs.DialogTitle, "Enter Report Password:", rs.RptPW, false, PWInfo.EnteredRptPW))
        throw ETrxSUError(std::string(SetupErrorPrefix) + "Report Password Violation");
    const TCursorScope busy;
    if (rs.OutputDest == TOutputDest::odExportFile && fmTBXMain) {
        const bool modified = rs.Modified;
        fmTBXMain->cbxOutputDest->SetItemIndex(0);
        rs.OutputDest = TOutputDest::odPrinter;
        fmTBXMain->cbxOutputDestChange(fmTBXMain->cbxOutputDest);
        rs.Modified = modified;
    }
    if (fmTBXMain && !fmTBXMain->ChkOptions(nullptr, true, true)) return true;

    TPrintSettings& ps = *PrintSettings;
    struct TEndPreview {
        ~TEndPreview() {
            PrintSettings->Oper = TOper::opPrinting;
            FreeAndNil(fmPreview);
        }
    } endPreview;
    fmPreview = new TfmPreview(Application());
    ps.Oper = TOper::opPreview;
    if (fmTBXMain) fmTBXMain->SetupPrinter(true);
    ObjInfo->ResizeColWids(nullptr);
    ps.CalcMemoHts();
    if (fmTBXMain) {
        // The dialog's choices show on the preview's toolbar.
        TfmTBXMain& dlg = *fmTBXMain;
        TfmPreview& fm = *fmPreview;
        MirrorDialog(fm);
        fm.cbxPrintWhatPages->SetItemIndex(dlg.rbPrintWhatAll->Checked() || dlg.rbPrintWhatPageRange->Checked() ? 1
                                                                                                                : 0);
        fm.edFromPageNum->SetText(dlg.edPageRangeFrom->Text());
        fm.edToPageNum->SetText(dlg.edPageRangeTo->Text());
    }
    fmPreview->ShowModal();
    return fmPreview->WantOptions;
}

} // namespace trx
