// The screen as a canvas device: the fonts of the windows (not the report's
// fixed-pitch printer fonts), text in UTF-8, measured with Qt's font
// metrics at the screen's resolution. Owner-drawn controls paint through
// it, and its measurements size what the forms fit to their text.
#pragma once

#include <QFont>

#include <string>

#include "framework/qt/qt_painter_device.h"

namespace trx {

// The Qt font that a form's font shows in: the family, or the desktop's
// sans-serif, monospace or serif family for the platform's classic names;
// the size in pixels at the screen's resolution; the style.
QFont QtScreenFont(const TFont& Font);

class TQtScreenDevice : public TQtPainterDevice {
public:
    // Draws through Painter when given; without, it only measures.
    explicit TQtScreenDevice(QPainter* Painter = nullptr) : TQtPainterDevice(Painter) {}

    int PixelsPerInchX() const override { return ScreenPixelsPerInch(); }
    int PixelsPerInchY() const override { return ScreenPixelsPerInch(); }
    TTextMetric TextMetrics(const TFont& Font) override;
    TSize TextExtent(const TFont& Font, const std::string& Text) override;
    void DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                  const TRect* Clip) override;
};

} // namespace trx
