#include "framework/qt/qt_printer_driver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "framework/core/format.h"
#include "framework/core/strings.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_application.h"
#include "framework/qt/qt_canvas_device.h"

namespace trx {

namespace {

// The PDF printer draws at 1200 dpi with a quarter-inch edge all round.
constexpr int kPdfResolution = 1200;
constexpr double kPdfMarginPoints = 18.0;

// Paper sizes a device mode can name, in the order they are preferred.
constexpr int kPaperSizes[] = {DMPAPER_LETTER,     DMPAPER_A4,     DMPAPER_LEGAL,     DMPAPER_A3,        DMPAPER_A5,
                               DMPAPER_TABLOID,    DMPAPER_LEDGER, DMPAPER_STATEMENT, DMPAPER_EXECUTIVE, DMPAPER_B4,
                               DMPAPER_B5,         DMPAPER_FOLIO,  DMPAPER_QUARTO,    DMPAPER_10X14,     DMPAPER_NOTE,
                               DMPAPER_ENV_9,      DMPAPER_ENV_10, DMPAPER_ENV_DL,    DMPAPER_ENV_C5,    DMPAPER_ENV_B5,
                               DMPAPER_ENV_MONARCH};

QString FromBytes(const std::string& Text) {
    return QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size()));
}

QPageSize::PageSizeId LocalePaper() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

// The device mode's paper for a Qt page size: a paper size of the table
// when one has these dimensions (to a few tenths of a millimetre), else a
// user-defined size.
void SetPaper(TDeviceMode& Mode, const QPageSize& Size) {
    QSizeF mm = Size.size(QPageSize::Millimeter);
    const int width = qRound(mm.width() * 10);
    const int length = qRound(mm.height() * 10);
    for (int paper : kPaperSizes) {
        TDeviceMode probe;
        probe.PaperSize = paper;
        int w = 0;
        int l = 0;
        if (PaperDimensions(probe, w, l) && std::abs(w - width) <= 3 && std::abs(l - length) <= 3) {
            Mode.PaperSize = paper;
            Mode.PaperWidth = 0;
            Mode.PaperLength = 0;
            return;
        }
    }
    Mode.PaperSize = DMPAPER_USER;
    Mode.PaperWidth = width;
    Mode.PaperLength = length;
}

