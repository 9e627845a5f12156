// The run's view of the object to print: its kind, dimensions and report
// columns, stepping through its rows or records, cell texts, memo buffers,
// line numbers, saved positions and line bookmarks; column measurement and
// placement on pages across.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/report_types.h"
#include "engine/scanned_rows.h"
#include "framework/core/component.h"
#include "framework/core/types.h"
#include "framework/data/dataset.h"
#include "framework/data/field_type.h"

namespace trx {

class TtrxReportSettings;
class TForm;
class TPanel;
class TTimer;
class TField;
class TDBGrid;
class TStringGrid;
class TOutline;
class TTreeView;
class TTreeNode;
class TDecisionGrid;
class TfmTBXMain;
class TTrxTabrix;

// The kinds read through a dataset: a database grid (through its data
// source), a table, a query or any other dataset.
inline bool IsDataSetKind(TObjType Kind) {
    return Kind == TObjType::IsDBGrid || Kind == TObjType::IsDataSet || Kind == TObjType::IsTable ||
           Kind == TObjType::IsQuery;
}

// Called after the settings of a run are loaded; may change them.
using TtrxAfterOptionsLoaded = std::function<void(TObject* Sender, TtrxReportSettings& ReportSettings)>;

// The greatest width or length of a column's texts and the text that had it.
struct TColStrWid {
    int32_t Wid = 0;
    std::string Str;
};
using TColStrWids = TPlaneArray<TUnitsArray<TColStrWid>>; // [Y plane][unit]

// One report column.
class TColsListData : public TObject {
public:
    // Copies every field from Source; nothing when Source is null.
    void Assign(const TColsListData* Source);

    TFieldType FieldType = TFieldType::ftUnknown;
    TFldCalc FldCalc = TFldCalc::fcUndefined;
    int32_t DataSize = 0;
    TColStrWids StrWids;
    int32_t XPos = 0;
    int32_t SpareLeft = 0;
    int32_t SpareRight = 0;
    int32_t ContentWid = 0;
    int32_t TotalWid = 0;
    int32_t LeftLineX = 0;
    int32_t LeftLineWid = 0;
    int32_t EndX = 0;
    int32_t RightLineWid = 0;
    TRegPlaneNdx XPlane = TRegPlaneNdx::plAll;
    TRegLineNdx LeftLine = TRegLineNdx::liBorderLeft;
    TRegLineNdx RightLine = TRegLineNdx::liBorderLeft;
    std::string Name;
    bool Print = false;
    bool FirstOnPage = false;
    bool LastOnPage = false;
    bool FirstOfPlane = false;
    bool LastOfPlane = false;
    int32_t ColNdx = 0;
    int32_t FieldIndex = 0;
    int32_t PageAcross = 0;
};

// A saved position in the object to print.
class TObjPosn : public TObject {
public:
    // Defines the object from ObjInfo and saves the current position.
    TObjPosn();
    ~TObjPosn() override;
    void DefineObj();
    void SavePosn();
    void RestorePosn();

    TObjType ObjType = TObjType::IsInvalid;
    TDataSet* DataSet = nullptr;
    TComponent* Obj = nullptr;
    TBookmark Bookmark;
    TPoint Posn{-1, -1};
    TTreeNode* TreeNode = nullptr;
};

// The bookmark of one report line.
class TBMData : public TObject {
public:
    TBookmark Bookmark;
    int32_t LineNum = 0;
    TPoint Posn{-1, -1};
    TRect TextRect{-1, -1, -1, -1};
    int32_t LinesUsed = 0;
};

// The bookmarks of the lines of the current page row; owns them.
class TBMLineList : public TObject {
public:
    ~TBMLineList() override = default;
    void FreeAllBookmarks();
    void SaveRcdBookmark();
    bool GotoRcdBookMark(int Ndx, int& LinesUsed);
    int Count() const { return static_cast<int>(items_.size()); }
    TBMData* Items(int Ndx) const { return items_.at(static_cast<std::size_t>(Ndx)).get(); }

private:
    std::vector<std::unique_ptr<TBMData>> items_;
};

class TObjInfo : public TObject {
public:
    TObjInfo();
    ~TObjInfo() override;
    TObjInfo(const TObjInfo&) = delete;
    TObjInfo& operator=(const TObjInfo&) = delete;

