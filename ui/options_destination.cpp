// The options dialog's controls that depend on one another: the run's
// destination flags taken from the controls; what the destination, the
// object kind, the print choice and the output quality enable, show and
// caption; the output file's extension; the Style and Titles tabs; and the
// destination panel of the status bar.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "engine/status_messages.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/forms/extra_controls.h"
#include "framework/printing/printer.h"
#include "ui/flag_set.h"
#include "ui/options_dialog.h"
#include "ui/preview_window.h"
#include "ui/tab_set_control.h"

namespace trx {

namespace {

using M = TfmTBXMain;
using K = TObjType;

// What one call derives before the rules run.
struct TDerived {
    bool Tree = false; // an outline or a tree view
    bool GridOrTable = false; // a grid, a table, a query or a plain dataset; a decision grid is neither
    bool NoFormatting = false; // an export or a window snapshot
    bool Text = false; // a text output quality
};

void Enable(std::initializer_list<TControl*> Controls, bool Value) {
    for (TControl* c : Controls) c->SetEnabled(Value);
}

// Shown and enabled together, or hidden and disabled.
void Offer(std::initializer_list<TControl*> Controls, bool Value) {
    for (TControl* c : Controls) {
        c->SetVisible(Value);
        c->SetEnabled(Value);
    }
}

bool IsPrintWhatControl(const M& f, TObject* Sender) {
    auto* c = dynamic_cast<TWinControl*>(Sender);
    return c && c->Parent() == f.gbPrintWhat;
}

TRadioButton* CheckedPrintWhat(const M& f) {
    for (int i = 0; i < f.gbPrintWhat->ControlCount(); ++i)
        if (auto* rb = dynamic_cast<TRadioButton*>(f.gbPrintWhat->Controls(i)); rb && rb->Checked()) return rb;
    return nullptr;
}

void SetDestination(M& f, TtrxReportSettings& rs, TPrintSettings& ps) {
    const int dest = f.cbxOutputDest->Items().IndexOf(f.cbxOutputDest->Text());
    if (dest >= 0) rs.OutputDest = static_cast<TOutputDest>(dest);
    // A text that is no item gives no destination at all.
    ps.ToPrinter = dest >= 0 && rs.OutputDest == TOutputDest::odPrinter;
    ps.ToTextFile = dest >= 0 && rs.OutputDest == TOutputDest::odTextFile;
    ps.ToRTFFile = dest >= 0 && rs.OutputDest == TOutputDest::odRTFFile;
    ps.ToExportFile = dest >= 0 && rs.OutputDest == TOutputDest::odExportFile;
}

void SetQuality(M& f, TtrxReportSettings& rs) {
    // Only the two line-drawing qualities are offered: any other stored
    // quality becomes the first.
    const int items = f.cbxOutputQuality->Items().Count();
    if (rs.OutputQuality < items)
        f.cbxOutputQuality->SetItemIndex(rs.OutputQuality);
    else
        f.cbxOutputQuality->SetText("");
    rs.OutputQuality = static_cast<uint8_t>(GetComboItemNdx(f.cbxOutputQuality, 0, true));
}

void PrintWhatGroup(M& f, TtrxReportSettings& rs, const TPrintSettings& ps, const TDerived& d) {
    f.rbPrintWhatWindowSnapshot->SetEnabled(ps.ToPrinter);
    Enable({f.rbPrintWhatTestPage, f.rbPrintWhatPageRange, f.rbPrintWhatCurrentPage}, !ps.ToExportFile);
    Offer({f.rbPrintWhatCurrentBranchAll, f.rbPrintWhatCurrentBranchDown}, d.Tree);
    f.rbPrintWhatAll->SetCaption(d.Tree ? "&Entire Tree" : "&Entire Grid");
    // A choice counts only while this object and destination offer it;
    // otherwise, and with no choice at all, everything is printed.
    TRadioButton* checked = CheckedPrintWhat(f);
    if (checked && checked->Enabled() && checked->Visible()) {
        rs.PrintWhat = static_cast<TPrintWhat>(checked->Tag);
    } else {
        TFlagSet assigning(f.Assigning);
        f.rbPrintWhatAll->SetChecked(true);
        rs.PrintWhat = TPrintWhat::pwAll;
    }
    Offer({f.lbPageRangeFrom, f.lbPageRangeTo, f.edPageRangeFrom, f.edPageRangeTo}, f.rbPrintWhatPageRange->Checked());
    Offer({f.cmbSnapshotSize}, f.rbPrintWhatWindowSnapshot->Checked());
}

void FormattingOptions(M& f, const TPrintSettings& ps, const TDerived& d) {
    const bool sizing = d.GridOrTable && !d.NoFormatting;
    Enable({f.cbxSnugfit, f.lbColTitlesAlignment, f.cbxColTitleAlignment}, sizing);
    Offer({f.edMaxRowsToSnugfit}, f.cbxSnugfit->ItemIndex() == static_cast<int>(TSnugfit::osLimitedRows));
    f.lbMaxRowsToSnugfit->SetVisible(f.edMaxRowsToSnugfit->Visible());
    Enable({f.lbPanelsAcrossPage, f.edPanelsAcrossPage, f.lbStartingReportLineId, f.edStartingReportLineId,
            f.lbInterPanelGap, f.edInterPanelGap},
           !d.NoFormatting);
    f.lbNodeIndentation->SetVisible(d.Tree);
    f.edNodeIndentation->SetVisible(d.Tree);
    Enable({f.lbNodeIndentation, f.edNodeIndentation}, d.Tree && !d.NoFormatting);
    const bool columns = !d.NoFormatting && !d.Tree;
    Enable({f.lbHorizLineFreq, f.edHorizLineFreq}, columns);
    f.edVertHtAdjPer->SetVisible(false);
    Enable({f.lbVertHtAdjPer, f.edVertHtAdjPer, f.lbVertHtAdjPerPercentSymbol}, ps.ToPrinter && !d.NoFormatting);
    Enable({f.edMaxStringColWid, f.lbMaxStringColWid, f.edMaxMemoColWid, f.lbMaxMemoColWid, f.edMaxStringLines,
            f.lbMaxStringLines, f.edMaxMemoLines, f.lbMaxMemoLines},
           columns);
}

const char* DestinationExt(const TPrintSettings& ps) {
    if (ps.ToTextFile) return ".TXT";
    if (ps.ToRTFFile) return ".RTF";
    return ".ASC";
}

// A name with one of the three output extensions takes the destination's;
// any other extension, or none, is the user's own choice and stays.
void FollowDestinationExt(M& f, TtrxReportSettings& rs, const TPrintSettings& ps) {
    const std::string ext = ExtractFileExt(rs.OutputFileName);
    const std::string upper = UpperCase(ext);
    if (upper != ".ASC" && upper != ".TXT" && upper != ".RTF") return;
    const std::string wanted = DestinationExt(ps);
    // The right extension in another case is left as the user spelt it.
    if (upper == wanted) return;
    rs.OutputFileName = rs.OutputFileName.substr(0, rs.OutputFileName.size() - ext.size()) + wanted;
    f.edOutputFileName->SetText(rs.OutputFileName);
}

void OutputFile(M& f, TtrxReportSettings& rs, TPrintSettings& ps, const TDerived& d) {
    Offer({f.edOutputFileName, f.buBrowseFile, f.cbxIfOutputFileExists}, ps.ToFile);
    Offer({f.sbPrinterSetup}, ps.ToPrinter);
    f.sbPreview->SetEnabled(!d.NoFormatting);
    // The preview's copies of the output controls follow the destination
    // as the dialog's do.
    if (fmPreview) {
        Offer({fmPreview->edOutputFileName, fmPreview->buBrowseFile, fmPreview->cbxIfOutputFileExists}, ps.ToFile);
        Offer({fmPreview->sbPrinterSetup}, ps.ToPrinter);
        fmPreview->cbxIfOutputFileExists->SetItemIndex(static_cast<int>(rs.IfOutputFileExists));
    }
    f.cbxIfOutputFileExists->SetItemIndex(static_cast<int>(rs.IfOutputFileExists));
    if (ps.ToFile) FollowDestinationExt(f, rs, ps);
    ps.SetUnits();
}

void PrinterOptions(M& f, const TPrintSettings& ps, const TDerived& d) {
    f.cbUseReportViewer->SetEnabled(!ps.IsSnapShot);
    Enable({f.cbShrinkToPage, f.cbExpandToPage, f.lbSmallestFontSize, f.lbLargestFontSize, f.edSmallestFontSize,
            f.edLargestFontSize},
           ps.ToPrinter && !d.NoFormatting);
    f.cbDefaultPrinter->SetEnabled(ps.ToPrinter);
    f.cmbPrinters->SetEnabled(ps.ToPrinter && !f.cbDefaultPrinter->Checked());
    Enable({f.gbExportOptions, f.lbExportFieldDelim, f.lbExportQuote, f.cmbExportFieldDelim, f.cmbExportQuote,
            f.cbExportOnlyPrintableChrs, f.lbMaxExportLength, f.lbExportMaxMemoLng, f.edExportMaxMemoLng,
            f.lbExportMaxStrLng, f.edExportMaxStrLng},
           ps.ToExportFile);
}

void ReportPosition(M& f, TtrxReportSettings& rs, const TPrintSettings& ps, const TDerived& d) {
    Enable({f.lbOrientation, f.cbxOrientation}, ps.ToPrinter);
    Enable({f.cbxReportAlignment, f.lbReportAlignment}, !d.NoFormatting);
    if (f.cbxOrientation->ItemIndex() < 0) f.cbxOrientation->SetItemIndex(0);
    rs.Orientation = static_cast<TPrinterOrient>(f.cbxOrientation->ItemIndex());
}

void FastTextAndMargins(M& f, const TPrintSettings& ps, const TDerived& d) {
    f.cbFastPrinterText->SetEnabled(ps.ToPrinter && d.Text && f.cbAllowFastPrinterText->Checked());
    const bool fast = f.cbFastPrinterText->Enabled();
    f.gbFastPrinterText->SetVisible(fast);
    const bool strings = fast && f.cbFastPrinterText->Checked();
    Offer({f.edFastTextPrinterInit, f.edFastTextPrinterFinish}, strings);
    f.lbFastTextPrinterInit->SetVisible(strings);
    f.lbFastTextPrinterFinish->SetVisible(strings);
    if (!f.cbAllowFastPrinterText->Checked()) {
        TFlagSet assigning(f.Assigning);
        f.cbFastPrinterText->SetChecked(false);
    }
    // The text page size applies to a text file, and to fast printer text.
    const bool textPage = d.Text && (ps.ToTextFile || (fast && f.cbFastPrinterText->Checked()));
    Enable({f.edLinesPerPage, f.lbLinesPerPage, f.edTxtCharsPageWid, f.lbTxtCharsPageWid}, textPage);
    f.gbMargins->SetHint(d.Text ? "Text characters & lines|Margins are measured in text chars and lines"
                                : "Thousands of an inch|Margins are measured in thousands of an inch");
    Enable({f.gbMargins, f.lbMarginTop, f.lbMarginLeft, f.lbMarginRight, f.lbMarginBottom, f.lbPageMargin,
            f.lbCellMargin, f.edPageMarginTop, f.edPageMarginLeft, f.edPageMarginRight, f.edPageMarginBottom,
            f.edCellMarginTop, f.edCellMarginLeft, f.edCellMarginRight, f.edCellMarginBottom},
           !d.NoFormatting);
}

void DestinationPanel(M& f, const TtrxReportSettings& rs, const TPrintSettings& ps) {
    constexpr int MaxWid = 250;
    TPanel& panel = *f.paDestination;
    if (ps.ToPrinter)
        panel.SetCaption(Printer()->PrinterName());
    else if (ps.ToFile)
        panel.SetCaption(FitPathToWid(Trim(f.edOutputFileName->Text()).empty() ? "No File Selected" : rs.OutputFileName,
                                      f.Canvas(), MaxWid));
    // The panel grows to its text and gives back more than 20 spare pixels.
    const int w = f.Canvas().TextWidth(panel.Caption());
    if (w + 5 > panel.Width() || panel.Width() - w > 20) panel.SetWidth(MinInt(w + 10, MaxWid));
}

// After a tab went or came back: with no tab left the notebook and the
// strip go and the destination combo takes the focus; otherwise a tab is
// selected (the first when none is) and the notebook shows its page.
void FollowTabs(M& f) {
    TTabSetControl& tabs = *f.TabSet;
    if (tabs.Tabs().Count() == 0) {
        if (!f.nbOptions->Visible() && !tabs.Visible()) return;
        f.nbOptions->Hide();
        tabs.Hide();
        if (!f.cbxOutputDest->CanFocus()) return;
        // An invisible dialog keeps the choice until it is shown.
        if (f.Active())
            f.FocusControl(f.cbxOutputDest);
        else
            f.SetActiveControl(f.cbxOutputDest);
        return;
    }
    f.nbOptions->Show();
    tabs.Show();
    if (tabs.TabIndex() < 0) tabs.SetTabIndex(0);
    if (CompareText(tabs.Tabs()[tabs.TabIndex()], f.nbOptions->ActivePage()) != 0) tabs.TabChanged(nullptr);
}

// Takes a page's tab away; when it was selected, the tab before it (else
// the new first) takes over. Message, when given, says why.
void TakeTabAway(M& f, const std::string& Name, const std::string& Message) {
    const int tab = f.CnvtTabStrToNdx(Name);
    if (tab < 0) return;
    const bool selected = f.TabSet->TabIndex() == tab;
    if (selected && !Message.empty()) StatusMsg(f.paMsg, Message, TMsgDlgType::mtInformation, f.Timer1, 5);
    f.SetTabVisible(Name, false);
    if (selected && f.TabSet->Tabs().Count() > 0) f.TabSet->SetTabIndex(std::max(0, tab - 1));
}

std::vector<std::string> TabNames(const M& f) {
    std::vector<std::string> names;
    for (int i = 0; i < f.TabSet->Tabs().Count(); ++i) names.push_back(f.TabSet->Tabs()[i]);
    return names;
}

void Tabs(M& f, const TPrintSettings& ps, const TDerived& d) {
    const std::vector<std::string> before = TabNames(f);
    if (ps.IsSnapShot)
        TakeTabAway(f, "Style", "Style Tab is disabled for Snapshots");
    else
        f.SetTabVisible("Style", f.CanTabBeVisible("Style"));
    f.paStyles->SetVisible(!ps.ToExportFile);
    if (d.NoFormatting)
        TakeTabAway(f, "Titles", "");
    else
        f.SetTabVisible("Titles", f.CanTabBeVisible("Titles"));
    if (TabNames(f) != before) FollowTabs(f);
    if (d.Text) f.nbStyles->SetPageIndex(1);
}

void StylePanel(M& f, const TDerived& d) {
    using S = TStyleOptNdx;
    const bool fontsFromStyles = RptStyles && RptStyles->Opt(S::soFont) && RptStyles->Opt(S::soFontSize) &&
                                 RptStyles->Opt(S::soFontColor) && RptStyles->Opt(S::soFontStyle);
    f.paStyle->SetVisible(d.Text || !fontsFromStyles);
    f.SetpaStyleOptsHeight();
}

} // namespace

void TfmTBXMain::SetOptions(TObject* Sender, bool All) {
    if (SuppressSetOptions || !ReportSettings || !PrintSettings) return;
    TtrxReportSettings& rs = *ReportSettings;
    TPrintSettings& ps = *PrintSettings;
    auto by = [&](std::initializer_list<const TObject*> Senders) {
        return All || std::find(Senders.begin(), Senders.end(), Sender) != Senders.end();
    };
    const bool printWhat = IsPrintWhatControl(*this, Sender);

    SetDestination(*this, rs, ps);
    TDerived d;
    const TObjType kind = ObjInfo ? ObjInfo->ObjType : K::IsInvalid;
    d.Tree = kind == K::IsOutline || kind == K::IsTreeView;
    d.GridOrTable = kind == K::IsDBGrid || kind == K::IsStringGrid || kind == K::IsTable || kind == K::IsQuery ||
                    kind == K::IsDataSet;
    SetQuality(*this, rs);

    if (printWhat || by({cbxOutputDest})) PrintWhatGroup(*this, rs, ps, d);
    ps.IsSnapShot = rs.PrintWhat == TPrintWhat::pwWindowSnapShot;
    ps.ToFile = ps.ToTextFile || ps.ToRTFFile || ps.ToExportFile;
    d.NoFormatting = ps.ToExportFile || ps.IsSnapShot;
    d.Text = rs.OutputQualityIsText();

    if (All) gbDatasetRowCounting->SetVisible(ObjInfo && ObjInfo->DataSet);
    if (by({rbCountNumRcds, rbEstimateNumRcds})) Enable({lbRcdEstimate, edRcdEstimate}, rbEstimateNumRcds->Checked());
    if (printWhat || by({cbxSnugfit})) FormattingOptions(*this, ps, d);
    if (printWhat || by({cbxOutputDest, edOutputFileName})) OutputFile(*this, rs, ps, d);
    if (printWhat || by({cbxOutputDest, cbxOutputQuality, cbDefaultPrinter})) PrinterOptions(*this, ps, d);
    if (by({cbxOutputQuality}))
        rs.LineDraw = rs.OutputQuality == static_cast<uint8_t>(TOutputQuality::oqIBMLineDraw) ? TLineDraw::ldIBM
                                                                                              : TLineDraw::ldASCII;
    if (by({cbxOrientation, cbxOutputDest})) ReportPosition(*this, rs, ps, d);
    if (printWhat || by({cbxOutputDest, cbFastPrinterText, cbAllowFastPrinterText})) FastTextAndMargins(*this, ps, d);
    if (by({cbxOutputDest, edOutputFileName, cmbPrinters, cbDefaultPrinter})) DestinationPanel(*this, rs, ps);
    if (printWhat || by({cbxOutputDest, cbxOutputQuality})) Tabs(*this, ps, d);
    if (by({cbxOutputQuality})) StylePanel(*this, d);
    if (by({cbSettingsReadOnly})) sbSaveOpts->SetEnabled(!(cbSettingsReadOnly->Checked() && ReadOnlyAtStart));
    if (by({cbxOutputQuality, cbxOutputDest})) {
        LoadlbxStyleOpts(false);
        const bool pages = (ps.ToPrinter || ps.ToFile) && !d.NoFormatting;
        paPageDimensions->SetVisible(pages);
        paPagesAcross->SetVisible(pages);
    }
    if (by({edMemoXPosPer, edMemoWidPer, cbMemoVisible, edMemoSpacesAbove, edMemoSpacesBelow, lbxMemoLocation,
            rbRptMemoLeftJustify, rbRptMemoCenterJustify, rbRptMemoRightJustify, buMemoFont}))
        SetRptMemo();
    if (All) cbShowHint->SetChecked(rs.ShowHint);
}

void TfmTBXMain::cbxOutputDestChange(TObject*) {
    if (Assigning) return;
    if (ReportSettings) ReportSettings->Modified = true;
    SetOptions(cbxOutputDest, false);
    // Another destination may mean another printer: measure it again.
    if (PrintSettings) PrintSettings->RecalcPixPerInch = true;
    SetupPrinter(true);
}

void TfmTBXMain::cbxOutputDestDblClick(TObject* Sender) {
    auto* combo = dynamic_cast<TComboBox*>(Sender);
    if (!combo) return;
    int next = (combo->ItemIndex() >= 0 ? combo->ItemIndex() : combo->Items().IndexOf(combo->Text())) + 1;
    if (next < 0 || next >= combo->Items().Count() || combo->Items()[next].empty()) next = 0;
    combo->SetItemIndex(next);
    if (combo->OnChange) combo->OnChange(combo);
}

} // namespace trx