QPageSize PageSizeOf(int Width, int Length) {
    return QPageSize(QSizeF(Width / 10.0, Length / 10.0), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

QPageLayout::Orientation ToQt(TPrinterOrientation Orientation) {
    return Orientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

TPageGeometry GeometryOf(const QPageLayout& Layout, int Resolution) {
    QRect full = Layout.fullRectPixels(Resolution);
    QRect paint = Layout.paintRectPixels(Resolution);
    TPageGeometry g;
    g.PixelsPerInchX = Resolution;
    g.PixelsPerInchY = Resolution;
    g.PhysicalWidth = full.width();
    g.PhysicalHeight = full.height();
    g.PhysicalOffsetX = paint.x() - full.x();
    g.PhysicalOffsetY = paint.y() - full.y();
    g.PageWidth = paint.width();
    g.PageHeight = paint.height();
    return g;
}

// How a document is laid out: the page and its margins, the resolution,
// and the CUPS printer it goes to (none for the PDF printer).
struct TPageSetup {
    QPageLayout Layout;
    int Resolution = 0;
    std::string Destination;
};

// The PDF printer's set-up, or a CUPS printer's as Qt's printer device for
// it gives it; nothing when Qt does not know the printer.
std::optional<TPageSetup> PageSetupOf(const std::string& CupsPrinter, int Width, int Length,
                                      TPrinterOrientation Orientation) {
    EnsureQtApplication();
    if (CupsPrinter.empty()) {
        QPageLayout layout(PageSizeOf(Width, Length), ToQt(Orientation),
                           QMarginsF(kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints),
                           QPageLayout::Point);
        return TPageSetup{layout, kPdfResolution, ""};
    }
    QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(CupsPrinter));
    if (info.isNull()) return std::nullopt;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(PageSizeOf(Width, Length));
    printer.setPageOrientation(ToQt(Orientation));
    return TPageSetup{printer.pageLayout(), printer.resolution(), CupsPrinter};
}

// A file name from a document title.
std::string FileNameOf(const std::string& Title) {
    std::string name = Trim(Title);
    for (char& c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
            c == '<' || c == '>' || c == '|')
            c = '_';
    }
    if (name.empty() || name == "." || name == "..") name = "document";
    return name + ".pdf";
}

bool IsDirectory(const QString& Path) { return !Path.isEmpty() && QFileInfo(Path).isDir(); }

// Where the user keeps documents: $XDG_DOCUMENTS_DIR, else the desktop's
// documents folder (user-dirs.dirs) when it is there, else the home folder.
// Never the working directory, which is wherever the program was started.
std::string UserDocumentsDir() {
    const QString variable = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
    if (IsDirectory(variable)) return QFile::encodeName(variable).toStdString();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (IsDirectory(documents)) return QFile::encodeName(documents).toStdString();
    return QFile::encodeName(QDir::homePath()).toStdString();
}

// One document: drawn into PDF, which goes to its file or to CUPS.
class TQtPrintJob : public TPrintJob {
public:
    // The PDF printer's document, written to FileName.
    TQtPrintJob(const TPageGeometry& Geometry, const QPageLayout& Layout, int Resolution, const std::string& Title,
                const std::string& FileName, std::string* LastFile)
        : geometry_(Geometry), file_name_(FileName), last_file_(LastFile) {
        file_ = std::make_unique<QSaveFile>(QFile::decodeName(QByteArray::fromStdString(FileName)));
        if (!file_->open(QIODevice::WriteOnly))
            throw EPrinter(
                Format("Cannot write the PDF file \"%s\": %s", {FileName, file_->errorString().toStdString()}));
        Begin(Layout, Resolution, Title);
    }

    // A CUPS printer's document, handed to the destination when it ends.
    TQtPrintJob(const TPageGeometry& Geometry, const QPageLayout& Layout, int Resolution, const std::string& Title,
                const std::string& Destination, const TDeviceMode& Mode)
        : geometry_(Geometry), destination_(Destination), mode_(Mode), media_(Layout.pageSize().key().toStdString()) {
        file_ = std::make_unique<QTemporaryFile>();
        if (!file_->open(QIODevice::WriteOnly))
            throw EPrinter(Format("Cannot make the print file for printer \"%s\": %s",
                                  {Destination, file_->errorString().toStdString()}));
        Begin(Layout, Resolution, Title);
    }

    ~TQtPrintJob() override {
        if (painter_.isActive()) painter_.end();
    }

    TCanvasDevice& StartPage() override {
        if (pages_ > 0 && !writer_->newPage()) throw EPrinter("The printer could not start a new page");
        ++pages_;
        page_->BeginPage();
        return *page_;
    }

    void EndPage() override {}

    void EndDoc() override {
        if (!painter_.end()) throw EPrinter("The printer could not finish the document");
        if (destination_.empty()) {
            auto* save = static_cast<QSaveFile*>(file_.get());
            if (!save->commit())
                throw EPrinter(
                    Format("Cannot write the PDF file \"%s\": %s", {file_name_, save->errorString().toStdString()}));
            if (last_file_) *last_file_ = file_name_;
            return;
        }
        if (!file_->flush()) throw EPrinter(Format("Cannot make the print file for printer \"%s\"", {destination_}));
        Submit();
    }

    void Abort() override {
        if (painter_.isActive()) painter_.end();
        if (auto* save = qobject_cast<QSaveFile*>(file_.get())) save->cancelWriting();
    }

    std::string OutputFile() const override {
        if (file_name_.empty()) return {};
        const QString name = QFile::decodeName(QByteArray::fromStdString(file_name_));
        return QFile::encodeName(QFileInfo(name).absoluteFilePath()).toStdString();
    }

private:
    void Begin(const QPageLayout& Layout, int Resolution, const std::string& Title) {
        writer_ = std::make_unique<QPdfWriter>(file_.get());
        writer_->setResolution(Resolution);
        writer_->setPageLayout(Layout);
        writer_->setTitle(FromBytes(Title));
        writer_->setCreator(QStringLiteral("Tabrix"));
        title_ = FromBytes(Title).toUtf8().toStdString();
        if (!painter_.begin(writer_.get())) throw EPrinter("The printer could not start the document");
        page_ = std::make_unique<TQtCanvasDevice>(geometry_, &painter_);
    }

    void Submit() {
        cups_option_t* options = nullptr;
        int count = 0;
        if (!media_.empty()) count = cupsAddOption("media", media_.c_str(), count, &options);
        const char* sides = mode_.Duplex == DMDUP_VERTICAL     ? "two-sided-long-edge"
                            : mode_.Duplex == DMDUP_HORIZONTAL ? "two-sided-short-edge"
                                                               : "one-sided";
        count = cupsAddOption("sides", sides, count, &options);
        if (mode_.Copies > 1) {
            count = cupsAddOption("copies", IntToStr(mode_.Copies).c_str(), count, &options);
            count = cupsAddOption("multiple-document-handling",
                                  mode_.Collate == DMCOLLATE_TRUE ? "separate-documents-collated-copies"
                                                                  : "separate-documents-uncollated-copies",
                                  count, &options);
        }
        const QByteArray path = QFile::encodeName(file_->fileName());
        int job =
            cupsPrintFile2(CUPS_HTTP_DEFAULT, destination_.c_str(), path.constData(), title_.c_str(), count, options);
        cupsFreeOptions(count, options);
        if (job == 0)
            throw EPrinter(Format("The printer \"%s\" did not take the document: %s",
                                  {destination_, std::string(cupsLastErrorString())}));
    }

    TPageGeometry geometry_;
    std::string file_name_; // the PDF printer's file
    std::string* last_file_ = nullptr;
    std::string destination_; // the CUPS printer
    TDeviceMode mode_;
    std::string media_;
    std::string title_;
    std::unique_ptr<QFileDevice> file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    std::unique_ptr<TQtCanvasDevice> page_;
    int pages_ = 0;
};

} // namespace

