// Stepping through the rows or records of the object to print.
#include <algorithm>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "framework/grids/decision_grid.h"
#include "framework/grids/string_grid.h"

namespace trx {

bool TObjInfo::GetFirstRcd() {
    const bool currentPage = PrintSettings && PrintSettings->RunPrintWhat() == TPrintWhat::pwCurrentPage;
    bool found = false;
    if (IsDataSetKind(ObjType)) {
        if (ReplayingScan) {
            found = ScannedRows.Rewind() && ScannedRows.NextRow();
        } else if (DataSet) {
            if (currentPage && ObjPosn)
                ObjPosn->RestorePosn();
            else
                DataSet->First();
            // An empty dataset has no first record, whatever its estimated size.
            found = DataSet->Active() && !DataSet->IsEmpty();
        }
        CurCell = TPoint{-1, -1};
    } else if (ObjType == TObjType::IsStringGrid) {
        const int top = currentPage && StringGrid ? std::max(StringGrid->TopRow(), FixedRows) : FixedRows;
        CurCell = TPoint{FixedCols, top};
        // Title rows alone are no data row.
        found = top < Rows;
        if (!found) CurCell = TPoint{-1, -1};
    } else if (ObjType == TObjType::IsDecGrid) {
        CurCell = TPoint{0, 0};
        found = Cols >= 1 && Rows - FixedRows >= 1;
        if (!found) CurCell = TPoint{-99, -99};
    }
    if (found && PrintSettings) ++PrintSettings->LineNum;
    // A new scan starts with the end of the data where this one finds it.
    Eof = !found;
    return found;
}

bool TObjInfo::GetNextRcd(TRegPlaneNdx YPlane, bool GoToLast) {
    const bool dataPlane = YPlane == TRegPlaneNdx::plMiddle;
    bool atEnd = true;
    bool moved = false;
    const auto stepRows = [&](int LastRows) {
        if (GoToLast) {
            atEnd = LastRows <= 0;
            if (!atEnd) {
                CurCell.Y = LastRows - 1;
                moved = true;
            }
        } else if (CurCell.Y + 1 < LastRows) {
            ++CurCell.Y;
            atEnd = false;
            moved = true;
        }
    };
    switch (ObjType) {
    case TObjType::IsDBGrid:
    case TObjType::IsDataSet:
    case TObjType::IsTable:
    case TObjType::IsQuery:
        if (!dataPlane) {
            atEnd = false;
            break;
        }
        CurCell = TPoint{-1, -1};
        if (ReplayingScan) {
            moved = ScannedRows.NextRow();
            while (GoToLast && moved && ScannedRows.NextRow()) {}
            atEnd = !moved;
        } else if (DataSet && DataSet->Active()) {
            if (GoToLast)
                DataSet->Last();
            else
                DataSet->Next();
            atEnd = DataSet->Eof();
            moved = !atEnd;
        }
        break;
    case TObjType::IsStringGrid: stepRows(Rows); break;
    case TObjType::IsDecGrid: stepRows(Rows - FixedRows); break;
    case TObjType::IsOutline:
        if (!dataPlane) {
            atEnd = false;
            break;
        }
        if (CurCell.Y + 1 < Rows) {
            ++CurCell.Y;
            atEnd = false;
            moved = true;
        }
        break;
    default: break;
    }
    if (moved && dataPlane && PrintSettings) ++PrintSettings->LineNum;
    Eof = atEnd;
    return atEnd;
}

} // namespace trx
