// The export of delimited fields: one line per title row, record and total
// row, fields quoted by type, cut to their maximum lengths and filtered to
// printable characters when asked.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_progress.h"
#include "framework/core/display_width.h"
#include "framework/core/strings.h"

namespace trx {

namespace {

using P = TRegPlaneNdx;
using FT = TFieldType;

// A line goes to the file in pieces that keep the buffer at most this long.
constexpr std::size_t ExportPieceLng = 225;
// The longest field text other than a memo, in cells.
constexpr int ExportFieldLng = 255;

// A delimiter or quote setting: a character code from 0 to 255 stands for
// that character, any other text for itself.
std::string DecodeExportChr(const std::string& Setting) {
    const bool code = !Setting.empty() && Setting.size() <= 3 &&
                      std::all_of(Setting.begin(), Setting.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (code) {
        const int value = std::stoi(Setting);
        if (value <= 255) return std::string(1, static_cast<char>(value));
    }
    return Setting;
}

// Every character but the controls below 32 and 127. The bytes of a UTF-8
// sequence are all 128 or more, so a byte at a time tells.
bool IsPrintable(char c) { return static_cast<unsigned char>(c) >= 32 && c != 127; }

// The first character from P on that is not printable, or End; eight
// characters are checked at a time while all of them are printable.
const char* SkipPrintable(const char* P, const char* End) {
    constexpr uint64_t Ones = 0x0101010101010101ULL;
    constexpr uint64_t Highs = 0x8080808080808080ULL;
    // Whether a byte is below N (N at most 128): only such a byte borrows
    // into a high bit that it does not have itself. A byte of 127 is 0
    // once 127 is taken away bit by bit.
    auto hasBelow = [](uint64_t X, uint64_t N) { return ((X - N * Ones) & ~X & Highs) != 0; };
    auto allPrintable = [&](uint64_t X) { return !hasBelow(X, 32) && !hasBelow(X ^ (127 * Ones), 1); };
    while (End - P >= 8) {
        uint64_t x = 0;
        std::memcpy(&x, P, 8);
        if (!allPrintable(x)) break;
        P += 8;
    }
    if (End - P < 8 && P < End) {
        // The last few characters, filled up with blanks, in one word.
        uint64_t x = 32 * Ones;
        std::memcpy(&x, P, static_cast<std::size_t>(End - P));
        if (allPrintable(x)) return End;
    }
    while (P < End && IsPrintable(*P)) ++P;
    return P;
}

bool IsQuotedType(FT Type) {
    return Type == FT::ftString || Type == FT::ftDate || Type == FT::ftTime || Type == FT::ftDateTime ||
           Type == FT::ftMemo || Type == FT::ftFmtMemo;
}

// Text cut to at most MaxLng cells; its bytes are never fewer than its
// cells, so a text of no more bytes is whole.
inline void CutToCells(std::string& Text, int MaxLng) {
    if (Text.size() > static_cast<std::size_t>(MaxLng)) [[unlikely]]
        Text.resize(BytesInWidth(Text, MaxLng));
}

// A memo cut to MaxLng cells ends after its last character that is not a
// letter, so that no word is cut; a cut text of letters only stays as it is.
void CutMemo(std::string& Text, int MaxLng) {
    if (MaxLng < 0 || Text.size() <= static_cast<std::size_t>(MaxLng)) return;
    CutToCells(Text, MaxLng);
    std::size_t end = 0; // after the last character that is no letter
    for (std::size_t i = 0; i < Text.size();)
        if (!IsLetterChar(NextChar(Text, i))) end = i;
    if (end > 0) Text.resize(end);
}

} // namespace

void TPrintSettings::ExportPrimaryRegs(TRegPlaneNdx Plane, const std::string& Quote, const std::string& Delim) {
    if (!ObjInfo || !ReportSettings) return;
    TObjInfo& oi = *ObjInfo;
    const TtrxReportSettings& rs = *ReportSettings;
    const bool data = Plane == P::plMiddle;
    const bool printableOnly = rs.ExportOnlyPrintableChrs;
    // The line buffer keeps its room from line to line.
    std::string& buf = ExportBuf;
    buf.clear();

    auto append = [&](const char* Piece, std::size_t Count) {
        if (!printableOnly) {
            buf.append(Piece, Count);
            return;
        }
        // Runs of printable characters go in at once.
        const char* end = Piece + Count;
        while (Piece < end) {
            const char* run = Piece;
            Piece = SkipPrintable(Piece, end);
            buf.append(run, static_cast<std::size_t>(Piece - run));
            while (Piece < end && !IsPrintable(*Piece)) ++Piece;
        }
    };

    bool firstLineNum = true;
    for (int i = 0; i < oi.ColCount(); ++i) {
        const TColsListData& col = oi.Col(i);
        if (!col.Print) continue;
        if (col.FldCalc == TFldCalc::fcLineNum) {
            // Only the line numbers of the first page across are a field.
            const bool first = firstLineNum && col.PageAcross <= 1;
            firstLineNum = false;
            if (!first) continue;
        }
        const bool memo = col.FieldType == FT::ftMemo || col.FieldType == FT::ftFmtMemo;
        std::string& text = CellText;
        oi.GetColData(Plane, i, true, text);
        // The data's UTF-8 goes out as it is read; bytes that are no UTF-8
        // go as U+FFFD. The cuts count cells and keep characters whole.
        if (!IsAscii(text) && !IsValidUtf8(text)) text = ValidUtf8(text);
        if (data && memo) {
            CutMemo(text, rs.ExportMaxMemoLng);
        } else {
            CutToCells(text, ExportFieldLng);
            if (data && col.FieldType == FT::ftString && rs.ExportMaxStrLng >= 0) CutToCells(text, rs.ExportMaxStrLng);
        }
        const bool quoted = Plane == P::plFirst || IsQuotedType(col.FieldType);
        if (quoted) buf += Quote;
        std::string_view rest = text;
        for (;;) {
            const std::size_t room = buf.size() < ExportPieceLng ? ExportPieceLng - buf.size() : 0;
            const std::size_t n = std::min(room, rest.size());
            append(rest.data(), n);
            rest.remove_prefix(n);
            if (rest.empty()) break;
            OutFile.Write(buf);
            buf.clear();
        }
        if (quoted) buf += Quote;
        buf += Delim;
    }
    if (buf.size() >= Delim.size()) buf.resize(buf.size() - Delim.size());
    OutFile.WriteLn(buf);
    InOutCheck(OutFile.IOResult());

    ++oi.RcdsDone;
    int rows = oi.Rows;
    UpdateProgressBar(oi.RcdsDone, rows, TPoint{-1, -1});
}

void TPrintSettings::PrintExport() {
    if (!ObjInfo || !ReportSettings || !RptStyles) return;
    TObjInfo& oi = *ObjInfo;
    TtrxReportSettings& rs = *ReportSettings;
    TRptStyles& st = *RptStyles;

    const TRunPosition keep(*this);

    // Line numbers start at the report's first line number, whatever an
    // earlier preview or page range left behind.
    FirstLineNum = rs.StartingReportLineId;
    InitPrintPages();
    Oper = TOper::opExporting;
    const std::string delim = DecodeExportChr(rs.ExportFieldDelim);
    const std::string quote = DecodeExportChr(rs.ExportQuote);

    if (st.Opt(TStyleOptNdx::soColumnTitles)) {
        oi.CurCell = oi.Start;
        TPlaneRows& titles = st.PlaneRows[P::plFirst];
        for (titles.Counter = 0; titles.Counter < titles.Rows; ++titles.Counter) {
            ExportPrimaryRegs(P::plFirst, quote, delim);
            oi.GetNextRcd(P::plFirst, false);
        }
    }

    LineNum = FirstLineNum - 1;
    if (oi.GetFirstRcd()) {
        while (!oi.Eof && OperStatus == TOperStatus::osActive) {
            ExportPrimaryRegs(P::plMiddle, quote, delim);
            oi.GetNextRcd(P::plMiddle, false);
        }
    }

    TPlaneRows& totals = st.PlaneRows[P::plLast];
    while (totals.Counter < totals.Rows && OperStatus == TOperStatus::osActive) {
        ExportPrimaryRegs(P::plLast, quote, delim);
        ++totals.Counter;
        oi.GetNextRcd(P::plLast, false);
    }
    if (OperStatus == TOperStatus::osActive) OperStatus = TOperStatus::osCompleted;
}

} // namespace trx
