#include "framework/printing/graphics.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "framework/core/math_util.h"

namespace trx {

namespace {

int screen_ppi = 96;

constexpr int kDefaultFontSize = 8;

} // namespace

int ScreenPixelsPerInch() { return screen_ppi; }
void SetScreenPixelsPerInch(int Value) { screen_ppi = Value > 0 ? Value : 96; }

TColor ColorToRGB(TColor Color) {
    if (!IsSystemColor(Color)) return Color;
    static constexpr TColor scheme[] = {
        0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, // scroll bar, desktop, captions, menu
        0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, // window, frame, menu text, window text, caption text
        0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, // borders, work space, highlight, highlight text
        0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, // button face, shadow, grey text, button text, caption text
        0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xE1FFFF, // button highlight, 3D shadow/light, info text/back
    };
    unsigned index = static_cast<unsigned>(Color) & 0xFFu;
    return index < std::size(scheme) ? scheme[index] : clBlack;
}

// ---------------------------------------------------------------------------
// TFont

TFont::TFont() : pixels_per_inch_(ScreenPixelsPerInch()) { height_ = -MulDiv(kDefaultFontSize, pixels_per_inch_, 72); }

TFont::TFont(const TFont& Other) : TObject(), pixels_per_inch_(Other.pixels_per_inch_) { Assign(Other); }

TFont& TFont::operator=(const TFont& Other) {
    if (this != &Other) Assign(Other);
    return *this;
}

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == name_) return;
    name_ = Value;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixels_per_inch_); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, pixels_per_inch_, 72)); }

void TFont::SetHeight(int Value) {
    if (Value == height_) return;
    height_ = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == pitch_) return;
    pitch_ = Value;
    Changed();
}

void TFont::SetCharset(uint8_t Value) {
    if (Value == charset_) return;
    charset_ = Value;
    Changed();
}

void TFont::Assign(const TFont& Source) {
    if (&Source == this) return;
    name_ = Source.name_;
    if (pixels_per_inch_ != Source.pixels_per_inch_)
        height_ = -MulDiv(Source.Size(), pixels_per_inch_, 72);
    else
        height_ = Source.height_;
    style_ = Source.style_;
    color_ = Source.color_;
    pitch_ = Source.pitch_;
    charset_ = Source.charset_;
    Changed();
}

bool TFont::SameAs(const TFont& Other) const {
    return name_ == Other.name_ && Size() == Other.Size() && style_ == Other.style_ && color_ == Other.color_ &&
           pitch_ == Other.pitch_;
}

// ---------------------------------------------------------------------------
// TPen and TBrush

void TPen::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == width_) return;
    width_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == mode_) return;
    mode_ = Value;
    Changed();
}

void TPen::Assign(const TPen& Source) {
    if (&Source == this) return;
    color_ = Source.color_;
    width_ = Source.width_;
    style_ = Source.style_;
    mode_ = Source.mode_;
    Changed();
}

