#include "ui/tabrix.h"

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/date_time.h"
#include "framework/core/strings.h"
#include "framework/data/dataset.h"
#include "framework/data/query.h"
#include "framework/data/table.h"
#include "framework/forms/application.h"
#include "framework/forms/form.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/decision_grid.h"
#include "framework/grids/outline.h"
#include "framework/grids/string_grid.h"
#include "framework/grids/tree_view.h"
#include "ui/options_dialog.h"

namespace trx {

bool TBXObjCreatedAtRuntime = false;

namespace {

template <class T>
bool IsA(const TComponent* Component) {
    return dynamic_cast<const T*>(Component) != nullptr;
}

// How much a component is worth as the object to print by default; -1 for
// a component that is none of the printable kinds.
int DefaultPickRank(const TComponent* Component) {
#ifdef UseDecGrid
    if (IsA<TDecisionGrid>(Component)) return 7;
#endif
    if (IsA<TDBGrid>(Component)) return 6;
    if (IsA<TStringGrid>(Component)) return 5;
    if (IsA<TTreeView>(Component)) return 4;
    if (IsA<TOutline>(Component)) return 3;
    if (IsA<TQuery>(Component)) return 2;
    if (IsA<TTable>(Component)) return 1;
    if (IsA<TDataSet>(Component)) return 0;
    return -1;
}

[[noreturn]] void SetupError(const std::string& Text) { throw ETrxSUError(std::string(SetupErrorPrefix) + Text); }

} // namespace

bool IsValidTabrixCompType(const TComponent* Component) {
    return IsA<TDBGrid>(Component) || IsA<TTable>(Component) || IsA<TQuery>(Component) || IsA<TStringGrid>(Component) ||
           IsA<TDataSet>(Component)
#ifdef UseDecGrid
           || IsA<TDecisionGrid>(Component)
#endif
        ;
}

TTrxTabrix::TTrxTabrix(TComponent* AOwner) : TComponent(AOwner) {
    // A component made while a report runs leaves that report's dialog alone.
    if (auto* form = dynamic_cast<TForm*>(AOwner)) {
        TComponent* choice = nullptr;
        int best = -1;
        for (int i = 0; i < form->ComponentCount(); ++i) {
            TComponent* c = form->Components(i);
            if (c->Name().empty() || !IsValidTabrixCompType(c)) continue;
            const int rank = DefaultPickRank(c);
            if (rank > best) {
                best = rank;
                choice = c;
            }
        }
        TakeObjectToPrint(choice);
    }
    FileMgr = std::make_unique<TtrxFileMgr>();
}

TTrxTabrix::~TTrxTabrix() { FileMgr.reset(); }

void TTrxTabrix::Loaded() { TComponent::Loaded(); }

namespace {

// The object the run of Component prints; nullptr outside its run.
TComponent* RunObject(const TTrxTabrix* Component) {
    return ObjInfo && ObjInfo->Component == Component ? ObjInfo->ObjectToPrint : nullptr;
}

} // namespace

void TTrxTabrix::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || !AComponent) return;
    if (AComponent == objectToPrint_) objectToPrint_ = nullptr;
    // The run keeps its own copy of the object: it must let go of it too.
    if (AComponent == RunObject(this)) {
        if (fmTBXMain && static_cast<TComponent*>(fmTBXMain->ControlsDisabledOf) == AComponent)
            fmTBXMain->ControlsDisabledOf = nullptr;
        ObjInfo->ForgetObjectToPrint();
    }
}

void TTrxTabrix::TakeObjectToPrint(TComponent* Value) {
    // The object may live on another form or data module: its going must
    // reach us whoever owns it, and the going of the object a run of ours
    // prints even after another one was chosen.
    if (objectToPrint_ && objectToPrint_ != RunObject(this)) RemoveFreeNotification(objectToPrint_);
    objectToPrint_ = Value;
    if (objectToPrint_) FreeNotification(objectToPrint_);
}

void TTrxTabrix::SetObjectToPrint(TComponent* Value) {
    if (Value == objectToPrint_) return;
    if (Value && !IsValidTabrixCompType(Value)) {
        const std::string owner = Value->Owner() ? Value->Owner()->Name() : std::string();
        SetupError("The TtrxTabrix.ObjectToPrint property is set to a component (\"" + owner + "." + Value->Name() +
                   "\") that cannot be printed by Tabrix!");
    }
    TakeObjectToPrint(Value);
}

