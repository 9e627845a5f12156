#include "engine/report_settings.h"

#include <algorithm>
#include <cstring>

#include "engine/print_settings.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/compiler_warnings.h"
#include "framework/core/ini_file.h"

namespace trx {

TtrxReportSettings* ReportSettings = nullptr;

// ---- TRptMemo --------------------------------------------------------------

void TRptMemo::AllocMemoBuf(int Size) {
    FreeMemoBuf();
    if (Size <= 0) return;
    Buf = std::make_unique<char[]>(static_cast<std::size_t>(Size)); // zero-filled
    BufLen = Size;
}

void TRptMemo::FreeMemoBuf() {
    Buf.reset();
    BufLen = 0;
}

void TRptMemo::Validate() {
    WidPer = std::clamp(WidPer, 0, 100);
    XPosPer = std::clamp(XPosPer, 0, 90);
    if (XPosPer + WidPer > 100) XPosPer = 100 - WidPer;
}

void TRptMemo::CalcPixMemoMargins() {
    if (!PrintSettings) return;
    auto cnvt = [](int v, TXyDir dir) {
        return PrintSettings->CnvtThousToUnits(v, TUnitsOfMeasure::umPix, dir, false);
    };
    MarginPix.Left = cnvt(MarginThous.Left, TXyDir::dX);
    MarginPix.Right = cnvt(MarginThous.Right, TXyDir::dX);
    MarginPix.Top = cnvt(MarginThous.Top, TXyDir::dY);
    MarginPix.Bottom = cnvt(MarginThous.Bottom, TXyDir::dY);
}

std::string TRptMemo::Text() const {
    if (!Buf || BufLen <= 0) return {};
    return std::string(Buf.get(), strnlen(Buf.get(), static_cast<std::size_t>(BufLen)));
}

void TRptMemo::SetText(const std::string& Value) {
    AllocMemoBuf(Length(Value) + 1);
    std::memcpy(Buf.get(), Value.data(), Value.size());
}

// ---- TtrxReportSettings ----------------------------------------------------

TtrxReportSettings::TtrxReportSettings() {
    for (auto& m : RptMemos) m = std::make_unique<TRptMemo>();
}

TtrxReportSettings::~TtrxReportSettings() {
    for (auto& m : RptMemos) m.reset();
}

const TGridLineDrawChrs& TtrxReportSettings::DefaultGridLineDrawChrs() {
    static const TGridLineDrawChrs table = [] {
        TGridLineDrawChrs t{};
        const char* ascii[4] = {"+-----+ ", "| || || ", "|-||-+| ", "+-----+ "};
        const unsigned char ibm[4][8] = {
            {0xDA, 0xC4, 0xC2, 0xC2, 0xC4, 0xC2, 0xBF, 0x20},
            {0xB3, 0x20, 0xB3, 0xB3, 0x20, 0xB3, 0xB3, 0x20},
            {0xC3, 0xC4, 0xB3, 0xC3, 0xC4, 0xC5, 0xB4, 0x20},
            {0xC0, 0xC4, 0xC1, 0xC1, 0xC4, 0xC1, 0xD9, 0x20},
        };
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 8; ++c) {
                t[Ord(TLineDraw::ldASCII)][r][c] = ascii[r][c];
                t[Ord(TLineDraw::ldIBM)][r][c] = static_cast<char>(ibm[r][c]);
            }
        return t;
    }();
    return table;
}

const TTreeLineDrawChrs& TtrxReportSettings::DefaultTreeLineDrawChrs() {
    static const TTreeLineDrawChrs table = [] {
        TTreeLineDrawChrs t{};
        const char* ascii = "-|++*";
        const unsigned char ibm[5] = {0xC4, 0xB3, 0xC0, 0xC3, 0xFE};
        for (int i = 0; i < 5; ++i) {
            t[Ord(TLineDraw::ldASCII)][i] = ascii[i];
            t[Ord(TLineDraw::ldIBM)][i] = static_cast<char>(ibm[i]);
        }
        return t;
    }();
    return table;
}

int TtrxReportSettings::ValidateFontSize(int Size) const {
    if (Size < SmallestFontSize && ShrinkToPage) return SmallestFontSize;
    if (Size > LargestFontSize && ExpandToPage) return LargestFontSize;
    return Size;
}

