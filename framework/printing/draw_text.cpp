#include "framework/printing/draw_text.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/core/display_width.h"

namespace trx {

namespace {

struct TTextLine {
    std::string Text;
    int Mnemonic = -1; // index in Text of the underlined character
};

class TTextLayout {
public:
    TTextLayout(TCanvas& Canvas, bool ExpandTabs, int TabWidth)
        : canvas_(Canvas), expand_tabs_(ExpandTabs), tab_width_(TabWidth) {}

    // Advance width of a line, tabs expanded from the line's start.
    int Width(const std::string& S) const {
        if (!expand_tabs_ || S.find('\t') == std::string::npos) return canvas_.TextWidth(S);
        int x = 0;
        ForEachSegment(S, [&](int SegX, const std::string& Seg) { x = SegX + canvas_.TextWidth(Seg); });
        return x;
    }

    // Calls Fn(x, text) for each tab-separated piece of S, x from the line start.
    template <class Fn>
    void ForEachSegment(const std::string& S, Fn&& F) const {
        int x = 0;
        size_t seg = 0;
        for (size_t i = 0; i <= S.size(); ++i) {
            if (i == S.size() || (expand_tabs_ && S[i] == '\t')) {
                std::string piece = S.substr(seg, i - seg);
                F(x, piece);
                if (i == S.size()) break;
                x += canvas_.TextWidth(piece);
                x = (x / tab_width_ + 1) * tab_width_;
                seg = i + 1;
            }
        }
    }

private:
    TCanvas& canvas_;
    bool expand_tabs_;
    int tab_width_;
};

// Splits at CR LF, CR or LF; a break at the very end starts no new line.
std::vector<std::string> SplitParagraphs(const std::string& Text) {
    std::vector<std::string> result;
    size_t start = 0;
    size_t i = 0;
    while (i < Text.size()) {
        char c = Text[i];
        if (c == '\r' || c == '\n') {
            result.push_back(Text.substr(start, i - start));
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < Text.size() || result.empty()) result.push_back(Text.substr(start));
    return result;
}

// Removes the mnemonic marks: "&x" shows x underlined, "&&" shows '&'; a
// '&' ending the text stays as it is.
TTextLine StripPrefix(const std::string& P) {
    TTextLine line;
    line.Text.reserve(P.size());
    for (size_t i = 0; i < P.size(); ++i) {
        if (P[i] == '&' && i + 1 < P.size()) {
            ++i;
            if (P[i] != '&' && line.Mnemonic < 0) line.Mnemonic = static_cast<int>(line.Text.size());
        }
        // The character whole, whatever its bytes.
        const std::size_t at = i;
        NextChar(P, i);
        line.Text.append(P, at, i - at);
        --i;
    }
    return line;
}

// Greedy word wrap of one paragraph into lines no wider than Width.
void WrapParagraph(const TTextLine& P, int Width, bool BreakWords, const TTextLayout& Layout,
                   std::vector<TTextLine>& Lines) {
    const std::string& d = P.Text;
    const size_t n = d.size();
    size_t start = 0;
    do {
        size_t end = start;
        size_t next = n;
        bool have_word = false;
        size_t i = start;
        while (i < n) {
            size_t sp = i;
            while (sp < n && d[sp] == ' ') ++sp;
            if (sp == n) { // blanks ending the paragraph stay on its last line
                end = n;
                break;
            }
            size_t we = sp;
            while (we < n && d[we] != ' ') ++we;
            int w = Layout.Width(d.substr(start, we - start));
            if (w <= Width || !have_word) {
                if (w > Width && BreakWords) {
                    // Break inside the word: as many characters as fit, at least one.
                    size_t k = sp;
                    NextChar(d, k);
                    for (size_t next_k = k; k < we; k = next_k) {
                        NextChar(d, next_k);
                        if (Layout.Width(d.substr(start, next_k - start)) > Width) break;
                    }
                    end = k;
                    next = k;
                    break;
                }
                end = we;
                i = we;
                have_word = true;
            } else {
                next = sp; // the blanks at the break are dropped
                break;
            }
        }
        TTextLine line;
        line.Text = d.substr(start, end - start);
        if (P.Mnemonic >= static_cast<int>(start) && P.Mnemonic < static_cast<int>(end))
            line.Mnemonic = P.Mnemonic - static_cast<int>(start);
        Lines.push_back(std::move(line));
        start = next;
    } while (start < n);
}

} // namespace

int DrawTextA(TCanvas& Canvas, const char* Text, int Count, TRect& Rect, unsigned Format) {
    if (Text == nullptr) return 0;
    size_t len = Count < 0 ? std::strlen(Text) : static_cast<size_t>(Count);
    return DrawTextA(Canvas, std::string(Text, len), Rect, Format);
}

int DrawTextA(TCanvas& Canvas, const std::string& Text, TRect& Rect, unsigned Format) {
    int tab_stop = 8;
    if (Format & DT_TABSTOP) {
        tab_stop = static_cast<int>((Format >> 8) & 0xFF);
        Format &= ~0xFF00u;
        if (tab_stop < 1) tab_stop = 8;
    }
    const bool calc = (Format & DT_CALCRECT) != 0;
    const bool single = (Format & DT_SINGLELINE) != 0;
    TTextMetric tm = Canvas.TextMetrics();
    const int lh = tm.Height + ((Format & DT_EXTERNALLEADING) ? tm.ExternalLeading : 0);

    if (Text.empty()) {
        if (calc) {
            Rect.Right = Rect.Left;
            Rect.Bottom = Rect.Top + (single ? lh : 0);
        }
        return 0;
    }

    TTextLayout layout(Canvas, (Format & DT_EXPANDTABS) != 0, std::max(tm.AveCharWidth, 1) * tab_stop);
    const int width = Rect.Right - Rect.Left;

    std::vector<TTextLine> lines;
    std::vector<std::string> paragraphs;
    if (single)
        paragraphs.push_back(Text);
    else
        paragraphs = SplitParagraphs(Text);
    for (const std::string& p : paragraphs) {
        TTextLine stripped;
        if (Format & DT_NOPREFIX)
            stripped.Text = p;
        else
            stripped = StripPrefix(p);
        if (Format & DT_WORDBREAK)
            WrapParagraph(stripped, width, (Format & DT_EDITCONTROL) != 0, layout, lines);
        else
            lines.push_back(std::move(stripped));
        if (single) break;
    }
    if (single && lines.size() > 1) lines.resize(1);

    int y = Rect.Top;
    if (single && !calc) {
        if (Format & DT_VCENTER)
            y = Rect.Top + (Rect.Bottom - Rect.Top - lh) / 2;
        else if (Format & DT_BOTTOM)
            y = Rect.Bottom - lh;
    }

    const bool clip = (Format & DT_NOCLIP) == 0;
    const bool opaque = Canvas.Brush().Style() != TBrushStyle::bsClear;
    const TColor background = Canvas.Brush().Color();
    int max_width = 0;
    for (const TTextLine& line : lines) {
        int lw = layout.Width(line.Text);
        max_width = std::max(max_width, lw);
        if (!calc && !(clip && y >= Rect.Bottom)) {
            int x = Rect.Left;
            if (Format & DT_CENTER)
                x = (Rect.Left + Rect.Right - lw) / 2;
            else if (Format & DT_RIGHT)
                x = Rect.Right - lw;
            const TFont& font = Canvas.Font();
            TCanvasDevice& device = Canvas.Device();
            layout.ForEachSegment(line.Text, [&](int SegX, const std::string& Seg) {
                if (!Seg.empty()) device.DrawText(x + SegX, y, Seg, font, opaque, background, clip ? &Rect : nullptr);
            });
            if (line.Mnemonic >= 0) {
                int ux = x + layout.Width(line.Text.substr(0, static_cast<size_t>(line.Mnemonic)));
                size_t end = static_cast<size_t>(line.Mnemonic);
                NextChar(line.Text, end);
                int uw = Canvas.TextWidth(
                    line.Text.substr(static_cast<size_t>(line.Mnemonic), end - static_cast<size_t>(line.Mnemonic)));
                TPen pen;
                pen.SetColor(font.Color());
                int uy = y + tm.Ascent + 1;
                device.DrawLine(Point(ux, uy), Point(ux + uw, uy), pen);
            }
        }
        y += lh;
    }

    if (calc) {
        Rect.Right = Rect.Left + max_width;
        Rect.Bottom = y;
    }
    return y - Rect.Top;
}

} // namespace trx
