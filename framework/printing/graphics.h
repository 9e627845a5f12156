// Colours, fonts, pens, brushes and the canvas that draws with them.
//
// A canvas draws onto a TCanvasDevice: the screen stand-in, a printer page,
// or a recording used by tests. Text metrics come from the device, so every
// measurement is deterministic; the fixed-pitch metrics below are what the
// headless devices use.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/stringlist.h"
#include "framework/core/types.h"

namespace trx {

// ---------------------------------------------------------------------------
// Colours: 0x00BBGGRR for plain colours; the high bit set marks a system
// colour whose low byte is the system colour index.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor SystemColor(int Index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(Index)); }
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// True for a system colour (high bit set).
constexpr bool IsSystemColor(TColor Color) { return Color < 0; }

// The plain 0x00BBGGRR value of a colour; system colours resolve to the
// classic fixed scheme (button face light grey, window white, text black...).
// clNone and clDefault pass through unchanged.
TColor ColorToRGB(TColor Color);

// Colour components of a plain colour.
constexpr uint8_t GetRValue(TColor Color) { return static_cast<uint8_t>(Color & 0xFF); }
constexpr uint8_t GetGValue(TColor Color) { return static_cast<uint8_t>((Color >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor Color) { return static_cast<uint8_t>((Color >> 16) & 0xFF); }
constexpr TColor RGB(uint8_t R, uint8_t G, uint8_t B) { return static_cast<TColor>(R | (G << 8) | (B << 16)); }

// ---------------------------------------------------------------------------
// Screen resolution in pixels per inch: 96 unless set (tests set it).
int ScreenPixelsPerInch();
void SetScreenPixelsPerInch(int Value);

// ---------------------------------------------------------------------------
// Font styles: a set of TFontStyle held as bits, bit n for ordinal n (the
// framework's set layout: bold 1, italic 2, underline 4, strike-out 8).
enum class TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> Styles) {
        for (TFontStyle s : Styles) bits_ |= Bit(s);
    }
    // Only the four style bits count; other bits are dropped.
    static constexpr TFontStyles FromBits(unsigned Bits) {
        TFontStyles r;
        r.bits_ = static_cast<uint8_t>(Bits & 0x0F);
        return r;
    }
    constexpr uint8_t Bits() const { return bits_; }

    constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TFontStyles& Include(TFontStyle s) {
        bits_ |= Bit(s);
        return *this;
    }
    constexpr TFontStyles& Exclude(TFontStyle s) {
        bits_ &= static_cast<uint8_t>(~Bit(s));
        return *this;
    }

    friend constexpr TFontStyles operator+(TFontStyles a, TFontStyles b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TFontStyles operator-(TFontStyles a, TFontStyles b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr TFontStyles operator*(TFontStyles a, TFontStyles b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr uint8_t Bit(TFontStyle s) { return static_cast<uint8_t>(1u << static_cast<unsigned>(s)); }
    uint8_t bits_ = 0;
};

enum class TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

// ---------------------------------------------------------------------------
// A font. The size lives as Height in pixels at PixelsPerInch: a negative
// Height is the character height (size in points converted to pixels), a
// positive one the cell height including internal leading.
//   Height = -MulDiv(Size, PixelsPerInch, 72);  Size = -MulDiv(Height, 72, PixelsPerInch)
class TFont : public TObject {
public:
    TFont();
    TFont(const TFont& Other);
    TFont& operator=(const TFont& Other); // same as Assign; OnChange is not copied

    const std::string& Name() const { return name_; }
    void SetName(const std::string& Value);
    int Size() const;
    void SetSize(int Value);
    int Height() const { return height_; }
    void SetHeight(int Value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch Value);
    uint8_t Charset() const { return charset_; }
    void SetCharset(uint8_t Value);
    // Changing the resolution keeps Height (so Size follows), as the
    // framework does; a canvas that moves a font to another device keeps
    // the point size instead (see TCanvas).
    int PixelsPerInch() const { return pixels_per_inch_; }
    void SetPixelsPerInch(int Value) { pixels_per_inch_ = Value > 0 ? Value : pixels_per_inch_; }

    // Copies name, height, style, colour, pitch and charset. When the
    // resolutions differ the point size is kept, not the pixel height.
    void Assign(const TFont& Source);

    // Same name, size at this resolution, style, colour and pitch.
    bool SameAs(const TFont& Other) const;

    TNotifyEvent OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = 0;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = TFontPitch::fpDefault;
    uint8_t charset_ = 1; // the default character set
    int pixels_per_inch_;
};

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode : uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TObject {
public:
    TPen() = default;
    TPen(const TPen& Other) : TObject() { Assign(Other); }
    TPen& operator=(const TPen& Other) {
        Assign(Other);
        return *this;
    }

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    int Width() const { return width_; }
    void SetWidth(int Value); // 0 is the thinnest line; negative values are ignored
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode Value);
    void Assign(const TPen& Source);

    TNotifyEvent OnChange;

private:
    void Changed() {
        if (OnChange) OnChange(this);
    }
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    TPenMode mode_ = TPenMode::pmCopy;
};

enum class TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TObject {
public:
    TBrush() = default;
    TBrush(const TBrush& Other) : TObject() { Assign(Other); }
    TBrush& operator=(const TBrush& Other) {
        Assign(Other);
        return *this;
    }

    TColor Color() const { return color_; }
    // Setting a colour while the style is clear makes the brush solid.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle Value);
    void Assign(const TBrush& Source);

    TNotifyEvent OnChange;

private:
    void Changed() {
        if (OnChange) OnChange(this);
    }
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
};

// ---------------------------------------------------------------------------
// Text metrics of a font on a device, in device pixels.
struct TTextMetric {
    int Height = 0; // cell height: ascent + descent
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0; // Height minus the character height
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    bool FixedPitch = true;
};

// The headless metrics: every character one cell wide, derived only from
// the font's size and the device resolution. Character height e = the size
// in pixels at Resolution (at least 1); cell height = e * 6/5, character
// width = e * 3/5 (both rounded, at least 1); ascent = cell height * 4/5.
TTextMetric FixedPitchMetrics(const TFont& Font, int Resolution);

// A raster image handed to the canvas: Width x Height pixels as 0x00BBGGRR.
struct TImage {
    int Width = 0;
    int Height = 0;
    std::vector<TColor> Pixels;
};

// How a window image is scaled onto a printed page: at its pixel size, in
// proportion to the two resolutions, or as large as the page allows.
enum class TPrintScale : uint8_t { poNone, poProportional, poPrintToFit };

// A window to print as an image. Backends that show real windows take the
// window from Native; headless callers may hand over a rendered Image.
struct TWindowImage {
    std::string FormName;
    std::string Caption;
    int Width = 0; // client width in screen pixels
    int Height = 0; // client height in screen pixels
    TPrintScale PrintScale = TPrintScale::poProportional;
    int PixelsPerInch = 0; // the window's resolution; 0 means the screen's
    const TImage* Image = nullptr; // optional rendered contents
    void* Native = nullptr; // optional backend window object
};

// Device capability indexes understood by DeviceCaps and GetDeviceCaps.
constexpr int HORZSIZE = 4; // page width in millimetres
constexpr int VERTSIZE = 6; // page height in millimetres
constexpr int HORZRES = 8; // page width in pixels
constexpr int VERTRES = 10; // page height in pixels
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// The surface a canvas draws onto. Coordinates are device pixels.
class TCanvasDevice {
public:
    virtual ~TCanvasDevice() = default;

    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;

    // Metrics of Font as the device renders it.
    virtual TTextMetric TextMetrics(const TFont& Font) = 0;
    // Extent of one line of text (no tab expansion, no line breaks): cx is
    // the advance width, cy the cell height. Never 0 for non-empty text.
    virtual TSize TextExtent(const TFont& Font, const std::string& Text) = 0;
    // The advance of every character of Font when all characters have the
    // same whole number of pixels, so that a text's TextExtent width is its
    // length times it; 0 when the advances differ or are not known.
    virtual int FixedCharWidth(const TFont& /*Font*/) { return 0; }

    // Text with its cell's top-left at (X, Y). With Opaque the text cell is
    // first filled with Background. Clip, when given, limits the drawing.
    virtual void DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                          const TRect* Clip) = 0;
    // A line from From towards To (the end point itself not drawn).
    virtual void DrawLine(TPoint From, TPoint To, const TPen& Pen) = 0;
    // Fills Rect (right and bottom edges excluded) with Brush.
    virtual void FillRect(const TRect& Rect, const TBrush& Brush) = 0;
    // An outlined rectangle filled with Brush (the outline drawn with Pen).
    virtual void DrawRectangle(const TRect& Rect, const TPen& Pen, const TBrush& Brush) = 0;
    virtual void DrawEllipse(const TRect& Rect, const TPen& Pen, const TBrush& Brush) = 0;
    // An image stretched onto Dest.
    virtual void DrawImage(const TRect& Dest, const TImage& Image) = 0;
    // A window's contents stretched onto Dest; by default its rendered
    // image when it has one, else nothing.
    virtual void DrawWindowImage(const TRect& Dest, const TWindowImage& Window) {
        if (Window.Image) DrawImage(Dest, *Window.Image);
    }
    // Raises when the device cannot be used (a printer that is not valid).
    virtual void Validate() {}
    // A device capability (the indexes above); the resolution by default,
    // 1 plane of 24 bits, 0 for what the device does not know.
    virtual int DeviceCaps(int Index);
};

// One drawing operation as recorded by TRecordingDevice.
enum class TDrawOpKind : uint8_t { doText, doLine, doFillRect, doRectangle, doEllipse, doImage, doWindowImage };

struct TDrawOp {
    TDrawOpKind Kind = TDrawOpKind::doText;
    TPoint Pos; // text position, or line start
    TPoint EndPos; // line end
    TRect Rect; // rectangle, fill, ellipse, image destination
    std::string Text; // text drawn
    std::string FontName;
    int FontSize = 0; // points
    int FontHeight = 0; // pixels, as the font's Height
    TFontStyles FontStyle;
    TColor FontColor = clBlack;
    TFontPitch FontPitch = TFontPitch::fpDefault;
    bool Opaque = false; // text drawn on its background
    TColor Background = clWhite;
    bool Clipped = false;
    TRect Clip;
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = TPenStyle::psSolid;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = TBrushStyle::bsSolid;
    TSize ImageSize; // image or window size in its own pixels
    std::string WindowName; // window image: the form's name
    TPrintScale PrintScale = TPrintScale::poNone; // window image: its scale mode
    bool HasImage = false; // window image: rendered contents were given
};

// A device with the fixed-pitch metrics that discards what is drawn. A
// resolution of 0 follows ScreenPixelsPerInch().
class TFixedPitchDevice : public TCanvasDevice {
public:
    explicit TFixedPitchDevice(int PixelsPerInchX = 0, int PixelsPerInchY = 0);

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    TTextMetric TextMetrics(const TFont& Font) override;
    TSize TextExtent(const TFont& Font, const std::string& Text) override;
    int FixedCharWidth(const TFont& Font) override;
    void DrawText(int, int, const std::string&, const TFont&, bool, TColor, const TRect*) override {}
    void DrawLine(TPoint, TPoint, const TPen&) override {}
    void FillRect(const TRect&, const TBrush&) override {}
    void DrawRectangle(const TRect&, const TPen&, const TBrush&) override {}
    void DrawEllipse(const TRect&, const TPen&, const TBrush&) override {}
    void DrawImage(const TRect&, const TImage&) override {}

private:
    int ppi_x_;
    int ppi_y_;
    // The metrics last worked out, for the font height, the font's and the
    // device's resolution they were worked out for; texts are measured
    // again and again in one font.
    struct TMetricsCache {
        int Height = 0;
        int FontPixelsPerInch = 0;
        int Resolution = 0;
        TTextMetric Metrics;
    };
    TMetricsCache metrics_;
};

// A fixed-pitch device that keeps every operation in a list. Each page of
// the virtual printer is one; tests use it as a screen that remembers.
class TRecordingDevice : public TFixedPitchDevice {
public:
    using TFixedPitchDevice::TFixedPitchDevice;

    void DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                  const TRect* Clip) override;
    void DrawLine(TPoint From, TPoint To, const TPen& Pen) override;
    void FillRect(const TRect& Rect, const TBrush& Brush) override;
    void DrawRectangle(const TRect& Rect, const TPen& Pen, const TBrush& Brush) override;
    void DrawEllipse(const TRect& Rect, const TPen& Pen, const TBrush& Brush) override;
    void DrawImage(const TRect& Dest, const TImage& Image) override;
    void DrawWindowImage(const TRect& Dest, const TWindowImage& Window) override;

    const std::vector<TDrawOp>& Ops() const { return ops_; }
    void Clear() { ops_.clear(); }
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;

private:
    std::vector<TDrawOp> ops_;
};

// The device canvases use when nothing else is given: fixed-pitch metrics
// at the screen resolution, drawing discarded, unless a backend that shows
// real windows put the real screen's metrics in its place.
TCanvasDevice& ScreenDevice();
// Replaces the screen device (not owned); nullptr restores the headless one.
void SetScreenDevice(TCanvasDevice* Device);

// ---------------------------------------------------------------------------
// A canvas: font, pen and brush, a pen position, and the drawing calls.
// The device is not owned; a canvas without one uses ScreenDevice().
class TCanvas : public TObject {
public:
    explicit TCanvas(TCanvasDevice* Device = nullptr);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The device drawn on. Before every measurement and drawing the font is
    // brought to the device's vertical resolution keeping its point size, so
    // a canvas moved to another device keeps its font's size.
    TCanvasDevice& Device() const;
    void SetDevice(TCanvasDevice* Device);

