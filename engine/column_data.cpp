// The text of a report cell: titles, data, samples by field type, memo
// buffers and line numbers.
#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "framework/core/compiler_warnings.h"
#include "framework/core/date_time.h"
#include "framework/core/format.h"
#include "framework/core/strings.h"
#include "framework/data/field.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/decision_grid.h"
#include "framework/grids/string_grid.h"

namespace trx {

namespace {

// Characters of the text font that fit in a width of thousandths of an inch;
// without a measured character there is no limit.
int64_t CharsInThous(int64_t Thous) {
    if (!PrintSettings) return std::numeric_limits<int64_t>::max();
    const int charThous =
        PrintSettings->CnvtPixToThous(PrintSettings->CharCell[TXyDir::dX][TUnitsOfMeasure::umPix], TXyDir::dX);
    if (charThous <= 0) return std::numeric_limits<int64_t>::max();
    return Thous / charThous;
}

// Takes the blanks and control characters off the ends of Text, where it
// stands.
void TrimInPlace(std::string& Text) {
    std::size_t last = Text.size();
    while (last > 0 && static_cast<unsigned char>(Text[last - 1]) <= ' ') --last;
    Text.resize(last);
    std::size_t first = 0;
    while (first < last && static_cast<unsigned char>(Text[first]) <= ' ') ++first;
    if (first > 0) Text.erase(0, first);
}

std::string Xs(int64_t Count) { return StringOfChar('x', static_cast<int>(std::clamp<int64_t>(Count, 0, 1 << 20))); }

} // namespace

std::string TObjInfo::GetColData(TRegPlaneNdx YPlane, int ColNdx, bool RealData) {
    std::string text;
    GetColData(YPlane, ColNdx, RealData, text);
    return text;
}

void TObjInfo::GetColData(TRegPlaneNdx YPlane, int ColNdx, bool RealData, std::string& Text) {
    std::string_view scanned;
    if (RealData && GetScannedText(YPlane, ColNdx, scanned)) {
        Text.assign(scanned);
        return;
    }
    if (MemoBuf || MemoSize != 0) FreeMemoBuffer();
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    auto unknown = [&Text] { Text.assign("?"); };
    TRX_GCC_BOGUS_RESTRICT_END
    if (ColNdx < 0 || ColNdx >= ColCount()) return unknown();
    const TColsListData& col = *ColsList[static_cast<std::size_t>(ColNdx)];
    const bool titles = YPlane == TRegPlaneNdx::plFirst;
    const bool data = YPlane == TRegPlaneNdx::plMiddle;

    if (col.FldCalc == TFldCalc::fcLineNum) {
        if (titles) {
            const TPlaneRows* rows = RptStyles ? &RptStyles->PlaneRows[TRegPlaneNdx::plFirst] : nullptr;
            TRX_GCC_BOGUS_RESTRICT_BEGIN
            Text.assign(rows && rows->Counter == rows->Rows - 1 ? "#" : "");
            TRX_GCC_BOGUS_RESTRICT_END
        } else {
            Text = FormatLineNum(PrintSettings ? PrintSettings->LineNum : 0);
        }
        return;
    }
    if (col.FldCalc == TFldCalc::fcUndefined) return unknown();

    switch (ObjType) {
    case TObjType::IsDBGrid: {
        if (!DBGrid || col.ColNdx < 0 || col.ColNdx >= DBGrid->Columns().Count()) return unknown();
        TColumn* column = DBGrid->Columns().Items(col.ColNdx);
        TField* field = nullptr;
        if (titles) {
            Text = column->Title().Caption();
        } else if (!data) {
            unknown();
        } else if (!RealData) {
            Text = GetSampleDataTypeStr(col.FieldType, col.DataSize);
        } else if (col.FieldType == TFieldType::ftMemo && DataSet && col.FieldIndex >= 0 &&
                   col.FieldIndex < DataSet->FieldCount()) {
            GetMemoBuffer(DataSet->Fields(col.FieldIndex));
            Text.assign(MemoText());
        } else if ((field = column->Field())) {
            field->GetText(Text, true);
        } else {
            unknown();
        }
        return;
    }
    case TObjType::IsTable:
    case TObjType::IsQuery:
    case TObjType::IsDataSet: {
        if (!DataSet || col.FieldIndex < 0 || col.FieldIndex >= DataSet->FieldCount()) return unknown();
        TField* field = DataSet->Fields(col.FieldIndex);
        if (titles) {
            Text = field->DisplayName();
        } else if (!data) {
            unknown();
        } else if (!RealData) {
            Text = GetSampleDataTypeStr(col.FieldType, col.DataSize);
        } else if (col.FieldType == TFieldType::ftMemo) {
            GetMemoBuffer(field);
            Text.assign(MemoText());
        } else {
            // Record after record, in the room of the last text.
            field->GetText(Text, Formatted);
            TrimInPlace(Text);
        }
        return;
    }
    case TObjType::IsStringGrid:
        if (!StringGrid) return unknown();
        Text = StringGrid->Cells(col.ColNdx, CurCell.Y);
        return;
#ifdef UseDecGrid
    case TObjType::IsDecGrid:
        if (!DecisionGrid) return unknown();
        Text = DecisionGrid->Cells(col.ColNdx, CurCell.Y);
        return;
#endif
    default: return unknown();
    }
}

std::string TObjInfo::GetSampleDataTypeStr(TFieldType FieldType, int DataSize) const {
    const bool fmt = Formatted;
    switch (FieldType) {
    case TFieldType::ftString: {
        const int64_t chars = static_cast<int64_t>(DataSize) - 1;
        if (!ReportSettings) return Xs(chars);
        if (PrintSettings && PrintSettings->CurUnits == TUnitsOfMeasure::umTxt)
            return Xs(std::min<int64_t>(chars, ReportSettings->MaxStringColWid[TUnitsOfMeasure::umTxt]));
        return Xs(std::min(chars, CharsInThous(ReportSettings->MaxStringColWid[TUnitsOfMeasure::umThous])));
    }
    case TFieldType::ftSmallint: return fmt ? "32,333" : "32333";
    case TFieldType::ftInteger: return fmt ? "3,333,333,333" : "3333333333";
    case TFieldType::ftWord: return fmt ? "33,333" : "33333";
    case TFieldType::ftBoolean: return "yes";
    case TFieldType::ftFloat: return "123456.78";
    case TFieldType::ftCurrency: return fmt ? "$99,999,999.99" : "99999999.99";
    case TFieldType::ftBCD: return fmt ? "99,999,999.9999" : "99999999.9999";
    case TFieldType::ftDate: return DateToStr(Date());
    case TFieldType::ftTime: return TimeToStr(Time());
    case TFieldType::ftDateTime: return DateTimeToStr(Now());
    case TFieldType::ftAutoInc: return Format("%6d", {123456});
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
        if (!ReportSettings) return {};
        if (TextQuality()) return Xs(ReportSettings->MaxMemoColWid[TUnitsOfMeasure::umTxt]);
        return Xs(CharsInThous(ReportSettings->MaxMemoColWid[TUnitsOfMeasure::umThous]));
    default: return {};
    }
}

void TObjInfo::GetMemoBuffer(TField* Field) {
    FreeMemoBuffer();
    if (!Field || !Field->DataSet()) return;
    std::unique_ptr<TStream> stream = Field->DataSet()->CreateBlobStream(Field, TBlobStreamMode::bmRead);

    // The buffer holds the text the report can show and a terminating NUL.
    int64_t size = 0;
    if (TextQuality()) {
        if (PrintSettings && PrintSettings->ToExportFile)
            size = static_cast<int64_t>(ReportSettings->ExportMaxMemoLng) + 5;
        else
            size = static_cast<int64_t>(ReportSettings->MaxMemoColWid[TUnitsOfMeasure::umTxt]) *
                       ReportSettings->MaxMemoLines +
                   5;
    } else {
        size = std::max<int64_t>(stream->Size(), 5000) + 1;
    }
    int64_t toRead = std::max<int64_t>(size - 1, 0);

    std::string text;
    char chunk[4096];
    while (toRead > 0) {
        const int want = static_cast<int>(std::min<int64_t>(toRead, sizeof chunk));
        const int got = stream->Read(chunk, want);
        if (got <= 0) break;
        text.append(chunk, static_cast<std::size_t>(got));
        toRead -= got;
    }
    MemoSize = static_cast<int32_t>(text.size() + 1);
    MemoBuf = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(MemoBuf.get(), text.data(), text.size());
    MemoBuf[text.size()] = '\0';
}

void TObjInfo::FreeMemoBuffer() {
    MemoBuf.reset();
    MemoSize = 0;
}

std::string TObjInfo::FormatLineNum(int Num) const { return Formatted ? FormatFloat(",#0", Num) : IntToStr(Num); }

std::string TObjInfo::FormatTxtLineNum(int Num, int Width) {
    const std::string s = IntToStr(Num);
    return static_cast<int>(s.size()) < Width ? std::string(static_cast<std::size_t>(Width) - s.size(), ' ') + s : s;
}

std::string TObjInfo::GetMaxLineNumStr(bool Title) const {
    if (Title) return "#";
    const int digits = std::clamp<int>(Digits, 1, 10);
    return FormatLineNum(StrToInt(std::string("2000000000").substr(0, static_cast<std::size_t>(digits))));
}

} // namespace trx
