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
#include "framework/core/strings.h"

namespace trx {

namespace {

using P = TRegPlaneNdx;
using FT = TFieldType;

// A line goes to the file in pieces that keep the buffer at most this long.
constexpr std::size_t ExportPieceLng = 225;
// The longest field text other than a memo.
constexpr std::size_t ExportFieldLng = 255;

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

bool IsPrintable(char c) { return c >= 32 && c <= 126; }

// The first character from P on that is not printable, or End; eight
// characters are checked at a time while all of them are printable.
const char* SkipPrintable(const char* P, const char* End) {
    constexpr uint64_t Ones = 0x0101010101010101ULL;
    constexpr uint64_t Highs = 0x8080808080808080ULL;
    // A byte below 32 borrows into its high bit; a byte of 127 or more has
    // it set, or sets it when 1 is added.
    auto allPrintable = [](uint64_t X) { return (((X - 32 * Ones) & ~X) | ((X + Ones) | X)) & Highs ? false : true; };
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

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsQuotedType(FT Type) {
    return Type == FT::ftString || Type == FT::ftDate || Type == FT::ftTime || Type == FT::ftDateTime ||
           Type == FT::ftMemo || Type == FT::ftFmtMemo;
}

// A memo cut to MaxLng ends after its last character that is not a letter,
// so that no word is cut; a cut text of letters only stays as it is.
std::string CutMemo(const std::string& Text, int MaxLng) {
    if (MaxLng < 0 || Length(Text) <= MaxLng) return Text;
    std::string s = Text.substr(0, static_cast<std::size_t>(MaxLng));
    for (std::size_t i = s.size(); i > 0; --i)
        if (!IsLetter(s[i - 1])) return s.substr(0, i);
    return s;
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
        if (data && memo) {
            text = CutMemo(text, rs.ExportMaxMemoLng);
        } else {
            if (text.size() > ExportFieldLng) text.resize(ExportFieldLng);
            if (data && col.FieldType == FT::ftString && rs.ExportMaxStrLng >= 0 && Length(text) > rs.ExportMaxStrLng)
                text.resize(static_cast<std::size_t>(rs.ExportMaxStrLng));
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
