// The Style page's option list: the report's style options that apply to
// the object to print and the output quality, drawn with a red dot when on
// and toggled by a double click or Space; and the output-quality and
// auto-size combos beside it.
#include <string>

#include "engine/obj_info.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/keys.h"
#include "framework/grids/db_grid.h"
#include "ui/options_dialog.h"

namespace trx {

namespace {

using S = TStyleOptNdx;

// The option index an item's text begins with, -1 for none.
int OptionOf(const std::string& Item) {
    bool error = false;
    const int n = CnvtStrToInt(ParseStr(Item, 1, ",", "-1"), error);
    return error || n < 0 || n >= StyleOptCount ? -1 : n;
}

} // namespace

// The options that apply to the object kind and quality, each as its index,
// a comma and its caption; rebuilt only when either changes, or when forced.
void TfmTBXMain::LoadlbxStyleOpts(bool Force) {
    const TStyleObjType kind = ObjInfo && ObjInfo->GridLike ? TStyleObjType::sotGrid : TStyleObjType::sotTree;
    const TStyleOutputQuality quality = ReportSettings && ReportSettings->OutputQualityIsText()
                                            ? TStyleOutputQuality::soqLinedraw
                                            : TStyleOutputQuality::soqGraphical;
    if (!Force && lbxStyleOpts->Count() > 0 && StyleListObjType == static_cast<uint8_t>(kind) &&
        StyleListQuality == static_cast<uint8_t>(quality))
        return;
    StyleListObjType = static_cast<uint8_t>(kind);
    StyleListQuality = static_cast<uint8_t>(quality);
    lbxStyleOpts->Items().Clear();
    if (!RptStyles) return;
    for (int n = 0; n < StyleOptCount; ++n) {
        const TStyleOpt& opt = RptStyles->StyleOpts[static_cast<S>(n)];
        if (opt.ObjTypes.Contains(kind) && opt.Qualities.Contains(quality))
            lbxStyleOpts->Items().Add(std::to_string(n) + "," + opt.Caption);
    }
}

// The option panel as tall as its items need, within the page's room.
void TfmTBXMain::SetpaStyleOptsHeight() {
    if (!paStyle->Visible()) {
        paStyleOpts->SetHeight(paStylesLeft->Height() - paOutputQuality->Height());
        return;
    }
    const int room = paMiddle->Height() - paStyle->Top() - edTextFontSize->Top() - edTextFontSize->Height();
    if (CompareText(nbStyles->ActivePage(), "Styles") == 0)
        paStyleOpts->SetHeight(
            MinInt(lbxStyleOpts->Count() * lbxStyleOpts->ItemHeight() + paStyleOptsInclude->Height() + 15, room - 50));
    else
        paStyleOpts->SetHeight(room - 60);
    dbgStyles->SetHeight(paStyles->Height() - dbgStyles->Top() + 6);
}

// Toggles the chosen option; horizontal lines and group break lines
// exclude each other. Without a chosen option nothing happens.
void TfmTBXMain::lbxStyleOptsDblClick(TObject*) {
    if (!RptStyles || !ReportSettings) return;
    const int i = lbxStyleOpts->ItemIndex();
    if (i < 0 || i >= lbxStyleOpts->Count()) return;
    const int n = OptionOf(lbxStyleOpts->Items()[i]);
    if (n < 0) return;
    ReportSettings->Modified = true;
    const S ndx = static_cast<S>(n);
    bool& on = RptStyles->StyleOpts[ndx].Value;
    on = !on;
    if (ndx == S::soHorizontalLines) RptStyles->StyleOpts[S::soGrpBrkLines].Value = false;
    if (ndx == S::soGrpBrkLines) RptStyles->StyleOpts[S::soHorizontalLines].Value = false;
    lbxStyleOpts->Repaint();
    if (ndx == S::soFont || ndx == S::soFontSize || ndx == S::soFontColor || ndx == S::soFontStyle)
        SetOptions(cbxOutputQuality, false);
    if (ndx == S::soLineNumbers) {
        SaveScreenFields();
        if (ObjInfo) ObjInfo->ResizeColWids(paPagesAcross);
    }
    SetupPrinter(false);
}

// Space toggles the chosen option and moves to the next one.
void TfmTBXMain::lbxStyleOptsKeyPress(TObject*, char& Key) {
    if (Key != ' ') return;
    if (lbxStyleOpts->ItemIndex() < 0) return;
    lbxStyleOptsDblClick(this);
    lbxStyleOpts->SetItemIndex(MinInt(lbxStyleOpts->ItemIndex() + 1, lbxStyleOpts->Count() - 1));
}

// An option: a circle, filled red and the caption bold when the option is on.
void TfmTBXMain::lbxStyleOptsDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    if (Index < 0 || Index >= lbxStyleOpts->Count()) return;
    TCanvas& c = lbxStyleOpts->Canvas();
    c.FillRect(TRect{Rect.Left, Rect.Top, Rect.Left + 20, Rect.Bottom});
    const std::string item = lbxStyleOpts->Items()[Index];
    const std::size_t comma = item.find(',');
    const std::string caption = comma == std::string::npos ? std::string() : item.substr(comma + 1);
    const int n = OptionOf(item);
    const TColor brush = c.Brush().Color();
    const TColor pen = c.Pen().Color();
    const TFontStyles style = c.Font().Style();
    const bool selected = State.Contains(TOwnerDrawStateFlag::odSelected);
    c.Pen().SetColor(selected ? clWhite : clBlack);
    c.Brush().SetColor(selected ? clHighlight : lbxStyleOpts->Color());
    if (RptStyles && n >= 0) {
        TFontStyles bold = c.Font().Style();
        if (RptStyles->StyleOpts[static_cast<S>(n)].Value) {
            c.Pen().SetColor(selected ? clWhite : clBlack);
            c.Brush().SetColor(clRed);
            bold.Include(TFontStyle::fsBold);
        } else {
            bold.Exclude(TFontStyle::fsBold);
        }
        c.Font().SetStyle(bold);
    }
    const int d = Rect.Bottom - Rect.Top - 6;
    c.Ellipse(Rect.Left + 5, Rect.Top + 3, Rect.Left + 5 + d, Rect.Bottom - 3);
    c.Pen().SetColor(pen);
    c.Brush().SetColor(brush);
    c.TextRect(TRect{Rect.Left + 20, Rect.Top, Rect.Right, Rect.Bottom}, Rect.Left + 20, Rect.Top, caption);
    c.Font().SetStyle(style);
}

