// The spooler of raw printer text on CUPS: a document becomes one raw job
// (no filtering: the bytes reach the printer as they were written) on the
// CUPS destination the printer is opened by. Each open printer has its own
// connection to the scheduler, so documents on several printers can be in
// progress at once.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "framework/printing/spooler.h"

namespace trx {

class TCupsSpooler : public TSpooler {
public:
    TCupsSpooler();
    ~TCupsSpooler() override; // closes the printers still open
    TCupsSpooler(const TCupsSpooler&) = delete;
    TCupsSpooler& operator=(const TCupsSpooler&) = delete;

    // Opens a CUPS destination (names compare ignoring case).
    bool OpenPrinter(const std::string& PrinterName, TPrinterHandle& Handle) override;
    // Creates the job and starts its document. Only raw data ("RAW", or
    // no data type) printed on the printer itself (no output file) is taken.
    uint32_t StartDocPrinter(TPrinterHandle Handle, const TDocInfo1& DocInfo) override;
    bool StartPagePrinter(TPrinterHandle Handle) override;
    // Sends the bytes to the job; also outside a page, as long as a
    // document is in progress.
    bool WritePrinter(TPrinterHandle Handle, const void* Buf, uint32_t Count, uint32_t& Written) override;
    bool EndPagePrinter(TPrinterHandle Handle) override;
    // Ends the document: the job is complete and gets printed. When the
    // scheduler does not confirm it, the job is cancelled.
    bool EndDocPrinter(TPrinterHandle Handle) override;
    // A document still in progress is cancelled, so nothing half-written prints.
    bool ClosePrinter(TPrinterHandle Handle) override;

    // What went wrong in the last call that failed.
    const std::string& LastError() const { return last_error_; }

private:
    struct THandleState;
    THandleState* Find(TPrinterHandle Handle);
    bool Fail(const std::string& Message);
    uint32_t FailJob(const std::string& Message);
    void CancelDocument(THandleState& State);

    std::map<TPrinterHandle, std::unique_ptr<THandleState>> handles_;
    TPrinterHandle next_handle_ = 1;
    std::string last_error_;
};

} // namespace trx
