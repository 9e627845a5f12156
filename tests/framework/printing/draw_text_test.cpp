#include <gtest/gtest.h>

#include "framework/printing/draw_text.h"

namespace trx {
namespace {

// At 72 pixels per inch a font of height -10 gives cells 6 wide and 12 high.
class DrawTextTest : public ::testing::Test {
protected:
    DrawTextTest() : dev(72), canvas(&dev) { canvas.Font().SetHeight(-10); }

    std::vector<TDrawOp> TextOps() const {
        std::vector<TDrawOp> r;
        for (const TDrawOp& op : dev.Ops())
            if (op.Kind == TDrawOpKind::doText) r.push_back(op);
        return r;
    }

    TRecordingDevice dev;
    TCanvas canvas;
};

TEST_F(DrawTextTest, MetricsOfTheFixture) {
    EXPECT_EQ(canvas.TextWidth("X"), 6);
    EXPECT_EQ(canvas.TextHeight("X"), 12);
}

TEST_F(DrawTextTest, CalcRectMeasuresWithoutDrawing) {
    TRect r = Rect(10, 20, 1000, 20);
    EXPECT_EQ(DrawTextA(canvas, "Hello", r, DT_CALCRECT | DT_NOPREFIX), 12);
    EXPECT_EQ(r, Rect(10, 20, 40, 32));
    EXPECT_TRUE(dev.Ops().empty());

    // The height is not limited by the rectangle's bottom.
    std::string many;
    for (int i = 0; i < 50; ++i) many += "line\r\n";
    r = Rect(0, 0, 100, 500);
    EXPECT_EQ(DrawTextA(canvas, many, r, DT_CALCRECT | DT_NOPREFIX), 600);
    EXPECT_EQ(r.Bottom, 600);
}

TEST_F(DrawTextTest, WordBreakBetweenWordsDropsBlanksAndNarrowsTheRectangle) {
    TRect r = Rect(0, 0, 45, 0); // seven and a half cells
    EXPECT_EQ(DrawTextA(canvas, "aaa bbb ccc", r, DT_WORDBREAK | DT_CALCRECT), 24);
    EXPECT_EQ(r.Right, 42); // the widest line, "aaa bbb"

    r = Rect(0, 0, 24, 100);
    EXPECT_EQ(DrawTextA(canvas, "aa   bb", r, DT_WORDBREAK | DT_NOPREFIX), 24);
    auto ops = TextOps();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].Text, "aa");
    EXPECT_EQ(ops[1].Text, "bb"); // no leading blanks on the continued line
    EXPECT_EQ(ops[1].Pos, Point(0, 12));
}

TEST_F(DrawTextTest, WordWiderThanTheRectangleOverhangsUnlessEditControl) {
    TRect r = Rect(0, 0, 30, 0);
    EXPECT_EQ(DrawTextA(canvas, "abcdefghij kl", r, DT_WORDBREAK | DT_CALCRECT), 24);
    EXPECT_EQ(r.Right, 60);
    r = Rect(0, 0, 30, 0);
    EXPECT_EQ(DrawTextA(canvas, "abcdefghij kl", r, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT), 36);
    EXPECT_EQ(r.Right, 30);
}

TEST_F(DrawTextTest, LineBreaksAndSingleLine) {
    TRect r = Rect(0, 0, 100, 0);
    EXPECT_EQ(DrawTextA(canvas, "a\r\nb\nc\rd", r, DT_CALCRECT), 48);
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(DrawTextA(canvas, "abc\r\n", r, DT_CALCRECT), 12); // a final break adds no line
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(DrawTextA(canvas, "\n\n", r, DT_CALCRECT), 24);
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(DrawTextA(canvas, "a\nb", r, DT_CALCRECT | DT_SINGLELINE), 12);
    EXPECT_EQ(r.Right, 18); // the break is an ordinary character on one line
    r = Rect(0, 0, 12, 0);
    EXPECT_EQ(DrawTextA(canvas, "aa bb cc", r, DT_CALCRECT | DT_SINGLELINE | DT_WORDBREAK), 12);
}