TQtPrinterDriver::TQtPrinterDriver() = default;

std::string TQtPrinterDriver::PdfFileFor(const std::string& Title) const {
    if (!PdfFileName.empty()) return PdfFileName;
    const char* variable = std::getenv(PdfFileVariable);
    if (variable && *variable) return variable;
    const std::string dir = DocumentsDir.empty() ? UserDocumentsDir() : DocumentsDir;
    return dir + "/" + FileNameOf(Title);
}

void TQtPrinterDriver::LoadPrinters() {
    cups_.clear();
    cups_default_ = -1;
    geometry_.clear();
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& d = dests[i];
        if (d.instance) continue; // instances are option sets of a printer listed already
        TCupsPrinter p;
        p.Name = d.name;
        const char* model = cupsGetOption("printer-make-and-model", d.num_options, d.options);
        const char* uri = cupsGetOption("device-uri", d.num_options, d.options);
        p.MakeAndModel = model ? model : "CUPS";
        p.DeviceUri = uri ? uri : "";
        if (d.is_default) cups_default_ = static_cast<int>(cups_.size());
        cups_.push_back(std::move(p));
    }
    cupsFreeDests(count, dests);
    loaded_ = true;
}

const TQtPrinterDriver::TCupsPrinter* TQtPrinterDriver::FindCups(const std::string& Printer) {
    if (!loaded_) LoadPrinters();
    for (const TCupsPrinter& p : cups_)
        if (SameText(p.Name, Printer)) return &p;
    return nullptr;
}

std::vector<TPaperChoice> PaperChoices(const std::string& Printer) {
    EnsureQtApplication();
    QList<QPageSize> sizes;
    if (Printer != PdfPrinterName) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(Printer));
        if (!info.isNull()) sizes = info.supportedPageSizes();
    }
    if (sizes.isEmpty())
        for (int paper : kPaperSizes) {
            TDeviceMode mode;
            mode.PaperSize = paper;
            int width = 0;
            int length = 0;
            if (PaperDimensions(mode, width, length)) sizes.push_back(PageSizeOf(width, length));
        }
    std::vector<TPaperChoice> choices;
    for (const QPageSize& size : sizes) {
        // Papers of one size under two numbers (Note and Letter) show once.
        const std::string name = size.name().toStdString();
        if (std::any_of(choices.begin(), choices.end(), [&](const TPaperChoice& c) { return c.Name == name; }))
            continue;
        TDeviceMode mode;
        SetPaper(mode, size);
        choices.push_back(TPaperChoice{name, mode.PaperSize, mode.PaperWidth, mode.PaperLength});
    }
    return choices;
}