std::string TtrxReportSettings::CnvtSnapShotSizeText(const std::string& Text) {
    // First letter of the first word, then of the second word from the right.
    const std::string first = ParseStr(Text, 1, " ", "");
    const std::string last = ParseStr(Text, -2, " ", "");
    std::string code;
    if (!first.empty()) code += first[0];
    if (!last.empty()) code += last[0];
    return code;
}

std::string TtrxReportSettings::CnvtSnapShotSizeAbrev(const std::string& Code) {
    const char c1 = Code.size() >= 1 ? Code[0] : ' ';
    const char c2 = Code.size() >= 2 ? Code[1] : ' ';
    std::string s;
    if (c1 == 'C')
        s = "Current Window Size";
    else if (c1 == 'M')
        s = "Maximize Window";
    else
        s = "Current WIndow Size";
    s += " with ";
    if (c2 == 'P')
        s += "Proportional Scale";
    else if (c2 == 'S')
        s += "Same Scale";
    else if (c2 == 'T')
        s += "Print To Fit";
    else
        s += "Print to Fit";
    return s;
}

void TtrxReportSettings::CalcPixMeasurements() {
    if (!PrintSettings) return;
    const auto pix = TUnitsOfMeasure::umPix;
    const auto thous = TUnitsOfMeasure::umThous;
    auto x = [](int v) { return PrintSettings->CnvtDistToUnits(v, TUnitsOfMeasure::umPix, TXyDir::dX, false); };
    auto y = [](int v) { return PrintSettings->CnvtDistToUnits(v, TUnitsOfMeasure::umPix, TXyDir::dY, false); };
    for (TUnitsArray<TRect>* r : {&PageMargin, &CellMargin}) {
        const TRect t = (*r)[thous];
        (*r)[pix] = TRect{x(t.Left), y(t.Top), x(t.Right), y(t.Bottom)};
    }
    MaxMemoColWid[pix] = x(MaxMemoColWid[thous]);
    MaxStringColWid[pix] = x(MaxStringColWid[thous]);
    InterPanelGap[pix] = x(InterPanelGap[thous]);
}

bool TtrxReportSettings::RptMemoExists(TRptMemoNdx Ndx, bool MustBeVisible) const {
    const int i = Ord(Ndx);
    if (i < 0 || i >= RptMemoCount || !RptMemos[i]) return false;
    const TRptMemo& m = *RptMemos[i];
    if (!m.Buf || m.BufLen <= 1) return false;
    return !MustBeVisible || m.Visible;
}

TRegNdx TtrxReportSettings::CnvtRptMemoNdxToRegNdx(TRptMemoNdx Ndx) {
    switch (Ndx) {
    case TRptMemoNdx::rmRptTi: return TRegNdx::rgRptTiMem;
    case TRptMemoNdx::rmRptHdr: return TRegNdx::rgRptHdrMem;
    case TRptMemoNdx::rmPgTi: return TRegNdx::rgPgTiMem;
    case TRptMemoNdx::rmPgHdr: return TRegNdx::rgPgHdrMem;
    case TRptMemoNdx::rmPgFtr: return TRegNdx::rgPgFtrMem;
    case TRptMemoNdx::rmPgNum: return TRegNdx::rgPgNumMem;
    case TRptMemoNdx::rmRptFtr: return TRegNdx::rgRptFtrMem;
    case TRptMemoNdx::rmCopyright: return TRegNdx::rgCopyrightMem;
    }
    throw eTrxIntError(std::string(InternalErrorPrefix) + "[CnvTRptMemoNdxToRegNdx] RptMemoNdx:" + IntToStr(Ord(Ndx)) +
                       " is invalid");
}

