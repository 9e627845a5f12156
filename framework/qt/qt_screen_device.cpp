#include "framework/qt/qt_screen_device.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>

#include "framework/core/math_util.h"
#include "framework/core/strings.h"
#include "framework/qt/fixed_pitch_font.h"

namespace trx {

namespace {

QString FromUtf8(const std::string& S) { return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size())); }

// The classic names a form's font carries, and the kind of family that
// stands in for each on this desktop.
QString FamilyOf(const std::string& Name) {
    static const char* const kSans[] = {"MS Sans Serif", "Arial", "Tahoma", "Segoe UI", "Helvetica", "Verdana"};
    static const char* const kFixed[] = {"Courier New", "Courier", "Fixedsys", "Terminal", "Lucida Console"};
    static const char* const kSerif[] = {"Times New Roman", "MS Serif", "Times"};
    for (const char* n : kSans)
        if (SameText(Name, n)) return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char* n : kFixed)
        if (SameText(Name, n)) return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    for (const char* n : kSerif)
        if (SameText(Name, n)) return QStringLiteral("serif");
    if (Name.empty()) return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    // Another name that is not installed here is most often a report's
    // text font (fixed pitch, such as "Letter Gothic Line"): the fixed-pitch
    // family that reports print in stands in, so that columns and line
    // drawing stay aligned on the screen. A missing proportional memo font
    // shows in it too, which keeps its text readable.
    static QHash<QString, QString> families;
    const QString family = FromUtf8(Name);
    auto it = families.find(family);
    if (it == families.end())
        it = families.insert(family, QFontDatabase::hasFamily(family) ? family : FixedPitchFamily(Name));
    return it.value();
}

} // namespace

QFont QtScreenFont(const TFont& Font) {
    QFont font(FamilyOf(Font.Name()));
    // A negative height is the character height, a positive one the whole
    // cell; either way at the font's resolution.
    const int fontPpi = Font.PixelsPerInch() > 0 ? Font.PixelsPerInch() : ScreenPixelsPerInch();
    int pixels = Font.Height() != 0 ? std::abs(Font.Height()) : 11;
    if (Font.Height() > 0) pixels = pixels * 5 / 6;
    font.setPixelSize(std::max(1, MulDiv(pixels, ScreenPixelsPerInch(), fontPpi)));
    font.setBold(Font.Style().Contains(TFontStyle::fsBold));
    font.setItalic(Font.Style().Contains(TFontStyle::fsItalic));
    font.setUnderline(Font.Style().Contains(TFontStyle::fsUnderline));
    font.setStrikeOut(Font.Style().Contains(TFontStyle::fsStrikeOut));
    if (Font.Pitch() == TFontPitch::fpFixed) font.setStyleHint(QFont::TypeWriter);
    return font;
}

TTextMetric TQtScreenDevice::TextMetrics(const TFont& Font) {
    const QFont font = QtScreenFont(Font);
    const QFontMetrics m(font);
    TTextMetric t;
    t.Ascent = std::max(m.ascent(), 1);
    t.Descent = std::max(m.descent(), 0);
    t.Height = t.Ascent + t.Descent;
    t.InternalLeading = std::max(t.Height - font.pixelSize(), 0);
    t.ExternalLeading = std::max(m.leading(), 0);
    t.AveCharWidth = std::max(m.averageCharWidth(), 1);
    t.MaxCharWidth = std::max(m.maxWidth(), t.AveCharWidth);
    t.FixedPitch = QFontInfo(font).fixedPitch();
    return t;
}

TSize TQtScreenDevice::TextExtent(const TFont& Font, const std::string& Text) {
    const QFontMetrics m(QtScreenFont(Font));
    const int width = Text.empty() ? 0 : std::max(m.horizontalAdvance(FromUtf8(Text)), 1);
    return TSize{width, m.ascent() + m.descent()};
}

void TQtScreenDevice::DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                               const TRect* Clip) {
    if (!painter_) return;
    const QFont font = QtScreenFont(Font);
    const QFontMetrics m(font);
    const QString text = FromUtf8(Text);
    painter_->save();
    if (Clip) painter_->setClipRect(QtRect(*Clip));
    if (Opaque) painter_->fillRect(QRect(X, Y, m.horizontalAdvance(text), m.height()), QtColor(Background));
    painter_->setFont(font);
    painter_->setPen(QtColor(Font.Color()));
    painter_->drawText(QPoint(X, Y + m.ascent()), text);
    painter_->restore();
}

} // namespace trx
