// The export of delimited fields: one line per title row, record and total
// row, fields cut to their maximum lengths and filtered to printable
// characters when asked, quoted by type and wherever a reader would split
// them otherwise, with the quotes they hold doubled.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

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

// The first characters of the quote and the delimiter, eight times over:
// a field that holds one goes the long way, where it is quoted as it needs.
// A field quoted for its type stops at the quote only, as a delimiter
// within quotes is the text's own. An empty text stops at the character 0,
// which is no printable character anyway.
struct TStopChrs {
    static constexpr uint64_t Ones = 0x0101010101010101ULL;
    explicit TStopChrs(const std::string& Delim, const std::string& Quote)
        : Q(Ones * (Quote.empty() ? 0 : static_cast<unsigned char>(Quote[0]))),
          D(Ones * (Delim.empty() ? 0 : static_cast<unsigned char>(Delim[0]))) {}
    uint64_t Q;
    uint64_t D;
};

// Whether every one of the Count characters at P is printable ASCII (32 to
// 126) and none is a stop character (the quote's first, and with Delim the
// delimiter's first): then its cells are its bytes, it is whole UTF-8, the
// filter keeps all of it and it needs no quotes of its own. Most field
// texts are. Eight characters are checked at a time, and with Copy they go
// to To as they are checked (a text that fails may have left some of its
// characters there).
template <bool Copy, bool Delim>
bool PrintableAscii(const char* P, std::size_t Count, char* To, const TStopChrs& Stops) {
    constexpr uint64_t Ones = TStopChrs::Ones;
    constexpr uint64_t Highs = 0x8080808080808080ULL;
    const uint64_t q = Stops.Q;
    const uint64_t d = Stops.D;
    // A byte of 128 or more has its high bit, one of 127 gets it when 1 is
    // added (a carry out of a byte of 255 only flags what its high bit
    // flags already), and only a byte below 32 borrows into a high bit that
    // it does not have itself; a byte equal to a stop character is 0 once
    // that character is taken away bit by bit, and a word borrows into a
    // high bit it does not have only when it holds a 0.
    auto zero = [](uint64_t X) { return (X - Ones) & ~X; };
    auto bad = [=](uint64_t X) {
        uint64_t flags = (X | (X + Ones)) | ((X - 32 * Ones) & ~X) | zero(X ^ q);
        if constexpr (Delim) flags |= zero(X ^ d);
        return (flags & Highs) != 0;
    };
    const std::size_t n = Count;
    uint64_t x = 0;
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::memcpy(&x, P + i, 8);
            if (bad(x)) return false;
            if constexpr (Copy) std::memcpy(To + i, &x, 8);
        }
        if (i == n) return true;
        // The last eight characters; those already read are printable.
        std::memcpy(&x, P + n - 8, 8);
        if (bad(x)) return false;
        if constexpr (Copy) std::memcpy(To + n - 8, &x, 8);
        return true;
    }
    // Fewer than eight: read in two overlapping halves, or byte by byte,
    // with the first character in the rest of the word.
    if (n >= 4) {
        uint32_t first = 0, last = 0;
        std::memcpy(&first, P, 4);
        std::memcpy(&last, P + n - 4, 4);
        if (bad(first | static_cast<uint64_t>(last) << 32)) return false;
        if constexpr (Copy) {
            std::memcpy(To, &first, 4);
            std::memcpy(To + n - 4, &last, 4);
        }
        return true;
    }
    if (n == 0) return true;
    const unsigned char c0 = static_cast<unsigned char>(P[0]);
    const unsigned char c1 = static_cast<unsigned char>(P[n / 2]);
    const unsigned char c2 = static_cast<unsigned char>(P[n - 1]);
    x = (c0 * Ones & ~0xFFFFFFULL) | c0 | static_cast<uint64_t>(c1) << 8 | static_cast<uint64_t>(c2) << 16;
    if (bad(x)) return false;
    if constexpr (Copy) {
        To[0] = static_cast<char>(c0);
        To[n / 2] = static_cast<char>(c1);
        To[n - 1] = static_cast<char>(c2);
    }
    return true;
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

// Drops the characters that are not printable, a run of printable ones
// at a time.
void KeepPrintable(std::string& Text) {
    const char* begin = Text.data();
    const char* end = begin + Text.size();
    const char* p = SkipPrintable(begin, end);
    if (p == end) return;
    char* to = Text.data() + (p - begin);
    while (p < end) {
        while (p < end && !IsPrintable(*p)) ++p;
        const char* run = p;
        p = SkipPrintable(p, end);
        std::memmove(to, run, static_cast<std::size_t>(p - run));
        to += p - run;
    }
    Text.resize(static_cast<std::size_t>(to - Text.data()));
}

