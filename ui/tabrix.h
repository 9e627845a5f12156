// TTrxTabrix, the component an application drops on a form: pointed at a
// data control or dataset through ObjectToPrint, given a report identifier
// and optionally a user name, and asked to Print. It keeps one settings-file
// manager for its whole life; everything else of a run (the options dialog,
// the run's objects, the preview and progress windows) exists only during
// one call of Print.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/obj_info.h"
#include "engine/report_settings.h"
#include "framework/core/component.h"
#include "storage/file_mgr.h"

namespace trx {

// True when the report dialog of a run was made at run time rather than in
// the designer; set by every Print.
extern bool TBXObjCreatedAtRuntime;

// A component Print can print: a database grid, table, query, string grid,
// any dataset, or a decision grid. Outlines and tree views are not taken.
bool IsValidTabrixCompType(const TComponent* Component);

class TTrxTabrix : public TComponent {
public:
    // On a form, the form's most printable named component becomes the
    // object to print (decision grid, then database grid, string grid,
    // query, table, dataset; the first of equals).
    explicit TTrxTabrix(TComponent* AOwner);
    ~TTrxTabrix() override;

    void Loaded() override;

    // ---- Properties ---------------------------------------------------------
    TComponent* ObjectToPrint() const { return objectToPrint_; }
    // Raises ETrxSUError for a component that cannot be printed and keeps
    // the object it had; nullptr is taken.
    void SetObjectToPrint(TComponent* Value);

    // The reader of ReportId: an empty identifier is first reserved in the
    // settings file (not while the component is written out).
    const TtrxReportId& ReportId() { return GetReportId(); }
    const TtrxReportId& GetReportId();
    // Outside loading, the stored section is renamed at once and the
    // component takes the names the rename gives back.
    void SetReportId(const std::string& Value);

    const TtrxUserName& UserName() const { return userName_; }
    // Cut to 8 characters, then everything but letters and digits dropped;
    // outside loading the stored section is renamed at once.
    void SetUserName(const std::string& Value);

    std::string DialogTitle;
    // Called after the settings of a run are loaded; it may change every
    // setting but the report identifier.
    TtrxAfterOptionsLoaded AfterOptionsLoaded;

    // ---- Running a report -----------------------------------------------------
    // Runs one report through the options dialog: 0 when nothing was
    // printed, else the result of the run's last print (1 completed,
    // 2 cancelled, 3 aborted), and 3 when the run's objects could not be
    // made. Setup errors are raised as ETrxSUError before anything starts.
    int Print();
    // Pages output by the print runs of the last Print.
    int32_t PagesPrinted = 0;

    // ---- The stored settings --------------------------------------------------
    // Each returns false when the settings file's lock was not obtained in
    // time (nothing was done then).
    // Fills the run's settings; fails outside a run.
    bool LoadReportSettings();
    // Writes the run's settings under this component's user and identifier
    // (completed with a suffix when it has none), stamping the save time.
    bool SaveReportSettings();
    bool DeleteReportSettings();
    // Renames the section of OldUser and OldId (settings not rewritten);
    // once it completes the component takes the resulting names.
    bool RenameReportSettings(const TtrxUserName& OldUser, const TtrxReportId& OldId, const TtrxUserName& NewUser,
                              const TtrxReportId& NewId);

    std::unique_ptr<TtrxFileMgr> FileMgr;
    // Gates the reservation of an identifier by GetReportId, and
    // DeleteReportSettings.
    bool AllowAutoSave = true;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Points ObjectToPrint at Value, moving the free notification over.
    void TakeObjectToPrint(TComponent* Value);

    TComponent* objectToPrint_ = nullptr;
    TtrxReportId reportId_;
    TtrxUserName userName_;
};

} // namespace trx
