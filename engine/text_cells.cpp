// Text in character cells: the layout of a field's text into a rectangle of
// the text page buffer with line breaks, word wrap, alignment and the date,
// page-number and time codes; the choice between that layout and drawn text;
// font scaling and fixed-width strings.
#include <algorithm>
#include <string_view>

#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/shared_routines.h"
#include "framework/core/display_width.h"
#include "framework/core/strings.h"
#include "framework/printing/draw_text.h"

namespace trx {

namespace {

// A control character of a text never reaches the page: a form feed or an
// escape from the data would act on the printer. Line breaks among them are
// worked out by the layout.
constexpr bool IsCtrlChr(char C) { return static_cast<unsigned char>(C) < ' ' || C == '\x7F'; }

// Shrinks runs of MinRun or more blanks to MinRun - 1 blanks, the runs
// nearest the start (or the end) first, until Text is no wider than W.
std::string SqueezeBlanks(std::string Text, int W, int MinRun, bool FromRight) {
    int run = 0;
    int wid = DisplayWidth(Text);
    if (!FromRight) {
        std::size_t i = 0;
        while (i < Text.size() && wid > W) {
            if (Text[i] == ' ') {
                if (++run >= MinRun) {
                    Text.erase(i, 1);
                    --wid;
                    --run;
                    continue;
                }
            } else {
                run = 0;
            }
            ++i;
        }
    } else {
        for (int i = Length(Text) - 1; i >= 0 && wid > W; --i) {
            if (Text[static_cast<std::size_t>(i)] == ' ') {
                if (++run >= MinRun) {
                    Text.erase(static_cast<std::size_t>(i), 1);
                    --wid;
                    --run;
                }
            } else {
                run = 0;
            }
        }
    }
    return Text;
}

} // namespace

std::string FixStrLng(const std::string& S, int N) { return N <= 0 ? std::string() : FitToWidth(S, N); }

int TPrintSettings::BuildFldLines(bool CalcOnly, std::string_view Text, const TRect& Rect, TAlignment Alignment,
                                  bool MemoCodes) {
    const int W = Rect.Right - Rect.Left + 1;
    const int MaxLines = Rect.Bottom - Rect.Top + 1;
    if (W < 1 || MaxLines < 1) return 0;

    // Most cells hold one line of plain text that fits: it goes straight
    // into its line of the page.
    if (TTextPage::HasStopChr(Text, MemoCodes)) return BuildWrappedFldLines(CalcOnly, Text, Rect, Alignment, MemoCodes);
    if (Text.empty()) return 0;
    std::string_view text = Text;
    std::string valid;
    const bool ascii = IsAscii(text);
    if (text.size() > static_cast<std::size_t>(W) || !ascii) {
        if (!IsValidUtf8(text)) text = valid = ValidUtf8(text);
        if (DisplayWidth(text) > W) return BuildWrappedFldLines(CalcOnly, Text, Rect, Alignment, MemoCodes);
    }
    if (!CalcOnly && Rect.Top >= 0) TextPage.PutFldStr(text, ascii, Rect.Top, Rect.Left, Alignment, W);
    return 1;
}

int TPrintSettings::BuildWrappedFldLines(bool CalcOnly, std::string_view Text, const TRect& Rect, TAlignment Alignment,
                                         bool MemoCodes) {
    const int W = Rect.Right - Rect.Left + 1;
    const int MaxLines = Rect.Bottom - Rect.Top + 1;
    // Bytes that are no UTF-8 show as U+FFFD.
    std::string valid;
    std::string_view text(Text);
    if (!IsValidUtf8(text)) text = valid = ValidUtf8(text);
    std::string Line;
    int LineWid = 0; // the cells of Line
    int WordStart = -1; // cell of Line where the current word began, -1 outside a word
    std::size_t WordByte = 0; // the byte of Line where it began
    int Used = 0;
    bool Fitted = false;

    // Emits one line of at most W cells; a word that does not fit is
    // carried to the next line, and so is any other character that overflows,
    // unless only blanks would be carried. Returns whether more lines fit.
    auto WrapFldLine = [&]() -> bool {
        if (Used >= MaxLines) return false;
        std::string Out, Rest;
        if (WordStart > 1 && WordStart - 1 <= W) {
            Out = Line.substr(0, WordByte);
            Rest = Line.substr(WordByte);
            WordStart = 1;
            WordByte = 0;
        } else if (LineWid > W) {
            int outWid = 0;
            std::size_t cut = BytesInWidth(Line, W, &outWid);
            if (cut == 0) {
                // A wide character in a field of one cell: it goes, as it cannot show.
                NextChar(Line, cut);
                outWid = W;
            }
            Out = Line.substr(0, cut);
            Rest = Line.substr(cut);
            if (WordStart > outWid) {
                WordStart -= outWid;
                WordByte -= cut;
            } else if (WordStart >= 1) {
                WordStart = 1;
                WordByte = 0;
            } else if (Trim(Rest).empty()) {
                Rest.clear();
            }
        } else {
            Out = Line;
        }
        if (!CalcOnly && Rect.Top + Used >= 0)
            TextPage.PutFldStr(Out, IsAscii(Out), Rect.Top + Used, Rect.Left, Alignment, W);
        Line = std::move(Rest);
        LineWid = DisplayWidth(Line);
        ++Used;
        return Used < MaxLines;
    };

    // Places a code's text at the left, centre or right of the full width,
    // making room by squeezing runs of blanks.
    auto PlaceCode = [&](std::string Ins, char Where) {
        if (!Fitted) {
            Line = AlignStr(Line, W, Alignment);
            Fitted = true;
        }
        if (Where == 'L') {
            Ins += ' ';
            const int room = W - DisplayWidth(Ins);
            Line = std::string(CutToWidth(SqueezeBlanks(Line, room, 2, false), room));
            Line = Ins + Line;
        } else if (Where == 'R') {
            Ins = " " + Ins;
            const int room = W - DisplayWidth(Ins);
            Line = std::string(CutToWidth(SqueezeBlanks(Line, room, 2, true), room));
            Line += Ins;
        } else {
            Ins = " " + Ins + " ";
            const int li = DisplayWidth(Ins);
            const int p = (W - li) / 2;
            Line = SqueezeBlanks(Line, W - li / 2, 2, false);
            Line = SqueezeBlanks(Line, W - li, 2, true);
            if (DisplayWidth(Line) > W - li) DeleteCells(Line, std::max(1, p + 1), li);
            Line = CopyCells(Line, 1, p) + Ins + CopyCells(Line, p + 1, W - p);
        }
        LineWid = DisplayWidth(Line);
    };

    std::size_t i = 0;
    while (i < text.size()) {
        const char ch = text[i];
        if (ch == '\n') {
            ++i;
            continue;
        }
        if (ch == '\r') {
            ++i;
            WordStart = -1;
            if (!WrapFldLine()) return Used;
            continue;
        }
        if (IsCtrlChr(ch)) {
            // A control character from the data prints as a blank.
            ++i;
            Line += ' ';
            ++LineWid;
            WordStart = -1;
        } else if (ch == '^' && MemoCodes) {
            ++i;
            const char code = i < text.size() ? text[i] : '\0';
            std::string Ins;
            bool isCode = true;
            switch (code) {
            case 'D': Ins = DateText; break;
            case 'P': Ins = FormattedPageNum(); break;
            case 'T': Ins = TimeText; break;
            default: isCode = false; break;
            }
            if (isCode) {
                ++i;
                const char where = i < text.size() ? UpCase(text[i]) : '\0';
                if (where == 'C' || where == 'L' || where == 'R') {
                    ++i;
                    PlaceCode(Ins, where);
                } else {
                    Line += Ins;
                    LineWid += DisplayWidth(Ins);
                }
            } else {
                // Not a code: the caret stands for itself and the character
                // after it is dropped; a caret that ends the text ends it.
                Line += '^';
                ++LineWid;
                if (i < text.size()) NextChar(text, i);
            }
            WordStart = -1;
        } else {
            const std::size_t at = i;
            const char32_t c = NextChar(text, i);
            Line.append(text.substr(at, i - at));
            if (!IsWordChar(c)) {
                WordStart = -1;
            } else if (WordStart == -1) {
                WordStart = LineWid + 1;
                WordByte = Line.size() - (i - at);
            }
            LineWid += c < 0x80 ? 1 : CharWidth(c);
        }
        while (LineWid > W)
            if (!WrapFldLine()) return Used;
    }
    if (!Line.empty() && Used < MaxLines) {
        WordStart = -1;
        WrapFldLine();
    }
    return Used;
}

int TPrintSettings::PrintText(const char* Text, int Count, TRect& Rect, unsigned Format) {
    if (Count == 0 || !Text) return 0;
    if (TextQuality()) {
        const std::string_view text = Count < 0 ? std::string_view(Text) : std::string_view(Text, Count);
        return BuildFldLines((Format & DT_CALCRECT) != 0, text, Rect, CnvtFormatToAlignment(Format),
                             (Format & DT_MEMOCODES) != 0);
    }
    if (!Canvas) return 0;
    return DrawTextA(*Canvas, Text, Count, Rect, Format & ~DT_MEMOCODES);
}

int TPrintSettings::ScaleFontSize(int Size) const {
    if (ScalePct != 100) Size = static_cast<int>(Size * ScalePct / 100.0 + 0.25);
    return ReportSettings ? ReportSettings->ValidateFontSize(Size) : Size;
}

void TPrintSettings::AssignFont(const TFont& Font) {
    if (Canvas && !CompareFonts(Canvas->Font(), Font)) Canvas->Font().Assign(Font);
}

} // namespace trx
