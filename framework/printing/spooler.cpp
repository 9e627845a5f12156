#include "framework/printing/spooler.h"

#include "framework/printing/capture_spooler.h"

namespace trx {

namespace {

std::unique_ptr<TSpooler>& GlobalSpooler() {
    static std::unique_ptr<TSpooler> spooler;
    return spooler;
}

} // namespace

TSpooler& Spooler() {
    std::unique_ptr<TSpooler>& s = GlobalSpooler();
    if (!s) s = std::make_unique<TCaptureSpooler>();
    return *s;
}

std::unique_ptr<TSpooler> SetSpooler(std::unique_ptr<TSpooler> NewSpooler) {
    std::unique_ptr<TSpooler> old = std::move(GlobalSpooler());
    GlobalSpooler() = std::move(NewSpooler);
    return old;
}

bool OpenPrinterA(const std::string& PrinterName, TPrinterHandle& Handle) {
    return Spooler().OpenPrinter(PrinterName, Handle);
}

uint32_t StartDocPrinterA(TPrinterHandle Handle, int Level, const TDocInfo1& DocInfo) {
    if (Level != 1) return 0;
    return Spooler().StartDocPrinter(Handle, DocInfo);
}

bool StartPagePrinter(TPrinterHandle Handle) { return Spooler().StartPagePrinter(Handle); }

bool WritePrinter(TPrinterHandle Handle, const void* Buf, uint32_t Count, uint32_t& Written) {
    return Spooler().WritePrinter(Handle, Buf, Count, Written);
}

bool WritePrinter(TPrinterHandle Handle, const std::string& Data) {
    uint32_t written = 0;
    uint32_t count = static_cast<uint32_t>(Data.size());
    return Spooler().WritePrinter(Handle, Data.data(), count, written) && written == count;
}

bool EndPagePrinter(TPrinterHandle Handle) { return Spooler().EndPagePrinter(Handle); }
bool EndDocPrinter(TPrinterHandle Handle) { return Spooler().EndDocPrinter(Handle); }
bool ClosePrinter(TPrinterHandle Handle) { return Spooler().ClosePrinter(Handle); }

} // namespace trx
