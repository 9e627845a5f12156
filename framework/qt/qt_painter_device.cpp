#include "framework/qt/qt_painter_device.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace trx {

QColor QtColor(TColor Color) {
    TColor rgb = ColorToRGB(Color);
    if (rgb == clNone || rgb == clDefault) rgb = clBlack;
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRect QtRect(const TRect& R) { return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

QPen QtPen(const TPen& Pen) {
    Qt::PenStyle style = Qt::SolidLine;
    switch (Pen.Style()) {
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame: style = Qt::SolidLine; break;
    case TPenStyle::psDash: style = Qt::DashLine; break;
    case TPenStyle::psDot: style = Qt::DotLine; break;
    case TPenStyle::psDashDot: style = Qt::DashDotLine; break;
    case TPenStyle::psDashDotDot: style = Qt::DashDotDotLine; break;
    case TPenStyle::psClear: style = Qt::NoPen; break;
    }
    // Width 0 is the thinnest line the device can draw.
    QPen pen(QtColor(Pen.Color()), Pen.Width(), style, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(Pen.Width() == 0);
    return pen;
}

QBrush QtBrush(const TBrush& Brush) {
    Qt::BrushStyle style = Qt::SolidPattern;
    switch (Brush.Style()) {
    case TBrushStyle::bsSolid: style = Qt::SolidPattern; break;
    case TBrushStyle::bsClear: style = Qt::NoBrush; break;
    case TBrushStyle::bsHorizontal: style = Qt::HorPattern; break;
    case TBrushStyle::bsVertical: style = Qt::VerPattern; break;
    case TBrushStyle::bsFDiagonal: style = Qt::FDiagPattern; break;
    case TBrushStyle::bsBDiagonal: style = Qt::BDiagPattern; break;
    case TBrushStyle::bsCross: style = Qt::CrossPattern; break;
    case TBrushStyle::bsDiagCross: style = Qt::DiagCrossPattern; break;
    }
    return QBrush(QtColor(Brush.Color()), style);
}

// ---- TPageInk ------------------------------------------------------------------

int TPageInk::Band(int Y) { return std::clamp(Y >= 0 ? Y / kBandHeight : -1, 0, kMaxBand); }

void TPageInk::Clear() {
    for (auto& band : bands_) band.clear();
    bottom_ = INT_MIN;
}

void TPageInk::Add(const QRect& Covered) {
    if (Covered.isEmpty()) return;
    const int last = Band(Covered.bottom());
    if (static_cast<int>(bands_.size()) <= last) bands_.resize(static_cast<std::size_t>(last) + 1);
    for (int b = Band(Covered.top()); b <= last; ++b) bands_[static_cast<std::size_t>(b)].push_back(Covered);
    bottom_ = std::max(bottom_, Covered.bottom());
}

bool TPageInk::Meets(const QRect& Rect) const {
    if (Rect.isEmpty() || Rect.top() > bottom_) return false;
    const int last = std::min(Band(Rect.bottom()), static_cast<int>(bands_.size()) - 1);
    for (int b = Band(Rect.top()); b <= last; ++b)
        for (const QRect& r : bands_[static_cast<std::size_t>(b)])
            if (r.intersects(Rect)) return true;
    return false;
}

// ---- TQtPainterDevice -----------------------------------------------------

bool TQtPainterDevice::FillShows(const QRect& Rect, const QColor& Color) const {
    return !own_ || Color != QColor(Qt::white) || ink_.Meets(Rect);
}

void TQtPainterDevice::DrawLine(TPoint From, TPoint To, const TPen& Pen) {
    if (!painter_ || Pen.Style() == TPenStyle::psClear) return;
    const QPen pen = QtPen(Pen);
    if (own_) {
        painter_->setPen(pen);
        painter_->drawLine(QPoint(From.X, From.Y), QPoint(To.X, To.Y));
        // The line's ends and half its width (at least a pixel) either side.
        const int half = std::max(Pen.Width(), 1) / 2 + 1;
        Inked(QRect(QPoint(std::min(From.X, To.X), std::min(From.Y, To.Y)),
                    QPoint(std::max(From.X, To.X), std::max(From.Y, To.Y)))
                  .adjusted(-half, -half, half, half));
        return;
    }
    painter_->save();
    painter_->setPen(pen);
    painter_->drawLine(QPoint(From.X, From.Y), QPoint(To.X, To.Y));
    painter_->restore();
}

void TQtPainterDevice::FillRect(const TRect& Rect, const TBrush& Brush) {
    if (!painter_ || Brush.Style() == TBrushStyle::bsClear) return;
    const QRect rect = QtRect(Rect);
    const QBrush brush = QtBrush(Brush);
    if (Brush.Style() == TBrushStyle::bsSolid && !FillShows(rect, brush.color())) return;
    painter_->fillRect(rect, brush);
    Inked(rect);
}

void TQtPainterDevice::DrawShape(const TRect& Rect, const TPen& Pen, const TBrush& Brush, bool Ellipse) {
    if (!painter_) return;
    if (!own_) painter_->save();
    painter_->setPen(QtPen(Pen));
    painter_->setBrush(QtBrush(Brush));
    // The outline lies inside the rectangle, right and bottom edges excluded.
    const QRect inside(Rect.Left, Rect.Top, Rect.Right - Rect.Left - 1, Rect.Bottom - Rect.Top - 1);
    if (Ellipse) {
        painter_->drawEllipse(inside);
    } else {
        painter_->drawRect(inside);
    }
    if (!own_) painter_->restore();
    const int half = std::max(Pen.Width(), 1) / 2 + 1;
    Inked(inside.adjusted(-half, -half, half, half));
}

void TQtPainterDevice::DrawImage(const TRect& Dest, const TImage& Image) {
    if (!painter_ || Image.Width <= 0 || Image.Height <= 0 ||
        Image.Pixels.size() < static_cast<size_t>(Image.Width) * static_cast<size_t>(Image.Height))
        return;
    QImage image(Image.Width, Image.Height, QImage::Format_RGB32);
    for (int y = 0; y < Image.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Image.Width; ++x) {
            TColor c = Image.Pixels[static_cast<size_t>(y) * static_cast<size_t>(Image.Width) + static_cast<size_t>(x)];
            line[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
        }
    }
    painter_->drawImage(QtRect(Dest), image);
    Inked(QtRect(Dest));
}

void TQtPainterDevice::DrawWindowImage(const TRect& Dest, const TWindowImage& Window) {
    if (!painter_) return;
    if (Window.Native) {
        QPixmap pixmap = static_cast<QWidget*>(Window.Native)->grab();
        painter_->drawPixmap(QtRect(Dest), pixmap);
        Inked(QtRect(Dest));
    } else if (Window.Image) {
        DrawImage(Dest, *Window.Image);
    }
}

} // namespace trx
