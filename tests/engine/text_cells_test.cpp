#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/run_scope.h"
#include "framework/core/display_width.h"
#include "framework/printing/draw_text.h"

using namespace trx;

namespace {

struct TextCells : ::testing::Test {
    TRunScope run;
    bool memoCodes = false; // the text is a report memo

    TextCells() {
        run.PS().DateText = "01/02/2024";
        run.PS().TimeText = "10:30";
        run.PS().CurPage = {1, 3};
        run.RS().MemoPageFormatStr = "Page";
    }
    // Lays Text out in a rectangle W wide and H high at the buffer's top left.
    std::vector<std::string> Layout(const std::string& Text, int W, int H = 20,
                                    TAlignment Align = TAlignment::taLeftJustify) {
        run.PS().TextPage.Clear();
        const int used = run.PS().BuildFldLines(false, Text, TRect{1, 0, W, H - 1}, Align, memoCodes);
        std::vector<std::string> lines;
        for (int i = 0; i < run.PS().TextPage.Count(); ++i) lines.push_back(run.PS().TextPage.Line(i));
        EXPECT_EQ(used, static_cast<int>(lines.size()));
        return lines;
    }
    // S followed by blanks up to W cells.
    static std::string Pad(const std::string& S, int W) { return S + std::string(W - DisplayWidth(S), ' '); }
};

} // namespace

TEST_F(TextCells, MemoCodesPlaceDatePageAndTimeAcrossTheLine) {
    memoCodes = true;
    const auto lines = Layout("\r^DL^PC^TR", 60);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(60, ' '));
    const std::string expected = "01/02/2024" + std::string(16, ' ') + " Page 3 " + std::string(20, ' ') + " 10:30";
    EXPECT_EQ(lines[1], expected);
    EXPECT_EQ(lines[1].size(), 60u);

    run.PS().PagesAcross = 2;
    run.PS().CurPage = {2, 5};
    EXPECT_EQ(Layout("^Pl", 12)[0], "Page 5-2    "); // the placement letter may be lower case
    EXPECT_EQ(Layout("^PR", 12, 1, TAlignment::taRightJustify)[0], "    Page 5-2");
}

TEST_F(TextCells, CodesInTheRunningText) {
    memoCodes = true;
    EXPECT_EQ(Layout("on ^D ok", 30)[0], Pad("on 01/02/2024 ok", 30)); // the blank after the code stays
    EXPECT_EQ(Layout("a^^b", 10)[0], Pad("a^b", 10)); // two carets give one
    EXPECT_EQ(Layout("a^Qb", 10)[0], Pad("a^b", 10)); // an unknown code letter is dropped
    EXPECT_EQ(Layout("a^d", 10)[0], Pad("a^", 10)); // the letters are case-sensitive
    EXPECT_EQ(Layout("ab^", 10)[0], Pad("ab^", 10)); // a caret at the end ends the text
    EXPECT_EQ(Layout("^T", 10)[0], Pad("10:30", 10));
}

TEST_F(TextCells, DataIsLaidOutAsItIsStored) {
    // Only a memo's carets are codes; in titles and data they are text.
    for (const std::string text : {"E=mc^2", "2^10=1024", "AT^T", "a^^b", "^DL x", "end^"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Layout(text, 12)[0], Pad(text, 12));
        EXPECT_EQ(Layout(text, 12, 20, TAlignment::taRightJustify)[0], std::string(12 - text.size(), ' ') + text);
    }
    // Also where the text wraps or breaks.
    EXPECT_EQ(Layout("x^2 + y^2\r^P", 6), (std::vector<std::string>{"x^2 + ", "y^2   ", "^P    "}));
    memoCodes = true;
    EXPECT_EQ(Layout("AT^T", 12)[0], Pad("AT10:30", 12));
}

