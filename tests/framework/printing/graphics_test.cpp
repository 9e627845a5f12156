#include <gtest/gtest.h>

#include "framework/printing/graphics.h"

namespace trx {
namespace {

// Restores the screen resolution a test changed.
struct ScreenPpiGuard {
    int saved = ScreenPixelsPerInch();
    ~ScreenPpiGuard() { SetScreenPixelsPerInch(saved); }
};

TEST(Colors, SystemColoursResolveAndPlainColoursPassThrough) {
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_FALSE(IsSystemColor(clRed));
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(GetRValue(RGB(255, 128, 0)), 255);
    EXPECT_EQ(RGB(255, 128, 0), 33023); // orange as a stored colour value
}

TEST(FontStyles, SetLayoutAndOnlyFourBits) {
    TFontStyles s{TFontStyle::fsBold, TFontStyle::fsUnderline};
    EXPECT_EQ(s.Bits(), 5);
    EXPECT_TRUE(s.Contains(TFontStyle::fsUnderline));
    EXPECT_FALSE(s.Contains(TFontStyle::fsItalic));
    EXPECT_EQ(TFontStyles::FromBits(0xFF).Bits(), 0x0F);
    EXPECT_EQ(TFontStyles::FromBits(8), TFontStyles{TFontStyle::fsStrikeOut});
    EXPECT_EQ((s - TFontStyles{TFontStyle::fsBold}).Bits(), 4);
    EXPECT_TRUE(TFontStyles().Empty());
}

TEST(Font, HeightIsNegativePixelSizeRoundedHalvesAway) {
    ScreenPpiGuard guard;
    SetScreenPixelsPerInch(96);
    TFont f;
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Height(), -11); // 8 * 96 / 72 = 10.67
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13); // 13.33
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetPixelsPerInch(600); // keeps Height, Size follows
    EXPECT_EQ(f.Height(), -12);
    EXPECT_EQ(f.Size(), 1); // 12 * 72 / 600 = 1.44
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -83); // 83.33
    f.SetPixelsPerInch(60);
    f.SetSize(3); // 2.5 rounds away from zero
    EXPECT_EQ(f.Height(), -3);

    TFont g;
    g.SetPixelsPerInch(96);
    g.SetHeight(-14); // 10.5 points rounds to 11
    EXPECT_EQ(g.Size(), 11);
    g.SetHeight(16); // a cell height gives a negative size
    EXPECT_EQ(g.Size(), -12);
}

TEST(Font, AssignKeepsPointSizeAcrossResolutionsAndSignalsOnce) {
    TFont screen;
    screen.SetPixelsPerInch(96);
    screen.SetName("Courier New");
    screen.SetSize(12);
    screen.SetStyle({TFontStyle::fsItalic});
    screen.SetColor(clNavy);
    screen.SetPitch(TFontPitch::fpFixed);

    TFont printer;
    printer.SetPixelsPerInch(600);
    int changes = 0;
    printer.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &printer);
        ++changes;
    };
    printer.Assign(screen);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(printer.Height(), -100);
    EXPECT_EQ(printer.Size(), 12);
    EXPECT_EQ(printer.Name(), "Courier New");
    EXPECT_EQ(printer.Color(), clNavy);
    EXPECT_EQ(printer.Pitch(), TFontPitch::fpFixed);
    EXPECT_TRUE(printer.SameAs(screen));
    EXPECT_EQ(printer.PixelsPerInch(), 600);

    printer.SetColor(clNavy); // no change, no signal
    printer.SetName(""); // an empty name is refused
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(printer.Name(), "Courier New");

    TFont copy(printer); // the handler stays with its object
    EXPECT_FALSE(copy.OnChange);
    EXPECT_EQ(copy.Height(), -100);
}

TEST(PenAndBrush, DefaultsWidthZeroAndColourMakesClearBrushSolid) {
    TPen pen;
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_EQ(pen.Width(), 1);
    pen.SetWidth(-1);
    EXPECT_EQ(pen.Width(), 1);
    pen.SetWidth(0);
    EXPECT_EQ(pen.Width(), 0);
    TBrush brush;
    EXPECT_EQ(brush.Color(), clWhite);
    brush.SetStyle(TBrushStyle::bsClear);
    brush.SetColor(clWhite);
    EXPECT_EQ(brush.Style(), TBrushStyle::bsSolid);
}

TEST(FixedPitchMetrics, DerivedFromSizeAndResolutionOnly) {
    TFont f;
    f.SetPixelsPerInch(600);
    f.SetSize(10);
    TTextMetric m = FixedPitchMetrics(f, 600);
    EXPECT_EQ(m.Height, 100); // 83 * 6/5 = 99.6
    EXPECT_EQ(m.AveCharWidth, 50); // 83 * 3/5 = 49.8
    EXPECT_EQ(m.Ascent + m.Descent, m.Height);
    EXPECT_EQ(m.InternalLeading, 17);
    // The same font measured for another resolution scales with it.
    EXPECT_EQ(FixedPitchMetrics(f, 300).AveCharWidth, 25);
    // Bold or a different name does not change fixed-pitch metrics.
    TFont bold = f;
    bold.SetStyle({TFontStyle::fsBold});
    bold.SetName("Arial");
    EXPECT_EQ(FixedPitchMetrics(bold, 600).AveCharWidth, 50);
    // The tiniest font still has a size.
    f.SetHeight(-1);
    EXPECT_EQ(FixedPitchMetrics(f, 72).AveCharWidth, 1);
    EXPECT_EQ(FixedPitchMetrics(f, 72).Height, 1);
}

