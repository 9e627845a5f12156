#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/obj_info.h"
#include "engine/rpt_styles.h"
#include "framework/data/mem_dataset.h"
#include "framework/forms/user_input.h"
#include "options_dialog_fixture.h"
#include "storage/settings_fields.h"
#include "ui/screen_fields.h"

namespace trx::test {
namespace {

using R = TtrxReportSettings;
using U = TUnitsOfMeasure;

std::string Show(const TRect& r) {
    std::ostringstream s;
    s << r.Left << ',' << r.Top << ',' << r.Right << ',' << r.Bottom;
    return s.str();
}
std::string Show(const TPoint& p) { return std::to_string(p.X) + ',' + std::to_string(p.Y); }
template <class T>
std::string Show(const T& v) {
    if constexpr (std::is_enum_v<T>)
        return std::to_string(static_cast<int>(v));
    else if constexpr (std::is_arithmetic_v<T>)
        return std::to_string(v);
    else
        return std::string(v);
}

// One setting: a value other than a new report's, how it reads, and
// whether a control of the dialog stores it (in a text quality, without a
// dataset to print).
struct TSetting {
    const char* Name;
    std::function<void(R&)> Change;
    std::function<std::string(const R&)> Read;
    bool Stored = true;
};

// clang-format off
#define TRX_ROW(Name, Field, Value, Stored) \
    TSetting{Name, [](R& s) { s.Field = Value; }, [](const R& s) { return Show(s.Field); }, Stored}
#define TRX_SET(Field, Value) TRX_ROW(#Field, Field, Value, true)
#define TRX_FLIP(Field) TRX_ROW(#Field, Field, !s.Field, true)
#define TRX_KEEP(Field, Value) TRX_ROW(#Field, Field, Value, false)
#define TRX_SET_UNIT(Field, Unit, Value) TRX_ROW(#Field "[" #Unit "]", Field[U::Unit], Value, true)
#define TRX_KEEP_UNIT(Field, Unit, Value) TRX_ROW(#Field "[" #Unit "]", Field[U::Unit], Value, false)
// clang-format on

const std::vector<TSetting>& Settings() {
    static const std::vector<TSetting> rows{
        TRX_SET(PrintWhat, TPrintWhat::pwPageRange),
        TRX_SET(SnapShotSize, "MP"),
        TRX_SET(OutputDest, TOutputDest::odTextFile),
        TRX_SET(MemoDateFormatStr, "dd.mm.yyyy"),
        TRX_SET(MemoTimeFormatStr, "hh:nn"),
        TRX_SET(MemoPageFormatStr, "Seite"),
        TRX_SET(OutputQuality, uint8_t{0}),
        TRX_FLIP(FastPrinterText),
        TRX_FLIP(AllowFastPrinterText),
        TRX_SET(InitPrinterStr, "#27E"),
        TRX_SET(FinishPrinterStr, "#12#12"),
        TRX_FLIP(UseReportViewer),
        TRX_SET(IfOutputFileExists, TIfOutputFileExists::oeAskUser),
        TRX_FLIP(ExportOnlyPrintableChrs),
        TRX_FLIP(ShrinkToPage),
        TRX_FLIP(ExpandToPage),
        TRX_FLIP(DefaultPrinter),
        TRX_SET(PrinterName, "Laser 2"),
        TRX_KEEP(CountNumRcds, false),
        TRX_KEEP(RcdEstimate, 5000),
        TRX_SET(StartingReportLineId, 7),
        TRX_SET(PanelsAcrossPage, 3),
        TRX_SET_UNIT(InterPanelGap, umTxt, 4),
        TRX_KEEP_UNIT(InterPanelGap, umThous, 300),
        TRX_SET(NodeIndentation, 4),
        TRX_SET(HorizLineFreq, 5),
        TRX_SET(VertHtAdjPer, 120),
        TRX_SET(LinesPerpage, 66),
        TRX_SET(TxtCharsPageWid, 132),
        TRX_SET(PageRangeFrom, (TPoint{2, 3})),
        TRX_SET(PageRangeTo, (TPoint{0, 12})),
        TRX_SET(ReportAlignment, TAlignment::taRightJustify),
        TRX_SET(ColTitleAlignment, TAlignment::taLeftJustify),
        TRX_SET_UNIT(PageMargin, umTxt, (TRect{2, 3, 4, 5})),
        TRX_SET_UNIT(CellMargin, umTxt, (TRect{1, 0, 2, 1})),
        TRX_KEEP_UNIT(PageMargin, umThous, (TRect{100, 200, 300, 400})),
        TRX_KEEP_UNIT(CellMargin, umThous, (TRect{10, 20, 30, 40})),
        TRX_SET_UNIT(MaxStringColWid, umTxt, 30),
        TRX_SET_UNIT(MaxMemoColWid, umTxt, 40),
        TRX_KEEP_UNIT(MaxStringColWid, umThous, 2500),
        TRX_KEEP_UNIT(MaxMemoColWid, umThous, 3500),
        TRX_SET(MaxStringLines, 3),
        TRX_SET(MaxMemoLines, 4),
        TRX_SET(MaxRowsToSnugfit, 250),
        TRX_SET(LargestFontSize, 18),
        TRX_SET(SmallestFontSize, 7),
        TRX_KEEP(Orientation, TPrinterOrient::poLandscapeOrient),
        TRX_SET(Snugfit, TSnugfit::osNoRows),
        TRX_SET(TextFontName, "Courier New"),
        TRX_SET(TextFontSize, 9),
        TRX_SET(ReplFontName, "Times"),
        TRX_SET(ReplFontSize, 11),
        TRX_SET(ExportFieldDelim, ";"),
        TRX_SET(ExportQuote, "'"),
        TRX_SET(ExportMaxStrLng, 80),
        TRX_SET(ExportMaxMemoLng, 500),
        TRX_SET(OutputFileName, "/tmp/Sales.TXT"),
        TRX_FLIP(PauseAfterPrinting),
        TRX_FLIP(DisplayProgressWindow),
        TRX_FLIP(DisplayReportOptionsWin),
        TRX_FLIP(CloseWinAfterPrinting),
        TRX_FLIP(ShowHint),
        TRX_FLIP(SettingsReadOnly),
        TRX_FLIP(PreviewFirst),
        TRX_KEEP(RptPW, "a"),
        TRX_KEEP(RptSetUpPW, "b"),
        TRX_KEEP(RptOptPW, "c"),
        TRX_KEEP(HiddenTabs, "Titles"),
        // Settings that neither transfer touches.
        TRX_KEEP(ReportId, "Sales (001.002)"),
        TRX_KEEP(UserName, "ann"),
        TRX_KEEP(DialogTitle, "Sales by Region"),
        TRX_KEEP(StyleName, "Classic"),
        TRX_KEEP(ReportDesc, "Monthly"),
        TRX_KEEP(CreateDate, 45000.25),
        TRX_KEEP(LastSaveDate, 45001.5),
        TRX_KEEP(CreatedAtRuntime, true),
        TRX_KEEP(AppendToFile, true),
        TRX_KEEP(RepeatRowTitles, true),
        TRX_KEEP(PreviewZoomLevel, 150),
        TRX_KEEP(DMPaperSize, 9),
        TRX_KEEP(DMCopies, 2),
        TRX_KEEP(DMDuplex, 1),
        TRX_KEEP(DMCollate, 1),
        TRX_KEEP(TextFontColor, 255),
        TRX_KEEP(TextFontStyle, 8),
        TRX_KEEP(ReplFontColor, 128),
        TRX_KEEP(ReplFontStyle, 4),
        {"RptMemos[PgTi]", [](R& s) { s.Memo(TRptMemoNdx::rmPgTi).SetText("Page title"); },
         [](const R& s) { return s.Memo(TRptMemoNdx::rmPgTi).Text(); }, false},
        {"RptMemos[PgTi].MarginTxt",
         [](R& s) {
             s.Memo(TRptMemoNdx::rmPgTi).MarginTxt = TRect{0, 2, 0, 1};
         },
         [](const R& s) { return Show(s.Memo(TRptMemoNdx::rmPgTi).MarginTxt); }, false},
    };
    return rows;
}

#undef TRX_ROW
#undef TRX_SET
#undef TRX_FLIP
#undef TRX_KEEP
#undef TRX_SET_UNIT
#undef TRX_KEEP_UNIT

// A pick in a combo box as the user makes it.
void Pick(TComboBox* Combo, int Index) {
    Combo->SetItemIndex(Index);
    Combo->OnChange(Combo);
}

class OptionsTransferTest : public OptionsDialogTest {
protected:
    void Store() { dlg->SaveScreenFields(); }
    void TypeInto(TWinControl* Control, const std::string& Text) {
        if (auto* combo = dynamic_cast<TComboBox*>(Control))
            combo->SetText(Text);
        else
            static_cast<TCustomEdit*>(Control)->SetText(Text);
    }
};

// ---- Both ways ------------------------------------------------------------------

TEST_F(OptionsTransferTest, EverySettingComesBackAsItWasAfterFillingAndStoring) {
    std::vector<std::string> expected;
    for (const TSetting& s : Settings()) {
        const std::string before = s.Read(RS());
        s.Change(RS());
        expected.push_back(s.Read(RS()));
        EXPECT_NE(expected.back(), before) << s.Name << " keeps a new report's value";
    }
    Fill();
    Store();
    for (std::size_t i = 0; i < Settings().size(); ++i)
        EXPECT_EQ(Settings()[i].Read(RS()), expected[i]) << Settings()[i].Name;
    EXPECT_FALSE(dlg->Assigning);
}

TEST_F(OptionsTransferTest, StoringWritesEveryControlsSettingAndNoOther) {
    std::vector<std::string> shown;
    for (const TSetting& s : Settings()) shown.push_back(s.Read(RS()));
    Fill();
    std::vector<std::string> changed;
    for (const TSetting& s : Settings()) {
        s.Change(RS());
        changed.push_back(s.Read(RS()));
    }
    Store();
    for (std::size_t i = 0; i < Settings().size(); ++i)
        EXPECT_EQ(Settings()[i].Read(RS()), Settings()[i].Stored ? shown[i] : changed[i]) << Settings()[i].Name;
}

TEST_F(OptionsTransferTest, TheFillShowsTheSettingsAndCountsAsNoChange) {
    RS().PanelsAcrossPage = 3;
    RS().PageRangeFrom = TPoint{2, 3};
    RS().OutputDest = TOutputDest::odExportFile;
    RS().RptSetUpPW = "x";
    RS().Modified = false;
    dlg->AssignScreenFields();
    EXPECT_EQ(dlg->edPanelsAcrossPage->Text(), "3");
    EXPECT_EQ(dlg->edPageRangeFrom->Text(), "3-2");
    EXPECT_EQ(dlg->cbxOutputDest->Text(), "Export Data");
    EXPECT_TRUE(dlg->cbRptSetupPW->Checked());
    EXPECT_FALSE(dlg->cbRptPW->Checked());
    EXPECT_EQ(dlg->lbxMemoLocation->ItemIndex(), -1);
    EXPECT_FALSE(dlg->Assigning);
    EXPECT_FALSE(dlg->SuppressSetOptions);
    EXPECT_FALSE(dlg->SuppressChkOptions);
    // Only the quality list's opening counts as a change; the dialog clears
    // the mark after the fill.
    EXPECT_EQ(ui->Calls().size(), 0u);
    EXPECT_EQ(PS().TimeText, FormatDateTime(RS().MemoTimeFormatStr, Now()));
}

TEST_F(OptionsTransferTest, EveryRowNamesAControlOfTheDialogOrAStep) {
    int controls = 0;
    for (const TScreenField& row : ScreenFields()) {
        EXPECT_TRUE(row.Fill || row.Store) << row.Control;
        if (row.Control.find(' ') != std::string::npos) continue; // a step
        EXPECT_NE(dlg->FindComponent(row.Control), nullptr) << row.Control;
        ++controls;
    }
    EXPECT_GE(controls, 70);
}

// ---- Combo boxes -------------------------------------------------------------------

TEST_F(OptionsTransferTest, EverySettingOfTheTableIsInTheDialogOrKnownNotToBe) {
    using F = TrsfFld;
    // Kept as loaded, stored by other parts of the dialog (the style list,
    // the font buttons, the preview), or never shown.
    const std::set<F> elsewhere{
        F::rsfCreatedAtRuntime, F::rsfComponentDeleted, F::rsfStyleName,     F::rsfAppendToFile,  F::rsfRepeatRowTitles,
        F::rsfPreviewZoomLevel, F::rsfDMPaperSize,      F::rsfDMCopies,      F::rsfDMDuplex,      F::rsfDMCollate,
        F::rsfTextFontStyle,    F::rsfTextFontColor,    F::rsfReplFontStyle, F::rsfReplFontColor, F::rsfCreateDate,
        F::rsfLastSaveDate,     F::rsfReportDesc,       F::rsfMemoFontName,  F::rsfMemoFontSize,  F::rsfMemoFontStyle,
        F::rsfMemoFontColor,
    };
    std::set<F> shown;
    for (const TScreenField& row : ScreenFields()) shown.insert(row.Settings.begin(), row.Settings.end());
    for (std::size_t i = 0; i < TrsfFields().size(); ++i) {
        const auto fld = static_cast<F>(i);
        const std::string key = TrsfFields()[i].Key;
        if (key.rfind("so", 0) == 0) continue; // the style options: the style list
        EXPECT_NE(shown.count(fld) + elsewhere.count(fld), 0u) << key << " is neither shown nor listed";
        EXPECT_FALSE(shown.count(fld) && elsewhere.count(fld)) << key;
    }
}

TEST_F(OptionsTransferTest, ExportDelimitersAndQuotesByNameOrAsTyped) {
    struct TCase {
        std::string Stored;
        std::string Shown;
        int Item;
    };
    const TCase delims[] = {{"\t", "Tab", 0}, {",", "Comma", 1}, {";", ";", -1}, {"124", "124", -1}};
    for (const TCase& c : delims) {
        SCOPED_TRACE(c.Shown);
        RS().ExportFieldDelim = c.Stored;
        Fill();
        EXPECT_EQ(dlg->cmbExportFieldDelim->Text(), c.Shown);
        EXPECT_EQ(dlg->cmbExportFieldDelim->ItemIndex(), c.Item);
        Store();
        EXPECT_EQ(RS().ExportFieldDelim.str(), c.Stored);
    }
    // A name typed in any case stands for its character; other text is kept, cut to 3.
    const std::pair<std::string, std::string> typed[] = {
        {"tAB", "\t"}, {"COMMA", ","}, {"double quote", "\""}, {"Pipes", "Pip"}};
    for (const auto& [text, stored] : typed) {
        TypeInto(dlg->cmbExportFieldDelim, text);
        TypeInto(dlg->cmbExportQuote, text);
        Store();
        EXPECT_EQ(RS().ExportFieldDelim.str(), text == "double quote" ? "dou" : stored) << text;
        EXPECT_EQ(RS().ExportQuote.str(), text == "tAB" || text == "COMMA" ? text.substr(0, 3) : stored) << text;
    }
}

TEST_F(OptionsTransferTest, AnAutoSizeTextThatIsNoItemStoresAndSelectsTheLimitedOne) {
    Fill();
    TypeInto(dlg->cbxSnugfit, "Sometimes");
    Store();
    EXPECT_EQ(RS().Snugfit, TSnugfit::osLimitedRows);
    EXPECT_EQ(dlg->cbxSnugfit->Text(), "Limit Rows to AutoSize");
    // Other combos store their default without changing the text.
    TypeInto(dlg->cbxReportAlignment, "Middle");
    Store();
    EXPECT_EQ(RS().ReportAlignment, TAlignment::taLeftJustify);
    EXPECT_EQ(dlg->cbxReportAlignment->Text(), "Middle");
}

TEST_F(OptionsTransferTest, AStoredQualityOutsideTheListSelectsTheFirstItem) {
    for (int stored : {0, 1, 2, 7, 255}) {
        SCOPED_TRACE(stored);
        RS().OutputQuality = static_cast<uint8_t>(stored);
        Fill();
        EXPECT_EQ(dlg->cbxOutputQuality->ItemIndex(), stored == 1 ? 1 : 0);
        EXPECT_EQ(dlg->cbxOutputQuality->Items().Count(), 2);
        Store();
        EXPECT_EQ(RS().OutputQuality, stored == 1 ? 1 : 0);
    }
}

// ---- Numbers and pages ------------------------------------------------------------------

TEST_F(OptionsTransferTest, PageRangesShowAndStoreAcrossAndDown) {
    const std::pair<TPoint, std::string> shown[] = {{{0, 3}, "3"}, {{2, 3}, "3-2"}, {{0, 12}, "12"}};
    for (const auto& [page, text] : shown) {
        RS().PageRangeFrom = page;
        Fill();
        EXPECT_EQ(dlg->edPageRangeFrom->Text(), text);
    }
    TypeInto(dlg->edPageRangeFrom, "1-3");
    TypeInto(dlg->edPageRangeTo, "12");
    Store();
    EXPECT_EQ(RS().PageRangeFrom.X, 3);
    EXPECT_EQ(RS().PageRangeFrom.Y, 1);
    EXPECT_EQ(RS().PageRangeTo.X, 0);
    EXPECT_EQ(RS().PageRangeTo.Y, 12);
}

TEST_F(OptionsTransferTest, TextThatIsNoNumberStoresZero) {
    Fill();
    TypeInto(dlg->edMaxStringLines, "two");
    TypeInto(dlg->edLinesPerPage, "");
    TypeInto(dlg->edPanelsAcrossPage, " 2");
    Store();
    EXPECT_EQ(RS().MaxStringLines, 0);
    EXPECT_EQ(RS().LinesPerpage, 0);
}

TEST_F(OptionsTransferTest, TheLineNumberWidthFollowsTheStartAndTheRows) {
    struct TCase {
        int Start;
        int Rows;
        int Digits;
    };
    for (const TCase& c : {TCase{1, 1500, 4}, TCase{995, 10, 4}, TCase{1, 9, 1}, TCase{100, 0, 3}}) {
        ObjInfo->Rows = c.Rows;
        RS().StartingReportLineId = c.Start;
        Fill();
        Store();
        EXPECT_EQ(ObjInfo->Digits, c.Digits) << c.Start << " " << c.Rows;
    }
    RptStyles->StyleOpts[TStyleOptNdx::soLineNumbers].Value = true;
    RptStyles->StyleOpts[TStyleOptNdx::soFieldFormat].Value = false;
    Store();
    EXPECT_TRUE(PS().LineNumbersOn);
    EXPECT_FALSE(ObjInfo->Formatted);
}

TEST_F(OptionsTransferTest, RecordCountingIsStoredOnlyForADataSet) {
    RS().CountNumRcds = true;
    RS().RcdEstimate = 100;
    Fill();
    dlg->rbEstimateNumRcds->SetChecked(true);
    TypeInto(dlg->edRcdEstimate, "5000");
    ObjInfo->Rows = 42;
    Store();
    EXPECT_TRUE(RS().CountNumRcds);
    EXPECT_EQ(RS().RcdEstimate, 100);
    EXPECT_EQ(ObjInfo->Rows, 42);

    TMemDataSet data;
    ObjInfo->DataSet = &data;
    Store();
    EXPECT_FALSE(RS().CountNumRcds);
    EXPECT_EQ(RS().RcdEstimate, 5000);
    EXPECT_EQ(ObjInfo->Rows, 5000);
    TypeInto(dlg->edRcdEstimate, "lots");
    Store();
    EXPECT_EQ(RS().RcdEstimate, 0);
    EXPECT_EQ(ObjInfo->Rows, 5000);
    ObjInfo->DataSet = nullptr;
}

// ---- Units --------------------------------------------------------------------------------

TEST_F(OptionsTransferTest, UnitFieldsShowAndStoreTheTextMemberInTextQuality) {
    RS().PageMargin[U::umTxt] = TRect{1, 2, 3, 4};
    RS().PageMargin[U::umThous] = TRect{100, 200, 300, 400};
    RS().InterPanelGap[U::umTxt] = 2;
    Fill();
    EXPECT_EQ(dlg->edPageMarginTop->Text(), "2");
    EXPECT_EQ(dlg->edInterPanelGap->Text(), "2");
    TypeInto(dlg->edPageMarginTop, "6");
    TypeInto(dlg->edInterPanelGap, "3");
    // The quality changes before the store: the fields stay in their unit.
    RS().PrintWhat = TPrintWhat::pwWindowSnapShot;
    dlg->rbPrintWhatWindowSnapshot->SetChecked(true);
    Store();
    EXPECT_EQ(Show(RS().PageMargin[U::umTxt]), "1,6,3,4");
    EXPECT_EQ(Show(RS().PageMargin[U::umThous]), "100,200,300,400");
    EXPECT_EQ(RS().InterPanelGap[U::umTxt], 3);
}

TEST_F(OptionsTransferTest, AGraphicRunShowsAndStoresThousandthsNeverPixels) {
    RS().PrintWhat = TPrintWhat::pwWindowSnapShot;
    RS().OutputDest = TOutputDest::odPrinter;
    RS().PageMargin[U::umThous] = TRect{100, 200, 300, 400};
    RS().PageMargin[U::umTxt] = TRect{1, 2, 3, 4};
    RS().MaxStringColWid[U::umThous] = 1500;
    RS().InterPanelGap[U::umThous] = 250;
    Fill();
    EXPECT_EQ(PS().CurUnits, U::umPix);
    EXPECT_EQ(dlg->edPageMarginLeft->Text(), "100");
    EXPECT_EQ(dlg->edMaxStringColWid->Text(), "1500");
    EXPECT_EQ(dlg->edInterPanelGap->Text(), "250");
    Store();
    EXPECT_EQ(Show(RS().PageMargin[U::umThous]), "100,200,300,400");
    EXPECT_EQ(Show(RS().PageMargin[U::umTxt]), "1,2,3,4");
    EXPECT_EQ(RS().MaxStringColWid[U::umThous], 1500);
    EXPECT_EQ(RS().InterPanelGap[U::umThous], 250);
}

// ---- The memo editor --------------------------------------------------------------------------

TEST_F(OptionsTransferTest, TheChosenMemoTakesTheEditorAndNoChoiceLeavesTheMemos) {
    RS().Memo(TRptMemoNdx::rmPgHdr).SetText("old");
    Fill();
    dlg->memRptMemo->SetText("typed");
    Store();
    EXPECT_EQ(RS().Memo(TRptMemoNdx::rmPgHdr).Text(), "old");
    for (int m = 0; m < RptMemoCount; ++m) {
        if (m != static_cast<int>(TRptMemoNdx::rmPgHdr)) {
            EXPECT_EQ(RS().Memo(static_cast<TRptMemoNdx>(m)).Text(), "") << m;
        }
    }

    dlg->lbxMemoLocation->SetItemIndex(static_cast<int>(TRptMemoNdx::rmPgHdr));
    dlg->memRptMemo->SetText("Line 1\r\nLine 2");
    TypeInto(dlg->edMemoXPosPer, "10");
    TypeInto(dlg->edMemoWidPer, "bad");
    TypeInto(dlg->edMemoSpacesAbove, "2");
    TypeInto(dlg->edMemoSpacesBelow, "1");
    dlg->rbRptMemoRightJustify->SetChecked(true);
    dlg->cbMemoVisible->SetChecked(false);
    Store();
    const TRptMemo& memo = RS().Memo(TRptMemoNdx::rmPgHdr);
    EXPECT_EQ(memo.Text(), "Line 1\r\nLine 2");
    EXPECT_EQ(memo.BufLen, 15);
    EXPECT_EQ(memo.XPosPer, 10);
    EXPECT_EQ(memo.WidPer, 0);
    EXPECT_EQ(memo.Alignment, TAlignment::taRightJustify);
    EXPECT_FALSE(memo.Visible);
    EXPECT_EQ(memo.MarginTxt.Top, 2);
    EXPECT_EQ(memo.MarginTxt.Bottom, 1);
    EXPECT_EQ(memo.MarginThous.Top, 0);
}

// ---- Handlers ---------------------------------------------------------------------------------

TEST_F(OptionsTransferTest, ChangesMarkTheSettingsModifiedButNotWhileFilling) {
    struct TCase {
        const char* What;
        std::function<void(TfmTBXMain&)> Act;
    };
    const TCase cases[] = {
        {"Fast Printer Text", [](TfmTBXMain& f) { f.cbFastPrinterText->SetChecked(!f.cbFastPrinterText->Checked()); }},
        {"Printable Only",
         [](TfmTBXMain& f) { f.cbExportOnlyPrintableChrs->SetChecked(!f.cbExportOnlyPrintableChrs->Checked()); }},
        {"Report Viewer", [](TfmTBXMain& f) { f.cbUseReportViewer->SetChecked(!f.cbUseReportViewer->Checked()); }},
        {"Allow Fast Printer Text",
         [](TfmTBXMain& f) { f.cbAllowFastPrinterText->SetChecked(!f.cbAllowFastPrinterText->Checked()); }},
        {"Pause", [](TfmTBXMain& f) { f.cbPauseAfterPrinting->SetChecked(!f.cbPauseAfterPrinting->Checked()); }},
        {"Progress Window",
         [](TfmTBXMain& f) { f.cbDisplayProgressWindow->SetChecked(!f.cbDisplayProgressWindow->Checked()); }},
        {"Options Window",
         [](TfmTBXMain& f) { f.cbDisplayReportOptionsWin->SetChecked(!f.cbDisplayReportOptionsWin->Checked()); }},
        {"Close Window",
         [](TfmTBXMain& f) { f.cbCloseWinAfterPrinting->SetChecked(!f.cbCloseWinAfterPrinting->Checked()); }},
        {"Preview First", [](TfmTBXMain& f) { f.cbPreviewFirst->SetChecked(!f.cbPreviewFirst->Checked()); }},
        {"Test Page", [](TfmTBXMain& f) { f.rbPrintWhatTestPage->SetChecked(true); }},
        {"Snapshot Size", [](TfmTBXMain& f) { Pick(f.cmbSnapshotSize, 3); }},
        {"Report Alignment", [](TfmTBXMain& f) { Pick(f.cbxReportAlignment, 2); }},
        {"If Exists", [](TfmTBXMain& f) { Pick(f.cbxIfOutputFileExists, 1); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Fill();
        dlg->Assigning = true;
        c.Act(*dlg);
        EXPECT_FALSE(RS().Modified) << "while filling";
        dlg->Assigning = false;
        Fill();
        c.Act(*dlg);
        EXPECT_TRUE(RS().Modified);
    }
}

TEST_F(OptionsTransferTest, AChosenPrintWhatAndPreviewFirstAreStoredAtOnce) {
    Fill();
    dlg->rbPrintWhatTestPage->SetChecked(true);
    EXPECT_EQ(RS().PrintWhat, TPrintWhat::pwTestPage);
    dlg->cbPreviewFirst->SetChecked(!RS().PreviewFirst);
    EXPECT_EQ(RS().PreviewFirst, dlg->cbPreviewFirst->Checked());
}

TEST_F(OptionsTransferTest, ATypedFileNameIsTakenWhenTheEditIsLeft) {
    RS().OutputDest = TOutputDest::odTextFile;
    Fill();
    ShowWindow();
    UserReplaceText(dlg->edOutputFileName, "/tmp/new.txt");
    UserFocus(dlg->cbxOutputDest);
    EXPECT_EQ(RS().OutputFileName, "/tmp/new.txt");
    EXPECT_TRUE(RS().Modified);
    EXPECT_FALSE(dlg->edOutputFileName->Modified());
    // A name set in code is no typed change.
    RS().Modified = false;
    dlg->edOutputFileName->SetText("/tmp/other.txt");
    dlg->edOutputFileNameExit(dlg->edOutputFileName);
    EXPECT_FALSE(RS().Modified);
    EXPECT_EQ(RS().OutputFileName, "/tmp/new.txt");
}

} // namespace
} // namespace trx::test
