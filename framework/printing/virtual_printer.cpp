#include "framework/printing/virtual_printer.h"

#include <utility>

namespace trx {

namespace {

class TVirtualInfoDevice : public TFixedPitchDevice {
public:
    explicit TVirtualInfoDevice(const TPageGeometry& Geometry)
        : TFixedPitchDevice(Geometry.PixelsPerInchX, Geometry.PixelsPerInchY), geometry_(Geometry) {}
    int DeviceCaps(int Index) override { return GeometryDeviceCaps(geometry_, Index); }

private:
    TPageGeometry geometry_;
};

class TVirtualJob : public TPrintJob {
public:
    TVirtualJob(TVirtualDocument& Doc, int& ActiveJobs, std::string OutputFile)
        : doc_(Doc), active_jobs_(ActiveJobs), output_file_(std::move(OutputFile)) {
        ++active_jobs_;
    }
    ~TVirtualJob() override { --active_jobs_; }

    TCanvasDevice& StartPage() override {
        doc_.Pages.emplace_back(doc_.Geometry, static_cast<int>(doc_.Pages.size()) + 1);
        return doc_.Pages.back();
    }
    void EndPage() override {}
    void EndDoc() override { doc_.Ended = true; }
    void Abort() override { doc_.Aborted = true; }
    std::string OutputFile() const override { return output_file_; }

private:
    TVirtualDocument& doc_;
    int& active_jobs_;
    std::string output_file_;
};

} // namespace

std::vector<std::string> TVirtualDocument::Texts() const {
    std::vector<std::string> r;
    for (const TVirtualPage& page : Pages)
        for (std::string& t : page.Texts()) r.push_back(std::move(t));
    return r;
}

std::vector<TDrawOp> TVirtualDocument::WindowImages() const {
    std::vector<TDrawOp> r;
    for (const TVirtualPage& page : Pages)
        for (const TDrawOp& op : page.Ops())
            if (op.Kind == TDrawOpKind::doWindowImage) r.push_back(op);
    return r;
}

std::vector<TVirtualPrinterSpec> TVirtualPrinterDriver::StandardPrinters() {
    TVirtualPrinterSpec letter;
    letter.Name = "Virtual Printer";
    TVirtualPrinterSpec a4;
    a4.Name = "Virtual Printer A4";
    a4.DefaultMode.PaperSize = DMPAPER_A4;
    TVirtualPrinterSpec dots;
    dots.Name = "Virtual Dot Matrix";
    dots.PixelsPerInchX = 240;
    dots.PixelsPerInchY = 144;
    return {letter, a4, dots};
}

TVirtualPrinterDriver::TVirtualPrinterDriver() : TVirtualPrinterDriver(StandardPrinters(), 0) {}

TVirtualPrinterDriver::TVirtualPrinterDriver(std::vector<TVirtualPrinterSpec> Printers, int DefaultIndex)
    : specs_(std::move(Printers)), default_(DefaultIndex) {}

const TVirtualDocument& TVirtualPrinterDriver::LastDocument() const {
    if (documents_.empty()) throw EPrinter("No document was printed");
    return documents_.back();
}

void TVirtualPrinterDriver::ClearDocuments() {
    if (active_jobs_ > 0) throw EPrinter(SPrinting);
    documents_.clear();
}

const TVirtualPrinterSpec* TVirtualPrinterDriver::Find(const std::string& Printer) const {
    for (const TVirtualPrinterSpec& s : specs_)
        if (s.Name == Printer) return &s;
    return nullptr;
}

std::vector<TPrinterInfo> TVirtualPrinterDriver::Printers() {
    std::vector<TPrinterInfo> r;
    for (const TVirtualPrinterSpec& s : specs_) r.push_back(TPrinterInfo{s.Name, s.Driver, s.Port});
    return r;
}

int TVirtualPrinterDriver::DefaultPrinter() {
    return default_ >= 0 && default_ < static_cast<int>(specs_.size()) ? default_ : -1;
}

TDeviceMode TVirtualPrinterDriver::DefaultDeviceMode(const std::string& Printer) {
    const TVirtualPrinterSpec* s = Find(Printer);
    return s ? s->DefaultMode : TDeviceMode{};
}

std::optional<TPageGeometry> TVirtualPrinterDriver::Geometry(const std::string& Printer, const TDeviceMode& Mode) {
    const TVirtualPrinterSpec* s = Find(Printer);
    if (!s || !s->Valid) return std::nullopt;
    int width = 0;
    int length = 0;
    // A paper the printer does not know prints on its own default paper.
    if (!PaperDimensions(Mode, width, length) && !PaperDimensions(s->DefaultMode, width, length)) {
        width = 2159;
        length = 2794;
    }
    return ComputePageGeometry(width, length, Mode.Orientation, s->PixelsPerInchX, s->PixelsPerInchY, s->MarginXThous,
                               s->MarginYThous);
}

std::unique_ptr<TCanvasDevice> TVirtualPrinterDriver::CreateInfoDevice(const std::string& Printer,
                                                                       const TDeviceMode& Mode) {
    std::optional<TPageGeometry> g = Geometry(Printer, Mode);
    if (!g) return nullptr;
    return std::make_unique<TVirtualInfoDevice>(*g);
}

std::unique_ptr<TPrintJob> TVirtualPrinterDriver::StartDoc(const std::string& Printer, const TDeviceMode& Mode,
                                                           const std::string& Title) {
    std::optional<TPageGeometry> g = Geometry(Printer, Mode);
    if (!g) throw EPrinter(SInvalidPrinter);
    if (Find(Printer)->FailStartDoc) throw EPrinter("The printer could not start the document");
    TVirtualDocument doc;
    doc.PrinterName = Printer;
    doc.Title = Title;
    doc.DeviceMode = Mode;
    doc.Geometry = *g;
    documents_.push_back(std::move(doc));
    return std::make_unique<TVirtualJob>(documents_.back(), active_jobs_, Find(Printer)->OutputFile);
}

TVirtualPrinterOverride::TVirtualPrinterOverride()
    : TVirtualPrinterOverride(TVirtualPrinterDriver::StandardPrinters()) {}

TVirtualPrinterOverride::TVirtualPrinterOverride(std::vector<TVirtualPrinterSpec> Printers, int DefaultIndex) {
    auto driver = std::make_unique<TVirtualPrinterDriver>(std::move(Printers), DefaultIndex);
    driver_ = driver.get();
    auto printer = std::make_unique<TPrinter>(std::move(driver));
    printer_ = printer.get();
    saved_ = SetPrinter(std::move(printer));
}

TVirtualPrinterOverride::~TVirtualPrinterOverride() { SetPrinter(std::move(saved_)); }

} // namespace trx
