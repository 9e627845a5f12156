#include "framework/printing/printer_driver.h"

#include <utility>

#include "framework/core/math_util.h"

namespace trx {

namespace {

struct TPaper {
    int Size;
    int Width; // tenths of a millimetre, portrait
    int Length;
};

constexpr TPaper kPapers[] = {
    {DMPAPER_LETTER, 2159, 2794},    {DMPAPER_LETTERSMALL, 2159, 2794}, {DMPAPER_TABLOID, 2794, 4318},
    {DMPAPER_LEDGER, 4318, 2794},    {DMPAPER_LEGAL, 2159, 3556},       {DMPAPER_STATEMENT, 1397, 2159},
    {DMPAPER_EXECUTIVE, 1842, 2667}, {DMPAPER_A3, 2970, 4200},          {DMPAPER_A4, 2100, 2970},
    {DMPAPER_A4SMALL, 2100, 2970},   {DMPAPER_A5, 1480, 2100},          {DMPAPER_B4, 2570, 3640},
    {DMPAPER_B5, 1820, 2570},        {DMPAPER_FOLIO, 2159, 3302},       {DMPAPER_QUARTO, 2150, 2750},
    {DMPAPER_10X14, 2540, 3556},     {DMPAPER_11X17, 2794, 4318},       {DMPAPER_NOTE, 2159, 2794},
    {DMPAPER_ENV_9, 984, 2254},      {DMPAPER_ENV_10, 1048, 2413},      {DMPAPER_ENV_DL, 1100, 2200},
    {DMPAPER_ENV_C5, 1620, 2290},    {DMPAPER_ENV_B5, 1760, 2500},      {DMPAPER_ENV_MONARCH, 984, 1905},
};

} // namespace

bool PaperDimensions(const TDeviceMode& Mode, int& Width, int& Length) {
    if (Mode.PaperSize == DMPAPER_USER) {
        if (Mode.PaperWidth <= 0 || Mode.PaperLength <= 0) return false;
        Width = Mode.PaperWidth;
        Length = Mode.PaperLength;
        return true;
    }
    for (const TPaper& p : kPapers) {
        if (p.Size == Mode.PaperSize) {
            Width = p.Width;
            Length = p.Length;
            return true;
        }
    }
    return false;
}

TPageGeometry ComputePageGeometry(int Width, int Length, TPrinterOrientation Orientation, int PixelsPerInchX,
                                  int PixelsPerInchY, int MarginXThous, int MarginYThous) {
    if (Orientation == TPrinterOrientation::poLandscape) {
        std::swap(Width, Length);
        std::swap(MarginXThous, MarginYThous);
    }
    TPageGeometry g;
    g.PixelsPerInchX = PixelsPerInchX;
    g.PixelsPerInchY = PixelsPerInchY;
    g.PhysicalWidth = MulDiv(Width, PixelsPerInchX, 254);
    g.PhysicalHeight = MulDiv(Length, PixelsPerInchY, 254);
    g.PhysicalOffsetX = MulDiv(MarginXThous, PixelsPerInchX, 1000);
    g.PhysicalOffsetY = MulDiv(MarginYThous, PixelsPerInchY, 1000);
    g.PageWidth = g.PhysicalWidth - 2 * g.PhysicalOffsetX;
    g.PageHeight = g.PhysicalHeight - 2 * g.PhysicalOffsetY;
    return g;
}

int GeometryDeviceCaps(const TPageGeometry& Geometry, int Index) {
    switch (Index) {
    case HORZRES: return Geometry.PageWidth;
    case VERTRES: return Geometry.PageHeight;
    case LOGPIXELSX: return Geometry.PixelsPerInchX;
    case LOGPIXELSY: return Geometry.PixelsPerInchY;
    case PHYSICALWIDTH: return Geometry.PhysicalWidth;
    case PHYSICALHEIGHT: return Geometry.PhysicalHeight;
    case PHYSICALOFFSETX: return Geometry.PhysicalOffsetX;
    case PHYSICALOFFSETY: return Geometry.PhysicalOffsetY;
    case HORZSIZE:
        return Geometry.PixelsPerInchX > 0 ? MulDiv(Geometry.PageWidth, 254, Geometry.PixelsPerInchX * 10) : 0;
    case VERTSIZE:
        return Geometry.PixelsPerInchY > 0 ? MulDiv(Geometry.PageHeight, 254, Geometry.PixelsPerInchY * 10) : 0;
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    default: return 0;
    }
}

} // namespace trx
