// A printer page (or a printer's measuring device) drawn through QPainter.
// Text is set in a fixed-pitch family (fixed_pitch_font.h) at the size the
// font asks for at the device's resolution, with the bytes shown as code
// page 437, and is measured with Qt's font metrics at that resolution.
#pragma once

#include <QFont>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "framework/printing/graphics.h"
#include "framework/printing/printer_driver.h"
#include "framework/qt/qt_painter_device.h"

class QPainter;

namespace trx {

class TQtCanvasDevice : public TQtPainterDevice {
public:
    // A device of Geometry that draws through Painter, whose origin is the
    // top-left corner of the printable area; with no painter it measures
    // and discards what is drawn. The painter is not owned.
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

private:
    struct TFontEntry {
        QFont Font;
        TTextMetric Metric;
        // A fixed-pitch font's advance of each byte's character: a text's
        // width is their sum (kerning is off, so no pair changes it).
        std::array<qreal, 256> Advances{};
        // The advance of every character when all have the same whole
        // number of pixels, else 0.
        int FixedWidth = 0;
    };
    // Family asked for, character height in device pixels, style bits.
    using TFontKey = std::tuple<std::string, int, uint8_t>;

    const TFontEntry& Entry(const TFont& Font);
    const TFontEntry& FindEntry(const TFont& Font);

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
};

} // namespace trx