// Whether a field not quoted for its type holds the delimiter, the quote or
// a line end: unquoted, a reader would split it there.
bool NeedsQuotes(std::string_view Text, const std::string& Quote, const std::string& Delim) {
    return (!Delim.empty() && Text.find(Delim) != std::string_view::npos) ||
           Text.find(Quote) != std::string_view::npos || Text.find_first_of("\r\n") != std::string_view::npos;
}

// The line buffer of the export: a line is assembled in it, and whenever it
// is full its text goes to the file without a line end, so that a line of
// any length (a long memo, many columns) takes no more room than this.
class TExportLine {
public:
    TExportLine(std::string& Room, TTextFile& File) : file_(File) {
        if (Room.size() != ExportPieceLng) Room.assign(ExportPieceLng, ' ');
        buf_ = Room.data();
    }

    void Put(char C) {
        if (n_ == ExportPieceLng) [[unlikely]]
            Flush();
        buf_[n_++] = C;
    }
    // A delimiter or a quote: at most three characters.
    void Put(const std::string& S) {
        if (S.size() == 1 && n_ < ExportPieceLng) [[likely]] {
            buf_[n_++] = S[0];
            return;
        }
        for (char c : S) Put(c);
    }
    void Put(const char* P, std::size_t Count) {
        if (Count <= ExportPieceLng - n_) [[likely]] {
            std::memcpy(buf_ + n_, P, Count);
            n_ += Count;
            return;
        }
        while (Count > 0) {
            if (n_ == ExportPieceLng) Flush();
            const std::size_t k = std::min(Count, ExportPieceLng - n_);
            std::memcpy(buf_ + n_, P, k);
            n_ += k;
            P += k;
            Count -= k;
        }
    }
    // The text's first Keep characters when all of its characters are
    // printable ASCII and none stops, the delimiter too with Delim (copied
    // as they are checked when it fits in the room left); false, and
    // nothing put, otherwise.
    template <bool Delim>
    bool PutPrintableAscii(std::string_view Text, std::size_t Keep, const TStopChrs& Stops) {
        if (Text.size() <= ExportPieceLng - n_) [[likely]] {
            if (!PrintableAscii<true, Delim>(Text.data(), Text.size(), buf_ + n_, Stops)) return false;
            n_ += Keep;
            return true;
        }
        if (!PrintableAscii<false, Delim>(Text.data(), Text.size(), nullptr, Stops)) return false;
        Put(Text.data(), Keep);
        return true;
    }
    // The text with every quote in it written twice, so that a reader takes
    // it for a quote of the text and not for the end of the field.
    void PutQuoted(std::string_view Text, const std::string& Quote) {
        if (Quote.size() == 1) {
            // The usual quote of one character: found the fastest way.
            const char* p = Text.data();
            const char* end = p + Text.size();
            while (const void* at = std::memchr(p, Quote[0], static_cast<std::size_t>(end - p))) {
                const char* next = static_cast<const char*>(at) + 1;
                Put(p, static_cast<std::size_t>(next - p));
                Put(Quote[0]);
                p = next;
            }
            Put(p, static_cast<std::size_t>(end - p));
            return;
        }
        std::size_t from = 0;
        for (std::size_t at; (at = Text.find(Quote, from)) != std::string_view::npos; from = at + Quote.size()) {
            Put(Text.data() + from, at + Quote.size() - from);
            Put(Quote);
        }
        Put(Text.data() + from, Text.size() - from);
    }
    // The rest of the line and its line end, in one write when they fit.
    void EndLine() {
        if (ExportPieceLng - n_ >= 2) [[likely]] {
            buf_[n_++] = '\r';
            buf_[n_++] = '\n';
            file_.Write(std::string_view(buf_, n_));
        } else {
            file_.WriteLn(std::string_view(buf_, n_));
        }
        n_ = 0;
    }

private:
    void Flush() {
        file_.Write(std::string_view(buf_, n_));
        n_ = 0;
    }

    TTextFile& file_;
    char* buf_ = nullptr;
    std::size_t n_ = 0;
};

// One exported field of a line: its column and what the plane and the
// settings make of it, the same for every line of a run.
struct TExportField {
    int Ndx = 0; // the column
    bool Quoted = false;
    bool MemoCut = false; // a memo of a data row: cut after its last word
    int MaxLng = 0; // at most this many cells (other fields)
};

// The exported fields of a plane's lines, in column order: the printed
// columns across all pages across, of the line-number columns only one on
// the first page across.
std::vector<TExportField> ExportFields(const TObjInfo& Oi, TRegPlaneNdx Plane, const TtrxReportSettings& Rs) {
    const bool data = Plane == P::plMiddle;
    std::vector<TExportField> fields;
    bool firstLineNum = true;
    for (int i = 0; i < Oi.ColCount(); ++i) {
        const TColsListData& col = Oi.Col(i);
        if (!col.Print) continue;
        if (col.FldCalc == TFldCalc::fcLineNum) {
            const bool first = firstLineNum && col.PageAcross <= 1;
            firstLineNum = false;
            if (!first) continue;
        }
        TExportField f;
        f.Ndx = i;
        f.Quoted = Plane == P::plFirst || IsQuotedType(col.FieldType);
        f.MemoCut = data && (col.FieldType == FT::ftMemo || col.FieldType == FT::ftFmtMemo);
        f.MaxLng = ExportFieldLng;
        if (data && col.FieldType == FT::ftString && Rs.ExportMaxStrLng >= 0)
            f.MaxLng = std::min(f.MaxLng, Rs.ExportMaxStrLng);
        fields.push_back(f);
    }
    return fields;
}