TEST_F(TextCells, ControlCharactersAreBlanks) {
    using namespace std::string_literals;
    // A form feed, an escape, a bell, a NUL, a tab or a delete in a text
    // would act on the printer: each takes one blank column.
    for (const bool codes : {false, true}) {
        memoCodes = codes;
        EXPECT_EQ(Layout("a\fb\x1B(s3Bc\ad\0e\tf\x7Fg"s, 20)[0], Pad("a b (s3Bc d e f g", 20));
        EXPECT_EQ(Layout("\f"s, 3)[0], "   ");
        EXPECT_EQ(Layout("\0x"s, 3, 1, TAlignment::taRightJustify)[0], "  x");
        // A blank that stands for one ends a word like any blank.
        EXPECT_EQ(Layout("abcde\ffghij"s, 8), (std::vector<std::string>{"abcde   ", "fghij   "}));
    }
    // Line breaks stay what they are.
    EXPECT_EQ(Layout("ab\r\ncd\x0C"s, 4), (std::vector<std::string>{"ab  ", "cd  "}));

    // Wherever the character stands; bytes from 128 up are text (those that
    // are no UTF-8 show as U+FFFD, also where the blank splits a character).
    const std::string high = "\x80\xA0\xB3\xC4\xE9\xFF\xC3\xA9 \x7E\x21~ok";
    for (std::size_t at = 0; at <= high.size(); ++at) {
        for (const char c : {'\x01', '\x1F', '\x7F', '\0'}) {
            std::string text = high;
            text.insert(at, 1, c);
            std::string expected = high;
            expected.insert(at, 1, ' ');
            EXPECT_EQ(Layout(text, 20)[0], Pad(ValidUtf8(expected), 20)) << at << " " << static_cast<int>(c);
        }
    }
    EXPECT_EQ(Layout(high, 20)[0], Pad(ValidUtf8(high), 20));
    for (std::size_t len = 1; len <= 9; ++len)
        for (std::size_t at = 0; at < len; ++at) {
            std::string text = std::string("abcdefghi").substr(0, len), expected = text;
            text[at] = '\x1B';
            expected[at] = ' ';
            EXPECT_EQ(Layout(text, 9)[0], Pad(expected, 9)) << len << " " << at;
        }
}

TEST_F(TextCells, WordWrap) {
    EXPECT_EQ(Layout("abcde fghij", 8), (std::vector<std::string>{"abcde   ", "fghij   "}));
    EXPECT_EQ(Layout("abcdefghijkl", 8), (std::vector<std::string>{"abcdefgh", "ijkl    "}));
    // A carried word that is itself too long is cut at the width from its own start.
    EXPECT_EQ(Layout("ab cdefghijklmnopqrstu", 8),
              (std::vector<std::string>{"ab      ", "cdefghij", "klmnopqr", "stu     "}));
    // A character that overflows outside a word is carried; a blank there is dropped.
    EXPECT_EQ(Layout("abcdefgh.xy", 8), (std::vector<std::string>{"abcdefgh", ".xy     "}));
    EXPECT_EQ(Layout("abcdefgh ijk", 8), (std::vector<std::string>{"abcdefgh", "ijk     "}));
    EXPECT_EQ(Layout("12/31 ab-cd", 5), (std::vector<std::string>{"12/31", "ab-cd"}));
    // A text as wide as the field fits; one more character wraps.
    EXPECT_EQ(Layout("ab cdefg", 8), (std::vector<std::string>{"ab cdefg"}));
    EXPECT_EQ(Layout("ab cdefgh", 8), (std::vector<std::string>{"ab      ", "cdefgh  "}));
}

TEST_F(TextCells, LineBreaks) {
    EXPECT_EQ(Layout("ab\r\n", 4), (std::vector<std::string>{"ab  "})); // no empty line after a final break
    EXPECT_EQ(Layout("ab\r\rcd", 4), (std::vector<std::string>{"ab  ", "    ", "cd  "}));
    EXPECT_EQ(Layout("a\nb", 4), (std::vector<std::string>{"ab  "})); // line feeds are skipped
}

TEST_F(TextCells, TheRectangleLimitsTheLines) {
    EXPECT_EQ(Layout("aaa bbb ccc ddd", 3, 2), (std::vector<std::string>{"aaa", "bbb"}));
    EXPECT_EQ(Layout("x\r\r\r\ry", 3, 2).size(), 2u);

    TPrintSettings& ps = run.PS();
    ps.TextPage.Clear();
    EXPECT_EQ(ps.BuildFldLines(true, "aaa bbb ccc", TRect{1, 0, 3, 9}, TAlignment::taLeftJustify, false), 3);
    EXPECT_EQ(ps.TextPage.Count(), 0); // measuring leaves the buffer alone
    EXPECT_EQ(ps.BuildFldLines(false, "abc", TRect{5, 0, 4, 3}, TAlignment::taLeftJustify, false), 0); // no width
    EXPECT_EQ(ps.BuildFldLines(false, "abc", TRect{1, 3, 4, 2}, TAlignment::taLeftJustify, false), 0); // no height
    EXPECT_EQ(ps.TextPage.Count(), 0);
}