void TBrush::SetColor(TColor Value) {
    if (Value == color_ && style_ != TBrushStyle::bsClear) return;
    color_ = Value;
    if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TBrush::Assign(const TBrush& Source) {
    if (&Source == this) return;
    color_ = Source.color_;
    style_ = Source.style_;
    Changed();
}

// ---------------------------------------------------------------------------
// Fixed-pitch metrics

TTextMetric FixedPitchMetrics(const TFont& Font, int Resolution) {
    if (Resolution <= 0) Resolution = ScreenPixelsPerInch();
    int em;
    int height = Font.Height();
    if (height < 0) {
        em = MulDiv(-height, Resolution, Font.PixelsPerInch());
    } else if (height > 0) {
        int cell = MulDiv(height, Resolution, Font.PixelsPerInch());
        em = MulDiv(cell, 5, 6);
    } else {
        em = MulDiv(kDefaultFontSize, Resolution, 72);
    }
    em = std::max(em, 1);
    TTextMetric m;
    m.Height = std::max(MulDiv(em, 6, 5), 1);
    m.Ascent = std::max(MulDiv(m.Height, 4, 5), 1);
    m.Descent = m.Height - m.Ascent;
    m.InternalLeading = m.Height - em;
    m.ExternalLeading = 0;
    m.AveCharWidth = std::max(MulDiv(em, 3, 5), 1);
    m.MaxCharWidth = m.AveCharWidth;
    m.FixedPitch = true;
    return m;
}

TFixedPitchDevice::TFixedPitchDevice(int PixelsPerInchX, int PixelsPerInchY)
    : ppi_x_(PixelsPerInchX), ppi_y_(PixelsPerInchY > 0 ? PixelsPerInchY : PixelsPerInchX) {}

int TFixedPitchDevice::PixelsPerInchX() const { return ppi_x_ > 0 ? ppi_x_ : ScreenPixelsPerInch(); }
int TFixedPitchDevice::PixelsPerInchY() const { return ppi_y_ > 0 ? ppi_y_ : ScreenPixelsPerInch(); }

TTextMetric TFixedPitchDevice::TextMetrics(const TFont& Font) {
    const int resolution = PixelsPerInchY();
    TMetricsCache& c = metrics_;
    if (c.Resolution != resolution || c.Height != Font.Height() || c.FontPixelsPerInch != Font.PixelsPerInch()) {
        c.Metrics = FixedPitchMetrics(Font, resolution);
        c.Height = Font.Height();
        c.FontPixelsPerInch = Font.PixelsPerInch();
        c.Resolution = resolution;
    }
    return c.Metrics;
}

TSize TFixedPitchDevice::TextExtent(const TFont& Font, const std::string& Text) {
    return TSize{static_cast<int32_t>(Text.size()) * FixedCharWidth(Font), TextMetrics(Font).Height};
}

int TFixedPitchDevice::FixedCharWidth(const TFont& Font) {
    // Horizontal metrics scale with the horizontal resolution.
    int cw = TextMetrics(Font).AveCharWidth;
    if (PixelsPerInchX() != PixelsPerInchY()) cw = std::max(MulDiv(cw, PixelsPerInchX(), PixelsPerInchY()), 1);
    return cw;
}

int TCanvasDevice::DeviceCaps(int Index) {
    switch (Index) {
    case LOGPIXELSX: return PixelsPerInchX();
    case LOGPIXELSY: return PixelsPerInchY();
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    default: return 0;
    }
}

namespace {
TCanvasDevice*& ScreenReplacement() {
    static TCanvasDevice* device = nullptr;
    return device;
}
} // namespace

TCanvasDevice& ScreenDevice() {
    static TFixedPitchDevice screen;
    return ScreenReplacement() ? *ScreenReplacement() : screen;
}

void SetScreenDevice(TCanvasDevice* Device) { ScreenReplacement() = Device; }

// ---------------------------------------------------------------------------
// TRecordingDevice

namespace {

void CopyFont(TDrawOp& op, const TFont& Font) {
    op.FontName = Font.Name();
    op.FontSize = Font.Size();
    op.FontHeight = Font.Height();
    op.FontStyle = Font.Style();
    op.FontColor = Font.Color();
    op.FontPitch = Font.Pitch();
}

void CopyPen(TDrawOp& op, const TPen& Pen) {
    op.PenColor = Pen.Color();
    op.PenWidth = Pen.Width();
    op.PenStyle = Pen.Style();
}

void CopyBrush(TDrawOp& op, const TBrush& Brush) {
    op.BrushColor = Brush.Color();
    op.BrushStyle = Brush.Style();
}

} // namespace

void TRecordingDevice::DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque,
                                TColor Background, const TRect* Clip) {
    TDrawOp op;
    op.Kind = TDrawOpKind::doText;
    op.Pos = TPoint{X, Y};
    op.Text = Text;
    CopyFont(op, Font);
    op.Opaque = Opaque;
    op.Background = Background;
    if (Clip) {
        op.Clipped = true;
        op.Clip = *Clip;
    }
    ops_.push_back(std::move(op));
}

void TRecordingDevice::DrawLine(TPoint From, TPoint To, const TPen& Pen) {
    TDrawOp op;
    op.Kind = TDrawOpKind::doLine;
    op.Pos = From;
    op.EndPos = To;
    CopyPen(op, Pen);
    ops_.push_back(std::move(op));
}

void TRecordingDevice::FillRect(const TRect& Rect, const TBrush& Brush) {
    TDrawOp op;
    op.Kind = TDrawOpKind::doFillRect;
    op.Rect = Rect;
    CopyBrush(op, Brush);
    ops_.push_back(std::move(op));
}

void TRecordingDevice::DrawRectangle(const TRect& Rect, const TPen& Pen, const TBrush& Brush) {
    TDrawOp op;
    op.Kind = TDrawOpKind::doRectangle;
    op.Rect = Rect;
    CopyPen(op, Pen);
    CopyBrush(op, Brush);
    ops_.push_back(std::move(op));
}

