#include <gtest/gtest.h>

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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

} // namespace
} // namespace trx