TEST(Canvas, MeasuresThroughItsDeviceAndKeepsPointSizeWhenMoved) {
    ScreenPpiGuard guard;
    SetScreenPixelsPerInch(96);
    TCanvas canvas;
    canvas.Font().SetSize(10);
    EXPECT_EQ(canvas.Font().Height(), -13);
    EXPECT_EQ(canvas.TextWidth("XXXX"), 4 * 8); // 13 * 3/5 = 7.8
    EXPECT_EQ(canvas.FixedCharWidth(), 8);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_GT(canvas.TextHeight(""), 0); // an empty line still has a height
    EXPECT_EQ(canvas.TextHeight("X|ygW"), 16); // 13 * 6/5 = 15.6

    TRecordingDevice printer(600);
    int changes = 0;
    canvas.Font().OnChange = [&](TObject*) { ++changes; };
    canvas.SetDevice(&printer);
    EXPECT_EQ(canvas.TextWidth("X"), 50);
    EXPECT_EQ(canvas.FixedCharWidth(), 50);
    EXPECT_EQ(canvas.TextHeight("X"), 100);
    EXPECT_EQ(canvas.Font().Size(), 10);
    EXPECT_EQ(canvas.Font().Height(), -83);
    EXPECT_EQ(changes, 0); // following the device is not a font change
    EXPECT_EQ(GetDeviceCaps(canvas, LOGPIXELSY), 600);
}

TEST(Canvas, ScreenResolutionIsSettable) {
    ScreenPpiGuard guard;
    SetScreenPixelsPerInch(120);
    EXPECT_EQ(ScreenPixelsPerInch(), 120);
    TCanvas canvas;
    EXPECT_EQ(GetDeviceCaps(canvas, LOGPIXELSX), 120);
    EXPECT_EQ(canvas.Font().Height(), -13); // 8 points at 120
    SetScreenPixelsPerInch(0); // nonsense falls back to 96
    EXPECT_EQ(ScreenPixelsPerInch(), 96);
}

TEST(Canvas, DrawingIsRecordedWithPenBrushAndFont) {
    TRecordingDevice dev(600);
    TCanvas c(&dev);
    c.Font().SetName("Courier New");
    c.Font().SetSize(12);
    c.Font().SetStyle({TFontStyle::fsBold});
    c.TextOut(10, 20, "Hello");
    EXPECT_EQ(c.PenPos(), Point(10 + 5 * 60, 20));
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.TextRect(Rect(0, 0, 100, 50), 5, 6, "Clip");
    c.Brush().SetColor(clSilver);
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(3);
    c.MoveTo(1, 2);
    c.LineTo(30, 2);
    c.Rectangle(0, 0, 10, 10);
    c.FillRect(Rect(1, 1, 5, 5));
    c.Pen().SetStyle(TPenStyle::psClear);
    c.LineTo(40, 40); // a clear pen draws nothing but moves

    const auto& ops = dev.Ops();
    ASSERT_EQ(ops.size(), 5u);
    EXPECT_EQ(ops[0].Kind, TDrawOpKind::doText);
    EXPECT_EQ(ops[0].Text, "Hello");
    EXPECT_EQ(ops[0].Pos, Point(10, 20));
    EXPECT_EQ(ops[0].FontName, "Courier New");
    EXPECT_EQ(ops[0].FontSize, 12);
    EXPECT_EQ(ops[0].FontHeight, -100);
    EXPECT_TRUE(ops[0].FontStyle.Contains(TFontStyle::fsBold));
    EXPECT_TRUE(ops[0].Opaque); // a solid brush paints the text background
    EXPECT_EQ(ops[1].Text, "Clip");
    EXPECT_FALSE(ops[1].Opaque);
    EXPECT_TRUE(ops[1].Clipped);
    EXPECT_EQ(ops[1].Clip, Rect(0, 0, 100, 50));
    EXPECT_EQ(ops[2].Kind, TDrawOpKind::doLine);
    EXPECT_EQ(ops[2].Pos, Point(1, 2));
    EXPECT_EQ(ops[2].EndPos, Point(30, 2));
    EXPECT_EQ(ops[2].PenColor, clRed);
    EXPECT_EQ(ops[2].PenWidth, 3);
    EXPECT_EQ(ops[3].Kind, TDrawOpKind::doRectangle);
    EXPECT_EQ(ops[3].BrushColor, clSilver);
    EXPECT_EQ(ops[4].Kind, TDrawOpKind::doFillRect);
    EXPECT_EQ(c.PenPos(), Point(40, 40));
    EXPECT_EQ(dev.Texts(), (std::vector<std::string>{"Hello", "Clip"}));
}

TEST(Canvas, TextRectWithSolidBrushFillsTheRectangleFirst) {
    TRecordingDevice dev(96);
    TCanvas c(&dev);
    c.Brush().SetColor(clYellow);
    c.TextRect(Rect(0, 0, 40, 20), 2, 2, "abc");
    ASSERT_EQ(dev.Ops().size(), 2u);
    EXPECT_EQ(dev.Ops()[0].Kind, TDrawOpKind::doFillRect);
    EXPECT_EQ(dev.Ops()[0].BrushColor, clYellow);
    EXPECT_EQ(dev.Ops()[1].Kind, TDrawOpKind::doText);
}

} // namespace
} // namespace trx
