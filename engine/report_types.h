// The report's shared enumerations, with their stored ordinals.
#pragma once

#include <cstdint>

#include "framework/core/enum_array.h"
#include "framework/core/types.h"

namespace trx {

// Kind of the object to print.
enum class TObjType : uint8_t {
    IsInvalid,
    IsOutline,
    IsTreeView,
    IsDBGrid,
    IsStringGrid,
    IsDataSet,
    IsTable,
    IsQuery,
    IsDecGrid
};

// Where a report column comes from.
enum class TFldCalc : uint8_t { fcUndefined, fcLineNum, fcGrid, fcDataSet };

// The 18 report regions.
enum class TRegNdx : uint8_t {
    rgDflt,
    rgRptTiMem,
    rgRptHdrMem,
    rgPgTiMem,
    rgPgHdrMem,
    rgRowTiHdr,
    rgColTiHdr,
    rgRowToHdr,
    rgRowTi,
    rgCells,
    rgRowTo,
    rgRowTiFtr,
    rgColToFtr,
    rgRowToFtr,
    rgPgFtrMem,
    rgPgNumMem,
    rgCopyrightMem,
    rgRptFtrMem
};
inline constexpr int RegNdxCount = 18;
using TRegNdxs = TEnumSet<TRegNdx>;

// The eight report memos; their names in the settings file follow RptMemoNames.
enum class TRptMemoNdx : uint8_t { rmRptTi, rmRptHdr, rmPgTi, rmPgHdr, rmPgFtr, rmPgNum, rmRptFtr, rmCopyright };
inline constexpr int RptMemoCount = 8;
inline constexpr const char* RptMemoNames[RptMemoCount] = {"RptTi", "RptHdr", "PgTi",   "PgHdr",
                                                           "PgFtr", "PgNum",  "RptFtr", "Copyright"};

// Plane of a column across the report or of a line down the report.
enum class TRegPlaneNdx : uint8_t { plAll, plFirst, plMiddle, plLast };
inline constexpr int RegPlaneCount = 4;

// Kinds of table lines.
enum class TRegLineNdx : uint8_t {
    liBorderLeft,
    liLineVert,
    liBorderRight,
    liBorderTop,
    liLineHoriz,
    liBorderBottom,
    liGrpBrkLine,
    liLineNone
};
inline constexpr int RegLineCount = 8;
using TRegLineNdxs = TEnumSet<TRegLineNdx>;

// The 20 style options.
enum class TStyleOptNdx : uint8_t {
    soFieldFormat,
    soFont,
    soFontSize,
    soFontColor,
    soFontStyle,
    soShading,
    soHorizontalLines,
    soGrpBrkLines,
    soVerticalLines,
    soBorders,
    soShareAdjBorders,
    soColumnTitles,
    soColumnTotals,
    soRowTitles,
    soLineNumbers,
    soRowTotals,
    soEmptyRows,
    soFormFeeds,
    soExpandAllNodes,
    so3D
};
inline constexpr int StyleOptCount = 20;

// Units of measure: printer pixels, character cells, thousandths of an inch.
enum class TUnitsOfMeasure : uint8_t { umPix, umTxt, umThous };
inline constexpr int UnitsCount = 3;

enum class TXyDir : uint8_t { dX, dY };

enum class TPrintWhat : uint8_t {
    pwAll,
    pwCurrentPage,
    pwCurrentBranchAll,
    pwCurrentBranchDown,
    pwTestPage,
    pwWindowSnapShot,
    pwPageRange
};
enum class TOutputDest : uint8_t { odPrinter, odTextFile, odExportFile, odRTFFile };
// The stored quality is a byte: these two values, 2 or more for a graphic quality.
enum class TOutputQuality : uint8_t { oqASCIILineDraw, oqIBMLineDraw };
enum class TIfOutputFileExists : uint8_t { oeOverWriteFile, oeAppendToFile, oeAskUser };
enum class TPrinterOrient : uint8_t { poPortraitOrient, poLandscapeOrient, poDefaultOrient };
// Column auto-size mode.
enum class TSnugfit : uint8_t { osAllRows, osLimitedRows, osNoRows };

// Line-drawing character tables.
enum class TLineDraw : uint8_t { ldASCII, ldIBM };
enum class TLDGridH : uint8_t { hldTop, hldData, hldHLine, hldBottom };
enum class TLDGridV : uint8_t { vldLeft, vldData, vldVLine, vldGBLine, vldHLine, vldVHLine, vldRight, vldBlank };
enum class TTDChrs : uint8_t { tchHoriz, tchVert, tchElbow, tchChild, tchUnexpanded };

enum class TColSizingStatus : uint8_t { csNotPerformed, csPartial, csCompleted };
// Operation of the current page.
enum class TOper : uint8_t { opPrinting, opPreview, opScanning, opExporting, opSample, opCalcColWidths };
// Run status: loops stop as soon as it is no longer osActive.
enum class TOperStatus : uint8_t { osInActive, osActive, osCompleted, osAbort, osCancel };

// Per-unit triples and per-direction pairs.
template <class T>
using TUnitsArray = TEnumArray<TUnitsOfMeasure, T, UnitsCount>;
template <class T>
using TXyArray = TEnumArray<TXyDir, T, 2>;
template <class T>
using TPlaneArray = TEnumArray<TRegPlaneNdx, T, RegPlaneCount>;
template <class T>
using TRegArray = TEnumArray<TRegNdx, T, RegNdxCount>;

// Converts a stored ordinal to an enumeration, taking Default when out of range.
template <class E>
constexpr E EnumFromOrd(int Value, int Count, E Default) {
    return (Value >= 0 && Value < Count) ? static_cast<E>(Value) : Default;
}

} // namespace trx
