#include "framework/qt/qt_canvas_device.h"

#include <QColor>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "framework/core/display_width.h"
#include "framework/core/math_util.h"
#include "framework/qt/fixed_pitch_font.h"
#include "framework/qt/qt_painter_device.h"
#include "framework/qt/qt_text.h"

namespace trx {

namespace {

constexpr int kDefaultPointSize = 8;

// A byte that ToQString shows as a blank.
bool IsControlByte(char C) { return static_cast<unsigned char>(C) < 0x20 || C == 0x7F; }

// Whether a box-drawing character (U+2500 to U+257F: E2 94 80 to E2 95 BF,
// one cell each) begins at Text[I].
bool IsBoxDrawingAt(std::string_view Text, std::size_t I) {
    return I + 2 < Text.size() && Text[I] == '\xE2' && (Text[I + 1] == '\x94' || Text[I + 1] == '\x95') &&
           (static_cast<unsigned char>(Text[I + 2]) & 0xC0) == 0x80;
}

// The cells of Text (DisplayWidth): a report's lines are ASCII and the
// box-drawing characters (U+2500 to U+257F, one cell each), counted here
// byte by byte; a text with any other character is left to DisplayWidth.
int Cells(std::string_view Text) {
    int cells = 0;
    for (std::size_t i = 0; i < Text.size();) {
        const auto b = static_cast<unsigned char>(Text[i]);
        if (b < 0x80) {
            ++i;
        } else if (IsBoxDrawingAt(Text, i)) {
            i += 3;
        } else {
            return DisplayWidth(Text);
        }
        ++cells;
    }
    return cells;
}

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
    : TQtPainterDevice(Painter, true), geometry_(Geometry) {}

void TQtCanvasDevice::BeginPage() {
    TQtPainterDevice::BeginPage();
    painterFont_ = nullptr;
}

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
        for (int c = 0; c < 128; ++c)
            entry.Advances[static_cast<std::size_t>(c)] =
                m.horizontalAdvance(ToQString(std::string(1, static_cast<char>(c))));
        entry.Cell = entry.Advances['X'];
        // Whole advances add up exactly: a text's width is then its cells
        // times the advance. The line-drawing characters and the letters
        // of the code pages must have it too.
        const qreal first = entry.Cell;
        const bool same =
            std::all_of(entry.Advances.begin(), entry.Advances.end(), [first](qreal a) { return a == first; }) &&
            m.horizontalAdvance(QString::fromUtf8("│─┼é")) == 4 * first;
        if (same && first >= 1 && first < 4096 && first == std::floor(first))
            entry.FixedWidth = static_cast<int>(first);
    }
    return fonts_.emplace(std::move(key), std::move(entry)).first->second;
}

const QFont& TQtCanvasDevice::QtFont(const TFont& Font) { return Entry(Font).Font; }

TTextMetric TQtCanvasDevice::TextMetrics(const TFont& Font) { return Entry(Font).Metric; }

TSize TQtCanvasDevice::TextExtent(const TFont& Font, const std::string& Text) {
    const TFontEntry& e = Entry(Font);
    // A text is often measured again right after it is drawn (the canvas
    // moves its pen past it).
    if (measured_.Entry == &e && measured_.Text == Text) return measured_.Extent;
    int width = 0;
    if (!Text.empty() && e.FixedWidth > 0) {
        width = std::max(Cells(Text) * e.FixedWidth, 1);
    } else if (!Text.empty() && e.Metric.FixedPitch) {
        qreal sum = 0;
        for (std::size_t i = 0; i < Text.size();) {
            const unsigned char b = static_cast<unsigned char>(Text[i]);
            if (b < 0x80) {
                sum += e.Advances[b];
                ++i;
            } else if (IsBoxDrawingAt(Text, i)) {
                sum += e.Cell;
                i += 3;
            } else {
                sum += CharWidth(NextChar(Text, i)) * e.Cell;
            }
        }
        width = std::max(CeilPixels(sum), 1);
    } else if (!Text.empty()) {
        QFontMetricsF m(e.Font);
        width = std::max(CeilPixels(m.horizontalAdvance(ToQString(Text))), 1);
    }
    measured_.Entry = &e;
    measured_.Text = Text;
    measured_.Extent = TSize{width, e.Metric.Height};
    return measured_.Extent;
}

