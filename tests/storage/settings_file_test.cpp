// The settings file's format: the field table and its defaults, the round
// trip of every field kind, the converters and the memo blocks.
#include <gtest/gtest.h>

#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "file_mgr_fixture.h"
#include "framework/core/date_time.h"
#include "framework/core/file_utils.h"
#include "framework/data/mem_dataset.h"

namespace trx::test {
namespace {

using SettingsFile = FileMgrTest;

// Gives every field, memo and style option of the record a value that is
// not its default.
void SetEveryField(TtrxReportSettings& rs, TRptStyles& styles) {
    using U = TUnitsOfMeasure;
    rs.CreatedAtRuntime = true;
    rs.ComponentDeleted = true;
    rs.StyleName = "Ledger";
    rs.OutputDest = TOutputDest::odExportFile;
    rs.PrintWhat = TPrintWhat::pwPageRange;
    rs.SnapShotSize = "FS";
    rs.StartingReportLineId = 7;
    rs.PageRangeFrom = {2, 3};
    rs.PageRangeTo = {1, 44};
    rs.SettingsReadOnly = true;
    rs.PreviewFirst = false;
    rs.CountNumRcds = false;
    rs.RcdEstimate = 5000;
    rs.UseReportViewer = true;
    rs.AppendToFile = true;
    rs.ShrinkToPage = false;
    rs.ExpandToPage = true;
    rs.ShowHint = false;
    rs.RepeatRowTitles = true;
    rs.ExportOnlyPrintableChrs = false;
    rs.DefaultPrinter = false;
    rs.PrinterName = "Laser 4";
    rs.PauseAfterPrinting = false;
    rs.DisplayProgressWindow = false;
    rs.HiddenTabs = "1,3";
    rs.DisplayReportOptionsWin = false;
    rs.CloseWinAfterPrinting = true;
    rs.PanelsAcrossPage = 3;
    rs.InterPanelGap[U::umThous] = 125;
    rs.InterPanelGap[U::umTxt] = 4;
    rs.NodeIndentation = 5;
    rs.HorizLineFreq = 3;
    rs.VertHtAdjPer = 90;
    rs.LinesPerpage = 66;
    rs.TxtCharsPageWid = 132;
    rs.PageMargin[U::umThous] = {100, 200, 300, 400};
    rs.CellMargin[U::umThous] = {10, 20, 30, 40};
    rs.PageMargin[U::umTxt] = {1, 2, 3, 4};
    rs.CellMargin[U::umTxt] = {0, 1, 0, 1};
    rs.MaxStringColWid[U::umThous] = 1500;
    rs.MaxMemoColWid[U::umThous] = 2500;
    rs.MaxStringColWid[U::umTxt] = 15;
    rs.MaxMemoColWid[U::umTxt] = 25;
    rs.MaxStringLines = 3;
    rs.MaxMemoLines = 4;
    rs.ExportMaxStrLng = 50;
    rs.ExportMaxMemoLng = 60;
    rs.Snugfit = TSnugfit::osNoRows;
    rs.MaxRowsToSnugfit = 20;
    rs.LargestFontSize = 18;
    rs.SmallestFontSize = 8;
    rs.PreviewZoomLevel = 150;
    rs.FastPrinterText = true;
    rs.AllowFastPrinterText = true;
    rs.OutputQuality = 0;
    rs.IfOutputFileExists = TIfOutputFileExists::oeAskUser;
    rs.Orientation = TPrinterOrient::poLandscapeOrient;
    rs.ReportAlignment = TAlignment::taLeftJustify;
    rs.ColTitleAlignment = TAlignment::taRightJustify;
    rs.DMPaperSize = 9;
    rs.DMCopies = 2;
    rs.DMDuplex = 1;
    rs.DMCollate = 1;
    rs.TextFontName = "Courier New";
    rs.TextFontSize = 9;
    rs.TextFontStyle = 8;
    rs.TextFontColor = 255;
    rs.ReplFontName = "Helvetica";
    rs.ReplFontSize = 11;
    rs.ReplFontStyle = 4;
    rs.ReplFontColor = 65280;
    rs.ExportFieldDelim = ";";
    rs.ExportQuote = "'";
    rs.CreateDate = EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 0);
    rs.LastSaveDate = EncodeDate(2025, 1, 2) + EncodeTime(3, 4, 5, 0);
    rs.ReportDesc = "Sales by region = quarterly";
    rs.RptPW = "alpha";
    rs.RptOptPW = "beta";
    rs.RptSetUpPW = "gamma";
    rs.OutputFileName = "/srv/out/sales.txt";
    rs.MemoDateFormatStr = "dd/mm/yyyy";
    rs.MemoTimeFormatStr = "hh:nn";
    rs.MemoPageFormatStr = "Page %s";
    rs.InitPrinterStr = "#27E";
    rs.FinishPrinterStr = "#12#12";
    int n = 0;
    for (auto& m : rs.RptMemos) {
        ++n;
        m->XPosPer = n;
        m->WidPer = 50 + n;
        m->MarginThous = {n, n + 1, n + 2, n + 3};
        m->MarginTxt = {n % 2, 1, 0, n % 3};
        m->Alignment = TAlignment::taRightJustify;
        m->Visible = false;
        m->FontName = "Font" + IntToStr(n);
        m->FontSize = 8 + n;
        m->FontStyle = n % 16;
        m->FontColor = 100 * n;
        m->SetText("Memo " + IntToStr(n) + "\r\n  second line\r\n[NotAHeader]\r\n");
    }
    using S = TStyleOptNdx;
    for (S o :
         {S::soFieldFormat, S::soVerticalLines, S::soBorders, S::soShareAdjBorders, S::soColumnTitles,
          S::soColumnTotals, S::soRowTitles, S::soRowTotals, S::soFormFeeds, S::soLineNumbers, S::soExpandAllNodes})
        styles.StyleOpts[o].Value = false;
    styles.StyleOpts[S::soHorizontalLines].Value = true;
    styles.StyleOpts[S::soGrpBrkLines].Value = true;
}

TEST_F(SettingsFile, TableHoldsEveryKeyInWritingOrder) {
    mgr.InitRSFList();
    ASSERT_EQ(mgr.RSFList->Count(), 178);
    EXPECT_EQ(mgr.RSFList->Get(0), "CreatedAtRuntime");
    EXPECT_EQ(mgr.RSFList->Get(11), "CountNumRcds");
    EXPECT_EQ(mgr.RSFList->Get(12), "RcdEstimate");
    EXPECT_EQ(mgr.RSFList->Get(97), "soGrpBrkLines");
    EXPECT_EQ(mgr.RSFList->Get(98), "Memo,RptTi,MemoXPosPer");
    EXPECT_EQ(mgr.RSFList->Get(177), "Memo,Copyright,MemoFontColor");
    EXPECT_EQ(mgr.RSFList->Data(11)->Fld, TrsfFld::rsfCountNumRcds);
    EXPECT_EQ(mgr.RSFList->Data(35)->FldTyp, TrsfFldTyp::rsftRect);
    EXPECT_EQ(mgr.RSFList->IndexOf("pagemarginthous"), 35);
    // A second build keeps the existing table.
    TrsfList* first = mgr.RSFList.get();
    mgr.InitRSFList();
    EXPECT_EQ(mgr.RSFList.get(), first);
}

TEST_F(SettingsFile, DefaultsFillTheRecord) {
    TtrxReportSettings& rs = run.RS();
    rs.Memo(TRptMemoNdx::rmRptTi).SetText("kept");
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    EXPECT_TRUE(rs.PreviewFirst);
    EXPECT_TRUE(rs.CountNumRcds);
    EXPECT_EQ(rs.RcdEstimate, 100000);
    EXPECT_EQ(rs.SnapShotSize.str(), "CT");
    EXPECT_EQ(rs.PageRangeTo, (TPoint{0, 99999}));
    EXPECT_EQ(rs.PageMargin[TUnitsOfMeasure::umThous], (TRect{250, 250, 250, 250}));
    EXPECT_EQ(rs.PageMargin[TUnitsOfMeasure::umTxt], (TRect{0, 1, 0, 0}));
    EXPECT_EQ(rs.CellMargin[TUnitsOfMeasure::umTxt], (TRect{1, 0, 0, 0}));
    EXPECT_EQ(rs.InterPanelGap[TUnitsOfMeasure::umThous], 250);
    EXPECT_EQ(rs.OutputQuality, 1);
    EXPECT_EQ(rs.ReportAlignment, TAlignment::taCenter);
    EXPECT_EQ(rs.TextFontName, "Letter Gothic Line");
    EXPECT_EQ(rs.ExportFieldDelim.str(), "\t");
    EXPECT_EQ(rs.ExportQuote.str(), "\"");
    EXPECT_EQ(rs.FinishPrinterStr, "#12");
    EXPECT_EQ(rs.OutputFileName, FixFilePath(GetCurrentDir(), true) + "Rpt.Txt");
    EXPECT_DOUBLE_EQ(rs.LastSaveDate, EncodeDate(1980, 1, 1));
    EXPECT_NEAR(rs.CreateDate, clock.LocalDateTime(), 1.0 / SecsPerDay);
    EXPECT_TRUE(run.Styles().Opt(TStyleOptNdx::soFieldFormat));
    EXPECT_FALSE(run.Styles().Opt(TStyleOptNdx::soHorizontalLines));
    EXPECT_TRUE(run.Styles().Opt(TStyleOptNdx::soLineNumbers));
    EXPECT_FALSE(run.Styles().Opt(TStyleOptNdx::soGrpBrkLines));
    for (const auto& m : rs.RptMemos) {
        EXPECT_EQ(m->XPosPer, 10);
        EXPECT_EQ(m->WidPer, 80);
        EXPECT_TRUE(m->Visible);
        EXPECT_EQ(m->FontName, "Arial");
        EXPECT_EQ(m->FontSize, 12);
        EXPECT_EQ(m->Alignment, TAlignment::taCenter);
    }
    EXPECT_EQ(rs.Memo(TRptMemoNdx::rmPgNum).Text(), "\r^DL^PC^TR");
    EXPECT_EQ(rs.Memo(TRptMemoNdx::rmRptTi).Text(), "kept"); // other memo texts stay
}

TEST_F(SettingsFile, RunDependentDefaultsFollowTheObjectToPrint) {
    TMemDataSet query(nullptr);
    run.OI().DataSet = &query;
    run.OI().ObjType = TObjType::IsQuery;
    mgr.InitRSFList();
    EXPECT_EQ(mgr.RSFList->Data(mgr.RSFList->IndexOf("CountNumRcds"))->DefaultValue, "0");
    run.OI().DataSet = nullptr;
#ifdef UseDecGrid
    run.OI().ObjType = TObjType::IsDecGrid;
    TtrxFileMgr other;
    other.InitRSFList();
    EXPECT_EQ(other.RSFList->Data(other.RSFList->IndexOf("soLineNumbers"))->DefaultValue, "0");
    EXPECT_EQ(other.RSFList->Data(other.RSFList->IndexOf("soGrpBrkLines"))->DefaultValue, "1");
    EXPECT_EQ(other.RSFList->Data(other.RSFList->IndexOf("CountNumRcds"))->DefaultValue, "1");
#endif
    // Without a run the object-dependent defaults take the plain values.
    ObjInfo = nullptr;
    TtrxFileMgr none;
    none.InitRSFList();
    EXPECT_EQ(none.RSFList->Data(none.RSFList->IndexOf("CountNumRcds"))->DefaultValue, "1");
    ObjInfo = &run.OI();
}

TEST_F(SettingsFile, EveryFieldKindRoundTrips) {
    SetEveryField(run.RS(), run.Styles());
    const std::vector<std::string> saved = Values(run.RS());
    ASSERT_TRUE(Save("ANN", "Sales (123.456)"));

    // Into a fresh record, with the style options back at their defaults.
    TtrxReportSettings fresh;
    run.Styles().StyleOpts[TStyleOptNdx::soHorizontalLines].Value = false;
    mgr.ReportSettings = &fresh;
    ASSERT_TRUE(Load("ann", "Sales (123.456)"));
    EXPECT_EQ(Values(fresh), saved);
    EXPECT_EQ(fresh.ReportDesc, "Sales by region = quarterly");
    EXPECT_EQ(fresh.PageMargin[TUnitsOfMeasure::umThous], (TRect{100, 200, 300, 400}));
    EXPECT_EQ(fresh.PageRangeFrom, (TPoint{2, 3}));
    EXPECT_DOUBLE_EQ(fresh.CreateDate, EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 0));
    EXPECT_EQ(fresh.Memo(TRptMemoNdx::rmPgFtr).Text(), "Memo 5\r\n  second line\r\n[NotAHeader]\r\n");
    EXPECT_TRUE(run.Styles().Opt(TStyleOptNdx::soHorizontalLines));
    // The copyright memo's text is never stored.
    EXPECT_EQ(fresh.Memo(TRptMemoNdx::rmCopyright).Text(), "");
    EXPECT_EQ(mgr.RSFList, nullptr); // the table lives for one operation
}

