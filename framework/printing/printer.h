// TPrinter: the process-wide printer object with its printer list, the
// selected printer and its set-up, the document and page calls and the
// printer canvas. It draws through a TPrinterDriver.
#pragma once

#include <memory>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/stringlist.h"
#include "framework/printing/graphics.h"
#include "framework/printing/printer_driver.h"

namespace trx {

class TPrinterCanvasDevice;

// Misuse and failures raise EPrinter with these messages.
inline constexpr const char* SPrinting = "Printing in progress";
inline constexpr const char* SNotPrinting = "Printer is not currently printing";
inline constexpr const char* SInvalidPrinter = "Printer selected is not valid";
inline constexpr const char* SPrinterIndexError = "Printer index out of range";
inline constexpr const char* SNoDefaultPrinter = "There is no default printer currently selected";

class TPrinter : public TObject {
public:
    explicit TPrinter(std::unique_ptr<TPrinterDriver> Driver);
    ~TPrinter() override; // ends a document still printing
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    TPrinterDriver& Driver() { return *driver_; }

    // The printer names in the driver's order (IndexOf ignores case).
    const TStrings& Printers();
    // Reads the printer list again; the selected printer stays selected
    // when it is still there, else the default printer is selected.
    void Refresh();

    // The selected printer. -1 selects the default printer; reading then
    // gives its real index. With no printer installed the index is -1.
    // Raises EPrinter: SPrinting while printing, SPrinterIndexError out of range.
    int PrinterIndex();
    void SetPrinterIndex(int Value);
    // Name, driver and port of the selected printer (empty without one).
    void GetPrinter(std::string& Device, std::string& DriverName, std::string& Port);
    std::string PrinterName();

    // The set-up of the selected printer. Selecting another printer loads
    // that printer's own set-up. Changes raise SPrinting while printing.
    TDeviceMode DeviceMode();
    void SetDeviceMode(const TDeviceMode& Value);
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation Value);

    // Geometry of the selected printer and set-up; raises EPrinter when no
    // printer is installed or the selected one cannot be used.
    TPageGeometry Geometry();
    int PageWidth() { return Geometry().PageWidth; }
    int PageHeight() { return Geometry().PageHeight; }
    int PixelsPerInchX() { return Geometry().PixelsPerInchX; }
    int PixelsPerInchY() { return Geometry().PixelsPerInchY; }
    // HORZRES, VERTRES, LOGPIXELSX/Y, PHYSICALWIDTH/HEIGHT, PHYSICALOFFSETX/Y, HORZSIZE, VERTSIZE.
    int GetDeviceCaps(int Index) { return GeometryDeviceCaps(Geometry(), Index); }

    // The document name BeginDoc gives the job.
    std::string Title;

    // Starts a document with its first page (PageNumber 1).
    void BeginDoc();
    // Ends the current page and the document.
    void EndDoc();
    // Throws the document away; Aborted stays True until the next BeginDoc.
    void Abort();
    // Ends the current page and starts the next.
    void NewPage();
    bool Aborted() const { return aborted_; }
    bool Printing() const { return job_ != nullptr; }
    // The file the document being printed is written to; empty when it
    // goes to paper, or when no document is printing.
    std::string DocumentFile() const { return job_ ? job_->OutputFile() : std::string(); }
    int PageNumber() const { return page_number_; }

    // The printer canvas. During a document it draws on the current page;
    // outside one it measures as the selected printer does and draws
    // nothing. The font keeps its point size across printers.
    TCanvas& Canvas() { return *canvas_; }

    // Prints a window as one document of one page, scaled by its PrintScale:
    // poNone at its pixel size, poProportional by the ratio of printer to
    // window resolution, poPrintToFit as large as the page allows with its
    // shape kept. Ends the document also when drawing fails.
    void PrintWindowImage(const TWindowImage& Window);
    // The rectangle such a window gets on the page.
    TRect WindowImageRect(const TWindowImage& Window);

private:
    friend class TPrinterCanvasDevice;

    void CheckPrinting(bool Value) const;
    void LoadPrinters();
    // Resolves the selection; false when no printer is installed.
    bool Select();
    void SelectionChanged();
    TCanvasDevice& CurrentDevice();
    void ResetDocument();

    std::unique_ptr<TPrinterDriver> driver_;
    bool loaded_ = false;
    std::vector<TPrinterInfo> infos_;
    TStringList names_;
    int index_ = -1;
    std::string mode_printer_; // printer whose set-up mode_ holds
    TDeviceMode mode_;
    std::unique_ptr<TCanvasDevice> info_device_;
    std::unique_ptr<TPrintJob> job_;
    TCanvasDevice* page_device_ = nullptr;
    bool aborted_ = false;
    int page_number_ = 0;
    std::unique_ptr<TPrinterCanvasDevice> canvas_device_;
    std::unique_ptr<TCanvas> canvas_;
};

// The process-wide printer, created on first use over the virtual printer
// driver; it exists also when no printer is installed.
TPrinter* Printer();
// Replaces the process-wide printer and hands back the previous one
// (nullptr makes the next Printer() call create a fresh default).
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> NewPrinter);

} // namespace trx
