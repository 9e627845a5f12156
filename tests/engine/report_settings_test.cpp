#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_scope.h"
#include "engine/trx_errors.h"
#include "framework/core/ini_file.h"
#include "framework/core/stringlist.h"
#include "framework/printing/virtual_printer.h"
#include "support/temp_dir.h"
#include "support/windows_dir.h"

using namespace trx;

TEST(RptMemo, ValidateKeepsTheMemoWithinTheWidth) {
    TRptMemo m;
    m.XPosPer = 95;
    m.WidPer = 30;
    m.Validate();
    EXPECT_EQ(m.XPosPer, 70);
    EXPECT_EQ(m.WidPer, 30);
    m.XPosPer = -5;
    m.WidPer = 150;
    m.Validate();
    EXPECT_EQ(m.XPosPer, 0);
    EXPECT_EQ(m.WidPer, 100);
}

TEST(RptMemo, BufferCountsTheTerminatingNul) {
    TRptMemo m;
    EXPECT_EQ(m.BufLen, 0);
    EXPECT_EQ(m.Buf, nullptr);
    m.AllocMemoBuf(4);
    EXPECT_EQ(m.BufLen, 4);
    EXPECT_EQ(m.Buf[3], '\0');
    m.SetText("\r^DL^PC^TR");
    EXPECT_EQ(m.BufLen, 11);
    EXPECT_EQ(m.Text(), "\r^DL^PC^TR");
    m.FreeMemoBuf();
    EXPECT_EQ(m.BufLen, 0);
    EXPECT_EQ(m.Text(), "");
}

TEST(ReportSettings, NewRecordIsEmptyButHasItsMemos) {
    TtrxReportSettings rs;
    for (const auto& m : rs.RptMemos) {
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->BufLen, 0);
        EXPECT_FALSE(m->Visible);
    }
    EXPECT_EQ(rs.OutputQuality, 0);
    EXPECT_TRUE(rs.ReportId.empty());
}

TEST(ReportSettings, ShortStringsAreCutWhenAssigned) {
    TtrxReportSettings rs;
    rs.ReportId = std::string(40, 'r');
    rs.UserName = "ABCDEFGHIJ";
    rs.ExportFieldDelim = "1234";
    rs.SnapShotSize = "CTX";
    EXPECT_EQ(rs.ReportId.Length(), 30);
    EXPECT_EQ(rs.UserName.str(), "ABCDEFGH");
    EXPECT_EQ(rs.ExportFieldDelim.str(), "123");
    EXPECT_EQ(rs.SnapShotSize.str(), "CT");
}

TEST(ReportSettings, RptMemoExistsNeedsTextBeyondTheNul) {
    TtrxReportSettings rs;
    auto& m = rs.Memo(TRptMemoNdx::rmPgNum);
    EXPECT_FALSE(rs.RptMemoExists(TRptMemoNdx::rmPgNum, false));
    m.AllocMemoBuf(1);
    EXPECT_FALSE(rs.RptMemoExists(TRptMemoNdx::rmPgNum, false));
    m.SetText("x");
    EXPECT_TRUE(rs.RptMemoExists(TRptMemoNdx::rmPgNum, false));
    EXPECT_FALSE(rs.RptMemoExists(TRptMemoNdx::rmPgNum, true));
    m.Visible = true;
    EXPECT_TRUE(rs.RptMemoExists(TRptMemoNdx::rmPgNum, true));
}

TEST(ReportSettings, OutputQualityIsText) {
    TtrxReportSettings rs;
    rs.OutputDest = TOutputDest::odExportFile;
    rs.PrintWhat = TPrintWhat::pwWindowSnapShot;
    rs.OutputQuality = 5;
    EXPECT_TRUE(rs.OutputQualityIsText());
    rs.OutputDest = TOutputDest::odPrinter;
    rs.OutputQuality = 0;
    EXPECT_FALSE(rs.OutputQualityIsText());
    rs.PrintWhat = TPrintWhat::pwAll;
    EXPECT_TRUE(rs.OutputQualityIsText());
    rs.OutputQuality = 1;
    EXPECT_TRUE(rs.OutputQualityIsText());
    rs.OutputQuality = 2;
    EXPECT_FALSE(rs.OutputQualityIsText());
}

TEST(ReportSettings, ValidateFontSizeOnlyWhenShrinkingOrExpanding) {
    TtrxReportSettings rs;
    rs.SmallestFontSize = 6;
    rs.LargestFontSize = 20;
    EXPECT_EQ(rs.ValidateFontSize(4), 4);
    EXPECT_EQ(rs.ValidateFontSize(30), 30);
    rs.ShrinkToPage = true;
    rs.ExpandToPage = true;
    EXPECT_EQ(rs.ValidateFontSize(4), 6);
    EXPECT_EQ(rs.ValidateFontSize(30), 20);
    EXPECT_EQ(rs.ValidateFontSize(12), 12);
}

