// The run's style model: the 20 style options, per-region fonts, lines and
// fills, the widest line of each kind per plane, region text heights, the
// row counts and counters of the page loop, and the arithmetic that maps
// columns and planes to report regions.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/report_types.h"
#include "framework/printing/graphics.h"

namespace trx {

enum class TRegObjNdx : uint8_t { roFont, roFill, roLine };

enum class TStyleOutputQuality : uint8_t { soqGraphical, soqLinedraw };
using TStyleOutputQualitys = TEnumSet<TStyleOutputQuality>;
enum class TStyleObjType : uint8_t { sotGrid, sotTree };
using TStyleObjTypes = TEnumSet<TStyleObjType>;

struct TStyleOpt {
    bool Value = false;
    std::string Caption;
    TStyleOutputQualitys Qualities;
    TStyleObjTypes ObjTypes;
};
using TStyleOpts = TEnumArray<TStyleOptNdx, TStyleOpt, StyleOptCount>;

class TRegFontData : public TObject {
public:
    int32_t Reserved1 = 0;
    int32_t Reserved2 = 0;
    TFont Font;
};

class TRegLineData : public TObject {
public:
    bool Flag = false;
    int32_t WidThous = 0;
    TPen Pen;
};

class TRegFillData : public TObject {
public:
    bool Flag = false;
    TBrush Brush;
};

// Text height, number of rows and row counter of one Y plane.
struct TPlaneRows {
    int32_t TextHt = 0;
    int32_t Rows = 0;
    int32_t Counter = 0;
};

// Table regions and line-kind sets.
inline const TRegNdxs PrimaryRegs{TRegNdx::rgRowTiHdr, TRegNdx::rgColTiHdr, TRegNdx::rgRowToHdr,
                                  TRegNdx::rgRowTi,    TRegNdx::rgCells,    TRegNdx::rgRowTo,
                                  TRegNdx::rgRowTiFtr, TRegNdx::rgColToFtr, TRegNdx::rgRowToFtr};
inline const TRegNdxs BorderRegs{TRegNdx::rgRowTiHdr, TRegNdx::rgColTiHdr, TRegNdx::rgRowToHdr, TRegNdx::rgRowTi,
                                 TRegNdx::rgRowTiFtr};
inline const TRegLineNdxs VerticalLines{TRegLineNdx::liBorderLeft, TRegLineNdx::liLineVert, TRegLineNdx::liBorderRight};
inline const TRegLineNdxs HorizontalLines{TRegLineNdx::liBorderTop, TRegLineNdx::liLineHoriz,
                                          TRegLineNdx::liBorderBottom, TRegLineNdx::liGrpBrkLine};
inline const TRegLineNdxs BorderLines{TRegLineNdx::liBorderLeft, TRegLineNdx::liBorderRight, TRegLineNdx::liBorderTop,
                                      TRegLineNdx::liBorderBottom};
inline const TRegLineNdxs SeparatingLines{TRegLineNdx::liLineVert, TRegLineNdx::liLineHoriz, TRegLineNdx::liGrpBrkLine};

class TRptStyles : public TObject {
public:
    TRptStyles();
    ~TRptStyles() override;
    TRptStyles(const TRptStyles&) = delete;
    TRptStyles& operator=(const TRptStyles&) = delete;

    bool Opt(TStyleOptNdx Ndx) const { return StyleOpts[Ndx].Value; }

    void FreeAllRegStyles(bool FreeLists);
    static std::string MakeRegListKeyStr(TRegNdx Reg, TRegObjNdx ObjNdx, int ColNdx);
    bool LoadStyle(std::string& StyleName);
    bool GetFont(TRegNdx Reg, int ColNdx, bool Fallback, std::string& Name, int& Size, TFontStyles& Style,
                 TColor& Color) const;
    void ChkReplFont(const TFont& Font, std::string& Name, int& Size, TFontStyles& Style, TColor& Color) const;
    static void GetFontAttrib(const TFont& Font, std::string& Name, int& Size, TColor& Color, TFontStyles& Style);
    bool SetFont(TRegNdx Reg, int ColNdx, bool InvertIfSame, bool Fallback);
    bool SetLine(bool UseStyle, TRegNdx Reg, TRegLineNdx LineNdx, bool Flag);
    TBrush* GetFill(bool UseStyle, TRegNdx Reg, int ColNdx, bool Fallback);
    void SetFill(bool UseStyle, TRegNdx Reg, int ColNdx, bool Fallback);
    bool IsLineNeeded(TRegPlaneNdx Plane, TRegLineNdx& LineNdx) const;
    int GetLineWid(TRegNdx Reg, TRegLineNdx LineNdx, bool Flag, bool& Found) const;
    static TRegNdxs GetParallelRegions(TRegNdx Reg, TRegLineNdx LineNdx, TRegPlaneNdx& Plane);
    int GetMaxLineWid(bool Needed, TRegNdx Reg, TRegLineNdx LineNdx, int ColNdx, bool Flag, TRegPlaneNdx& Plane) const;
    void ResetMaxLineWids(int Value);
    void CalcMaxLineWids();
    void GetVertLines(int ColNdx, bool FirstOnPage, TRegPlaneNdx XPlane, TRegLineNdx& LeftKind,
                      TRegLineNdx& RightKind) const;
    static bool CnvtRegNdxToRegPlaneNdx(TRegNdx Reg, TXyDir Dir, TRegPlaneNdx& Plane);
    static TRegNdx CnvtPlaneNdxsToRegNdx(TRegPlaneNdx XPlane, TRegPlaneNdx YPlane);
    void CnvtColNdxToRegNdx(int ColNdx, TRegPlaneNdx YPlane, TRegNdx& Reg) const;
    void CnvtRegNdxToColRange(TRegNdx Reg, int& First, int& Last) const;
    void CnvtXPlaneNdxToColNdxRange(TRegPlaneNdx XPlane, int& First, int& Last) const;
    bool RegPrintable(TRegNdx Reg) const;

    int MaxLineWid(TRegPlaneNdx Plane, TRegLineNdx Kind) const { return MaxLineWids[Plane][Kind]; }

    TRegArray<int32_t> RegTextHts;
    std::map<std::string, std::unique_ptr<TRegFontData>> FontList;
    std::map<std::string, std::unique_ptr<TRegLineData>> LineList;
    std::map<std::string, std::unique_ptr<TRegFillData>> FillList;
    TPlaneArray<TEnumArray<TRegLineNdx, int32_t, RegLineCount>> MaxLineWids;
    TPlaneArray<TPlaneRows> PlaneRows;
    TStyleOpts StyleOpts;

private:
    void CalcRegMaxLineWids(TRegNdxs Regions, TRegLineNdxs Kinds);
    // Puts a font on the output canvas, at the run's scale; changes only
    // what differs.
    void ApplyFont(const std::string& Name, int Size, TFontStyles Style, TColor Color, bool InvertIfSame);
};

// The run's styles; set while a report runs, else nullptr.
extern TRptStyles* RptStyles;

} // namespace trx
