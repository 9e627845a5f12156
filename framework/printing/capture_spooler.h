// The capture spooler: keeps the bytes and page boundaries of every job
// instead of printing them, and can be told to fail any call, so that the
// raw printer text path can be checked byte for byte.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/printing/spooler.h"

namespace trx {

// One spooler document as captured.
struct TSpoolJob {
    std::string PrinterName;
    TDocInfo1 DocInfo;
    uint32_t JobId = 0;
    std::string Data; // every byte written, in order
    std::vector<std::string> Pages; // the bytes written inside each page
    std::vector<size_t> PageStarts; // offset in Data where each page started
    std::vector<size_t> PageEnds; // offset in Data where each ended page ended
    bool Ended = false; // EndDocPrinter succeeded
    bool Closed = false; // its printer was closed
};

// One call as the spooler saw it.
struct TSpoolEvent {
    TSpoolCall Call;
    bool Result;
};

class TCaptureSpooler : public TSpooler {
public:
    // Opens the printers that the process-wide printer object lists.
    TCaptureSpooler();
    // Opens only these printers (names compared ignoring case).
    explicit TCaptureSpooler(std::vector<std::string> PrinterNames);

    bool OpenPrinter(const std::string& PrinterName, TPrinterHandle& Handle) override;
    uint32_t StartDocPrinter(TPrinterHandle Handle, const TDocInfo1& DocInfo) override;
    bool StartPagePrinter(TPrinterHandle Handle) override;
    bool WritePrinter(TPrinterHandle Handle, const void* Buf, uint32_t Count, uint32_t& Written) override;
    bool EndPagePrinter(TPrinterHandle Handle) override;
    bool EndDocPrinter(TPrinterHandle Handle) override;
    bool ClosePrinter(TPrinterHandle Handle) override;

    // Makes the N-th call (from 1, counted since creation or ResetCounts)
    // of the kind fail; a failed call changes nothing.
    void FailAt(TSpoolCall Call, int N);
    // Makes every call of the kind fail from now on.
    void FailEvery(TSpoolCall Call);
    // Forgets the failures asked for and restarts the call counts.
    void ResetCounts();
    int CallCount(TSpoolCall Call) const;

    const std::vector<TSpoolJob>& Jobs() const { return jobs_; }
    // The last job; raises EInvalidOperation when there is none.
    const TSpoolJob& LastJob() const;
    const std::vector<TSpoolEvent>& Log() const { return log_; }
    // Printers currently open.
    int OpenCount() const { return static_cast<int>(handles_.size()); }
    void Clear();

private:
    struct THandleState {
        std::string PrinterName;
        int Job = -1; // index in jobs_ of the document in progress
        bool PageOpen = false;
        std::vector<size_t> Started; // indexes in jobs_ of its documents
    };

    bool Fails(TSpoolCall Call);
    bool Record(TSpoolCall Call, bool Result);
    THandleState* Find(TPrinterHandle Handle);
    bool Known(const std::string& PrinterName) const;

    std::optional<std::vector<std::string>> names_;
    std::map<TPrinterHandle, THandleState> handles_;
    TPrinterHandle next_handle_ = 1;
    uint32_t next_job_ = 1;
    std::vector<TSpoolJob> jobs_;
    std::vector<TSpoolEvent> log_;
    int counts_[7] = {};
    std::map<TSpoolCall, std::vector<int>> fail_at_;
    bool fail_every_[7] = {};
};

// Installs a fresh capture spooler as the process-wide spooler and puts
// the previous one back when it goes.
class TSpoolerOverride {
public:
    TSpoolerOverride();
    explicit TSpoolerOverride(std::vector<std::string> PrinterNames);
    ~TSpoolerOverride();
    TSpoolerOverride(const TSpoolerOverride&) = delete;
    TSpoolerOverride& operator=(const TSpoolerOverride&) = delete;

    TCaptureSpooler& Spooler() { return *spooler_; }

private:
    void Install(std::unique_ptr<TCaptureSpooler> Spooler);
    TCaptureSpooler* spooler_ = nullptr;
    std::unique_ptr<TSpooler> saved_;
};

} // namespace trx
