// The full column scan: every title, data and total row of the object to
// print is measured (all rows, a limited number, or on-screen widths only),
// with the progress window above 100 rows, then the columns are placed.
#include <algorithm>
#include <vector>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_progress.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"

namespace trx {

bool TObjInfo::IsRecordedCol(const TColsListData& Col) const {
    return Col.FldCalc != TFldCalc::fcLineNum && Col.FldCalc != TFldCalc::fcUndefined &&
           Col.FieldType != TFieldType::ftMemo && DataSet && Col.FieldIndex >= 0 &&
           Col.FieldIndex < DataSet->FieldCount();
}

bool TObjInfo::PrepareScanReplay() {
    ReplaySlots.assign(ColsList.size(), -1);
    if (!ScannedRows.Complete() || !DataSet || DataSet != ScannedDataSet) return false;
    if (ObjType != TObjType::IsTable && ObjType != TObjType::IsQuery && ObjType != TObjType::IsDataSet) return false;
    for (std::size_t i = 0; i < ColsList.size(); ++i) {
        const TColsListData& col = *ColsList[i];
        // A memo is read from its field, which needs the record.
        if (col.FieldType == TFieldType::ftMemo) return false;
        if (!IsRecordedCol(col)) continue;
        ReplaySlots[i] = ScannedRows.Slot(col.FieldIndex, Formatted);
        if (ReplaySlots[i] < 0) return false;
    }
    return true;
}

// The scan records the data texts it reads, so that the print can read
// them back instead of reading and formatting every record again; the
// recording counts only when the scan reads every row. Memos are not
// recorded: a table with a memo column is read twice.
void TObjInfo::StartScanRecording() {
    ScannedRows.Discard();
    ScannedDataSet = nullptr;
    if (!PrintSettings || !DataSet || GridWithoutDataSet || PrintSettings->ToExportFile || PrintSettings->IsSnapShot)
        return;
    if (ObjType != TObjType::IsTable && ObjType != TObjType::IsQuery && ObjType != TObjType::IsDataSet) return;
    std::vector<int> fields;
    RecordedCols.assign(ColsList.size(), false);
    for (std::size_t i = 0; i < ColsList.size(); ++i) {
        const TColsListData& col = *ColsList[i];
        if (col.FieldType == TFieldType::ftMemo && col.FldCalc != TFldCalc::fcLineNum) return;
        if (!IsRecordedCol(col)) continue;
        RecordedCols[i] = true;
        fields.push_back(col.FieldIndex);
    }
    if (ScannedRows.Start(fields, Formatted)) ScannedDataSet = DataSet;
}

void TObjInfo::CalcColWids(TPanel* MsgPanel, TPanel* PagesAcrossPanel, TTimer* /*Timer*/) {
    if (!PrintSettings || !ReportSettings) return;
    ChkObjectToPrint();
    TPrintSettings& ps = *PrintSettings;
    const TtrxReportSettings& rs = *ReportSettings;
    const bool scanData = rs.Snugfit == TSnugfit::osAllRows || rs.Snugfit == TSnugfit::osLimitedRows;
    auto stopped = [&ps] { return ps.OperStatus == TOperStatus::osAbort || ps.OperStatus == TOperStatus::osCancel; };
    auto finish = [&] {
        SizingStatus = stopped() ? TColSizingStatus::csPartial : TColSizingStatus::csCompleted;
        CloseProgressWindow(stopped(), "");
    };

    ps.Oper = TOper::opCalcColWidths;
    RcdsDone = 0;
    ps.OperStatus = TOperStatus::osActive;
    ps.AbortReason.clear();
    try {
        // The scan measures one state of the data, whatever other programs
        // change meanwhile.
        TConsistentRead read(DataSet);
        int rowLimit = 1;
        Eof = false;
        if (scanData) {
            rowLimit = Rows;
            if (rs.Snugfit == TSnugfit::osLimitedRows && !GridWithoutDataSet)
                rowLimit = std::min(Rows, rs.MaxRowsToSnugfit);
            // The dialog that holds the panels is the window's owner.
            TControl* onDialog = PagesAcrossPanel ? static_cast<TControl*>(PagesAcrossPanel) : MsgPanel;
            TForm* owner = onDialog ? dynamic_cast<TForm*>(GetParentForm(onDialog)) : nullptr;
            ActivateProgressWindow(rowLimit > 100, owner, "", "&Resume Column Scan", "&Abort Column Scan");
            if (!GetFirstRcd()) Eof = true;
        }
        ResetColsList(true);
        DataRowFont = TRegPlaneNdx::plAll;
        if (scanData) StartScanRecording();

        CurCell = Start;
        for (int i = 0; i < FixedRows; ++i) {
            CurCell.Y = Start.Y + i;
            CalcColWid(scanData, TRegPlaneNdx::plFirst);
        }

        // The data plane is measured from the first data row on, each row once.
        if (GridWithoutDataSet)
            CurCell.Y = FirstData.Y;
        else
            CurCell = TPoint{-1, -1};
        while (!Eof && !stopped()) {
            ++RcdsDone;
            CalcColWid(scanData, TRegPlaneNdx::plMiddle);
            UpdateProgressBar(RcdsDone, rowLimit, TPoint{-1, -1});
            if (RcdsDone < rowLimit) {
                GetNextRcd(TRegPlaneNdx::plMiddle, false);
                continue;
            }
            // A grid is measured at its last row too, once.
            if (GridWithoutDataSet && !stopped()) {
                GetNextRcd(TRegPlaneNdx::plMiddle, true);
                CalcColWid(scanData, TRegPlaneNdx::plMiddle);
            }
            break;
        }

        if (ScannedRows.Recording()) {
            // A scan that stopped at the number of rows counted has all the
            // rows only when there is no row after its last.
            bool allRows = Eof && !stopped();
            if (!Eof && !stopped() && RcdsDone >= rowLimit && DataSet->Active()) {
                DataSet->Next();
                allRows = DataSet->Eof();
            }
            ScannedRows.Finish(allRows);
        }

        CalcColWid(scanData, TRegPlaneNdx::plLast);
        CalcColPosns(PagesAcrossPanel);
        if (scanData) UpdateProgressBar(RcdsDone, rowLimit, TPoint{-1, -1});
        if (ps.OperStatus == TOperStatus::osActive) ps.OperStatus = TOperStatus::osCompleted;
    } catch (...) {
        ScannedRows.Discard();
        finish();
        throw;
    }
    finish();
}

} // namespace trx