// The room an export line is assembled in, and that of a field's text; kept
// from line to line.
struct TExportRoom {
    std::string Text;
    std::string Line;
};

// Writes one export line of the current row (ExportPrimaryRegs) with its
// fields.
void ExportLine(TPrintSettings& Ps, const std::vector<TExportField>& Fields, TRegPlaneNdx Plane,
                const std::string& Quote, const std::string& Delim, TExportRoom& Room) {
    const TStopChrs Stops(Delim, Quote);
    TObjInfo& oi = *ObjInfo;
    const TtrxReportSettings& rs = *ReportSettings;
    const bool printableOnly = rs.ExportOnlyPrintableChrs;
    TExportLine line(Room.Line, Ps.OutFile);

    bool firstField = true;
    for (const TExportField& field : Fields) {
        std::string& text = Room.Text;
        oi.GetColData(Plane, field.Ndx, true, text);
        // Fields are separated by the delimiter: none after the last.
        if (!firstField) line.Put(Delim);
        firstField = false;
        // A field quoted for its type gets its opening quote at once; any
        // other needs quotes only when it holds what a reader would take for
        // the end of the field or of the line.
        if (field.Quoted) line.Put(Quote);
        // The cuts count cells of the data's characters. Printable ASCII is
        // a character a cell with nothing to filter: cut where the count
        // says, unless a memo is to be cut after a word.
        const bool plainCut =
            !field.MemoCut || rs.ExportMaxMemoLng < 0 || text.size() <= static_cast<std::size_t>(rs.ExportMaxMemoLng);
        const std::size_t keep =
            field.MemoCut ? text.size() : std::min(text.size(), static_cast<std::size_t>(field.MaxLng));
        const bool plain = plainCut && (field.Quoted ? line.PutPrintableAscii<false>(text, keep, Stops)
                                                     : line.PutPrintableAscii<true>(text, keep, Stops));
        if (!plain) {
            // The data's UTF-8 goes out as it is read; bytes that are no
            // UTF-8 go as U+FFFD. The cuts keep characters whole.
            if (!IsAscii(text) && !IsValidUtf8(text)) text = ValidUtf8(text);
            if (field.MemoCut)
                CutMemo(text, rs.ExportMaxMemoLng);
            else
                CutToCells(text, field.MaxLng);
            if (printableOnly) KeepPrintable(text);
            if (Quote.empty()) {
                line.Put(text.data(), text.size());
            } else if (field.Quoted) {
                line.PutQuoted(text, Quote);
            } else if (NeedsQuotes(text, Quote, Delim)) {
                line.Put(Quote);
                line.PutQuoted(text, Quote);
                line.Put(Quote);
            } else {
                line.Put(text.data(), text.size());
            }
        }
        if (field.Quoted) line.Put(Quote);
    }
    line.EndLine();
    InOutCheck(Ps.OutFile.IOResult());

    ++oi.RcdsDone;
    int rows = oi.Rows;
    UpdateProgressBar(oi.RcdsDone, rows, TPoint{-1, -1});
}

} // namespace

std::string DecodeExportChr(const std::string& Setting) {
    const bool code = !Setting.empty() && Setting.size() <= 3 &&
                      std::all_of(Setting.begin(), Setting.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (code) {
        const int value = std::stoi(Setting);
        if (value <= 255) return std::string(1, static_cast<char>(value));
    }
    return Setting;
}

std::string ExportChrsFault(const std::string& Delim, const std::string& Quote) {
    // Without a delimiter the fields of a line run into one another.
    if (Delim.empty()) return "Export Field Delimiter Character must be between 0 and 255 (Ascii Code)";
    if (CompareText(Delim, Quote) == 0)
        return "Export Field Delimeter and Export Quote fields cannot have the same value";
    return {};
}

void TPrintSettings::ExportPrimaryRegs(TRegPlaneNdx Plane, const std::string& Quote, const std::string& Delim) {
    if (!ObjInfo || !ReportSettings) return;
    TExportRoom room;
    ExportLine(*this, ExportFields(*ObjInfo, Plane, *ReportSettings), Plane, Quote, Delim, room);
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
        // The data rows' fields are the same on every line.
        const std::vector<TExportField> fields = ExportFields(oi, P::plMiddle, rs);
        TExportRoom room;
        while (!oi.Eof && OperStatus == TOperStatus::osActive) {
            ExportLine(*this, fields, P::plMiddle, quote, delim, room);
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
