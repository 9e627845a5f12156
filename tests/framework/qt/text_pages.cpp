#include "text_pages.h"

namespace trx::test {

namespace {

std::string Repeat(const std::string& Piece, int Count) {
    std::string r;
    for (int i = 0; i < Count; ++i) r += Piece;
    return r;
}

// A table page in a character set: the corner, tee, line and accent pieces
// come from the set.
struct TCharSet {
    std::string TopLeft, TopTee, TopRight, Vertical, LeftTee, Cross, RightTee, BottomLeft, BottomTee, BottomRight,
        Horizontal, UUmlaut, EAcute, Block;
};

TTextPages Report(const TCharSet& C) {
    auto rule = [&](const std::string& L, const std::string& M, const std::string& R) {
        return L + Repeat(C.Horizontal, 12) + M + Repeat(C.Horizontal, 12) + R;
    };
    auto row = [&](const std::string& Region, const std::string& Amount) {
        return C.Vertical + Region + C.Vertical + Amount + C.Vertical;
    };
    const std::string top = rule(C.TopLeft, C.TopTee, C.TopRight);
    const std::string head = row(" Region     ", "      Amount");
    const std::string mid = rule(C.LeftTee, C.Cross, C.RightTee);
    const std::string bottom = rule(C.BottomLeft, C.BottomTee, C.BottomRight);
    return {
        {"Sales by region                    Page 1", "", top, head, mid, row(" North      ", "    1,234.50"),
         row(" S" + C.UUmlaut + "d        ", "      987.00"), row(" Caf" + C.EAcute + "s      ", "       12.25"),
         bottom},
        {"Sales by region                    Page 2", "", top, head, mid, row(" West       ", "      400.00"),
         row(" East       ", "    2,000.75"), bottom, "", "   Total: 4,634.50  " + Repeat(C.Block, 3)},
        {"End of report"},
    };
}

} // namespace

TTextPages SampleReportUtf8() { return Report({"┌", "┬", "┐", "│", "├", "┼", "┤", "└", "┴", "┘", "─", "ü", "é", "█"}); }

void PrintTextPages(TPrinter& Printer, const TTextPages& Pages, const std::string& Title) {
    TCanvas& canvas = Printer.Canvas();
    canvas.Font().SetName("Letter Gothic Line");
    canvas.Font().SetSize(10);
    canvas.Font().SetPitch(TFontPitch::fpFixed);
    Printer.Title = Title;
    Printer.BeginDoc();
    for (size_t page = 0; page < Pages.size(); ++page) {
        if (page > 0) Printer.NewPage();
        const int line_height = canvas.TextHeight("X|ygW");
        int y = 0;
        for (const std::string& line : Pages[page]) {
            canvas.TextOut(0, y, line);
            y += line_height;
        }
    }
    Printer.EndDoc();
}

} // namespace trx::test