void TRecordingDevice::DrawEllipse(const TRect& Rect, const TPen& Pen, const TBrush& Brush) {
    TDrawOp op;
    op.Kind = TDrawOpKind::doEllipse;
    op.Rect = Rect;
    CopyPen(op, Pen);
    CopyBrush(op, Brush);
    ops_.push_back(std::move(op));
}

void TRecordingDevice::DrawImage(const TRect& Dest, const TImage& Image) {
    TDrawOp op;
    op.Kind = TDrawOpKind::doImage;
    op.Rect = Dest;
    op.ImageSize = TSize{Image.Width, Image.Height};
    ops_.push_back(std::move(op));
}

void TRecordingDevice::DrawWindowImage(const TRect& Dest, const TWindowImage& Window) {
    TDrawOp op;
    op.Kind = TDrawOpKind::doWindowImage;
    op.Rect = Dest;
    op.ImageSize = TSize{Window.Width, Window.Height};
    op.WindowName = Window.FormName;
    op.Text = Window.Caption;
    op.PrintScale = Window.PrintScale;
    op.HasImage = Window.Image != nullptr;
    ops_.push_back(std::move(op));
}

std::vector<std::string> TRecordingDevice::Texts() const {
    std::vector<std::string> r;
    for (const TDrawOp& op : ops_)
        if (op.Kind == TDrawOpKind::doText) r.push_back(op.Text);
    return r;
}

// ---------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas(TCanvasDevice* Device) : device_(Device) {}

TCanvasDevice& TCanvas::Device() const { return device_ ? *device_ : ScreenDevice(); }

void TCanvas::SetDevice(TCanvasDevice* Device) { device_ = Device; }

void TCanvas::SyncFont(TCanvasDevice& Device) {
    int ppi = Device.PixelsPerInchY();
    if (ppi > 0 && ppi != font_.PixelsPerInch()) {
        // Keep the point size; following the device is no font change.
        TNotifyEvent saved = std::move(font_.OnChange);
        font_.OnChange = nullptr;
        int size = font_.Size();
        font_.SetPixelsPerInch(ppi);
        font_.SetSize(size);
        font_.OnChange = std::move(saved);
    }
}

TCanvasDevice& TCanvas::Ready() {
    TCanvasDevice& device = Device();
    device.Validate();
    SyncFont(device);
    return device;
}

TFont& TCanvas::Font() {
    SyncFont(Device());
    return font_;
}

void TCanvas::MoveTo(int X, int Y) {
    Ready();
    pen_pos_ = TPoint{X, Y};
}

void TCanvas::LineTo(int X, int Y) {
    TPoint to{X, Y};
    TCanvasDevice& device = Ready();
    if (pen_.Style() != TPenStyle::psClear) device.DrawLine(pen_pos_, to, pen_);
    pen_pos_ = to;
    Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    bool opaque = brush_.Style() != TBrushStyle::bsClear;
    Ready().DrawText(X, Y, Text, font_, opaque, brush_.Color(), nullptr);
    pen_pos_ = TPoint{X + TextWidth(Text), Y};
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const std::string& Text) {
    TCanvasDevice& device = Ready();
    if (brush_.Style() != TBrushStyle::bsClear) device.FillRect(Rect, brush_);
    device.DrawText(X, Y, Text, font_, false, brush_.Color(), &Rect);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& Text) { return Ready().TextExtent(font_, Text); }
int TCanvas::TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
int TCanvas::FixedCharWidth() { return Ready().FixedCharWidth(font_); }
int TCanvas::TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
TTextMetric TCanvas::TextMetrics() { return Ready().TextMetrics(font_); }

void TCanvas::FillRect(const TRect& Rect) {
    Ready().FillRect(Rect, brush_);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    Ready().DrawRectangle(TRect{X1, Y1, X2, Y2}, pen_, brush_);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    Ready().DrawEllipse(TRect{X1, Y1, X2, Y2}, pen_, brush_);
    Changed();
}

void TCanvas::Draw(int X, int Y, const TImage& Image) {
    StretchDraw(TRect{X, Y, X + Image.Width, Y + Image.Height}, Image);
}

void TCanvas::StretchDraw(const TRect& Rect, const TImage& Image) {
    Ready().DrawImage(Rect, Image);
    Changed();
}

void TCanvas::DrawWindowImage(const TRect& Rect, const TWindowImage& Window) {
    Ready().DrawWindowImage(Rect, Window);
    Changed();
}

int GetDeviceCaps(TCanvas& Canvas, int Index) { return Canvas.Device().DeviceCaps(Index); }

} // namespace trx