    // ---- The object adapter ----
    void DefineObj();
    // The object to print was freed while the run goes on: every pointer
    // into it (and into its dataset) is forgotten, a loop that runs is
    // aborted, and ChkObjectToPrint raises from then on.
    void ForgetObjectToPrint();
    // Raises the setup error of a run whose object to print is gone.
    void ChkObjectToPrint() const;
    // Clears the pointers into the object to print (its typed views and its
    // dataset) and its saved position.
    void ForgetObjectLinks();
    void CalcRows();
    static void GetGridDim(TStringGrid* Grid, int& Rows, int& Cols);
    bool GetFldNameNum(int ColNum, std::string& Name, int& FieldIndex, TFieldType& FieldType, int& DataSize,
                       TFldCalc& FldCalc);
    static bool IsFieldTypePrintable(TFieldType FieldType);
    void MakeColsList(int& Cols);
    void ResetColsList(bool ClearSamples);
    void AddDelLineNumberCol(bool Add, int Pos, bool KeepFirst);
    bool ColsListInsert(int Pos, const std::string& Name, const std::string& Title, TFieldType FieldType, int DataSize,
                        TFldCalc FldCalc);
    int SearchColsList(const std::string& Name) const;
    bool IsDatasetSQLBased() const;
    void ChkOpenDataSet(const std::string& Name, TDataSet* ADataSet);
    bool GetFirstRcd();
    bool GetNextRcd(TRegPlaneNdx YPlane, bool GoToLast);
    std::string GetColData(TRegPlaneNdx YPlane, int ColNdx, bool RealData);
    // The same into Text, in the room it already has.
    void GetColData(TRegPlaneNdx YPlane, int ColNdx, bool RealData, std::string& Text);
    // While the scan's recording is read: the data text of column ColNdx
    // in the row, where the recording holds it (GetColData's text, read
    // without a copy). False for every other text.
    bool GetScannedText(TRegPlaneNdx YPlane, int ColNdx, std::string_view& Text) {
        if (!ReplayingScan || YPlane != TRegPlaneNdx::plMiddle || ColNdx < 0 ||
            static_cast<std::size_t>(ColNdx) >= ReplaySlots.size())
            return false;
        const int slot = ReplaySlots[static_cast<std::size_t>(ColNdx)];
        if (slot < 0) return false;
        if (MemoBuf || MemoSize != 0) FreeMemoBuffer();
        Text = ScannedRows.SlotText(slot);
        return true;
    }
    std::string GetSampleDataTypeStr(TFieldType FieldType, int DataSize) const;
    void GetMemoBuffer(TField* Field);
    void FreeMemoBuffer();
    std::string FormatLineNum(int Num) const;
    static std::string FormatTxtLineNum(int Num, int Width);
    std::string GetMaxLineNumStr(bool Title) const;
    void ChkForFontChange(TRegPlaneNdx& CurPlane, TRegPlaneNdx XPlane, TRegPlaneNdx YPlane);
    int GetPageXColNum(int& PageX) const;