TRptMemoNdx TtrxReportSettings::CnvtRegNdxToRptMemoNdx(TRegNdx Region) {
    switch (Region) {
    case TRegNdx::rgRptTiMem: return TRptMemoNdx::rmRptTi;
    case TRegNdx::rgRptHdrMem: return TRptMemoNdx::rmRptHdr;
    case TRegNdx::rgPgTiMem: return TRptMemoNdx::rmPgTi;
    case TRegNdx::rgPgHdrMem: return TRptMemoNdx::rmPgHdr;
    case TRegNdx::rgPgFtrMem: return TRptMemoNdx::rmPgFtr;
    case TRegNdx::rgPgNumMem: return TRptMemoNdx::rmPgNum;
    case TRegNdx::rgRptFtrMem: return TRptMemoNdx::rmRptFtr;
    case TRegNdx::rgCopyrightMem: return TRptMemoNdx::rmCopyright;
    default: break;
    }
    throw eTrxIntError(std::string(InternalErrorPrefix) + "[CnvTRegNdxToRptMemoNdx] RegNdx:" + IntToStr(Ord(Region)) +
                       " is invalid");
}

std::string TtrxReportSettings::FormatNonZeroPageNum(const TPoint& Page) {
    std::string s = IntToStr(Page.Y);
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    if (Page.X > 0) s += "-" + IntToStr(Page.X);
    TRX_GCC_BOGUS_RESTRICT_END
    return s;
}

// ---- Global preferences ----------------------------------------------------

namespace {
const char* const GlobalIniName = "Tabrix.Ini";
const char* const GlobalSection = "Default";

template <std::size_t N>
void StrToChars(const std::string& Value, std::array<char, N>& Chars) {
    Chars.fill(' ');
    std::copy_n(Value.begin(), std::min(Value.size(), N), Chars.begin());
}

template <std::size_t N>
std::string CharsToStr(const std::array<char, N>& Chars) {
    return std::string(Chars.begin(), Chars.end());
}

std::string GridKey(TLineDraw Set, int Row) {
    return std::string(Set == TLineDraw::ldIBM ? "Report-Grid IBM LineDraw" : "Report-Grid ASCII LineDraw") +
           IntToStr(Row);
}
} // namespace

void TtrxReportSettings::LoadGlobalSettings() {
    const int ibm = Ord(TLineDraw::ldIBM), ascii = Ord(TLineDraw::ldASCII);
    TreeLineDrawChrs = DefaultTreeLineDrawChrs();
    GridLineDrawChrs = DefaultGridLineDrawChrs();
    TIniFile ini(GlobalIniName);
    ShowHint = ini.ReadBool(GlobalSection, "Show Hint", true);
    StrToChars(ini.ReadString(GlobalSection, "Report-Tree IBM LineDraw", CharsToStr(TreeLineDrawChrs[ibm])),
               TreeLineDrawChrs[ibm]);
    StrToChars(ini.ReadString(GlobalSection, "Report-Tree ASCII LineDraw", CharsToStr(TreeLineDrawChrs[ascii])),
               TreeLineDrawChrs[ascii]);
    for (int row = 0; row < 4; ++row) {
        StrToChars(
            ini.ReadString(GlobalSection, GridKey(TLineDraw::ldIBM, row), CharsToStr(GridLineDrawChrs[ibm][row])),
            GridLineDrawChrs[ibm][row]);
        StrToChars(
            ini.ReadString(GlobalSection, GridKey(TLineDraw::ldASCII, row), CharsToStr(GridLineDrawChrs[ascii][row])),
            GridLineDrawChrs[ascii][row]);
    }
}

void TtrxReportSettings::SaveGlobalSettings() {
    const int ibm = Ord(TLineDraw::ldIBM), ascii = Ord(TLineDraw::ldASCII);
    TIniFile ini(GlobalIniName);
    ini.WriteBool(GlobalSection, "Show Hint", ShowHint);
    ini.WriteString(GlobalSection, "Report-Tree IBM LineDraw", CharsToStr(TreeLineDrawChrs[ibm]));
    ini.WriteString(GlobalSection, "Report-Tree ASCII LineDraw", CharsToStr(TreeLineDrawChrs[ascii]));
    for (int row = 0; row < 4; ++row)
        ini.WriteString(GlobalSection, GridKey(TLineDraw::ldIBM, row), CharsToStr(GridLineDrawChrs[ibm][row]));
    for (int row = 0; row < 4; ++row)
        ini.WriteString(GlobalSection, GridKey(TLineDraw::ldASCII, row), CharsToStr(GridLineDrawChrs[ascii][row]));
}

} // namespace trx
