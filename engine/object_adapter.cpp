// Reading the object to print: its kind, its dataset, its dimensions and the
// identity of its columns; counting its rows.
#include <algorithm>
#include <exception>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/trx_errors.h"
#include "framework/core/strings.h"
#include "framework/data/data_source.h"
#include "framework/data/query.h"
#include "framework/data/table.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/decision_grid.h"
#include "framework/grids/outline.h"
#include "framework/grids/string_grid.h"
#include "framework/grids/tree_view.h"

namespace trx {

namespace {

[[noreturn]] void SetupError(const std::string& Text) { throw ETrxSUError(SetupErrorPrefix + Text); }

std::string ObjectGoneText(const std::string& Component) {
    return Component + ".ObjectToPrint not assigned. Report cannot continue";
}

} // namespace

void TObjInfo::ForgetObjectLinks() {
    DBGrid = nullptr;
    StringGrid = nullptr;
    Outline = nullptr;
    TreeView = nullptr;
#ifdef UseDecGrid
    DecisionGrid = nullptr;
#endif
    DataSet = nullptr;
    ObjPosn.reset();
}

void TObjInfo::ForgetObjectToPrint() {
    ObjectGone = true;
    ObjectToPrint = nullptr;
    // A database grid's dataset may outlive it, but the run reads it only
    // through the grid.
    ForgetObjectLinks();
    DropScanRecording();
    ReplayingScan = false;
    if (PrintSettings && PrintSettings->OperStatus == TOperStatus::osActive) {
        PrintSettings->OperStatus = TOperStatus::osAbort;
        PrintSettings->AbortReason = SetupErrorPrefix + ObjectGoneText(ComponentName);
    }
}

void TObjInfo::ChkObjectToPrint() const {
    if (ObjectGone) SetupError(ObjectGoneText(ComponentName));
}

void TObjInfo::DefineObj() {
    if (!ObjectToPrint) SetupError("ObjectToPrint not assigned in Object Inspector");

    ObjName.clear();
    ObjType = TObjType::IsInvalid;
    ForgetObjectLinks();
    // The columns of an object defined before are no columns of this one.
    ColsList.clear();
    FreeMemoBuffer();
    CurCell = TPoint{-99, -99};
    Start = TPoint{0, 0};
    FirstData = TPoint{0, 0};
    FixedCols = 0;
    FixedRows = 0;
    RowToCols = 0;
    TotalRows = 0;
    Rows = -1;
    Cols = 0;

    TComponent* obj = ObjectToPrint;
    ObjName = obj->Name();
    if (dynamic_cast<TTable*>(obj))
        ObjType = TObjType::IsTable;
    else if (dynamic_cast<TQuery*>(obj))
        ObjType = TObjType::IsQuery;
    else if (dynamic_cast<TDBGrid*>(obj))
        ObjType = TObjType::IsDBGrid;
    else if (dynamic_cast<TStringGrid*>(obj))
        ObjType = TObjType::IsStringGrid;
    else if (dynamic_cast<TOutline*>(obj))
        ObjType = TObjType::IsOutline;
    else if (dynamic_cast<TTreeView*>(obj))
        ObjType = TObjType::IsTreeView;
#ifdef UseDecGrid
    else if (dynamic_cast<TDecisionGrid*>(obj))
        ObjType = TObjType::IsDecGrid;
#endif
    else if (dynamic_cast<TDataSet*>(obj))
        ObjType = TObjType::IsDataSet;

    switch (ObjType) {
    case TObjType::IsTable:
    case TObjType::IsQuery:
    case TObjType::IsDataSet:
        DataSet = dynamic_cast<TDataSet*>(obj);
        ChkOpenDataSet(ObjName, DataSet);
        Cols = DataSet->FieldCount();
        FixedRows = 1;
        break;
    case TObjType::IsDBGrid: {
        DBGrid = static_cast<TDBGrid*>(obj);
        TDataSource* source = DBGrid->DataSource();
        if (!source) SetupError("Object:" + ObjName + "\r\rDataSource property is missing");
        if (!source->DataSet())
            SetupError("Object:" + ObjName + "\r\r" + source->Name() + " is missing the DataSet property");
        DataSet = source->DataSet();
        ChkOpenDataSet(ObjName, DataSet);
        Cols = DBGrid->FieldCount();
        FixedRows = 1;
        break;
    }
    case TObjType::IsStringGrid: {
        StringGrid = static_cast<TStringGrid*>(obj);
        int rows = 0, cols = 0;
        GetGridDim(StringGrid, rows, cols);
        Rows = rows;
        Cols = cols;
        FixedRows = StringGrid->FixedRows();
        FixedCols = StringGrid->FixedCols();
        CurCell = TPoint{StringGrid->Col(), StringGrid->Row()};
        FirstData = TPoint{FixedCols, FixedRows};
        break;
    }
    case TObjType::IsOutline:
        Outline = static_cast<TOutline*>(obj);
        Cols = 1;
        Rows = Outline->ItemCount();
        CurCell = TPoint{-1, Outline->SelectedItem()};
        break;
    case TObjType::IsTreeView:
        TreeView = static_cast<TTreeView*>(obj);
        Cols = 1;
        Rows = TreeView->Items().Count();
        break;
#ifdef UseDecGrid
    case TObjType::IsDecGrid:
        DecisionGrid = static_cast<TDecisionGrid*>(obj);
        Cols = DecisionGrid->ColCount() - 1;
        Rows = DecisionGrid->RowCount();
        FixedRows = DecisionGrid->FixedRows();
        FixedCols = DecisionGrid->FixedCols() - 1;
        CurCell = TPoint{0, 0};
        Start = TPoint{-FixedCols, -FixedRows};
        break;
#endif
    default:
        SetupError(
            "\r\rObjectToPrint is invalid. It must be one of:\r"
            "TStringGrid, TDBGrid, TDataSet, TTable, TQuery, TOutline, TTreeView, TDecisionGrid\r\r"
            "(NOTE: TDescisionGrid needs UseDecGrid conditional symbol turned on - See TBX.INC)");
    }

    LineNumColPos = FixedCols;
    TreeLike = ObjType == TObjType::IsOutline || ObjType == TObjType::IsTreeView;
    GridLike = !TreeLike && ObjType != TObjType::IsInvalid;
    GridWithoutDataSet = GridLike && !DataSet;
    SQLBased = IsDatasetSQLBased();
    SizingStatus = TColSizingStatus::csNotPerformed;

    MakeColsList(Cols);

    if (RowToCols >= 1)
        CurXPlane = TRegPlaneNdx::plLast;
    else if (Cols <= FixedCols)
        CurXPlane = TRegPlaneNdx::plFirst;
    else
        CurXPlane = TRegPlaneNdx::plMiddle;

    if (DataSet && !DataSet->Active())
        SetupError(ComponentName + " uses dataset " + DataSet->Name() +
                   "  and this dataset is InActive. The dataset must be active.");

    ObjPosn = std::make_unique<TObjPosn>();
    if (DataSet) DataSet->DisableControls();
}

void TObjInfo::ChkOpenDataSet(const std::string& Name, TDataSet* ADataSet) {
    if (!ADataSet || ADataSet->Active()) return;
    std::string message;
    try {
        ADataSet->SetActive(true);
        return;
    } catch (const Exception& e) {
        message = e.Message;
    } catch (const std::exception& e) {
        message = e.what();
    }
    SetupError("Object: " + Name + "\r\r" + "Opening Dataset: " + ADataSet->Name() + "\r" + message);
}

bool TObjInfo::IsDatasetSQLBased() const {
    if (!DataSet) return false;
    if (ObjType == TObjType::IsQuery) return true;
    TComponent* owner = DataSet->Owner();
    if (!owner) return false;
    return dynamic_cast<TQuery*>(owner->FindComponent(DataSet->Name())) != nullptr;
}

void TObjInfo::GetGridDim(TStringGrid* Grid, int& Rows, int& Cols) {
    Rows = 0;
    Cols = 0;
    if (!Grid) return;
    for (int r = Grid->RowCount() - 1; r >= 0; --r) {
        for (int c = Grid->ColCount() - 1; c >= 0; --c) {
            if (Trim(Grid->Cells(c, r)).empty()) continue;
            if (r + 1 > Rows) Rows = r + 1;
            if (c + 1 > Cols) Cols = c + 1;
            break; // nothing further left in this row can raise Cols
        }
    }
}

bool TObjInfo::GetFldNameNum(int ColNum, std::string& Name, int& FieldIndex, TFieldType& FieldType, int& DataSize,
                             TFldCalc& FldCalc) {
    switch (ObjType) {
    case TObjType::IsDBGrid: {
        FldCalc = TFldCalc::fcGrid;
        TField* field = DBGrid ? DBGrid->Fields(ColNum) : nullptr;
        if (!field) return false;
        Name = field->FieldName;
        FieldType = field->DataType();
        DataSize = field->DataSize();
        FieldIndex = field->Index();
        // A column hidden in the grid is not printed either.
        return field->Visible && DBGrid->Columns().Items(ColNum)->Visible();
    }
    case TObjType::IsStringGrid:
        Name = "Col#" + IntToStr(ColNum);
        FieldType = TFieldType::ftString;
        DataSize = 0;
        FieldIndex = ColNum;
        FldCalc = TFldCalc::fcGrid;
        return true;
    case TObjType::IsDataSet:
    case TObjType::IsTable:
    case TObjType::IsQuery: {
        TField* field = DataSet ? DataSet->Fields(ColNum) : nullptr;
        if (!field) return false;
        Name = field->FieldName;
        FieldType = field->DataType();
        DataSize = field->DataSize();
        FieldIndex = field->Index();
        FldCalc = TFldCalc::fcDataSet;
        return field->Visible;
    }
    case TObjType::IsDecGrid:
        Name = "Col#" + IntToStr(ColNum);
        FieldType = ColNum < 0 ? TFieldType::ftString : TFieldType::ftInteger;
        DataSize = 0;
        FieldIndex = ColNum;
        FldCalc = TFldCalc::fcGrid;
        return true;
    default: return true;
    }
}

bool TObjInfo::IsFieldTypePrintable(TFieldType FieldType) {
    return (FieldType >= TFieldType::ftString && FieldType <= TFieldType::ftDateTime) ||
           FieldType == TFieldType::ftAutoInc || FieldType == TFieldType::ftMemo;
}

void TObjInfo::CalcRows() {
    if (IsDataSetKind(ObjType) && DataSet) {
        if (ReportSettings && ReportSettings->CountNumRcds)
            Rows = DataSet->RecordCount();
        else
            Rows = std::max(ReportSettings ? ReportSettings->RcdEstimate : 0, 9);
    }
    Digits = static_cast<int32_t>(IntToStr(Rows).size());
    if (Rows == 0) SetupError(ObjName + " is empty and " + ComponentName + " has nothing to print.");
}

} // namespace trx
