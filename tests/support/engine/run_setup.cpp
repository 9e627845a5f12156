#include "support/engine/run_setup.h"

#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_printer_setup.h"
#include "storage/settings_fields.h"

namespace trx::test {

namespace {


TPrintSettings& PS() { return *PrintSettings; }
TtrxReportSettings& RS() { return *ReportSettings; }

} // namespace

void SetReportDefaults(TtrxReportSettings& RS) {
    AssignFieldDefaults(RS);
    RS.GridLineDrawChrs = TtrxReportSettings::DefaultGridLineDrawChrs();
    RS.TreeLineDrawChrs = TtrxReportSettings::DefaultTreeLineDrawChrs();
}

void StartRun(TComponent* ObjectToPrint) {
    TObjInfo& oi = *ObjInfo;
    oi.ObjectToPrint = ObjectToPrint;
    oi.DefineObj();
    oi.CalcRows();
    std::string style = RS().StyleName;
    if (RptStyles->LoadStyle(style)) RS().StyleName = style;
    DeriveRunOptions();
    SetupRunPrinter();
    oi.CalcColWids(nullptr, nullptr, nullptr);
    SetupRunPrinter();
}

void PrepareToPrint() {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    ps.Oper = TOper::opPrinting;
    DeriveRunOptions();
    SetupRunPrinter();
    if (!ps.IsSnapShot && !ps.ToExportFile) {
        ObjInfo->ResizeColWids(nullptr);
        SetupRunPrinter();
        ps.SetPageRange(rs.PrintWhat, false, rs.PageRangeFrom, rs.PageRangeTo);
    }
}

int PrintRun(bool PauseAfterPrinting, TForm* Form) {
    PrepareToPrint();
    PS().LastModalResult = PS().PrintReport(PauseAfterPrinting, Form);
    return PS().LastModalResult;
}

} // namespace trx::test