    // The font, at the device's resolution.
    TFont& Font();
    // The font as last brought to a device.
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& Value) { Font().Assign(Value); }
    TPen& Pen() { return pen_; }
    void SetPen(const TPen& Value) { pen_.Assign(Value); }
    TBrush& Brush() { return brush_; }
    void SetBrush(const TBrush& Value) { brush_.Assign(Value); }

    TPoint PenPos() const { return pen_pos_; }
    void SetPenPos(TPoint Value) { pen_pos_ = Value; }

    // Needs a usable device, as drawing does.
    void MoveTo(int X, int Y);
    // A line from PenPos to (X, Y); PenPos moves there.
    void LineTo(int X, int Y);
    // Draws Text at (X, Y), on the brush colour unless the brush is clear;
    // PenPos moves to the end of the text.
    void TextOut(int X, int Y, const std::string& Text);
    // Draws Text at (X, Y) clipped to Rect; a non-clear brush fills Rect first.
    void TextRect(const TRect& Rect, int X, int Y, const std::string& Text);
    int TextWidth(const std::string& Text);
    int TextHeight(const std::string& Text);
    TSize TextExtent(const std::string& Text);
    // The device's FixedCharWidth of the font: a text's TextWidth is its
    // length times it, unless it is 0.
    int FixedCharWidth();
    TTextMetric TextMetrics();
    void FillRect(const TRect& Rect);
    // Outline with the pen, inside filled with the brush (right and bottom
    // edges excluded, as the platform draws them).
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void Draw(int X, int Y, const TImage& Image);
    void StretchDraw(const TRect& Rect, const TImage& Image);
    void DrawWindowImage(const TRect& Rect, const TWindowImage& Window);

    // Called after every drawing operation.
    TNotifyEvent OnChange;

private:
    // The device, validated, with the font at its resolution.
    TCanvasDevice& Ready();
    void SyncFont(TCanvasDevice& Device);
    void Changed() {
        if (OnChange) OnChange(this);
    }

    TCanvasDevice* device_ = nullptr;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    TPoint pen_pos_;
};

// A device capability of the canvas's device (LOGPIXELSX, HORZRES, ...).
int GetDeviceCaps(TCanvas& Canvas, int Index);

} // namespace trx
