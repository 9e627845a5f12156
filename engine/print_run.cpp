// The run of one print, export or window snapshot: the destination is
// opened, the progress window shown, the work done, and the run status
// turned into the run's result (1 completed, 2 cancelled, 3 aborted).
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_progress.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/date_time.h"
#include "framework/forms/form.h"
#include "framework/printing/printer.h"

namespace trx {

namespace {

// The form the object to print stands on: a control's form, or the form
// that owns a component that is not a control.
TCustomForm* ObjectForm() {
    if (!ObjInfo || !ObjInfo->ObjectToPrint) return nullptr;
    TComponent* obj = ObjInfo->ObjectToPrint;
    if (auto* control = dynamic_cast<TControl*>(obj)) {
        if (auto* form = dynamic_cast<TCustomForm*>(control)) return form;
        return GetParentForm(control);
    }
    for (TComponent* owner = obj->Owner(); owner; owner = owner->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(owner)) return form;
    return nullptr;
}

} // namespace

void TPrintSettings::PrintSnapShot() {
    TCustomForm* form = ObjectForm();
    const std::string component = ObjInfo ? ObjInfo->ComponentName : std::string();
    if (!form) throw ETrxSUError("TtrxTabrix Setup Error\r\r" + component + " does not have a form");
    if (!ToPrinter)
        throw ETrxSUError(
            "TtrxTabrix Setup Error\r\rAttempted to print snapshot without using printer as Output Destination");

    const bool keepVisible = form->Visible();
    const TPrintScale keepScale = form->PrintScale;
    const TWindowState keepState = form->WindowState();
    struct TRestore {
        TCustomForm& Form;
        bool Visible;
        TPrintScale Scale;
        TWindowState State;
        ~TRestore() {
            Form.SetVisible(Visible);
            Form.PrintScale = Scale;
            if (Form.WindowState() != State) Form.SetWindowState(State);
        }
    } restore{*form, keepVisible, keepScale, keepState};

    const std::string size = FixStrLng(ReportSettings ? ReportSettings->SnapShotSize.str() : std::string(), 2);
    if (size[0] == 'M' && form->WindowState() != TWindowState::wsMaximized)
        form->SetWindowState(TWindowState::wsMaximized);
    switch (size[1]) {
    case 'P': form->PrintScale = TPrintScale::poProportional; break;
    case 'S': form->PrintScale = TPrintScale::poNone; break;
    default: form->PrintScale = TPrintScale::poPrintToFit; break;
    }
    if (!form->Visible()) form->SetVisible(true);
    form->Print();
}

int TPrintSettings::PrintReport(bool PauseAfterPrinting, TForm* Form) {
    TtrxReportSettings* rs = ReportSettings;
    int result = 3;
    PagesOutput = 0;
    OperStatus = TOperStatus::osActive;
    AbortReason.clear();
    OutcomeShown = false;
    DestFile.clear();
    // The failure that ends the run is kept for the progress window's result.
    auto aborted = [this](std::exception_ptr Failure) {
        OperStatus = TOperStatus::osAbort;
        try {
            std::rethrow_exception(Failure);
        } catch (const std::exception& e) {
            AbortReason = e.what();
        } catch (...) {
            AbortReason.clear();
        }
    };

    // An object to print that is gone, and memos or columns that leave the
    // page no room for the report, are setup errors, told as such. They are
    // found before anything is opened: no file is overwritten and no
    // document started for a report that cannot print.
    bool fits = true;
    try {
        if (ObjInfo) ObjInfo->ChkObjectToPrint();
        if (!ToExportFile && !IsSnapShot) CalcMemoHts();
    } catch (const ETrxSUError&) {
        aborted(std::current_exception());
        LastModalResult = 3;
        throw;
    } catch (...) {
        aborted(std::current_exception());
        fits = false;
    }

    // Every failure while the destination opens and the report is worked
    // through ends the run as aborted, without a message.
    try {
        DestName.clear();
        if (ToPrinter) {
            const int ndx = Printer()->PrinterIndex();
            if (ndx >= 0 && ndx < Printer()->Printers().Count()) DestName = Printer()->Printers().Get(ndx);
        } else if (ToFile && rs) {
            DestName = rs->OutputFileName;
        }
        // A delimiter or quote that the options window would refuse, set by
        // a program or read from the settings file, gives a file no reader
        // takes apart: the run stops before the file is touched.
        if (ToExportFile && rs) {
            const std::string fault =
                ExportChrsFault(DecodeExportChr(rs->ExportFieldDelim), DecodeExportChr(rs->ExportQuote));
            if (!fault.empty()) throw ETrxSUError(SetupErrorPrefix + fault);
        }
        if (fits && OpenOutput()) {
            // A printer that writes a file says which: the user is told where
            // the report went.
            if (ToPrinter && !UseFastPrinterText && Printer()->Printing()) {
                DestFile = Printer()->DocumentFile();
                if (!DestFile.empty()) DestName += ": " + DestFile;
            }
            // The run reads one state of the data from its first row to its
            // last, whatever other programs change meanwhile.
            TConsistentRead read(ObjInfo ? ObjInfo->DataSet : nullptr);
            if (!ToExportFile && !IsSnapShot) CorrectPageRange();
            if (!IsSnapShot)
                ActivateProgressWindow(rs && rs->DisplayProgressWindow, Form,
                                       "Report:" + (rs ? rs->DialogTitle : std::string()), "&Resume Report",
                                       "&Abort Report");
            if (IsSnapShot)
                PrintSnapShot();
            else if (ToExportFile)
                PrintExport();
            else
                PrintPages();
            if (OperStatus == TOperStatus::osActive) OperStatus = TOperStatus::osCompleted;
        }
    } catch (...) {
        aborted(std::current_exception());
    }

    switch (OperStatus) {
    case TOperStatus::osCompleted: result = 1; break;
    case TOperStatus::osCancel: result = 2; break;
    default: result = 3; break;
    }

    // Closing may fail too: the progress window still closes, the run counts
    // as aborted, and the failure goes on to the caller.
    auto closeProgress = [&] {
        std::string text = ToExportFile ? std::string() : IntToStr(PagesOutput) + " Pages Printed. ";
        text += "Elapsed Time: " + FormatElapsedTime(Now() - StartTime);
        CloseProgressWindow(PauseAfterPrinting, text);
    };
    try {
        CloseOutput();
    } catch (...) {
        aborted(std::current_exception());
        LastModalResult = 3;
        closeProgress();
        throw;
    }
    closeProgress();
    return result;
}

} // namespace trx
