// What every canvas device drawing through QPainter shares: lines, fills,
// rectangles, ellipses, images and window images, and the conversions of
// the framework's colours, pens and brushes. Text and its fonts are the
// derived devices' own (printer pages, the screen).
#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QRect>

#include <climits>
#include <vector>

#include "framework/printing/graphics.h"

class QPainter;

namespace trx {

// A colour as Qt shows it: system colours in the classic scheme; clNone
// and clDefault black.
QColor QtColor(TColor Color);
QRect QtRect(const TRect& R);
QPen QtPen(const TPen& Pen);
QBrush QtBrush(const TBrush& Brush);

// What has been drawn on a page so far, as rectangles kept in bands of the
// page's height, so that a question about one place looks at the few
// drawings near it.
class TPageInk {
public:
    void Clear();
    void Add(const QRect& Covered);
    // Whether anything drawn so far meets Rect.
    bool Meets(const QRect& Rect) const;

private:
    static constexpr int kBandHeight = 256;
    static constexpr int kMaxBand = 1023;
    static int Band(int Y);

    std::vector<std::vector<QRect>> bands_;
    // The lowest edge of all that was drawn: a place below it is blank.
    int bottom_ = INT_MIN;
};

class TQtPainterDevice : public TCanvasDevice {
public:
    // Draws through Painter (not owned); with none, drawing is discarded.
    // With Own the device is the painter's only user (a printer's page): the
    // painter keeps the pen, brush and font that the last drawing set
    // instead of having its state saved and restored around each one, and a
    // white fill is left out where nothing has been drawn on the page yet
    // (the paper is white).
    explicit TQtPainterDevice(QPainter* Painter, bool Own = false) : painter_(Painter), own_(Own) {}

    QPainter* Painter() const { return painter_; }
    // Another painter, on a blank page (the state set on the last one is
    // not the new one's).
    void SetPainter(QPainter* Painter) {
        painter_ = Painter;
        BeginPage();
    }
    // A new page, blank: on a painter of its own, nothing is drawn there yet
    // and its state is to be set anew.
    virtual void BeginPage() { ink_.Clear(); }

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
    // On a painter of its own: records that a drawing covered Covered.
    void Inked(const QRect& Covered) {
        if (own_) ink_.Add(Covered);
    }
    // Whether a solid fill of Color over Rect can be seen: anything but
    // white, or over something drawn before, or on a painter not its own.
    bool FillShows(const QRect& Rect, const QColor& Color) const;

    QPainter* painter_;
    bool own_;

private:
    TPageInk ink_;

    void DrawShape(const TRect& Rect, const TPen& Pen, const TBrush& Brush, bool Ellipse);
};

} // namespace trx
