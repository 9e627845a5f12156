// The Titles page's memo editor: the memo list, the memo text placed on the
// page as the memo prints, its margins, alignment, visibility and blank
// lines; and the small handlers around it (column title alignment, width
// limits, the memos' date, time and page formats, record counting).
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/shared_routines.h"
#include "framework/core/date_time.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "ui/flag_set.h"
#include "ui/options_dialog.h"

namespace trx {

// The chosen memo's look in the editor: its alignment, its font (the text
// font in a text quality), white when it prints and silver when hidden.
void TfmTBXMain::SetRptMemo() {
    const int i = lbxMemoLocation->ItemIndex();
    const bool chosen = i >= 0;
    for (TControl* c : std::initializer_list<TControl*>{
             rbRptMemoLeftJustify, rbRptMemoCenterJustify, rbRptMemoRightJustify, lbMemoXPosPer, lbMemoWidPer,
             edMemoXPosPer, edMemoWidPer, cbMemoVisible, lbMemoSpacesAbove, lbMemoSpacesBelow, edMemoSpacesAbove,
             edMemoSpacesBelow, buMemoFont})
        c->SetEnabled(chosen);
    if (!chosen || !ReportSettings || i >= RptMemoCount) return;
    const TtrxReportSettings& rs = *ReportSettings;
    const TRptMemo& memo = ReportSettings->Memo(static_cast<TRptMemoNdx>(i));
    {
        TFlagSet quiet(Assigning);
        memRptMemo->SetAlignment(memo.Alignment);
        TFont& font = memRptMemo->Font();
        if (rs.OutputQualityIsText()) {
            font.SetName(rs.TextFontName);
            font.SetSize(rs.TextFontSize);
            font.SetStyle(CnvtIntToFontStyles(rs.TextFontStyle));
            font.SetColor(rs.TextFontColor);
        } else {
            font.SetName(memo.FontName);
            font.SetSize(memo.FontSize);
            font.SetStyle(CnvtIntToFontStyles(memo.FontStyle));
            font.SetColor(memo.FontColor);
        }
        memRptMemo->SetColor(memo.Visible ? clWhite : clSilver);
        cbMemoVisible->SetChecked(memo.Visible);
    }
    SetRptMemoDim();
}

// The editor placed across the page as the memo's margins place it, with
// the margins' labels on either side.
void TfmTBXMain::SetRptMemoDim() {
    const int i = lbxMemoLocation->ItemIndex();
    const bool chosen = i >= 0 && i < RptMemoCount;
    paMemoTitlesTop->SetVisible(chosen);
    paMemoTitlesBottom->SetVisible(chosen);
    if (!chosen || !ReportSettings) return;
    const TRptMemo& memo = ReportSettings->Memo(static_cast<TRptMemoNdx>(i));
    const int w = nbOptions->Width();
    const int left = static_cast<int>(memo.XPosPer / 100.0 * w);
    const int wid = static_cast<int>(memo.WidPer / 100.0 * w);
    memRptMemo->SetBounds(left, 0, wid, paMemoTitlesBottom->Height());
    // The margin labels take the memo's height: in a narrow margin their
    // words wrap onto lines of their own.
    lbRptMemoLeftMargin->SetBounds(0, 0, left - 1, memRptMemo->Height());
    lbRptMemoLeftMargin->SetCaption("Left Margin " + std::to_string(memo.XPosPer) + "%");
    lbRptMemoRightMargin->SetBounds(left + wid + 1, 0, w - left - wid - 1, memRptMemo->Height());
    lbRptMemoRightMargin->SetCaption("Right Margin " + std::to_string(100 - memo.XPosPer - memo.WidPer) + "%");
}

// Loads the chosen memo into the editor. Text typed into the memo it held
// is stored there first, so moving to another memo never loses it.
void TfmTBXMain::lbxMemoLocationClick(TObject*) {
    if (Assigning || !ReportSettings) return;
    const int i = lbxMemoLocation->ItemIndex();
    for (TControl* c : std::initializer_list<TControl*>{memRptMemo, edMemoXPosPer, edMemoWidPer, rbRptMemoLeftJustify,
                                                        rbRptMemoCenterJustify, rbRptMemoRightJustify, cbMemoVisible})
        c->SetEnabled(i >= 0);
    if (EditedMemo >= 0 && EditedMemo < RptMemoCount && memRptMemo->Modified()) {
        ReportSettings->Memo(static_cast<TRptMemoNdx>(EditedMemo)).SetText(memRptMemo->Text());
        ReportSettings->Modified = true;
        memRptMemo->SetModified(false);
    }
    if (i >= 0 && i < RptMemoCount) {
        TFlagSet quiet(Assigning);
        const auto ndx = static_cast<TRptMemoNdx>(i);
        const TRptMemo& memo = ReportSettings->Memo(ndx);
        memRptMemo->SetText(ReportSettings->RptMemoExists(ndx, false) ? memo.Text() : "");
        memRptMemo->SetModified(false);
        EditedMemo = i;
        edMemoXPosPer->SetText(std::to_string(memo.XPosPer));
        edMemoWidPer->SetText(std::to_string(memo.WidPer));
        const TRect& margin = ScreenUnits == TUnitsOfMeasure::umTxt ? memo.MarginTxt : memo.MarginThous;
        edMemoSpacesAbove->SetText(std::to_string(margin.Top));
        edMemoSpacesBelow->SetText(std::to_string(margin.Bottom));
        rbRptMemoLeftJustify->SetChecked(memo.Alignment == TAlignment::taLeftJustify);
        rbRptMemoCenterJustify->SetChecked(memo.Alignment == TAlignment::taCenter);
        rbRptMemoRightJustify->SetChecked(memo.Alignment == TAlignment::taRightJustify);
        cbMemoVisible->SetChecked(memo.Visible);
    }
    if (ChkOptions(lbxMemoLocation, false, true)) SetOptions(lbxMemoLocation, false);
}

// An edited memo text marks the settings modified and is checked (which stores it).
void TfmTBXMain::memRptMemoExit(TObject* Sender) {
    if (!memRptMemo->Modified()) return;
    if (ReportSettings) ReportSettings->Modified = true;
    if (ChkOptions(Sender, false, true)) memRptMemo->SetModified(false);
}

// A memo setting that passes its check marks the settings modified.
void TfmTBXMain::edMemoXPosPerExit(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    if (!ChkOptions(Sender, false, true)) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

// The chosen memo's font from the font dialog; without a memo chosen the button beeps.
void TfmTBXMain::buMemoFontClick(TObject* Sender) {
    const int i = lbxMemoLocation->ItemIndex();
    if (i < 0 || i >= RptMemoCount || !ReportSettings) {
        MessageBeep(0);
        return;
    }
    TRptMemo& memo = ReportSettings->Memo(static_cast<TRptMemoNdx>(i));
    FontDialog1->Options = TFontDialogOptions{TFontDialogOption::fdEffects};
    FontDialog1->Font.SetName(memo.FontName);
    FontDialog1->Font.SetSize(memo.FontSize);
    FontDialog1->Font.SetStyle(CnvtIntToFontStyles(memo.FontStyle));
    FontDialog1->Font.SetColor(memo.FontColor);
    if (!FontDialog1->Execute()) return;
    const TFont& font = FontDialog1->Font;
    memo.FontName = font.Name();
    memo.FontSize = font.Size();
    memo.FontStyle = CnvtFontStylesToInt(font.Style());
    memo.FontColor = font.Color();
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

// Marks the settings modified and derives the options.
void TfmTBXMain::cbxColTitleAlignmentChange(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

// A modified width limit that passes re-measures the columns and sets up the printer.
void TfmTBXMain::edMaxMemoColWidExit(TObject* Sender) {
    if (!EditModified(Sender) || !ChkOptions(Sender, false, true)) return;
    static_cast<TCustomEdit*>(Sender)->SetModified(false);
    if (ReportSettings) ReportSettings->Modified = true;
    if (ObjInfo) ObjInfo->ResizeColWids(paPagesAcross);
    SetupPrinter(false);
}

// The sample of a memo format (Fallback for an empty one) becomes the
// run's text for that code, so memos show it at once, and shows on the
// status panel after Caption.
static void SampleFormat(TfmTBXMain& f, TEdit* Edit, const char* Fallback, std::string& RunText,
                         const std::string& Caption) {
    ReportSettings->Modified = true;
    const std::string format = Edit->Text();
    RunText = FormatDateTime(format.empty() ? Fallback : format, Now());
    f.paMsg->SetCaption(Caption + RunText);
}

void TfmTBXMain::edMemoTimeFormatStrChange(TObject*) {
    if (Assigning || !PrintSettings || !ReportSettings) return;
    SampleFormat(*this, edMemoTimeFormatStr, "t", PrintSettings->TimeText, "Sample Time Format: ");
}

void TfmTBXMain::edMemoDateFormatStrChange(TObject*) {
    if (Assigning || !PrintSettings || !ReportSettings) return;
    SampleFormat(*this, edMemoDateFormatStr, "ddddd", PrintSettings->DateText, "Sample Date Format: ");
}

// Marks the settings modified.
void TfmTBXMain::edMemoPageFormatStrChange(TObject*) {
    if (!Assigning && ReportSettings) ReportSettings->Modified = true;
}

// Marks the settings modified and derives the options.
void TfmTBXMain::rbCountNumRcdsClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

} // namespace trx
