// The virtual printer driver: named printers with fixed resolutions and
// fixed-pitch metrics that record every document, page and drawing
// operation, so that what was printed can be read back exactly. It is the
// driver of the default printer object.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/printing/printer.h"
#include "framework/printing/printer_driver.h"

namespace trx {

struct TVirtualPrinterSpec {
    std::string Name;
    std::string Driver = "Virtual";
    std::string Port = "VIRTUAL:";
    int PixelsPerInchX = 600;
    int PixelsPerInchY = 600;
    TDeviceMode DefaultMode;
    int MarginXThous = 250; // unprintable left and right edge, portrait
    int MarginYThous = 200; // unprintable top and bottom edge, portrait
    bool Valid = true; // False: listed, but every use fails
    bool FailStartDoc = false; // True: documents cannot be started
    // The file its documents say they are written to, as a printer that
    // writes files names it (nothing is written); empty: it prints.
    std::string OutputFile;
};

// One printed page: a recording device that also answers the page's
// device capabilities.
class TVirtualPage : public TRecordingDevice {
public:
    TVirtualPage(const TPageGeometry& Geometry, int Number)
        : TRecordingDevice(Geometry.PixelsPerInchX, Geometry.PixelsPerInchY), Geometry(Geometry), Number(Number) {}
    int DeviceCaps(int Index) override { return GeometryDeviceCaps(Geometry, Index); }

    TPageGeometry Geometry;
    int Number; // from 1
};

// One document as the virtual printer received it.
struct TVirtualDocument {
    std::string PrinterName;
    std::string Title;
    TDeviceMode DeviceMode;
    TPageGeometry Geometry;
    std::deque<TVirtualPage> Pages;
    bool Ended = false; // EndDoc reached the driver
    bool Aborted = false; // the document was thrown away

    // Every text drawn, page after page.
    std::vector<std::string> Texts() const;
    // The window images drawn (operations of kind doWindowImage).
    std::vector<TDrawOp> WindowImages() const;
};

class TVirtualPrinterDriver : public TPrinterDriver {
public:
    // "Virtual Printer" (the default; Letter, 600 dpi), "Virtual Printer A4"
    // (A4, 600 dpi) and "Virtual Dot Matrix" (Letter, 240 x 144 dpi).
    TVirtualPrinterDriver();
    explicit TVirtualPrinterDriver(std::vector<TVirtualPrinterSpec> Printers, int DefaultIndex = 0);

    static std::vector<TVirtualPrinterSpec> StandardPrinters();

    // The printers, to change in tests (call TPrinter::Refresh after adding
    // or removing some).
    std::vector<TVirtualPrinterSpec>& Specs() { return specs_; }
    void SetDefaultPrinter(int Index) { default_ = Index; }

    const std::deque<TVirtualDocument>& Documents() const { return documents_; }
    // The last document; raises EPrinter when none was printed.
    const TVirtualDocument& LastDocument() const;
    // Forgets the documents; raises EPrinter while one is being printed.
    void ClearDocuments();

    std::vector<TPrinterInfo> Printers() override;
    int DefaultPrinter() override;
    TDeviceMode DefaultDeviceMode(const std::string& Printer) override;
    std::optional<TPageGeometry> Geometry(const std::string& Printer, const TDeviceMode& Mode) override;
    std::unique_ptr<TCanvasDevice> CreateInfoDevice(const std::string& Printer, const TDeviceMode& Mode) override;
    std::unique_ptr<TPrintJob> StartDoc(const std::string& Printer, const TDeviceMode& Mode,
                                        const std::string& Title) override;

private:
    const TVirtualPrinterSpec* Find(const std::string& Printer) const;

    std::vector<TVirtualPrinterSpec> specs_;
    int default_ = 0;
    std::deque<TVirtualDocument> documents_;
    int active_jobs_ = 0;
};

// Installs a fresh printer object over a fresh virtual driver as the
// process-wide printer, and puts the previous one back when it goes.
class TVirtualPrinterOverride {
public:
    TVirtualPrinterOverride();
    explicit TVirtualPrinterOverride(std::vector<TVirtualPrinterSpec> Printers, int DefaultIndex = 0);
    ~TVirtualPrinterOverride();
    TVirtualPrinterOverride(const TVirtualPrinterOverride&) = delete;
    TVirtualPrinterOverride& operator=(const TVirtualPrinterOverride&) = delete;

    TVirtualPrinterDriver& Driver() { return *driver_; }
    TPrinter& Printer() { return *printer_; }

private:
    TVirtualPrinterDriver* driver_;
    TPrinter* printer_;
    std::unique_ptr<TPrinter> saved_;
};

} // namespace trx
