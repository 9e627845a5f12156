#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "framework/core/display_width.h"
#include "framework/qt/fixed_pitch_font.h"
#include "framework/qt/qt_application.h"
#include "framework/qt/qt_canvas_device.h"
#include "framework/qt/qt_text.h"

namespace trx {
namespace {

TPageGeometry At(int Dpi) {
    return TPageGeometry{Dpi, Dpi, Dpi * 8, Dpi * 11, Dpi / 4, Dpi / 4, Dpi * 8 - Dpi / 2, Dpi * 11 - Dpi / 2};
}

class QtCanvasDeviceTest : public ::testing::Test {
protected:
    QtCanvasDeviceTest() { EnsureQtApplication(); }

    // A canvas on Device with the report's text font.
    static void SetTextFont(TCanvas& Canvas, int Size) {
        Canvas.Font().SetName("Letter Gothic Line");
        Canvas.Font().SetSize(Size);
        Canvas.Font().SetPitch(TFontPitch::fpFixed);
    }
};

TEST_F(QtCanvasDeviceTest, AMissingTextFontGivesAnInstalledFixedPitchFontWithBoxLines) {
    QString family = FixedPitchFamily("Letter Gothic Line");
    EXPECT_TRUE(IsUsableFixedPitchFamily(family)) << family.toStdString();
    // An installed family that qualifies is taken as asked for.
    EXPECT_EQ(FixedPitchFamily(family.toStdString()), family);
    // Proportional fonts and fonts without the box lines are passed over.
    EXPECT_FALSE(IsUsableFixedPitchFamily(QStringLiteral("DejaVu Sans")));
    EXPECT_TRUE(IsUsableFixedPitchFamily(FixedPitchFamily("DejaVu Sans")));
    EXPECT_TRUE(IsUsableFixedPitchFamily(FixedPitchFamily("")));
}

TEST_F(QtCanvasDeviceTest, EveryCharacterTakesOneCellSoTableColumnsLineUp) {
    TQtCanvasDevice device(At(1200), nullptr);
    TCanvas canvas(&device);
    SetTextFont(canvas, 10);
    // 10 points at 1200 dpi: 167 pixels high, three fifths of that wide.
    const int cell = canvas.TextWidth("X");
    EXPECT_NEAR(cell, 100, 2);
    const std::string table = "┌──┬─┐│ Süd │└┴┘█░■";
    const int cells = 19;
    const int row = canvas.TextWidth(std::string(cells, 'x'));
    EXPECT_EQ(canvas.TextWidth(table), row);
    EXPECT_EQ(canvas.TextWidth(std::string(80, 'W')), canvas.TextWidth(std::string(80, '.')));
    // A cell is never narrower than the characters it holds.
    EXPECT_GE(cell * cells, row);
    EXPECT_LE(cell * cells - row, cells);
    EXPECT_EQ(canvas.TextWidth(""), 0);

    TTextMetric m = canvas.TextMetrics();
    EXPECT_TRUE(m.FixedPitch);
    EXPECT_EQ(m.Height, m.Ascent + m.Descent);
    EXPECT_EQ(canvas.TextHeight("X|ygW"), m.Height);
    EXPECT_GE(m.Height, 167);
    EXPECT_EQ(m.InternalLeading, m.Height - 167);
    EXPECT_EQ(m.AveCharWidth, cell);

    // Bold text keeps the pitch.
    canvas.Font().SetStyle({TFontStyle::fsBold});
    EXPECT_NEAR(canvas.TextWidth(table), row, 1);
}

TEST_F(QtCanvasDeviceTest, TextsMeasureAsQtSetsThemInTurnsOfFonts) {
    TQtCanvasDevice device(At(600), nullptr);
    TCanvas canvas(&device);
    const std::string samples[] = {"x", "Stock list 12/9/2024", "╔═╦╗ üäö ß \x01\x7F\u00A0",
                                   std::string(150, 'M') + "i"};
    for (int round = 0; round < 2; ++round) {
        for (int size : {10, 7, 10}) {
            SetTextFont(canvas, size);
            canvas.Font().SetStyle(round == 0 ? TFontStyles{} : TFontStyles{TFontStyle::fsBold});
            // Qt's measure of the same font on a device that measured nothing before.
            TQtCanvasDevice fresh(At(600), nullptr);
            TCanvas reference(&fresh);
            reference.Font().Assign(canvas.Font());
            const QFontMetricsF metrics(fresh.QtFont(reference.Font()));
            for (const std::string& text : samples) {
                const int qt = static_cast<int>(std::ceil(metrics.horizontalAdvance(ToQString(text)) - 1e-6));
                EXPECT_EQ(canvas.TextWidth(text), std::max(qt, 1)) << size << " " << text;
                // A fixed character width, when the font has one, gives the same widths.
                if (const int cw = canvas.FixedCharWidth(); cw > 0) {
                    EXPECT_EQ(canvas.TextWidth(text), cw * DisplayWidth(text)) << size << " " << text;
                }
            }
        }
    }
}

TEST_F(QtCanvasDeviceTest, MeasuresScaleWithResolutionAndSize) {
    TQtCanvasDevice fine(At(1200), nullptr);
    TQtCanvasDevice coarse(At(300), nullptr);
    TCanvas on_fine(&fine);
    TCanvas on_coarse(&coarse);
    SetTextFont(on_fine, 10);
    SetTextFont(on_coarse, 10);
    // Fonts are sized in whole pixels: 10 points are 42 pixels at 300 dpi
    // (41.7) and 167 at 1200 (166.7), so sizes agree to about one per cent.
    const std::string line(66, 'x');
    EXPECT_NEAR(on_fine.TextWidth(line), 4 * on_coarse.TextWidth(line), on_fine.TextWidth(line) / 100);
    EXPECT_NEAR(on_fine.TextHeight("X"), 4 * on_coarse.TextHeight("X"), 4 * 2); // ascent and descent each rounded
    // An inch holds 12 characters of 10 points (the font is three fifths as wide as high).
    EXPECT_NEAR(on_coarse.TextWidth(std::string(12, 'x')), 300, 10);

    SetTextFont(on_coarse, 20);
    EXPECT_NEAR(on_coarse.TextWidth(line), 2 * on_fine.TextWidth(line) / 4, on_coarse.TextWidth(line) / 100);

    // A font given by its cell height gets that cell.
    on_coarse.Font().SetHeight(60);
    EXPECT_NEAR(on_coarse.TextHeight("X"), 60, 1);
}

TEST_F(QtCanvasDeviceTest, EveryBoxDrawingCharacterTakesOneCell) {
    for (int dpi : {600, 1200}) {
        TQtCanvasDevice device(At(dpi), nullptr);
        TCanvas canvas(&device);
        SetTextFont(canvas, 10);
        const int three = canvas.TextWidth("aXb");
        for (char32_t c = 0x2500; c <= 0x257F; ++c) {
            std::string text = "a";
            text += QString::fromUcs4(&c, 1).toStdString();
            text += 'b';
            EXPECT_EQ(canvas.TextWidth(text), three) << dpi << " " << static_cast<int>(c);
            EXPECT_EQ(DisplayWidth(text), 3) << static_cast<int>(c);
        }
        // A text measured again, and others after it, each get their own width.
        const int two = canvas.TextWidth("XX");
        EXPECT_EQ(canvas.TextWidth("──"), two);
        EXPECT_EQ(canvas.TextWidth("──"), two);
        EXPECT_EQ(canvas.TextWidth("─é─"), canvas.TextWidth("XXX"));
        EXPECT_LT(canvas.TextWidth("a"), two);
    }
}

// A page drawn on an image: the device is the painter's only user, as on a
// printer's page.
class QtCanvasPageTest : public QtCanvasDeviceTest {
protected:
    QtCanvasPageTest() : image(400, 300, QImage::Format_RGB32), painter(&image), device(At(96), &painter) {
        image.fill(Qt::white);
        device.BeginPage();
        canvas.Font().SetName("Letter Gothic Line");
        canvas.Font().SetSize(20);
    }

