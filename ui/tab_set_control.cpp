#include "ui/tab_set_control.h"

#include "engine/report_settings.h"
#include "engine/trx_errors.h"
#include "framework/core/strings.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"

namespace trx {

TExitCheckHold::TExitCheckHold(TWinControl* Control)
    : control_(Control), handler_(Control ? Control->OnExit : nullptr) {
    if (control_) control_->OnExit = nullptr;
}

TExitCheckHold::~TExitCheckHold() {
    if (control_ && handler_) control_->OnExit = handler_;
}

TTabSetControl::TTabSetControl(TComponent* AOwner) : TTabControl(AOwner) {}

void TTabSetControl::SelectNext(bool Forward) {
    const int count = Tabs().Count();
    if (count == 0) return;
    int i = TabIndex();
    if (Forward)
        i = i < 0 || i + 1 >= count ? 0 : i + 1;
    else
        i = i <= 0 ? count - 1 : i - 1;
    SetTabIndex(i);
}

void TTabSetControl::SetNBPage(const std::string& Name) {
    if (!NoteBook) return;
    const int page = NoteBook->Pages().IndexOf(Name);
    if (page < 0)
        throw eTrxIntError(std::string(InternalErrorPrefix) + "SetNBPage Page \"" + Name +
                           "\" does not exist in NoteBook");
    NoteBook->SetPageIndex(page);
}

void TTabSetControl::ShowTab(int Index) {
    if (Index < 0 || Index >= Tabs().Count()) return;
    const auto* form = dynamic_cast<const TCustomForm*>(Owner());
    const TExitCheckHold hold(form ? form->FocusedControl() : nullptr);
    SetTabIndex(Index);
    SetNBPage(Tabs()[Index]);
}

void TTabSetControl::TabChanged(TObject*) {
    auto* dialog = dynamic_cast<TfmTBXMain*>(Owner());
    ChangePage(dialog);
    if (!dialog || !NoteBook || NoteBook->PageIndex() < 0) return;
    if (NoteBook->ActivePage() == "Titles") dialog->SetRptMemo();
    dialog->HelpContext = 200 + NoteBook->PageIndex();
}

void TTabSetControl::ChangePage(TfmTBXMain* dialog) {
    // The field being left is checked once here; its exit handler is taken
    // off while the focus moves to the new page, so that it does not run a
    // second time. Whatever happens, the handler and the dialog's state
    // come back.
    TWinControl* leaving = dialog ? dialog->ActiveControl() : nullptr;
    if (!dynamic_cast<TComboBox*>(leaving) && !dynamic_cast<TCustomEdit*>(leaving)) leaving = nullptr;
    TNotifyEvent exitHandler = leaving ? leaving->OnExit : nullptr;
    struct TRestore {
        TTabSetControl& Tabs;
        TfmTBXMain* Dialog;
        bool WasAssigning;
        ~TRestore() {
            Tabs.CancelChange = false;
            if (Dialog) Dialog->Assigning = WasAssigning;
        }
    } restore{*this, dialog, dialog && dialog->Assigning};

    CancelChange = false;
    if (dialog) dialog->Assigning = true;
    if (exitHandler) exitHandler(leaving);
    const TExitCheckHold hold(exitHandler ? leaving : nullptr);

    if (!CancelChange && dialog && TabIndex() >= 0 && dialog->CnvtTabStrToNdx("Setup") == TabIndex()) {
        const TtrxReportSettings* rs = ReportSettings;
        CancelChange =
            !AskPassword(rs ? rs->DialogTitle : std::string(),
                         "Enter Setup Password:", rs ? rs->RptSetUpPW : std::string(), false, PWInfo.EnteredSetupPW);
    }

    if (!CancelChange && TabIndex() >= 0) {
        SetNBPage(Tabs()[TabIndex()]);
    } else if (NoteBook && NoteBook->PageIndex() >= 0) {
        // A refused change puts the tab back on the page shown.
        const std::string shown = NoteBook->ActivePage();
        int back = -1;
        for (int i = 0; i < Tabs().Count() && back < 0; ++i)
            if (CompareText(Tabs()[i], shown) == 0) back = i;
        SetTabIndex(back);
    }
}

} // namespace trx
