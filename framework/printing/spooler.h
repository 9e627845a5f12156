// The print spooler for raw printer text: a printer is opened by name, a
// document of data type "RAW" is started, pages are started and ended, and
// bytes pass to the printer unchanged. Each call reports success or failure
// by its result, as the platform's spooler calls do. The process-wide
// spooler can be replaced; the capture spooler (capture_spooler.h) is the
// default.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace trx {

// An open spooler printer; 0 is no printer.
using TPrinterHandle = uintptr_t;

// Document information, level 1.
struct TDocInfo1 {
    std::string DocName;
    std::string OutputFile; // empty: the printer itself
    std::string Datatype; // "RAW" for bytes that go to the printer as they are
};

enum class TSpoolCall : uint8_t {
    scOpenPrinter,
    scStartDocPrinter,
    scStartPagePrinter,
    scWritePrinter,
    scEndPagePrinter,
    scEndDocPrinter,
    scClosePrinter
};

class TSpooler {
public:
    virtual ~TSpooler() = default;

    // True with Handle set on success; False with Handle 0 otherwise.
    virtual bool OpenPrinter(const std::string& PrinterName, TPrinterHandle& Handle) = 0;
    // The job identifier on success, 0 on failure.
    virtual uint32_t StartDocPrinter(TPrinterHandle Handle, const TDocInfo1& DocInfo) = 0;
    virtual bool StartPagePrinter(TPrinterHandle Handle) = 0;
    // Written receives the number of bytes taken.
    virtual bool WritePrinter(TPrinterHandle Handle, const void* Buf, uint32_t Count, uint32_t& Written) = 0;
    virtual bool EndPagePrinter(TPrinterHandle Handle) = 0;
    virtual bool EndDocPrinter(TPrinterHandle Handle) = 0;
    virtual bool ClosePrinter(TPrinterHandle Handle) = 0;
};

// The process-wide spooler, a capture spooler unless replaced.
TSpooler& Spooler();
// Replaces the process-wide spooler and hands back the previous one
// (nullptr makes the next Spooler() call create a fresh default).
std::unique_ptr<TSpooler> SetSpooler(std::unique_ptr<TSpooler> NewSpooler);

// The spooler calls on the process-wide spooler.
bool OpenPrinterA(const std::string& PrinterName, TPrinterHandle& Handle);
// Only level 1 is known; another level fails.
uint32_t StartDocPrinterA(TPrinterHandle Handle, int Level, const TDocInfo1& DocInfo);
bool StartPagePrinter(TPrinterHandle Handle);
bool WritePrinter(TPrinterHandle Handle, const void* Buf, uint32_t Count, uint32_t& Written);
// The bytes of Data; True only when the call succeeded and took them all.
bool WritePrinter(TPrinterHandle Handle, const std::string& Data);
bool EndPagePrinter(TPrinterHandle Handle);
bool EndDocPrinter(TPrinterHandle Handle);
bool ClosePrinter(TPrinterHandle Handle);

} // namespace trx