    // The colours found in the rectangle (right and bottom edges excluded).
    std::set<QRgb> Colours(const QRect& R) {
        painter.end();
        std::set<QRgb> found;
        for (int y = R.top(); y <= R.bottom(); ++y)
            for (int x = R.left(); x <= R.right(); ++x) found.insert(image.pixel(x, y) & 0xFFFFFF);
        painter.begin(&image);
        return found;
    }
    // The rows of the rectangle that hold a pixel mostly of the colour
    // Colour (red or blue; text is smoothed at its edges).
    int RowsWith(const QRect& R, QRgb Colour) {
        painter.end();
        auto near = [](int a, int b) { return std::abs(a - b) < 100; };
        int rows = 0;
        for (int y = R.top(); y <= R.bottom(); ++y) {
            bool has = false;
            for (int x = R.left(); x <= R.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                has = has ||
                      (near(qRed(p), qRed(Colour)) && near(qGreen(p), qGreen(Colour)) && near(qBlue(p), qBlue(Colour)));
            }
            rows += has ? 1 : 0;
        }
        painter.begin(&image);
        return rows;
    }

    QImage image;
    QPainter painter;
    TQtCanvasDevice device;
    TCanvas canvas{&device};
};

TEST_F(QtCanvasPageTest, OpaqueTextCoversWhatWasDrawnBeforeUnderIt) {
    const TSize cell = device.TextExtent(canvas.Font(), "    ");
    TBrush black;
    black.SetColor(clBlack);
    // Blanks on a white background: over black they make white, over
    // nothing nothing shows.
    device.FillRect(TRect{10, 10, 10 + cell.cx, 10 + cell.cy}, black);
    device.DrawText(10, 10, "    ", canvas.Font(), true, clWhite, nullptr);
    device.DrawText(10, 100, "    ", canvas.Font(), true, clWhite, nullptr);
    // Over a line drawn before, on a line of its own.
    TPen pen;
    pen.SetWidth(3);
    device.DrawLine(TPoint{200, 60}, TPoint{200 + cell.cx, 60}, pen);
    device.DrawText(200, 60 - cell.cy / 2, "    ", canvas.Font(), true, clWhite, nullptr);
    // A coloured background shows anywhere.
    device.DrawText(10, 200, "    ", canvas.Font(), true, clYellow, nullptr);
    EXPECT_EQ(Colours(QRect(10, 10, cell.cx, cell.cy)), std::set<QRgb>{0xFFFFFF});
    EXPECT_EQ(Colours(QRect(200, 60 - cell.cy / 2, cell.cx, cell.cy)), std::set<QRgb>{0xFFFFFF});
    EXPECT_EQ(Colours(QRect(10, 200, cell.cx, cell.cy)), std::set<QRgb>{0xFFFF00});
    EXPECT_EQ(Colours(QRect(0, 0, 400, 300)), (std::set<QRgb>{0xFFFFFF, 0xFFFF00}));
}

TEST_F(QtCanvasPageTest, EachDrawingGetsItsOwnPenFontAndClip) {
    TFont big;
    big.Assign(canvas.Font());
    big.SetSize(40);
    big.SetColor(clRed);
    TFont small;
    small.Assign(canvas.Font());
    small.SetSize(10);
    small.SetColor(clBlue);
    // Red text, then a line with a black pen: the line is not red.
    device.DrawText(0, 0, "X", big, false, clWhite, nullptr);
    TPen pen;
    pen.SetWidth(4);
    device.DrawLine(TPoint{100, 20}, TPoint{300, 20}, pen);
    EXPECT_EQ(Colours(QRect(120, 19, 160, 2)), std::set<QRgb>{0x000000});
    // Small text, a clipped big text, then the big font unclipped: the big
    // text is drawn whole and big, the clipped one only inside its clip.
    device.DrawText(0, 250, "XXXX", small, false, clWhite, nullptr);
    const TRect clip{0, 100, 400, 105};
    device.DrawText(0, 100, "XXXX", big, false, clWhite, &clip);
    device.DrawText(0, 150, "XXXX", big, false, clWhite, nullptr);
    const TSize bigCell = device.TextExtent(big, "XXXX");
    EXPECT_GT(RowsWith(QRect(0, 150, 400, bigCell.cy), 0xFF0000), bigCell.cy / 2);
    EXPECT_LE(RowsWith(QRect(0, 95, 400, 50), 0xFF0000), 5);
    const int smallRows = RowsWith(QRect(0, 250, 400, 50), 0x0000FF);
    EXPECT_GT(smallRows, 0);
    EXPECT_LT(smallRows, bigCell.cy / 3);
}

} // namespace
} // namespace trx
