// The driver behind TPrinter: the installed printers, their page geometry
// per paper and orientation, and print jobs that receive canvas drawing.
// The virtual driver (virtual_printer.h) is always available; real
// backends plug in through the same interface.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/printing/graphics.h"

namespace trx {

enum class TPrinterOrientation : uint8_t { poPortrait, poLandscape };

// Paper sizes as the printer set-up stores them.
constexpr int DMPAPER_LETTER = 1;
constexpr int DMPAPER_LETTERSMALL = 2;
constexpr int DMPAPER_TABLOID = 3;
constexpr int DMPAPER_LEDGER = 4;
constexpr int DMPAPER_LEGAL = 5;
constexpr int DMPAPER_STATEMENT = 6;
constexpr int DMPAPER_EXECUTIVE = 7;
constexpr int DMPAPER_A3 = 8;
constexpr int DMPAPER_A4 = 9;
constexpr int DMPAPER_A4SMALL = 10;
constexpr int DMPAPER_A5 = 11;
constexpr int DMPAPER_B4 = 12;
constexpr int DMPAPER_B5 = 13;
constexpr int DMPAPER_FOLIO = 14;
constexpr int DMPAPER_QUARTO = 15;
constexpr int DMPAPER_10X14 = 16;
constexpr int DMPAPER_11X17 = 17;
constexpr int DMPAPER_NOTE = 18;
constexpr int DMPAPER_ENV_9 = 19;
constexpr int DMPAPER_ENV_10 = 20;
constexpr int DMPAPER_ENV_DL = 27;
constexpr int DMPAPER_ENV_C5 = 28;
constexpr int DMPAPER_ENV_B5 = 34;
constexpr int DMPAPER_ENV_MONARCH = 37;
constexpr int DMPAPER_USER = 256; // PaperWidth and PaperLength give the size

constexpr int DMORIENT_PORTRAIT = 1;
constexpr int DMORIENT_LANDSCAPE = 2;
constexpr int DMDUP_SIMPLEX = 1;
constexpr int DMDUP_VERTICAL = 2;
constexpr int DMDUP_HORIZONTAL = 3;
constexpr int DMCOLLATE_FALSE = 0;
constexpr int DMCOLLATE_TRUE = 1;

// The printer set-up of one printer (its device mode).
struct TDeviceMode {
    TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
    int PaperSize = DMPAPER_LETTER;
    int PaperWidth = 0; // tenths of a millimetre, for DMPAPER_USER
    int PaperLength = 0; // tenths of a millimetre, for DMPAPER_USER
    int Copies = 1;
    int Duplex = DMDUP_SIMPLEX;
    int Collate = DMCOLLATE_FALSE;
    friend bool operator==(const TDeviceMode&, const TDeviceMode&) = default;
};

// Portrait width and length of a paper size in tenths of a millimetre;
// False for a size this table does not know. DMPAPER_USER answers from
// the mode's own PaperWidth and PaperLength when both are positive.
bool PaperDimensions(const TDeviceMode& Mode, int& Width, int& Length);

// Page geometry of a printer in device pixels, orientation applied.
struct TPageGeometry {
    int PixelsPerInchX = 0;
    int PixelsPerInchY = 0;
    int PhysicalWidth = 0; // the whole sheet
    int PhysicalHeight = 0;
    int PhysicalOffsetX = 0; // where the printable area starts on the sheet
    int PhysicalOffsetY = 0;
    int PageWidth = 0; // the printable area
    int PageHeight = 0;
    friend bool operator==(const TPageGeometry&, const TPageGeometry&) = default;
};

// The geometry of a sheet of Width x Length tenths of a millimetre (portrait)
// with unprintable edges of MarginX and MarginY thousandths of an inch on
// each side (portrait sides; landscape turns them with the sheet).
TPageGeometry ComputePageGeometry(int Width, int Length, TPrinterOrientation Orientation, int PixelsPerInchX,
                                  int PixelsPerInchY, int MarginXThous, int MarginYThous);

// The device capabilities (HORZRES, LOGPIXELSX, PHYSICALOFFSETX, ...) of a geometry.
int GeometryDeviceCaps(const TPageGeometry& Geometry, int Index);

struct TPrinterInfo {
    std::string Name;
    std::string Driver;
    std::string Port;
};

// One document being printed.
class TPrintJob {
public:
    virtual ~TPrintJob() = default;
    // Starts a page and gives the device to draw it on, valid until EndPage.
    virtual TCanvasDevice& StartPage() = 0;
    virtual void EndPage() = 0;
    // Ends the document after its last page has ended.
    virtual void EndDoc() = 0;
    // Throws the document away; no further calls follow.
    virtual void Abort() = 0;
    // The full name of the file the document is written to, for a printer
    // that writes files (the PDF printer); empty for one that prints.
    virtual std::string OutputFile() const { return {}; }
};

class TPrinterDriver {
public:
    virtual ~TPrinterDriver() = default;

    // The installed printers in the order the printer list shows them.
    virtual std::vector<TPrinterInfo> Printers() = 0;
    // Index in Printers() of the default printer; -1 when there is none.
    virtual int DefaultPrinter() = 0;
    virtual TDeviceMode DefaultDeviceMode(const std::string& Printer) = 0;
    // Page geometry for a set-up; nothing when the printer cannot be used.
    virtual std::optional<TPageGeometry> Geometry(const std::string& Printer, const TDeviceMode& Mode) = 0;
    // A device that measures as the printer does, outside a document
    // (drawing on it is discarded); nullptr when the printer cannot be used.
    virtual std::unique_ptr<TCanvasDevice> CreateInfoDevice(const std::string& Printer, const TDeviceMode& Mode) = 0;
    // Starts a document named Title; raises EPrinter when it cannot.
    virtual std::unique_ptr<TPrintJob> StartDoc(const std::string& Printer, const TDeviceMode& Mode,
                                                const std::string& Title) = 0;
};

} // namespace trx
