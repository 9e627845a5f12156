// The printer driver of real printers: every CUPS destination, and one
// printer that writes a PDF file. Documents are drawn with Qt into PDF: the
// PDF printer's goes to its file, a CUPS printer's is handed to CUPS as a
// print job when the document ends. Page sizes, orientation, resolution
// and the printable area come from Qt's printer devices.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "framework/printing/printer_driver.h"

namespace trx {

// The printer that writes a PDF file.
inline constexpr const char* PdfPrinterName = "PDF File";
// The environment variable naming the file the PDF printer writes.
inline constexpr const char* PdfFileVariable = "TRX_PDF_FILE";

// A paper a printer offers: its name as the desktop shows it ("A4",
// "Letter") and the device mode's paper for it.
struct TPaperChoice {
    std::string Name;
    int PaperSize = DMPAPER_LETTER;
    int PaperWidth = 0; // tenths of a millimetre, for DMPAPER_USER
    int PaperLength = 0;
};
// The papers of a printer: a CUPS printer's own, else (the PDF printer, a
// printer CUPS knows no sizes of) the known paper sizes. Needs the Qt
// application object.
std::vector<TPaperChoice> PaperChoices(const std::string& Printer);

class TQtPrinterDriver : public TPrinterDriver {
public:
    TQtPrinterDriver();

    // The file the PDF printer writes. When empty, the environment variable
    // TRX_PDF_FILE names it; without that, the document title (characters
    // a file name cannot hold made "_") + ".pdf" in DocumentsDir. An
    // existing file is replaced when the document ends, and is left as it
    // was when the document is aborted.
    std::string PdfFileName;
    // The folder of the PDF files that PdfFileName does not name. When
    // empty, where the user keeps documents: $XDG_DOCUMENTS_DIR, else the
    // desktop's documents folder when it exists, else the home folder.
    std::string DocumentsDir;
    // The file a PDF document titled Title goes to.
    std::string PdfFileFor(const std::string& Title) const;
    // The file the last PDF document that ended was written to.
    const std::string& LastPdfFile() const { return last_pdf_file_; }

    // The CUPS destinations (sorted by name) and the PDF printer last.
    // Reading the list also forgets the page geometry measured so far.
    std::vector<TPrinterInfo> Printers() override;
    // The CUPS default destination, else the PDF printer.
    int DefaultPrinter() override;
    TDeviceMode DefaultDeviceMode(const std::string& Printer) override;
    std::optional<TPageGeometry> Geometry(const std::string& Printer, const TDeviceMode& Mode) override;
    std::unique_ptr<TCanvasDevice> CreateInfoDevice(const std::string& Printer, const TDeviceMode& Mode) override;
    // Raises EPrinter: SInvalidPrinter for a printer that is not there,
    // or a message naming the file or printer that cannot take the document.
    std::unique_ptr<TPrintJob> StartDoc(const std::string& Printer, const TDeviceMode& Mode,
                                        const std::string& Title) override;

private:
    struct TCupsPrinter {
        std::string Name;
        std::string MakeAndModel;
        std::string DeviceUri;
    };
    // The CUPS destination named Printer (ignoring case), or nothing.
    const TCupsPrinter* FindCups(const std::string& Printer);
    void LoadPrinters();
    // Portrait paper size in tenths of a millimetre for a set-up.
    void Paper(const std::string& Printer, const TDeviceMode& Mode, int& Width, int& Length);

    bool loaded_ = false;
    std::vector<TCupsPrinter> cups_;
    int cups_default_ = -1;
    // Geometry per printer, paper width and length, orientation.
    std::map<std::tuple<std::string, int, int, TPrinterOrientation>, TPageGeometry> geometry_;
    std::string last_pdf_file_;
};

} // namespace trx