// Tab leaves the styles grid for the option list.
void TfmTBXMain::dbgStylesKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (Key != VK_TAB || Shift.Contains(TShiftFlag::ssCtrl) || Shift.Contains(TShiftFlag::ssShift)) return;
    SetCtrlFocus(lbxStyleOpts, true, "");
    Key = 0;
}

// Stores a quality that is one of the combo's items and derives the options.
void TfmTBXMain::cbxOutputQualityChange(TObject*) {
    if (Assigning || !ReportSettings) return;
    if (cbxOutputQuality->Items().IndexOf(cbxOutputQuality->Text()) < 0) return;
    ReportSettings->Modified = true;
    ReportSettings->OutputQuality = static_cast<uint8_t>(GetComboItemNdx(cbxOutputQuality, 0, false));
    SetOptions(cbxOutputQuality, false);
}

// The two line-drawing qualities; opening the list counts as a change.
void TfmTBXMain::cbxOutputQualityDropDown(TObject*) {
    if (ReportSettings) ReportSettings->Modified = true;
    TStringList items;
    items.Add("ASCII LineDraw");
    items.Add("IBM LineDraw");
    cbxOutputQuality->Items().Assign(items);
}

// Stores the auto-size method (a text that is no item selects the limited one) and derives the options.
void TfmTBXMain::cbxSnugfitChange(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    ReportSettings->Snugfit = static_cast<TSnugfit>(GetComboItemNdx(cbxSnugfit, 1, true));
    SetOptions(Sender, false);
}

} // namespace trx