void TQtCanvasDevice::DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                               const TRect* Clip) {
    if (!painter_) return;
    const TFontEntry& e = Entry(Font);
    QRect cells(X, Y, TextExtent(Font, Text).cx, e.Metric.Height);
    if (Clip) cells &= QtRect(*Clip);
    // The clip goes with the painter's state; nothing else needs it saved.
    if (Clip) {
        painter_->save();
        painter_->setClipRect(QtRect(*Clip));
    }
    if (Opaque) {
        const QColor background = QtColor(Background);
        if (FillShows(cells, background)) {
            painter_->fillRect(cells, background);
            Inked(cells);
        }
    }
    if (painterFont_ != &e) {
        painter_->setFont(e.Font);
        painterFont_ = &e;
    }
    painter_->setPen(QtColor(Font.Color()));
    const bool ascii = IsAscii(Text);
    if (e.Metric.FixedPitch && !ascii && !AllInRuns(Text, e)) {
        DrawCells(X, Y + e.Metric.Ascent, Text, e);
    } else if (std::none_of(Text.begin(), Text.end(), [](char c) { return IsControlByte(c); }) &&
               (ascii || e.Metric.FixedPitch)) {
        // Valid UTF-8 (every character was read) without control
        // characters converts as it stands.
        painter_->drawText(QPointF(X, Y + e.Metric.Ascent),
                           QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
    } else {
        painter_->drawText(QPointF(X, Y + e.Metric.Ascent), ToQString(Text));
    }
    if (Clip) {
        painter_->restore();
        painterFont_ = nullptr;
    }
    // Glyphs that lean or overhang may reach a little past the text's cells
    // on either side.
    const int overhang = e.Metric.Height / 4;
    Inked(cells.adjusted(-overhang, 0, overhang, 0));
}

bool TQtCanvasDevice::InRuns(char32_t C, const TFontEntry& Entry) {
    // A byte that is no UTF-8 shows as U+FFFD, drawn alone on its cell.
    if (C == 0xFFFD) return false;
    const auto ask = [&] {
        const qreal advance = CharWidth(C) * Entry.Cell;
        QFontMetricsF m(Entry.Font);
        return m.inFontUcs4(C) && m.horizontalAdvance(QString::fromUcs4(&C, 1)) == advance;
    };
    if (C < TFontEntry::kInRunsTable) {
        if (Entry.InRunsTable.empty()) Entry.InRunsTable.resize(TFontEntry::kInRunsTable);
        int8_t& known = Entry.InRunsTable[C];
        if (known == 0) known = ask() ? 1 : -1;
        return known > 0;
    }
    auto glyph = Entry.InRuns.find(C);
    if (glyph == Entry.InRuns.end()) glyph = Entry.InRuns.emplace(C, ask()).first;
    return glyph->second;
}

bool TQtCanvasDevice::AllInRuns(std::string_view Text, const TFontEntry& Entry) {
    for (std::size_t i = 0; i < Text.size();) {
        if (static_cast<unsigned char>(Text[i]) < 0x80) {
            ++i;
            continue;
        }
        // A combining mark goes the careful way.
        const char32_t c = NextChar(Text, i);
        if (CharWidth(c) == 0 || !InRuns(c, Entry)) return false;
    }
    return true;
}

void TQtCanvasDevice::DrawCells(qreal X, qreal Baseline, std::string_view Text, const TFontEntry& Entry) {
    // Characters that the font itself has, with glyphs that take their
    // cells, go in runs; any other (a character from a fallback font, a
    // letter with its marks) goes alone at the start of its cells.
    QString run;
    qreal runX = X;
    qreal x = X;
    auto flush = [&] {
        if (!run.isEmpty()) painter_->drawText(QPointF(runX, Baseline), run);
        run.clear();
    };
    for (std::size_t i = 0; i < Text.size();) {
        const std::size_t at = i;
        const char32_t c = NextChar(Text, i);
        bool marks = false;
        while (i < Text.size() && static_cast<unsigned char>(Text[i]) >= 0x80) {
            std::size_t j = i;
            if (CharWidth(NextChar(Text, j)) != 0) break;
            i = j;
            marks = true;
        }
        const QString chars = ToQString(Text.substr(at, i - at));
        const qreal advance = c < 0x80 ? Entry.Advances[c] : CharWidth(c) * Entry.Cell;
        const bool fits = c < 0x80 || (!marks && InRuns(c, Entry));
        if (fits) {
            if (run.isEmpty()) runX = x;
            run += chars;
        } else {
            flush();
            painter_->drawText(QPointF(x, Baseline), chars);
        }
        x += advance;
    }
    flush();
}

} // namespace trx
