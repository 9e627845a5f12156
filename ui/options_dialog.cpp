#include "ui/options_dialog.h"

#include "framework/forms/extra_controls.h"
#include "ui/tab_set_control.h"

namespace trx {

TfmTBXMain* fmTBXMain = nullptr;

TfmTBXMain::TfmTBXMain(TComponent* AOwner) : TForm(AOwner) { BuildLayout(); }

TfmTBXMain::~TfmTBXMain() {
    if (fmTBXMain == this) fmTBXMain = nullptr;
}

void TfmTBXMain::FormCreate(TObject*) {
    TabSet = new TTabSetControl(this);
    TabSet->SetParent(paMiddle);
    TabSet->SetHeight(26);
    TabSet->SetAlign(TAlign::alTop);
    TabSet->NoteBook = nbOptions;
    TabSet->OnChange = [this](TObject* Sender) { TabSet->TabChanged(Sender); };
    SavedWidth = 640;
    SavedHeight = 480;
    SetWidth(0);
    SetHeight(0);
    FirstShow = true;
}

void TfmTBXMain::FormDestroy(TObject*) {}
void TfmTBXMain::FormShow(TObject*) {}
void TfmTBXMain::InitVars() {}
void TfmTBXMain::TerminateWindow(TMessage&) { Close(); }
void TfmTBXMain::RestoreWindowSize(TMessage&) {}
void TfmTBXMain::TerminateWindowOnError() {}
void TfmTBXMain::sbPrintClick(TObject*) {}
void TfmTBXMain::sbPreviewClick(TObject*) {}
void TfmTBXMain::sbSaveOptsClick(TObject*) {}
void TfmTBXMain::itmPrintClick(TObject*) {}
void TfmTBXMain::itmPreviewClick(TObject*) {}
void TfmTBXMain::itmSaveClick(TObject*) {}
void TfmTBXMain::SaveRptSettings(bool) {}
void TfmTBXMain::bbCloseClick(TObject*) { Close(); }
void TfmTBXMain::itmCalcColSIzeClick(TObject*) {}
void TfmTBXMain::mnFileClick(TObject*) {}
void TfmTBXMain::FormCloseQuery(TObject*, bool& CanClose) { CanClose = true; }
bool TfmTBXMain::OkToCloseForm() { return true; }
bool TfmTBXMain::WasEditCtrlModified(TControl*) { return false; }
void TfmTBXMain::ResetModified() {}

} // namespace trx