TEST(ReportSettings, MemoRegionMappingBothWays) {
    const std::pair<TRptMemoNdx, TRegNdx> table[] = {
        {TRptMemoNdx::rmRptTi, TRegNdx::rgRptTiMem},   {TRptMemoNdx::rmRptHdr, TRegNdx::rgRptHdrMem},
        {TRptMemoNdx::rmPgTi, TRegNdx::rgPgTiMem},     {TRptMemoNdx::rmPgHdr, TRegNdx::rgPgHdrMem},
        {TRptMemoNdx::rmPgFtr, TRegNdx::rgPgFtrMem},   {TRptMemoNdx::rmPgNum, TRegNdx::rgPgNumMem},
        {TRptMemoNdx::rmRptFtr, TRegNdx::rgRptFtrMem}, {TRptMemoNdx::rmCopyright, TRegNdx::rgCopyrightMem},
    };
    for (const auto& [memo, reg] : table) {
        EXPECT_EQ(TtrxReportSettings::CnvtRptMemoNdxToRegNdx(memo), reg);
        EXPECT_EQ(TtrxReportSettings::CnvtRegNdxToRptMemoNdx(reg), memo);
    }
    try {
        TtrxReportSettings::CnvtRegNdxToRptMemoNdx(TRegNdx::rgCells);
        FAIL();
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Internal Error: [CnvTRegNdxToRptMemoNdx] RegNdx:9 is invalid");
    }
    // Every other region has no memo.
    int memoRegions = 0;
    for (int r = 0; r < RegNdxCount; ++r) {
        try {
            const TRptMemoNdx memo = TtrxReportSettings::CnvtRegNdxToRptMemoNdx(static_cast<TRegNdx>(r));
            EXPECT_EQ(Ord(TtrxReportSettings::CnvtRptMemoNdxToRegNdx(memo)), r);
            ++memoRegions;
        } catch (const eTrxIntError& e) {
            EXPECT_EQ(e.Message,
                      "Tabrix! Internal Error: [CnvTRegNdxToRptMemoNdx] RegNdx:" + std::to_string(r) + " is invalid");
        }
    }
    EXPECT_EQ(memoRegions, RptMemoCount);
    try {
        TtrxReportSettings::CnvtRptMemoNdxToRegNdx(static_cast<TRptMemoNdx>(8));
        FAIL();
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Internal Error: [CnvTRptMemoNdxToRegNdx] RptMemoNdx:8 is invalid");
    }
}

TEST(ReportSettings, EnumerationsKeepTheirStoredOrdinalsInOneByte) {
    // The settings file stores these ordinals.
    static_assert(sizeof(TPrintWhat) == 1 && sizeof(TOutputDest) == 1 && sizeof(TPrinterOrient) == 1 &&
                  sizeof(TSnugfit) == 1 && sizeof(TIfOutputFileExists) == 1 && sizeof(TRegNdx) == 1 &&
                  sizeof(TRptMemoNdx) == 1 && sizeof(TUnitsOfMeasure) == 1 && sizeof(TLineDraw) == 1);
    EXPECT_EQ(Ord(TPrintWhat::pwWindowSnapShot), 5);
    EXPECT_EQ(Ord(TPrintWhat::pwPageRange), 6);
    EXPECT_EQ(Ord(TOutputDest::odExportFile), 2);
    EXPECT_EQ(Ord(TOutputDest::odRTFFile), 3);
    EXPECT_EQ(Ord(TOutputQuality::oqIBMLineDraw), 1);
    EXPECT_EQ(Ord(TIfOutputFileExists::oeAskUser), 2);
    EXPECT_EQ(Ord(TPrinterOrient::poDefaultOrient), 2);
    EXPECT_EQ(Ord(TSnugfit::osNoRows), 2);
    EXPECT_EQ(Ord(TUnitsOfMeasure::umThous), 2);
    EXPECT_EQ(Ord(TRptMemoNdx::rmPgNum), 5);
    EXPECT_EQ(Ord(TRptMemoNdx::rmCopyright), 7);
    EXPECT_STREQ(RptMemoNames[Ord(TRptMemoNdx::rmCopyright)], "Copyright");
    EXPECT_EQ(Ord(TRegNdx::rgCopyrightMem), 16);
    EXPECT_EQ(Ord(TRegNdx::rgRptFtrMem), 17);
    EXPECT_EQ(Ord(TLDGridV::vldBlank), 7);
    EXPECT_EQ(Ord(TTDChrs::tchUnexpanded), 4);
}

