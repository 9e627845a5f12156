#include "framework/qt/qt_canvas_device.h"

#include <QColor>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "framework/core/math_util.h"
#include "framework/qt/fixed_pitch_font.h"
#include "framework/qt/oem_text.h"
#include "framework/qt/qt_painter_device.h"

namespace trx {

namespace {

constexpr int kDefaultPointSize = 8;

// Text is placed at fractional positions; widths are rounded up, so that
// text measured to fit a space never reaches past it.
int CeilPixels(qreal Width) { return static_cast<int>(std::ceil(Width - 1e-6)); }

QFont MakeFont(const QString& Family, int PixelSize, TFontStyles Style) {
    QFont font(Family);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(std::max(PixelSize, 1));
    font.setBold(Style.Contains(TFontStyle::fsBold));
    font.setItalic(Style.Contains(TFontStyle::fsItalic));
    font.setUnderline(Style.Contains(TFontStyle::fsUnderline));
    font.setStrikeOut(Style.Contains(TFontStyle::fsStrikeOut));
    // Measured and drawn alike on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace

TQtCanvasDevice::TQtCanvasDevice(const TPageGeometry& Geometry, QPainter* Painter)
    : TQtPainterDevice(Painter), geometry_(Geometry) {}

const TQtCanvasDevice::TFontEntry& TQtCanvasDevice::Entry(const TFont& Font) {
    if (last_.Entry && last_.Height == Font.Height() && last_.PixelsPerInch == Font.PixelsPerInch() &&
        last_.Style == Font.Style().Bits() && last_.Name == Font.Name())
        return *last_.Entry;
    const TFontEntry& entry = FindEntry(Font);
    last_ = TLastFont{Font.Name(), Font.Height(), Font.PixelsPerInch(), Font.Style().Bits(), &entry};
    return entry;
}

const TQtCanvasDevice::TFontEntry& TQtCanvasDevice::FindEntry(const TFont& Font) {
    const int ppi = geometry_.PixelsPerInchY > 0 ? geometry_.PixelsPerInchY : 72;
    const int fontPpi = Font.PixelsPerInch() > 0 ? Font.PixelsPerInch() : ppi;
    const QString family = FixedPitchFamily(Font.Name());
    // The character height in device pixels: a negative Height gives it,
    // a positive one gives the whole cell.
    int em;
    if (Font.Height() < 0) {
        em = MulDiv(-Font.Height(), ppi, fontPpi);
    } else if (Font.Height() > 0) {
        const int cell = std::max(MulDiv(Font.Height(), ppi, fontPpi), 1);
        QFontMetricsF probe(MakeFont(family, cell, TFontStyles{}));
        em = probe.height() > 0 ? static_cast<int>(cell * static_cast<double>(cell) / probe.height() + 0.5) : cell;
    } else {
        em = MulDiv(kDefaultPointSize, ppi, 72);
    }
    em = std::max(em, 1);
    TFontKey key{Font.Name(), em, Font.Style().Bits()};
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;

    TFontEntry entry;
    entry.Font = MakeFont(family, em, Font.Style());
    QFontMetricsF m(entry.Font);
    TTextMetric& t = entry.Metric;
    t.Ascent = std::max(qRound(m.ascent()), 1);
    t.Descent = std::max(qRound(m.descent()), 0);
    t.Height = t.Ascent + t.Descent;
    t.InternalLeading = std::max(t.Height - em, 0);
    t.ExternalLeading = std::max(qRound(m.leading()), 0);
    t.AveCharWidth = std::max(CeilPixels(m.horizontalAdvance(QLatin1Char('X'))), 1);
    t.MaxCharWidth = std::max(qRound(m.maxWidth()), t.AveCharWidth);
    t.FixedPitch = QFontInfo(entry.Font).fixedPitch();
    if (t.FixedPitch) {
        for (int c = 0; c < 256; ++c)
            entry.Advances[static_cast<std::size_t>(c)] =
                m.horizontalAdvance(OemToUnicode(std::string(1, static_cast<char>(c))));
        // Whole advances add up exactly: a text's width is then its length
        // times the advance.
        const qreal first = entry.Advances[0];
        const bool same =
            std::all_of(entry.Advances.begin(), entry.Advances.end(), [first](qreal a) { return a == first; });
        if (same && first >= 1 && first < 4096 && first == std::floor(first))
            entry.FixedWidth = static_cast<int>(first);
    }
    return fonts_.emplace(std::move(key), std::move(entry)).first->second;
}

const QFont& TQtCanvasDevice::QtFont(const TFont& Font) { return Entry(Font).Font; }

TTextMetric TQtCanvasDevice::TextMetrics(const TFont& Font) { return Entry(Font).Metric; }

TSize TQtCanvasDevice::TextExtent(const TFont& Font, const std::string& Text) {
    const TFontEntry& e = Entry(Font);
    int width = 0;
    if (!Text.empty() && e.Metric.FixedPitch) {
        qreal sum = 0;
        for (const char c : Text) sum += e.Advances[static_cast<unsigned char>(c)];
        width = std::max(CeilPixels(sum), 1);
    } else if (!Text.empty()) {
        QFontMetricsF m(e.Font);
        width = std::max(CeilPixels(m.horizontalAdvance(OemToUnicode(Text))), 1);
    }
    return TSize{width, e.Metric.Height};
}

void TQtCanvasDevice::DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                               const TRect* Clip) {
    if (!painter_) return;
    const TFontEntry& e = Entry(Font);
    painter_->save();
    if (Clip) painter_->setClipRect(QtRect(*Clip));
    if (Opaque) painter_->fillRect(QRect(X, Y, TextExtent(Font, Text).cx, e.Metric.Height), QtColor(Background));
    painter_->setFont(e.Font);
    painter_->setPen(QtColor(Font.Color()));
    painter_->drawText(QPointF(X, Y + e.Metric.Ascent), OemToUnicode(Text));
    painter_->restore();
}

} // namespace trx
