// What every canvas device drawing through QPainter shares: lines, fills,
// rectangles, ellipses, images and window images, and the conversions of
// the framework's colours, pens and brushes. Text and its fonts are the
// derived devices' own (printer pages, the screen).
#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QRect>

#include "framework/printing/graphics.h"

class QPainter;

namespace trx {

// A colour as Qt shows it: system colours in the classic scheme; clNone
// and clDefault black.
QColor QtColor(TColor Color);
QRect QtRect(const TRect& R);
QPen QtPen(const TPen& Pen);
QBrush QtBrush(const TBrush& Brush);

class TQtPainterDevice : public TCanvasDevice {
public:
    // Draws through Painter (not owned); with none, drawing is discarded.
    explicit TQtPainterDevice(QPainter* Painter) : painter_(Painter) {}

    QPainter* Painter() const { return painter_; }
    void SetPainter(QPainter* Painter) { painter_ = Painter; }

    void DrawLine(TPoint From, TPoint To, const TPen& Pen) override;
    void FillRect(const TRect& Rect, const TBrush& Brush) override;
    void DrawRectangle(const TRect& Rect, const TPen& Pen, const TBrush& Brush) override {
        DrawShape(Rect, Pen, Brush, false);
    }
    void DrawEllipse(const TRect& Rect, const TPen& Pen, const TBrush& Brush) override {
        DrawShape(Rect, Pen, Brush, true);
    }
    void DrawImage(const TRect& Dest, const TImage& Image) override;
    // The window's own contents when Native holds its QWidget*, else its
    // rendered image.
    void DrawWindowImage(const TRect& Dest, const TWindowImage& Window) override;

protected:
    QPainter* painter_;

private:
    void DrawShape(const TRect& Rect, const TPen& Pen, const TBrush& Brush, bool Ellipse);
};

} // namespace trx