TEST_F(SettingsFile, DefaultSettingsWriteOnlyTheSaveDateAndThePageNumberMemo) {
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    mgr.FreeRSFList();
    ASSERT_TRUE(Save("", "Plain (001.002)"));
    EXPECT_EQ(Settings(), "[Plain (001.002)]\r\nLastSaveDate=" + DateTimeToStr(EncodeDate(1980, 1, 1)) +
                              "\r\nMemo,PgNum=START\r\n\r^DL^PC^TR\r\nMemo,PgNum=END\r\n\r\n");
}

TEST_F(SettingsFile, EmptiedPageNumberMemoLoadsItsDefaultText) {
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    mgr.FreeRSFList();
    run.RS().Memo(TRptMemoNdx::rmPgNum).FreeMemoBuf();
    ASSERT_TRUE(Save("", "Plain (001.002)"));
    EXPECT_EQ(Settings().find("Memo,PgNum"), std::string::npos);
    ASSERT_TRUE(Load("", "Plain (001.002)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgNum).Text(), "\r^DL^PC^TR");
}

TEST_F(SettingsFile, CreateDateIsWrittenUnlessItIsTheTablesOwnSecond) {
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    mgr.FreeRSFList();
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_EQ(Settings().find("CreateDate="), std::string::npos);
    clock.Advance(2000); // the next save builds its table two seconds later
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_NE(Settings().find("CreateDate="), std::string::npos);
}

TEST_F(SettingsFile, LoadedValuesFallBackToTheirDefaults) {
    SetSettings(
        "[X (001.001)]\r\n"
        "FinishPrinterStr=\r\n"
        "StyleName=\r\n"
        "PreviewFirst=2\r\n"
        "ShowHint=yes\r\n"
        "ShrinkToPage=\r\n"
        "PageMarginThous=1,2,3\r\n"
        "CellMarginThous=1,2,x,4\r\n"
        "PageMarginTxt=1,2,3,4,5\r\n"
        "PageRangeTo=7\r\n"
        "LinesPerpage=abc\r\n"
        "SnapShotSize=ABCD\r\n"
        "ExportQuote=wxyz\r\n"
        "ExportFieldDelim=\r\n"
        "ReportDesc=a=b=c\r\n"
        "CreateDate=not a date\r\n"
        "panelsacrosspage=4\r\n"
        " TxtCharsPageWid=99\r\n"
        "=5\r\n"
        "NoSuchKey=1\r\n"
        "\r\n");
    run.RS().StyleName = "before";
    ASSERT_TRUE(Load("", "X (001.001)"));
    const TtrxReportSettings& rs = run.RS();
    EXPECT_EQ(rs.FinishPrinterStr, "#12");
    EXPECT_EQ(rs.StyleName, "");
    EXPECT_TRUE(rs.PreviewFirst);
    EXPECT_TRUE(rs.ShowHint);
    EXPECT_TRUE(rs.ShrinkToPage);
    EXPECT_EQ(rs.PageMargin[TUnitsOfMeasure::umThous], (TRect{250, 250, 250, 250}));
    EXPECT_EQ(rs.CellMargin[TUnitsOfMeasure::umThous], (TRect{0, 0, 0, 0}));
    EXPECT_EQ(rs.PageMargin[TUnitsOfMeasure::umTxt], (TRect{1, 2, 3, 4}));
    EXPECT_EQ(rs.PageRangeTo, (TPoint{0, 99999}));
    EXPECT_EQ(rs.LinesPerpage, 60);
    EXPECT_EQ(rs.SnapShotSize.str(), "AB");
    EXPECT_EQ(rs.ExportQuote.str(), "wxy");
    EXPECT_EQ(rs.ExportFieldDelim.str(), "\t");
    EXPECT_EQ(rs.ReportDesc, "a=b=c"); // the value is the rest of the line
    EXPECT_NEAR(rs.CreateDate, clock.LocalDateTime(), 1.0 / SecsPerDay);
    EXPECT_EQ(rs.PanelsAcrossPage, 4);
    EXPECT_EQ(rs.TxtCharsPageWid, 80);
}

TEST_F(SettingsFile, OrdinalsOutOfRangeTakeTheirDefaults) {
    SetSettings(
        "[E (001.001)]\r\n"
        "PrintWhat=9\r\n"
        "OutputDest=-1\r\n"
        "Orientation=3\r\n"
        "ReportAlignment=7\r\n"
        "Snugfit=200\r\n"
        "IfOutputFileExists=2\r\n"
        "OutputQuality=2\r\n"
        "Memo,PgTi,MemoAlignment=5\r\n");
    ASSERT_TRUE(Load("", "E (001.001)"));
    const TtrxReportSettings& rs = run.RS();
    EXPECT_EQ(rs.PrintWhat, TPrintWhat::pwAll);
    EXPECT_EQ(rs.OutputDest, TOutputDest::odPrinter);
    EXPECT_EQ(rs.Orientation, TPrinterOrient::poPortraitOrient);
    EXPECT_EQ(rs.ReportAlignment, TAlignment::taCenter);
    EXPECT_EQ(rs.Snugfit, TSnugfit::osLimitedRows);
    EXPECT_EQ(rs.IfOutputFileExists, TIfOutputFileExists::oeAskUser);
    // A graphic quality keeps its byte, so that the set-up refuses it.
    EXPECT_EQ(rs.OutputQuality, 2);
    EXPECT_FALSE(rs.OutputQualityIsText());
    EXPECT_EQ(rs.Memo(TRptMemoNdx::rmPgTi).Alignment, TAlignment::taCenter);

    SetSettings("[E (001.001)]\r\nOutputQuality=300\r\n");
    ASSERT_TRUE(Load("", "E (001.001)"));
    EXPECT_EQ(run.RS().OutputQuality, 1);
}

TEST_F(SettingsFile, ValuesWithLineBreaksStayOnTheirLine) {
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    mgr.FreeRSFList();
    run.RS().ReportDesc = "first\r\nPanelsAcrossPage=9\nthird\rfourth";
    ASSERT_TRUE(Save("", "D (001.001)"));
    run.RS().ReportDesc.clear();
    ASSERT_TRUE(Load("", "D (001.001)"));
    EXPECT_EQ(run.RS().ReportDesc, "first PanelsAcrossPage=9 third\rfourth");
    EXPECT_EQ(run.RS().PanelsAcrossPage, 1);
}

TEST_F(SettingsFile, HeadersMatchTheUserWithoutRegardToCase) {
    EXPECT_EQ(TtrxFileMgr::GetSectionName("ANN", "Sales (123.456)"), "[ANN:Sales (123.456)]");
    EXPECT_EQ(TtrxFileMgr::GetSectionName("", "Sales (123.456)"), "[Sales (123.456)]");
    EXPECT_EQ(TtrxFileMgr::GetSectionName("ANN", ""), "");
    SetSettings(
        "junk before\r\n[ANN:Sales (123.456)]\r\nPanelsAcrossPage=2\r\n[Sales (123.456)]\r\nPanelsAcrossPage=3\r\n");
    ASSERT_TRUE(Load("ann", "Sales (123.456)"));
    EXPECT_EQ(run.RS().PanelsAcrossPage, 2);
    ASSERT_TRUE(Load("", "SALES (123.456)"));
    EXPECT_EQ(run.RS().PanelsAcrossPage, 3);
    ASSERT_TRUE(Load("BOB", "Sales (123.456)"));
    EXPECT_EQ(run.RS().PanelsAcrossPage, 1);
}

// ---- Memo blocks ----------------------------------------------------------

TEST_F(SettingsFile, MemoBlocksReadBackExactly) {
    SetSettings(
        "[M (001.001)]\r\n"
        "Memo,RptTi=START\r\nline one\r\n\r\nMemo,RptTi=END\r\n"
        "Memo,PgHdr=start\r\n  indented\r\r\n\rlone CR\r\nmemo,pghdr=end\r\n"
        "Memo,Nonsense=START\r\nunknown name\r\nMemo,Nonsense=END\r\n"
        "PanelsAcrossPage=5\r\n");
    ASSERT_TRUE(Load("", "M (001.001)"));
    const TtrxReportSettings& rs = run.RS();
    // The block of an unknown memo name fills the report-title memo.
    EXPECT_EQ(rs.Memo(TRptMemoNdx::rmRptTi).Text(), "unknown name");
    EXPECT_EQ(rs.Memo(TRptMemoNdx::rmPgHdr).Text(), "  indented\r\r\n\rlone CR");
    EXPECT_EQ(rs.Memo(TRptMemoNdx::rmPgHdr).BufLen, 22);
    EXPECT_EQ(rs.PanelsAcrossPage, 5);

    SetSettings("[M (001.001)]\r\nMemo,RptTi=START\r\nline one\r\n\r\nMemo,RptTi=END\r\n");
    ASSERT_TRUE(Load("", "M (001.001)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmRptTi).Text(), "line one\r\n");
}

TEST_F(SettingsFile, EmptyMemoBlocksFreeTheBuffer) {
    for (const char* body : {"Memo,PgTi=START\r\nMemo,PgTi=END\r\n", "Memo,PgTi=START\r\n\r\nMemo,PgTi=END\r\n",
                             "Memo,PgTi=START\r\nMemo,PgTi=END", "Memo,PgTi=START\r\n"}) {
        SetSettings(std::string("[M (001.001)]\r\n") + body);
        run.RS().Memo(TRptMemoNdx::rmPgTi).SetText("old");
        ASSERT_TRUE(Load("", "M (001.001)"));
        EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).Buf, nullptr) << body;
        EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).BufLen, 0) << body;
    }
}

