// What the run needs of the dialog's frame, transfers, dependent controls,
// checks and printer set-up while those are being written: the form's own
// events bound, the options derived from the settings, the printer set up
// through the engine's run set-up, every check passed.
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_setup.h"
#include "framework/forms/form.h"
#include "ui/options_dialog.h"
#include "ui/tab_set_control.h"

namespace trx {

void BindRunEvents(TfmTBXMain& Dialog) {
    TfmTBXMain* d = &Dialog;
    d->SetBorderStyle(TFormBorderStyle::bsNone);
    d->OnCreate = [d](TObject* Sender) { d->FormCreate(Sender); };
    d->OnDestroy = [d](TObject* Sender) { d->FormDestroy(Sender); };
    d->OnShow = [d](TObject* Sender) { d->FormShow(Sender); };
    d->OnCloseQuery = [d](TObject* Sender, bool& CanClose) { d->FormCloseQuery(Sender, CanClose); };
    d->SetMessageHandler(WM_TerminateWindow, [d](TMessage& m) { d->TerminateWindow(m); });
    d->SetMessageHandler(WM_RestoreWindowSize, [d](TMessage& m) { d->RestoreWindowSize(m); });
}

void TTabSetControl::TabChanged(TObject*) {}
void TfmTBXMain::ShowStatusHint(TObject*) {}
void TfmTBXMain::AssignScreenFields() {}
void TfmTBXMain::SetpaStyleOptsHeight() {}

void TfmTBXMain::SetOptions(TObject*, bool) {
    if (!SuppressSetOptions) DeriveRunOptions();
}

bool TfmTBXMain::ChkOptions(TObject*, bool, bool) { return !SuppressChkOptions; }

void TfmTBXMain::SetupPrinter(bool) { SetupRunPrinter(); }

bool Preview() { return false; }

} // namespace trx
