// The options dialog's tabs and hidden pages, its menus and keys, the
// status-line hints, the layout on resize and the diagnostic caption.
#include <algorithm>
#include <string>

#include "engine/obj_info.h"
#include "engine/report_settings.h"
#include "engine/shared_routines.h"
#include "engine/status_messages.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/menus.h"
#include "ui/data_dir_wizard.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"
#include "ui/preview_window.h"
#include "ui/tab_set_control.h"

namespace trx {

namespace {

// What the diagnostic caption appends to the dialog's caption.
constexpr const char* DiagnosticMarker = "... ReportId: \"";

bool IsHidden(const std::string& HiddenTabs, const std::string& Page) {
    return HiddenTabs.find(Page) != std::string::npos;
}

} // namespace

int TfmTBXMain::CnvtTabStrToNdx(const std::string& Name) const {
    const TStrings& tabs = TabSet->Tabs();
    for (int i = 0; i < tabs.Count(); ++i)
        if (CompareText(tabs[i], Name) == 0) return i;
    return -1;
}

bool TfmTBXMain::CanTabBeVisible(const std::string& Name) const {
    return AllPagesShown || !ReportSettings || !IsHidden(ReportSettings->HiddenTabs, Name);
}

void TfmTBXMain::SetTabVisible(const std::string& Name, bool Visible) {
    const int tab = CnvtTabStrToNdx(Name);
    TStrings& tabs = TabSet->Tabs();
    if (Visible && tab < 0) {
        // Tabs stand in page order: in front of the first tab whose page
        // comes at or after this one.
        const int page = nbOptions->Pages().IndexOf(Name);
        int at = tabs.Count();
        for (int i = 0; i < tabs.Count(); ++i)
            if (nbOptions->Pages().IndexOf(tabs[i]) >= page) {
                at = i;
                break;
            }
        tabs.Insert(at, Name);
    } else if (!Visible && tab >= 0) {
        tabs.Delete(tab);
    }
}

void TfmTBXMain::SetTabsVisibility(bool ShowAll) {
    if (!ReportSettings) return;
    TtrxReportSettings& rs = *ReportSettings;
    if (ShowAll &&
        (!AskPassword(rs.DialogTitle, "Enter Report Options Password:", rs.RptOptPW, false, PWInfo.EnteredRptOptPW) ||
         !AskPassword(rs.DialogTitle, "Enter Setup Password:", rs.RptSetUpPW, false, PWInfo.EnteredSetupPW)))
        return;

    const int oldIndex = TabSet->TabIndex();
    const std::string oldText = oldIndex >= 0 ? TabSet->Tabs()[oldIndex] : std::string();
    for (int i = 0; i < nbOptions->PageCount(); ++i) {
        const std::string page = nbOptions->Pages()[i];
        SetTabVisible(page, ShowAll || !IsHidden(rs.HiddenTabs, page));
    }

    if (ShowAll) {
        nbOptions->Show();
        TabSet->Show();
        TabSet->SetTabIndex(CnvtTabStrToNdx("Setup"));
        TabSet->TabChanged(TabSet);
    } else {
        const int count = TabSet->Tabs().Count();
        if (TabSet->TabIndex() < 0 && !oldText.empty()) TabSet->SetTabIndex(CnvtTabStrToNdx(oldText));
        if (TabSet->TabIndex() < 0 && count > 0) TabSet->SetTabIndex(std::min(std::max(0, oldIndex - 1), count - 1));
        if (count > 0) {
            nbOptions->Show();
            TabSet->Show();
        } else {
            // Every page is hidden: only the top bar is left to work with.
            nbOptions->Hide();
            TabSet->Hide();
            try {
                if (cbxOutputDest->CanFocus()) FocusControl(cbxOutputDest);
            } catch (const EInvalidOperation&) {}
        }
        const int sel = TabSet->TabIndex();
        if (sel < 0 || CompareText(TabSet->Tabs()[sel], nbOptions->ActivePage()) != 0) TabSet->TabChanged(TabSet);
    }
    AllPagesShown = ShowAll || rs.HiddenTabs.empty();
}

void TfmTBXMain::itmTogglePagesClick(TObject*) { SetTabsVisibility(!AllPagesShown); }

void TfmTBXMain::cbDisplayPagesClick(TObject*) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    std::string hidden;
    const std::pair<TCheckBox*, const char*> boxes[] = {{cbShowGeneralPage, "General,"},
                                                        {cbShowOutputPage, "Output,"},
                                                        {cbShowStylePage, "Style,"},
                                                        {cbShowTitlesPage, "Titles,"},
                                                        {cbShowSetupPage, "Setup,"}};
    for (const auto& [box, name] : boxes)
        if (!box->Checked()) hidden += name;
    if (!hidden.empty()) hidden.pop_back();
    ReportSettings->HiddenTabs = hidden;
}