TEST(ReportSettings, PixelMeasurementsNeedTheRunState) {
    TtrxReportSettings rs;
    const auto pix = TUnitsOfMeasure::umPix, thous = TUnitsOfMeasure::umThous;
    rs.PageMargin[thous] = TRect{500, 250, 1000, 100};
    rs.PageMargin[pix] = TRect{-1, -1, -1, -1};
    rs.InterPanelGap[pix] = -1;
    TRptMemo& memo = rs.Memo(TRptMemoNdx::rmPgTi);
    memo.MarginThous = TRect{1000, 1000, 1, 0};
    memo.MarginPix = TRect{-1, -1, -1, -1};
    // Without a run nothing is computed.
    ASSERT_EQ(PrintSettings, nullptr);
    rs.CalcPixMeasurements();
    memo.CalcPixMemoMargins();
    EXPECT_EQ(rs.PageMargin[pix], (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(rs.InterPanelGap[pix], -1);
    EXPECT_EQ(memo.MarginPix, (TRect{-1, -1, -1, -1}));
}

TEST(ReportSettings, PixelMeasurementsFollowEachAxis) {
    TVirtualPrinterOverride printer;
    TRunScope run;
    TPrintSettings& ps = run.PS();
    ps.OutPixPerInch[TXyDir::dX] = 300;
    ps.OutPixPerInch[TXyDir::dY] = 600;
    ps.ScalePct = 100;
    TtrxReportSettings& rs = run.RS();
    const auto pix = TUnitsOfMeasure::umPix, txt = TUnitsOfMeasure::umTxt, thous = TUnitsOfMeasure::umThous;
    rs.PageMargin[thous] = TRect{500, 250, 1000, 100};
    rs.PageMargin[txt] = TRect{3, 3, 3, 3};
    rs.CellMargin[thous] = TRect{100, 100, 0, 50};
    rs.MaxMemoColWid[thous] = 2000;
    rs.MaxStringColWid[thous] = 3000;
    rs.InterPanelGap[thous] = 1; // 0.3 pixels: no minimum of one
    rs.CalcPixMeasurements();
    EXPECT_EQ(rs.PageMargin[pix], (TRect{150, 150, 300, 60}));
    EXPECT_EQ(rs.PageMargin[txt], (TRect{3, 3, 3, 3}));
    EXPECT_EQ(rs.CellMargin[pix], (TRect{30, 60, 0, 30}));
    EXPECT_EQ(rs.MaxMemoColWid[pix], 600);
    EXPECT_EQ(rs.MaxStringColWid[pix], 900);
    EXPECT_EQ(rs.InterPanelGap[pix], 0);

    TRptMemo& memo = rs.Memo(TRptMemoNdx::rmRptFtr);
    memo.MarginThous = TRect{1000, 1000, 1, 0};
    memo.CalcPixMemoMargins();
    EXPECT_EQ(memo.MarginPix, (TRect{300, 600, 0, 0}));
}

TEST(ReportSettings, FormatNonZeroPageNum) {
    EXPECT_EQ(TtrxReportSettings::FormatNonZeroPageNum({0, 7}), "7");
    EXPECT_EQ(TtrxReportSettings::FormatNonZeroPageNum({2, 7}), "7-2");
}

TEST(ReportSettings, SnapShotTextsRoundTrip) {
    const char* codes[] = {"CP", "CS", "CT", "MP", "MS", "MT"};
    for (const char* code : codes) {
        const std::string text = TtrxReportSettings::CnvtSnapShotSizeAbrev(code);
        EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeText(text), code) << text;
    }
    EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeAbrev("CT"), "Current Window Size with Print To Fit");
    EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeAbrev("MP"), "Maximize Window with Proportional Scale");
    EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeAbrev(""), "Current WIndow Size with Print to Fit");
    EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeAbrev("X"), "Current WIndow Size with Print to Fit");
}

TEST(ReportSettings, SnapShotCodeOfEmptyWordsAddsNothing) {
    EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeText(""), "");
    EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeText("Maximize"), "M");
    // A doubled blank makes an empty second word from the right.
    EXPECT_EQ(TtrxReportSettings::CnvtSnapShotSizeText("Current  Fit"), "C");
}

TEST(GlobalSettings, LoadWithoutFileGivesTheBuiltInTables) {
    test::TWindowsDirOverride dir;
    TtrxReportSettings rs;
    rs.LoadGlobalSettings();
    EXPECT_TRUE(rs.ShowHint);
    EXPECT_EQ(rs.GridChr(TLineDraw::ldIBM, TLDGridH::hldTop, TLDGridV::vldLeft), '\xDA');
    EXPECT_EQ(rs.GridChr(TLineDraw::ldIBM, TLDGridH::hldHLine, TLDGridV::vldVHLine), '\xC5');
    EXPECT_EQ(rs.GridChr(TLineDraw::ldASCII, TLDGridH::hldHLine, TLDGridV::vldVHLine), '+');
    EXPECT_EQ(rs.TreeChr(TLineDraw::ldIBM, TTDChrs::tchUnexpanded), '\xFE');
    EXPECT_EQ(rs.TreeChr(TLineDraw::ldASCII, TTDChrs::tchChild), '+');
}

