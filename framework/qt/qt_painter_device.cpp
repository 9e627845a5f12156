#include "framework/qt/qt_painter_device.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

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

void TQtPainterDevice::DrawLine(TPoint From, TPoint To, const TPen& Pen) {
    if (!painter_ || Pen.Style() == TPenStyle::psClear) return;
    painter_->save();
    painter_->setPen(QtPen(Pen));
    painter_->drawLine(QPoint(From.X, From.Y), QPoint(To.X, To.Y));
    painter_->restore();
}

void TQtPainterDevice::FillRect(const TRect& Rect, const TBrush& Brush) {
    if (!painter_ || Brush.Style() == TBrushStyle::bsClear) return;
    painter_->fillRect(QtRect(Rect), QtBrush(Brush));
}

void TQtPainterDevice::DrawShape(const TRect& Rect, const TPen& Pen, const TBrush& Brush, bool Ellipse) {
    if (!painter_) return;
    painter_->save();
    painter_->setPen(QtPen(Pen));
    painter_->setBrush(QtBrush(Brush));
    // The outline lies inside the rectangle, right and bottom edges excluded.
    const QRect inside(Rect.Left, Rect.Top, Rect.Right - Rect.Left - 1, Rect.Bottom - Rect.Top - 1);
    if (Ellipse) {
        painter_->drawEllipse(inside);
    } else {
        painter_->drawRect(inside);
    }
    painter_->restore();
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
}

void TQtPainterDevice::DrawWindowImage(const TRect& Dest, const TWindowImage& Window) {
    if (!painter_) return;
    if (Window.Native) {
        QPixmap pixmap = static_cast<QWidget*>(Window.Native)->grab();
        painter_->drawPixmap(QtRect(Dest), pixmap);
    } else if (Window.Image) {
        DrawImage(Dest, *Window.Image);
    }
}

} // namespace trx