void TTrxTabrix::SetReportId(const std::string& Value) {
    if (!Value.empty() && reportId_.str() == Value) return;
    if (HasState(csLoading) || HasState(csReading)) {
        reportId_ = Value;
        return;
    }
    RenameReportSettings(userName_, reportId_, userName_, TtrxReportId(Value));
}

void TTrxTabrix::SetUserName(const std::string& Value) {
    const std::string name = StripSymbols(Value.substr(0, TtrxUserName::MaxLength), "");
    if (userName_.str() == name) return;
    if (HasState(csLoading) || HasState(csReading)) {
        userName_ = name;
        return;
    }
    RenameReportSettings(userName_, reportId_, TtrxUserName(name), reportId_);
    AllowAutoSave = true;
}

const TtrxReportId& TTrxTabrix::GetReportId() {
    if (reportId_.empty() && !HasState(csWriting) && AllowAutoSave) {
        // The reservation keeps the user; the names come back only when the
        // settings file took them.
        TtrxUserName user = userName_;
        TtrxReportId id;
        if (FileMgr->SaveReportSettings(user, id, false)) {
            userName_ = user;
            reportId_ = id;
        }
    }
    return reportId_;
}

bool TTrxTabrix::LoadReportSettings() { return FileMgr->LoadReportSettings(userName_, reportId_); }

bool TTrxTabrix::SaveReportSettings() {
    if (ReportSettings) ReportSettings->LastSaveDate = Now();
    return FileMgr->SaveReportSettings(userName_, reportId_, true);
}

bool TTrxTabrix::DeleteReportSettings() {
    if (!AllowAutoSave) return false;
    return FileMgr->DeleteReportSettings(userName_, reportId_);
}

bool TTrxTabrix::RenameReportSettings(const TtrxUserName& OldUser, const TtrxReportId& OldId,
                                      const TtrxUserName& NewUser, const TtrxReportId& NewId) {
    TtrxUserName resUser = userName_;
    TtrxReportId resId = reportId_;
    if (!FileMgr->RenameReportSettings(OldUser, OldId, NewUser, NewId, false, resUser, resId)) return false;
    userName_ = resUser;
    reportId_ = resId;
    return true;
}

int TTrxTabrix::Print() {
    int result = 3;
    if (!FileMgr) SetupError("TtrxTabrix component could not be created properly");
    if (!objectToPrint_) SetupError(Name() + ".ObjectToPrint not assigned. Report cannot continue");
    if (Trim(GetReportId().str()).empty()) SetupError(Name() + ".ReportId is blank. Report cannot continue");
    // One dialog serves one run at a time.
    if (fmTBXMain) SetupError(Name() + ".Print called while another report is running. Report cannot continue");

    fmTBXMain = nullptr;
    Application()->CreateForm(fmTBXMain);

    // The caller's form waits under the hourglass; it gets its own cursor
    // back only while it still exists.
    TCustomForm* caller = Screen()->ActiveForm();
    const uint64_t callerId = caller ? caller->FormId() : 0;
    const TCursor callerCursor = caller ? caller->Cursor() : crDefault;
    if (caller) caller->SetCursor(crHourGlass);

    auto finish = [&] {
        FileMgr->ReportSettings = nullptr;
        FreeAndNil(fmTBXMain);
        if (Screen()->IsLive(caller, callerId)) caller->SetCursor(callerCursor);
    };
    try {
        // Only the dialog's own run objects will do: globals of another run
        // that is open are not this run's.
        if (fmTBXMain && fmTBXMain->RunScope && ReportSettings && PrintSettings && ObjInfo) {
            TBXObjCreatedAtRuntime = !fmTBXMain->HasState(csDesigning);
            ObjInfo->ObjectToPrint = objectToPrint_;
            ObjInfo->ComponentName = Name();
            ObjInfo->CallerForm = dynamic_cast<TForm*>(caller);
            ObjInfo->Dialog = fmTBXMain;
            ObjInfo->Component = this;
            ObjInfo->AfterOptionsLoaded = AfterOptionsLoaded;
            fmTBXMain->CallerFormId = ObjInfo->CallerForm ? callerId : 0;
            ReportSettings->ReportId = reportId_;
            ReportSettings->DialogTitle = DialogTitle;
            ReportSettings->UserName = userName_;
            FileMgr->ReportSettings = ReportSettings;
            fmTBXMain->ShowModal();
            result = PrintSettings->LastModalResult;
            PagesPrinted = PrintSettings->TotalPagesOutput;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return result;
}

} // namespace trx