TEST_F(TextCells, FieldsAreAlignedInPlace) {
    TPrintSettings& ps = run.PS();
    ps.BuildFldLines(false, "0123456789", TRect{1, 0, 10, 0}, TAlignment::taLeftJustify, false);
    ps.BuildFldLines(false, "ab", TRect{3, 0, 6, 0}, TAlignment::taRightJustify, false);
    EXPECT_EQ(ps.TextPage.Line(0), "01  ab6789");
    ps.BuildFldLines(false, "x", TRect{3, 0, 6, 0}, TAlignment::taCenter, false);
    EXPECT_EQ(ps.TextPage.Line(0), "01 x  6789");
    // Lines below the buffer are added; a line shorter than the field is padded.
    ps.BuildFldLines(false, "yz", TRect{12, 2, 14, 2}, TAlignment::taLeftJustify, false);
    ASSERT_EQ(ps.TextPage.Count(), 3);
    EXPECT_EQ(ps.TextPage.Line(1), " ");
    EXPECT_EQ(ps.TextPage.Line(2), std::string(11, ' ') + "yz ");
    EXPECT_EQ(Layout("centre me", 20, 1, TAlignment::taCenter)[0], "     centre me      ");
}

TEST_F(TextCells, PrintTextChoosesLayoutOrDrawing) {
    TPrintSettings& ps = run.PS();
    TRect r{1, 0, 5, 4};
    EXPECT_EQ(ps.PrintText("abc", 0, r, DT_LEFT), 0);
    EXPECT_EQ(ps.TextPage.Count(), 0);
    EXPECT_EQ(ps.PrintText("abc def", -1, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX), 2);
    EXPECT_EQ(ps.TextPage.Count(), 0);
    EXPECT_EQ(ps.PrintText("abc", -1, r, DT_RIGHT | DT_NOPREFIX), 1);
    EXPECT_EQ(ps.TextPage.Line(0), "  abc");

    EXPECT_EQ(TPrintSettings::CnvtFormatToAlignment(DT_RIGHT | DT_CENTER), TAlignment::taRightJustify);
    EXPECT_EQ(TPrintSettings::CnvtFormatToAlignment(DT_CENTER | DT_WORDBREAK), TAlignment::taCenter);
    EXPECT_EQ(TPrintSettings::CnvtFormatToAlignment(DT_WORDBREAK), TAlignment::taLeftJustify);

    // Graphic quality draws on the canvas and answers the height in pixels.
    run.RS().OutputQuality = 2;
    TCanvas canvas;
    ps.Canvas = &canvas;
    TRect g{0, 0, 1000, 1000};
    const int h = ps.PrintText("abc", -1, g, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(h, canvas.TextHeight("abc"));
    EXPECT_EQ(ps.TextPage.Count(), 1);
}

TEST_F(TextCells, FontSizesAndFixedWidthStrings) {
    TPrintSettings& ps = run.PS();
    ps.ScalePct = 150;
    EXPECT_EQ(ps.ScaleFontSize(10), 15);
    ps.ScalePct = 75;
    EXPECT_EQ(ps.ScaleFontSize(10), 7); // 7.5 + 0.25, truncated
    EXPECT_EQ(ps.ScaleFontSize(11), 8); // 8.25 + 0.25
    run.RS().ShrinkToPage = true;
    run.RS().SmallestFontSize = 8;
    EXPECT_EQ(ps.ScaleFontSize(10), 8);
    ps.ScalePct = 100;
    EXPECT_EQ(ps.ScaleFontSize(6), 8);

    EXPECT_EQ(FixStrLng("abcdef", 3), "abc");
    EXPECT_EQ(FixStrLng("ab", 5), "ab   ");
    EXPECT_EQ(FixStrLng("ab", 0), "");
    EXPECT_EQ(FixStrLng("", 10000).size(), 10000u);

    TCanvas canvas;
    ps.Canvas = &canvas;
    TFont f;
    f.SetName("Courier New");
    f.SetSize(12);
    ps.AssignFont(f);
    EXPECT_EQ(canvas.Font().Name(), "Courier New");
    EXPECT_EQ(canvas.Font().Size(), 12);
}
