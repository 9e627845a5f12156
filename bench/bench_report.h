// What the benchmark programs share: the report they print (IBM line
// drawing, every text on one line, no page title and no line numbers, as
// the sqlite3 shell's box output shows a table) and the run over a table
// of a SQLite database.
#pragma once

#include <string>

#include "engine/obj_info.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "framework/data/table.h"
#include "support/engine/run_setup.h"

namespace trx::bench {

// The report's settings; each program sets its destination, page and
// column scan on top.
inline TtrxReportSettings& SetUpBenchmarkReport(TRunScope& Globals) {
    TtrxReportSettings& rs = Globals.RS();
    test::SetReportDefaults(rs);
    rs.DialogTitle = "Benchmark";
    rs.ReportDesc = "Benchmark";
    rs.DisplayProgressWindow = false;
    rs.OutputQuality = static_cast<uint8_t>(TOutputQuality::oqIBMLineDraw);
    rs.ReportAlignment = TAlignment::taLeftJustify;
    rs.MaxStringColWid[TUnitsOfMeasure::umTxt] = 80;
    rs.MaxStringLines = 1;
    rs.Memo(TRptMemoNdx::rmPgTi).SetText("");
    Globals.Styles().StyleOpts[TStyleOptNdx::soLineNumbers].Value = false;
    Globals.OI().ComponentName = "TrxTabrix1";
    return rs;
}

// Opens the table and starts the run over it, as the component does.
inline void StartBenchmarkRun(TTable& Table, const std::string& Database, const std::string& TableName) {
    Table.SetName("tblBench");
    Table.SetDatabaseName(Database);
    Table.SetTableName(TableName);
    Table.Open();
    test::StartRun(&Table);
}

} // namespace trx::bench