TEST_F(DrawTextTest, PrefixMarksAMnemonicUnlessNoPrefix) {
    TRect r = Rect(0, 0, 200, 50);
    DrawTextA(canvas, "&File", r, DT_LEFT);
    auto ops = TextOps();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Text, "File");
    ASSERT_EQ(dev.Ops().size(), 2u);
    const TDrawOp& underline = dev.Ops()[1];
    EXPECT_EQ(underline.Kind, TDrawOpKind::doLine);
    EXPECT_EQ(underline.Pos.X, 0);
    EXPECT_EQ(underline.EndPos.X, 6);

    dev.Clear();
    DrawTextA(canvas, "A&&B", r, 0);
    DrawTextA(canvas, "ab&", r, 0);
    DrawTextA(canvas, "S&ave", r, DT_NOPREFIX);
    ops = TextOps();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].Text, "A&B");
    EXPECT_EQ(ops[1].Text, "ab&");
    EXPECT_EQ(ops[2].Text, "S&ave");
    for (const TDrawOp& op : dev.Ops()) EXPECT_EQ(op.Kind, TDrawOpKind::doText);

    TRect m = Rect(0, 0, 200, 0);
    DrawTextA(canvas, "&&&x", m, DT_CALCRECT);
    EXPECT_EQ(m.Right, 12); // "&x"
}

TEST_F(DrawTextTest, AlignmentClipAndBackground) {
    TRect r = Rect(0, 0, 100, 50);
    DrawTextA(canvas, "abc", r, DT_RIGHT);
    DrawTextA(canvas, "abc", r, DT_CENTER);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    DrawTextA(canvas, "abc", r, DT_LEFT | DT_NOCLIP);
    auto ops = TextOps();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].Pos, Point(82, 0));
    EXPECT_EQ(ops[1].Pos, Point(41, 0));
    EXPECT_TRUE(ops[0].Clipped);
    EXPECT_EQ(ops[0].Clip, r);
    EXPECT_TRUE(ops[0].Opaque);
    EXPECT_FALSE(ops[2].Clipped);
    EXPECT_FALSE(ops[2].Opaque);
}

TEST_F(DrawTextTest, LinesBelowTheRectangleAreNotDrawnButCounted) {
    TRect r = Rect(0, 0, 100, 20);
    EXPECT_EQ(DrawTextA(canvas, "one\ntwo\nthree", r, 0), 36);
    auto ops = TextOps();
    ASSERT_EQ(ops.size(), 2u); // "three" starts at 24, below the bottom
    EXPECT_EQ(ops[1].Text, "two");
}

TEST_F(DrawTextTest, TabsExpandToStopsOfEightAverageWidths) {
    TRect r = Rect(0, 0, 500, 0);
    DrawTextA(canvas, "a\tb", r, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(r.Right, 54);
    r = Rect(0, 0, 500, 0);
    DrawTextA(canvas, "a\tb", r, DT_CALCRECT);
    EXPECT_EQ(r.Right, 18);

    r = Rect(5, 0, 500, 50);
    DrawTextA(canvas, "a\tb", r, DT_EXPANDTABS | DT_NOCLIP);
    // The tab-stop count takes the high byte, where the other flags no longer count.
    DrawTextA(canvas, "a\tb", r, DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
    auto ops = TextOps();
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].Pos.X, 5);
    EXPECT_EQ(ops[1].Pos.X, 5 + 48);
    EXPECT_FALSE(ops[1].Clipped);
    EXPECT_EQ(ops[3].Pos.X, 5 + 24);
    EXPECT_TRUE(ops[3].Clipped);
}

TEST_F(DrawTextTest, VerticalPlacementOfASingleLine) {
    TRect r = Rect(0, 0, 100, 40);
    EXPECT_EQ(DrawTextA(canvas, "x", r, DT_SINGLELINE | DT_VCENTER), 26);
    EXPECT_EQ(DrawTextA(canvas, "x", r, DT_SINGLELINE | DT_BOTTOM), 40);
    auto ops = TextOps();
    EXPECT_EQ(ops[0].Pos.Y, 14);
    EXPECT_EQ(ops[1].Pos.Y, 28);
}

TEST_F(DrawTextTest, EmptyTextAndCounts) {
    TRect r = Rect(3, 4, 50, 60);
    EXPECT_EQ(DrawTextA(canvas, "", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(3, 4, 3, 4));
    r = Rect(3, 4, 50, 60);
    EXPECT_EQ(DrawTextA(canvas, "", r, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_EQ(r.Bottom, 16);

    r = Rect(0, 0, 500, 0);
    DrawTextA(canvas, "abcdef", 3, r, DT_CALCRECT);
    EXPECT_EQ(r.Right, 18);
    r = Rect(0, 0, 500, 0);
    DrawTextA(canvas, "abcdef", -1, r, DT_CALCRECT);
    EXPECT_EQ(r.Right, 36);
    EXPECT_TRUE(dev.Ops().empty());
}

} // namespace
} // namespace trx