TEST(GlobalSettings, SaveAndLoadRoundTripWithCp437Bytes) {
    test::TWindowsDirOverride dir;
    {
        TtrxReportSettings rs;
        rs.LoadGlobalSettings();
        rs.ShowHint = false;
        rs.GridLineDrawChrs[1][2] = {'\xCC', '\xCD', '\xBA', '\xCC', '\xCD', '\xCE', '\xB9', ' '};
        rs.SaveGlobalSettings();
    }
    TIniFile ini("Tabrix.Ini");
    EXPECT_EQ(ini.ReadString("Default", "Show Hint", ""), "0");
    EXPECT_EQ(ini.ReadString("Default", "Report-Grid IBM LineDraw2", "").substr(0, 7), "\xCC\xCD\xBA\xCC\xCD\xCE\xB9");
    EXPECT_EQ(ini.ReadString("Default", "Report-Grid ASCII LineDraw0", ""), "+-----+");

    TtrxReportSettings rs;
    rs.LoadGlobalSettings();
    EXPECT_FALSE(rs.ShowHint);
    EXPECT_EQ(rs.GridChr(TLineDraw::ldIBM, TLDGridH::hldHLine, TLDGridV::vldVHLine), '\xCE');
    EXPECT_EQ(rs.GridChr(TLineDraw::ldIBM, TLDGridH::hldHLine, TLDGridV::vldBlank), ' ');
    EXPECT_EQ(rs.GridChr(TLineDraw::ldIBM, TLDGridH::hldTop, TLDGridV::vldLeft), '\xDA');
}

TEST(GlobalSettings, SaveWritesTheKeysInItsOrder) {
    test::TWindowsDirOverride dir;
    TtrxReportSettings rs;
    rs.LoadGlobalSettings();
    rs.SaveGlobalSettings();
    TIniFile ini("Tabrix.Ini");
    TStringList keys;
    ini.ReadSection("Default", keys);
    EXPECT_EQ(keys.CommaText(),
              "\"Show Hint\",\"Report-Tree IBM LineDraw\",\"Report-Tree ASCII LineDraw\","
              "\"Report-Grid IBM LineDraw0\",\"Report-Grid IBM LineDraw1\",\"Report-Grid IBM LineDraw2\","
              "\"Report-Grid IBM LineDraw3\",\"Report-Grid ASCII LineDraw0\",\"Report-Grid ASCII LineDraw1\","
              "\"Report-Grid ASCII LineDraw2\",\"Report-Grid ASCII LineDraw3\"");
    EXPECT_EQ(ini.ReadString("Default", "Show Hint", ""), "1");
    EXPECT_EQ(ini.ReadString("Default", "Report-Tree IBM LineDraw", ""), "\xC4\xB3\xC0\xC3\xFE");
}

TEST(GlobalSettings, AFailedWriteReachesTheCaller) {
    test::TWindowsDirOverride dir;
    // A file where the directory should be: nothing can be written there.
    { TIniFile(dir.File("x.ini")).WriteString("S", "K", "v"); }
    setenv("TRX_WINDOWS_DIR", dir.File("x.ini").c_str(), 1);
    TtrxReportSettings rs;
    rs.LoadGlobalSettings();
    EXPECT_TRUE(rs.ShowHint);
    EXPECT_THROW(rs.SaveGlobalSettings(), EIniFileException);
}

TEST(GlobalSettings, ShortValuesArePaddedAndLongOnesCut) {
    test::TWindowsDirOverride dir;
    {
        TIniFile ini("Tabrix.Ini");
        ini.WriteString("Default", "Report-Grid ASCII LineDraw1", "ab");
        ini.WriteString("Default", "Report-Grid ASCII LineDraw3", "0123456789");
        ini.WriteString("Default", "Report-Tree ASCII LineDraw", "abcdefg");
    }
    TtrxReportSettings rs;
    rs.LoadGlobalSettings();
    const auto& row1 = rs.GridLineDrawChrs[0][1];
    EXPECT_EQ(std::string(row1.begin(), row1.end()), "ab      ");
    const auto& row3 = rs.GridLineDrawChrs[0][3];
    EXPECT_EQ(std::string(row3.begin(), row3.end()), "01234567");
    const auto& tree = rs.TreeLineDrawChrs[0];
    EXPECT_EQ(std::string(tree.begin(), tree.end()), "abcde");
}
