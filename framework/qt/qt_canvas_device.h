// A printer page (or a printer's measuring device) drawn through QPainter.
// Text is set in a fixed-pitch family (fixed_pitch_font.h) at the size the
// font asks for at the device's resolution, and is measured with Qt's font
// metrics at that resolution. Text is UTF-8; in a fixed-pitch font every
// character takes its cells of the character grid, as a text page counts
// them, whatever glyph a fallback font gives it.
#pragma once

#include <QFont>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "framework/printing/graphics.h"
#include "framework/printing/printer_driver.h"
#include "framework/qt/qt_painter_device.h"

class QPainter;

namespace trx {

class TQtCanvasDevice : public TQtPainterDevice {
public:
    // A device of Geometry that draws through Painter, whose origin is the
    // top-left corner of the printable area; with no painter it measures
    // and discards what is drawn. The painter is not owned, and the device
    // is its only user (TQtPainterDevice): BeginPage starts each page.
    TQtCanvasDevice(const TPageGeometry& Geometry, QPainter* Painter);

    const TPageGeometry& Geometry() const { return geometry_; }

    int PixelsPerInchX() const override { return geometry_.PixelsPerInchX; }
    int PixelsPerInchY() const override { return geometry_.PixelsPerInchY; }
    TTextMetric TextMetrics(const TFont& Font) override;
    TSize TextExtent(const TFont& Font, const std::string& Text) override;
    int FixedCharWidth(const TFont& Font) override { return Entry(Font).FixedWidth; }
    void DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                  const TRect* Clip) override;
    int DeviceCaps(int Index) override { return GeometryDeviceCaps(geometry_, Index); }

    // The Qt font that Font prints in on this device.
    const QFont& QtFont(const TFont& Font);

    void BeginPage() override;

private:
    struct TFontEntry {
        QFont Font;
        TTextMetric Metric;
        // A fixed-pitch font's advance of each ASCII character, and of a
        // cell for every other character: a text's width is their sum
        // (kerning is off, so no pair changes it).
        std::array<qreal, 128> Advances{};
        qreal Cell = 0;
        // The advance of every character when all have the same whole
        // number of pixels, else 0.
        int FixedWidth = 0;
        // Whether the font itself has a character, with a glyph that takes
        // its cells, by character, as asked; the characters below
        // kInRunsTable (line drawing among them) in a table, 0 not asked.
        static constexpr char32_t kInRunsTable = 0x3000;
        mutable std::vector<int8_t> InRunsTable;
        mutable std::unordered_map<char32_t, bool> InRuns;
    };
    // Family asked for, character height in device pixels, style bits.
    using TFontKey = std::tuple<std::string, int, uint8_t>;

    const TFontEntry& Entry(const TFont& Font);
    const TFontEntry& FindEntry(const TFont& Font);
    // Text in a fixed-pitch font with every character on its cells.
    void DrawCells(qreal X, qreal Baseline, std::string_view Text, const TFontEntry& Entry);
    // Whether the font has C, with a glyph of the width of C's cells.
    bool InRuns(char32_t C, const TFontEntry& Entry);
    // Whether every character of Text that is not ASCII is one the font has
    // on its cells, with no combining marks: the text then goes in one run.
    bool AllInRuns(std::string_view Text, const TFontEntry& Entry);

    TPageGeometry geometry_;
    std::map<TFontKey, TFontEntry> fonts_;
    // The font asked for last and its entry: texts come one after another
    // in one font.
    struct TLastFont {
        std::string Name;
        int Height = 0;
        int PixelsPerInch = 0;
        uint8_t Style = 0;
        const TFontEntry* Entry = nullptr;
    };
    TLastFont last_;
    // The font the painter was given last on this page (its state stays
    // between texts).
    const TFontEntry* painterFont_ = nullptr;
    // The text measured last, in the font of Entry.
    struct TMeasured {
        const TFontEntry* Entry = nullptr;
        std::string Text;
        TSize Extent;
    };
    TMeasured measured_;
};

} // namespace trx