    // ---- Column measurement and pages across ----
    void CalcColWids(TPanel* MsgPanel, TPanel* PagesAcrossPanel, TTimer* Timer);
    void CalcColWid(bool ScanData, TRegPlaneNdx Plane);
    void ChkFldStr(int ColNdx, const std::string& Text, TFieldType FieldType, TRegPlaneNdx Plane);
    // The same with the output canvas's FixedCharWidth already asked for
    // the current font (CharWid above 0: a text's width is its length
    // times it; else the text is measured).
    void ChkFldStr(int ColNdx, const std::string& Text, TFieldType FieldType, TRegPlaneNdx Plane, int CharWid);
    void ChkFldLng(const std::string& Text, int ColNdx, int Wid, int Len, TRegPlaneNdx Plane);
    // The length and width ChkFldStr counts a text of Len characters and Wid
    // pixels with: memo and string texts capped to the report's limits.
    void CapFldSize(TFieldType FieldType, TRegPlaneNdx Plane, int& Len, int& Wid) const;
    void CalcColPosns(TPanel* PagesAcrossPanel);
    void ResizeColWids(TPanel* PagesAcrossPanel);
    void CalcTextHts();
    // Whether column Col's texts are data texts that the scan can record.
    bool IsRecordedCol(const TColsListData& Col) const;
    // Whether the print may read the recording of the last column scan
    // instead of the records: it holds every row and every data column,
    // whose places it then notes (ReplaySlots).
    bool PrepareScanReplay();
    void StartScanRecording();
    // Lets the next print read the table: the data may change before it.
    void DropScanRecording() {
        ScannedRows.Discard();
        ScannedDataSet = nullptr;
    }
    // In engine/column_planes.cpp (the column list needs it too).
    TRegPlaneNdx CnvtColNdxToXPlaneNdx(int ColNdx) const;

    // The column list (owned descriptors).
    int ColCount() const { return static_cast<int>(ColsList.size()); }
    TColsListData& Col(int Ndx) const { return *ColsList.at(static_cast<std::size_t>(Ndx)); }
    // The memo text of the last memo field read.
    const char* MemoText() const { return MemoBuf ? MemoBuf.get() : ""; }

    // ---- Fields ----
    TfmTBXMain* Dialog = nullptr;
    TForm* CallerForm = nullptr;
    TTrxTabrix* Component = nullptr;
    TtrxAfterOptionsLoaded AfterOptionsLoaded;
    std::vector<std::unique_ptr<TColsListData>> ColsList;
    std::string ComponentName;
    std::string ObjName;
    TComponent* ObjectToPrint = nullptr;
    bool ObjectGone = false; // ObjectToPrint was freed during the run
    TObjType ObjType = TObjType::IsInvalid;
    std::unique_ptr<TObjPosn> ObjPosn;
    TColSizingStatus SizingStatus = TColSizingStatus::csNotPerformed;
    bool BookmarkFailed = false;
    bool Eof = false; // the last step found no further row or record
    bool Formatted = false;
    bool SQLBased = false;
    bool GridLike = false;
    bool TreeLike = false;
    bool GridWithoutDataSet = false;
    TDBGrid* DBGrid = nullptr;
    TStringGrid* StringGrid = nullptr;
    TOutline* Outline = nullptr;
    TTreeView* TreeView = nullptr;
#ifdef UseDecGrid
    TDecisionGrid* DecisionGrid = nullptr;
#endif
    TDataSet* DataSet = nullptr;
    TPoint Start;
    TPoint FirstData;
    TPoint CurCell{-99, -99};
    int32_t MemoSize = 0;
    int32_t RcdsDone = 0;
    int32_t Rows = 0;
    TRegPlaneNdx CurXPlane = TRegPlaneNdx::plAll;
    // The X plane whose data-row font the scan's last data row left on the
    // canvas (plAll: none known).
    TRegPlaneNdx DataRowFont = TRegPlaneNdx::plAll;
    int32_t LineNumColPos = 0;
    int32_t FixedCols = 0;
    int32_t FixedRows = 0;
    int32_t RowToCols = 0;
    int32_t TotalRows = 0;
    int32_t Cols = 0;
    int32_t Digits = 0;
    std::unique_ptr<char[]> MemoBuf;
    // The room of the cell texts that the column scan measures.
    std::string ScanText;
    // The data texts of every row as the last column scan read them, of
    // ScannedDataSet; while ReplayingScan, the rows are stepped through and
    // their data texts read from it instead of from the dataset.
    TScannedRows ScannedRows;
    TDataSet* ScannedDataSet = nullptr;
    bool ReplayingScan = false;
    std::vector<int> ReplaySlots; // [column] -> the place of its text in a recorded row, -1 for none
    std::vector<bool> RecordedCols; // [column] -> whether the scan records its texts
};

// The run's object adapter; set while a report runs, else nullptr.
extern TObjInfo* ObjInfo;

} // namespace trx