std::vector<TPrinterInfo> TQtPrinterDriver::Printers() {
    LoadPrinters();
    std::vector<TPrinterInfo> r;
    for (const TCupsPrinter& p : cups_) r.push_back(TPrinterInfo{p.Name, p.MakeAndModel, p.DeviceUri});
    r.push_back(TPrinterInfo{PdfPrinterName, "PDF", "FILE:"});
    return r;
}

int TQtPrinterDriver::DefaultPrinter() {
    if (!loaded_) LoadPrinters();
    return cups_default_ >= 0 ? cups_default_ : static_cast<int>(cups_.size());
}

TDeviceMode TQtPrinterDriver::DefaultDeviceMode(const std::string& Printer) {
    TDeviceMode mode;
    if (Printer == PdfPrinterName) {
        SetPaper(mode, QPageSize(LocalePaper()));
        return mode;
    }
    const TCupsPrinter* p = FindCups(Printer);
    if (!p) return mode;
    EnsureQtApplication();
    QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(p->Name));
    QPageSize size = info.isNull() ? QPageSize() : info.defaultPageSize();
    SetPaper(mode, size.isValid() ? size : QPageSize(LocalePaper()));
    switch (info.isNull() ? QPrinter::DuplexNone : info.defaultDuplexMode()) {
    case QPrinter::DuplexLongSide: mode.Duplex = DMDUP_VERTICAL; break;
    case QPrinter::DuplexShortSide: mode.Duplex = DMDUP_HORIZONTAL; break;
    default: mode.Duplex = DMDUP_SIMPLEX; break;
    }
    return mode;
}

void TQtPrinterDriver::Paper(const std::string& Printer, const TDeviceMode& Mode, int& Width, int& Length) {
    // A paper the printer does not know prints on its own default paper.
    if (!PaperDimensions(Mode, Width, Length) && !PaperDimensions(DefaultDeviceMode(Printer), Width, Length)) {
        Width = 2159;
        Length = 2794;
    }
}

std::optional<TPageGeometry> TQtPrinterDriver::Geometry(const std::string& Printer, const TDeviceMode& Mode) {
    const TCupsPrinter* cups = Printer == PdfPrinterName ? nullptr : FindCups(Printer);
    if (Printer != PdfPrinterName && !cups) return std::nullopt;
    int width = 0;
    int length = 0;
    Paper(Printer, Mode, width, length);
    auto key = std::make_tuple(cups ? cups->Name : Printer, width, length, Mode.Orientation);
    auto it = geometry_.find(key);
    if (it != geometry_.end()) return it->second;
    std::optional<TPageSetup> setup = PageSetupOf(cups ? cups->Name : "", width, length, Mode.Orientation);
    if (!setup) return std::nullopt;
    TPageGeometry g = GeometryOf(setup->Layout, setup->Resolution);
    geometry_.emplace(key, g);
    return g;
}

std::unique_ptr<TCanvasDevice> TQtPrinterDriver::CreateInfoDevice(const std::string& Printer, const TDeviceMode& Mode) {
    std::optional<TPageGeometry> g = Geometry(Printer, Mode);
    if (!g) return nullptr;
    return std::make_unique<TQtCanvasDevice>(*g, nullptr);
}

std::unique_ptr<TPrintJob> TQtPrinterDriver::StartDoc(const std::string& Printer, const TDeviceMode& Mode,
                                                      const std::string& Title) {
    const TCupsPrinter* cups = Printer == PdfPrinterName ? nullptr : FindCups(Printer);
    if (Printer != PdfPrinterName && !cups) throw EPrinter(SInvalidPrinter);
    int width = 0;
    int length = 0;
    Paper(Printer, Mode, width, length);
    std::optional<TPageSetup> setup = PageSetupOf(cups ? cups->Name : "", width, length, Mode.Orientation);
    if (!setup) throw EPrinter(SInvalidPrinter);
    TPageGeometry g = GeometryOf(setup->Layout, setup->Resolution);
    if (setup->Destination.empty())
        return std::make_unique<TQtPrintJob>(g, setup->Layout, setup->Resolution, Title, PdfFileFor(Title),
                                             &last_pdf_file_);
    return std::make_unique<TQtPrintJob>(g, setup->Layout, setup->Resolution, Title, setup->Destination, Mode);
}

} // namespace trx