TEST_F(SettingsFile, BlockWithoutEndRunsToTheEndOfTheFile) {
    SetSettings("[M (001.001)]\r\nMemo,PgFtr=START\r\nrest\r\n[Other]\r\nPanelsAcrossPage=3\r\n");
    ASSERT_TRUE(Load("", "M (001.001)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgFtr).Text(), "rest\r\n[Other]\r\nPanelsAcrossPage=3\r\n");
    EXPECT_EQ(run.RS().PanelsAcrossPage, 1);
    // The header inside the block is text, not a section.
    ASSERT_TRUE(Load("", "Other"));
    EXPECT_EQ(run.RS().PanelsAcrossPage, 1);
}

TEST_F(SettingsFile, MemoTextThatLooksLikeHeadersOrKeysIsText) {
    SetSettings(
        "[A (001.001)]\r\n"
        "Memo,RptHdr=START\r\n[B (002.002)]\r\nPanelsAcrossPage=9\r\nMemo,RptHdr=END\r\n"
        "[B (002.002)]\r\nPanelsAcrossPage=2\r\n");
    ASSERT_TRUE(Load("", "B (002.002)"));
    EXPECT_EQ(run.RS().PanelsAcrossPage, 2);
    // A save of B rewrites the real section and keeps A's memo as it was.
    run.RS().PanelsAcrossPage = 4;
    ASSERT_TRUE(Save("", "B (002.002)"));
    ASSERT_TRUE(Load("", "A (001.001)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmRptHdr).Text(), "[B (002.002)]\r\nPanelsAcrossPage=9");
    ASSERT_TRUE(Load("", "B (002.002)"));
    EXPECT_EQ(run.RS().PanelsAcrossPage, 4);
}

TEST_F(SettingsFile, MemoTextNeverEndsItsBlockEarly) {
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    mgr.FreeRSFList();
    run.RS().Memo(TRptMemoNdx::rmPgTi).SetText("a\r\nMemo,PgTi=END\r\nRptPW=stolen\r\n[Injected]");
    ASSERT_TRUE(Save("", "P (001.001)"));
    run.RS().Memo(TRptMemoNdx::rmPgTi).FreeMemoBuf();
    ASSERT_TRUE(Load("", "P (001.001)"));
    EXPECT_EQ(run.RS().RptPW, "");
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).Text(), "a\r\nMemo,PgTi=END \r\nRptPW=stolen\r\n[Injected]");
}

TEST_F(SettingsFile, MemoPropertyValuedStartIsNoBlock) {
    SetSettings("[F (001.001)]\r\nMemo,PgTi,MemoFontName=Start\r\nPanelsAcrossPage=2\r\n");
    ASSERT_TRUE(Load("", "F (001.001)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).FontName, "Start");
    EXPECT_EQ(run.RS().PanelsAcrossPage, 2);
}

TEST_F(SettingsFile, UnknownKeyCannotBeUpdated) {
    mgr.InitRSFList();
    mgr.UpdateRSFList("soLineNumbers", "0");
    EXPECT_EQ(mgr.RSFList->Data(mgr.RSFList->IndexOf("soLineNumbers"))->Value, "0");
    try {
        mgr.UpdateRSFList("NoSuchKey", "1");
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Setup Error: [TtrxReportSettings.UpdateRSFList] Attempt to update "
                  "nonexistant ReportSettings Property \"NoSuchKey\"");
    }
}

TEST_F(SettingsFile, NothingIsStoredWithoutARecord) {
    mgr.ReportSettings = nullptr;
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    mgr.UpdateEntireRSFList();
    EXPECT_EQ(mgr.RSFList->Data(0)->Value, "");
    EXPECT_FALSE(run.RS().PreviewFirst);
}

// ---- Converters -----------------------------------------------------------

TEST(SettingsConverters, FallBackToTheDefaultThenZero) {
    EXPECT_EQ(TtrxFileMgr::CnvtStrToIntDflt("42", "7"), 42);
    EXPECT_EQ(TtrxFileMgr::CnvtStrToIntDflt("4x", "7"), 7);
    EXPECT_EQ(TtrxFileMgr::CnvtStrToIntDflt("", "x"), 0);
    EXPECT_EQ(TtrxFileMgr::CnvtStrToIntDflt("99999999999", "3"), 3);
    EXPECT_FALSE(TtrxFileMgr::CnvtStrToBoolDflt("0", "1"));
    EXPECT_TRUE(TtrxFileMgr::CnvtStrToBoolDflt("1", "0"));
    EXPECT_TRUE(TtrxFileMgr::CnvtStrToBoolDflt("-1", "1"));
    EXPECT_FALSE(TtrxFileMgr::CnvtStrToBoolDflt("true", "0"));
    EXPECT_EQ(TtrxFileMgr::CnvtStrToStrDflt("", "dflt"), "dflt");
    EXPECT_EQ(TtrxFileMgr::CnvtStrToStrDflt(" ", "dflt"), " ");
    EXPECT_EQ(TtrxFileMgr::CnvtStrToRectDflt("1,2,,4", "5,6"), (TRect{5, 6, 0, 0}));
    EXPECT_EQ(TtrxFileMgr::CnvtStrToRectDflt("-1,2,3,4", "5,6"), (TRect{-1, 2, 3, 4}));
    EXPECT_EQ(TtrxFileMgr::CnvtStrToPointDflt("3", "1,x"), (TPoint{1, 0}));
    EXPECT_EQ(TtrxFileMgr::CnvtStrToPointDflt("3,4,5", "1,2"), (TPoint{3, 4}));
    EXPECT_EQ(TtrxFileMgr::CnvtRectToStr(TRect{1, -2, 3, 4}), "1,-2,3,4");
    EXPECT_EQ(TtrxFileMgr::CnvtStrToRptMemoNdx("pgnum"), TRptMemoNdx::rmPgNum);
    EXPECT_EQ(TtrxFileMgr::CnvtStrToRptMemoNdx("Copyright"), TRptMemoNdx::rmCopyright);
    EXPECT_EQ(TtrxFileMgr::CnvtStrToRptMemoNdx("Nothing"), TRptMemoNdx::rmRptTi);
}

TEST(SettingsConverters, DatesFallBackToTheDefaultThen1980ThenZero) {
    const TDateTime d = EncodeDate(2023, 5, 6) + EncodeTime(7, 8, 9, 0);
    const std::string text = DateTimeToStr(d);
    EXPECT_DOUBLE_EQ(TtrxFileMgr::CnvtStrToDateDflt(text, ""), d);
    EXPECT_DOUBLE_EQ(TtrxFileMgr::CnvtStrToDateDflt("", text), d);
    EXPECT_DOUBLE_EQ(TtrxFileMgr::CnvtStrToDateDflt("", ""), EncodeDate(1980, 1, 1));
    EXPECT_DOUBLE_EQ(TtrxFileMgr::CnvtStrToDateDflt("garbage", text), d);
    EXPECT_DOUBLE_EQ(TtrxFileMgr::CnvtStrToDateDflt("garbage", "garbage"), 0);
    EXPECT_DOUBLE_EQ(TtrxFileMgr::CnvtStrToDateDflt("garbage", "other garbage"), 0);
}

} // namespace
} // namespace trx::test
