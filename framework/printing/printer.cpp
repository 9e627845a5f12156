#include "framework/printing/printer.h"

#include <utility>

#include "framework/core/math_util.h"

#include "framework/printing/virtual_printer.h"

namespace trx {

// The printer canvas's device: the current page while printing, else the
// selected printer's measuring device, looked up at every call so that the
// canvas follows printer and set-up changes.
class TPrinterCanvasDevice : public TCanvasDevice {
public:
    explicit TPrinterCanvasDevice(TPrinter& Printer) : printer_(Printer) {}

    int PixelsPerInchX() const override {
        try {
            return printer_.CurrentDevice().PixelsPerInchX();
        } catch (const EPrinter&) {
            return 0;
        }
    }
    int PixelsPerInchY() const override {
        try {
            return printer_.CurrentDevice().PixelsPerInchY();
        } catch (const EPrinter&) {
            return 0;
        }
    }
    TTextMetric TextMetrics(const TFont& Font) override { return printer_.CurrentDevice().TextMetrics(Font); }
    TSize TextExtent(const TFont& Font, const std::string& Text) override {
        return printer_.CurrentDevice().TextExtent(Font, Text);
    }
    int FixedCharWidth(const TFont& Font) override { return printer_.CurrentDevice().FixedCharWidth(Font); }
    void DrawText(int X, int Y, const std::string& Text, const TFont& Font, bool Opaque, TColor Background,
                  const TRect* Clip) override {
        printer_.CurrentDevice().DrawText(X, Y, Text, Font, Opaque, Background, Clip);
    }
    void DrawLine(TPoint From, TPoint To, const TPen& Pen) override {
        printer_.CurrentDevice().DrawLine(From, To, Pen);
    }
    void FillRect(const TRect& Rect, const TBrush& Brush) override { printer_.CurrentDevice().FillRect(Rect, Brush); }
    void DrawRectangle(const TRect& Rect, const TPen& Pen, const TBrush& Brush) override {
        printer_.CurrentDevice().DrawRectangle(Rect, Pen, Brush);
    }
    void DrawEllipse(const TRect& Rect, const TPen& Pen, const TBrush& Brush) override {
        printer_.CurrentDevice().DrawEllipse(Rect, Pen, Brush);
    }
    void DrawImage(const TRect& Dest, const TImage& Image) override { printer_.CurrentDevice().DrawImage(Dest, Image); }
    void DrawWindowImage(const TRect& Dest, const TWindowImage& Window) override {
        printer_.CurrentDevice().DrawWindowImage(Dest, Window);
    }
    int DeviceCaps(int Index) override { return printer_.GetDeviceCaps(Index); }
    void Validate() override { printer_.CurrentDevice(); }

private:
    TPrinter& printer_;
};

TPrinter::TPrinter(std::unique_ptr<TPrinterDriver> Driver)
    : driver_(std::move(Driver)),
      canvas_device_(std::make_unique<TPrinterCanvasDevice>(*this)),
      canvas_(std::make_unique<TCanvas>(canvas_device_.get())) {}

TPrinter::~TPrinter() {
    if (job_) {
        try {
            EndDoc();
        } catch (...) {
            // a printer going away cannot report a failing driver
        }
    }
}

void TPrinter::CheckPrinting(bool Value) const {
    if (Printing() != Value) throw EPrinter(Value ? SNotPrinting : SPrinting);
}

void TPrinter::LoadPrinters() {
    if (loaded_) return;
    infos_ = driver_->Printers();
    names_.Clear();
    for (const TPrinterInfo& info : infos_) names_.Add(info.Name);
    loaded_ = true;
}

const TStrings& TPrinter::Printers() {
    LoadPrinters();
    return names_;
}

void TPrinter::Refresh() {
    std::string selected = index_ >= 0 && index_ < static_cast<int>(infos_.size()) ? infos_[index_].Name : "";
    loaded_ = false;
    LoadPrinters();
    index_ = selected.empty() ? -1 : names_.IndexOf(selected);
    if (index_ >= 0 && infos_[index_].Name != selected) index_ = -1;
    SelectionChanged();
}

bool TPrinter::Select() {
    LoadPrinters();
    const int count = static_cast<int>(infos_.size());
    if (count == 0) {
        index_ = -1;
        return false;
    }
    if (index_ < 0 || index_ >= count) {
        int d = driver_->DefaultPrinter();
        index_ = d >= 0 && d < count ? d : 0;
    }
    const std::string& name = infos_[index_].Name;
    if (name != mode_printer_) {
        mode_ = driver_->DefaultDeviceMode(name);
        mode_printer_ = name;
        SelectionChanged();
    }
    return true;
}

void TPrinter::SelectionChanged() { info_device_.reset(); }

int TPrinter::PrinterIndex() {
    Select();
    return index_;
}

void TPrinter::SetPrinterIndex(int Value) {
    CheckPrinting(false);
    LoadPrinters();
    if (Value != -1 && (Value < 0 || Value >= static_cast<int>(infos_.size()))) throw EPrinter(SPrinterIndexError);
    index_ = Value; // -1 resolves to the default printer when next used
    SelectionChanged();
}

void TPrinter::GetPrinter(std::string& Device, std::string& DriverName, std::string& Port) {
    if (Select()) {
        Device = infos_[index_].Name;
        DriverName = infos_[index_].Driver;
        Port = infos_[index_].Port;
    } else {
        Device.clear();
        DriverName.clear();
        Port.clear();
    }
}

std::string TPrinter::PrinterName() { return Select() ? infos_[index_].Name : std::string(); }

TDeviceMode TPrinter::DeviceMode() {
    Select();
    return mode_;
}

void TPrinter::SetDeviceMode(const TDeviceMode& Value) {
    CheckPrinting(false);
    Select();
    if (Value == mode_) return;
    mode_ = Value;
    SelectionChanged();
}

TPrinterOrientation TPrinter::Orientation() {
    Select();
    return mode_.Orientation;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
    CheckPrinting(false);
    Select();
    if (Value == mode_.Orientation) return;
    mode_.Orientation = Value;
    SelectionChanged();
}

TPageGeometry TPrinter::Geometry() {
    if (!Select()) throw EPrinter(SNoDefaultPrinter);
    std::optional<TPageGeometry> g = driver_->Geometry(infos_[index_].Name, mode_);
    if (!g) throw EPrinter(SInvalidPrinter);
    return *g;
}

TCanvasDevice& TPrinter::CurrentDevice() {
    if (page_device_) return *page_device_;
    // Every change of the printer or its set-up drops the information
    // device, so one that is there still belongs to the selection.
    if (info_device_) return *info_device_;
    if (!Select()) throw EPrinter(SNoDefaultPrinter);
    if (!info_device_) {
        info_device_ = driver_->CreateInfoDevice(infos_[index_].Name, mode_);
        if (!info_device_) throw EPrinter(SInvalidPrinter);
    }
    return *info_device_;
}

void TPrinter::ResetDocument() {
    page_device_ = nullptr;
    page_number_ = 0;
}

void TPrinter::BeginDoc() {
    CheckPrinting(false);
    if (!Select()) throw EPrinter(SNoDefaultPrinter);
    const std::string name = infos_[index_].Name;
    if (!driver_->Geometry(name, mode_)) throw EPrinter(SInvalidPrinter);
    std::unique_ptr<TPrintJob> job = driver_->StartDoc(name, mode_, Title);
    if (!job) throw EPrinter(SInvalidPrinter);
    TCanvasDevice* page = nullptr;
    try {
        page = &job->StartPage();
    } catch (...) {
        job->Abort();
        throw;
    }
    job_ = std::move(job);
    page_device_ = page;
    aborted_ = false;
    page_number_ = 1;
    canvas_->SetPenPos(TPoint{0, 0});
}

void TPrinter::EndDoc() {
    CheckPrinting(true);
    // The printer leaves the document whatever the driver answers.
    std::unique_ptr<TPrintJob> job = std::move(job_);
    ResetDocument();
    try {
        job->EndPage();
        job->EndDoc();
    } catch (...) {
        try {
            job->Abort();
        } catch (...) {}
        throw;
    }
}

void TPrinter::Abort() {
    CheckPrinting(true);
    std::unique_ptr<TPrintJob> job = std::move(job_);
    ResetDocument();
    aborted_ = true;
    job->Abort();
}

void TPrinter::NewPage() {
    CheckPrinting(true);
    page_device_ = nullptr;
    job_->EndPage();
    page_device_ = &job_->StartPage();
    ++page_number_;
}

TRect TPrinter::WindowImageRect(const TWindowImage& Window) {
    int iw = Window.Width > 0 ? Window.Width : (Window.Image ? Window.Image->Width : 0);
    int ih = Window.Height > 0 ? Window.Height : (Window.Image ? Window.Image->Height : 0);
    TPageGeometry g = Geometry();
    if (iw <= 0 || ih <= 0) return TRect{};
    int ppi = Window.PixelsPerInch > 0 ? Window.PixelsPerInch : ScreenPixelsPerInch();
    int w = iw;
    int h = ih;
    switch (Window.PrintScale) {
    case TPrintScale::poProportional:
        w = MulDiv(iw, g.PixelsPerInchX, ppi);
        h = MulDiv(ih, g.PixelsPerInchY, ppi);
        break;
    case TPrintScale::poPrintToFit:
        w = MulDiv(iw, g.PageHeight, ih);
        if (w < g.PageWidth) {
            h = g.PageHeight;
        } else {
            w = g.PageWidth;
            h = MulDiv(ih, g.PageWidth, iw);
        }
        break;
    case TPrintScale::poNone: break;
    }
    return TRect{0, 0, w, h};
}

void TPrinter::PrintWindowImage(const TWindowImage& Window) {
    TRect dest = WindowImageRect(Window);
    BeginDoc();
    try {
        canvas_->DrawWindowImage(dest, Window);
    } catch (...) {
        EndDoc();
        throw;
    }
    EndDoc();
}

namespace {

std::unique_ptr<TPrinter>& GlobalPrinter() {
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

} // namespace

TPrinter* Printer() {
    std::unique_ptr<TPrinter>& p = GlobalPrinter();
    if (!p) p = std::make_unique<TPrinter>(std::make_unique<TVirtualPrinterDriver>());
    return p.get();
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> NewPrinter) {
    std::unique_ptr<TPrinter> old = std::move(GlobalPrinter());
    GlobalPrinter() = std::move(NewPrinter);
    return old;
}

} // namespace trx