void TfmTBXMain::mnViewClick(TObject*) {
    const std::pair<TMenuItem*, const char*> items[] = {{itmGeneralTab, "General"},
                                                        {itmOutputTab, "Output"},
                                                        {itmStylesTab, "Style"},
                                                        {itmTitlesTab, "Titles"},
                                                        {itmSetupTab, "Setup"}};
    for (const auto& [item, page] : items) item->SetEnabled(CnvtTabStrToNdx(page) >= 0);
}

void TfmTBXMain::itmViewPage(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    const int tab = CnvtTabStrToNdx(StripSymbols(item->Caption(), ""));
    TabSet->ShowTab(tab);
}

void TfmTBXMain::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (!Shift.Contains(TShiftFlag::ssCtrl)) return;
    if (Key == VK_TAB) {
        TabSet->SelectNext(!Shift.Contains(TShiftFlag::ssShift));
        TabSet->TabChanged(TabSet);
        return;
    }
    if (Key != VK_UP && Key != VK_DOWN) return;
    if (CompareText(nbOptions->ActivePage(), "Titles") != 0 || ActiveControl() == lbxMemoLocation) return;
    if (!ChkOptions(ActiveControl(), false, true)) return;
    const int index = lbxMemoLocation->ItemIndex();
    const int last = lbxMemoLocation->Count() - 1;
    const bool up = Key == VK_UP;
    if (up ? index > 0 : index < last) {
        if (ReportSettings && !ReportSettings->Modified) ReportSettings->Modified = memRptMemo->Modified();
        lbxMemoLocation->SetItemIndex(up ? index - 1 : index + 1);
    } else {
        MessageBeep(0xFFFF);
        lbxMemoLocation->SetItemIndex(up ? 0 : last);
    }
    Key = 0;
    lbxMemoLocationClick(lbxMemoLocation);
}

void TfmTBXMain::ShowStatusHint(TObject*) {
    // The hint goes where the user looks: the preview's status line while
    // the preview is open, the wizard's while the wizard is.
    TPanel* panel = !fmPreview && fmTBXDir ? fmTBXDir->paMsg : StatusPanel();
    if (!Timer1->Enabled() && panel->Color() != clBtnFace) panel->SetColor(clBtnFace);
    if (panel->Color() == clBtnFace) panel->SetCaption(StatusHintText(Application()->Hint()));
}

void TfmTBXMain::cbShowHintClick(TObject*) {
    if (Assigning || !ReportSettings) return;
    Application()->ShowHint = cbShowHint->Checked();
    ReportSettings->Modified = true;
}

TPanel* TfmTBXMain::StatusPanel() const { return fmPreview ? fmPreview->paMsg : paMsg; }

void TfmTBXMain::Timer1Timer(TObject*) { StatusMsg(StatusPanel(), "", TMsgDlgType::mtInformation, Timer1, -1); }

void TfmTBXMain::FormResize(TObject*) {
    if (!fmTBXMain || !ReportSettings || !nbOptions) return;
    edOutputFileName->SetBounds(sbPrinterSetup->Left(), edOutputFileName->Top(),
                                nbOptions->Width() - sbPrinterSetup->Left() - sbPrinterSetup->Width() -
                                    buBrowseFile->Width() - cbxIfOutputFileExists->Width(),
                                edOutputFileName->Height());
    buBrowseFile->SetLeft(edOutputFileName->Left() + edOutputFileName->Width() + 5);
    cbxIfOutputFileExists->SetLeft(buBrowseFile->Left() + buBrowseFile->Width() + 5);
    // The memo editor fills the Titles page below its options.
    memRptMemo->SetBounds(memRptMemo->Left(), 0, memRptMemo->Width(), nbOptions->Height() - paRptMemoOptions->Height());
    SetRptMemoDim();
    SetpaStyleOptsHeight();
}

void TfmTBXMain::itmOutputDestinationClick(TObject*) { SetCtrlFocus(cbxOutputDest, true, ""); }

void TfmTBXMain::paPagesAcrossClick(TObject*) {
    const std::string caption = Caption();
    const std::size_t marker = caption.find(DiagnosticMarker);
    if (marker != std::string::npos) {
        SetCaption(caption.substr(0, marker));
        paMsg->SetCaption("");
        return;
    }
    const std::string id = ReportSettings ? ReportSettings->ReportId.str() : std::string();
    const std::string object = ObjInfo ? ObjInfo->ObjName : std::string();
    SetCaption(caption + DiagnosticMarker + id + "\", ObjectToPrint:" + object);
    paMsg->SetCaption(" Tabrix! Data Directory: " + GetTBXDataDir());
}

} // namespace trx
