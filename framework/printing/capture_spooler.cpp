#include "framework/printing/capture_spooler.h"

#include <algorithm>
#include <utility>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/printing/printer.h"

namespace trx {

TCaptureSpooler::TCaptureSpooler() = default;

TCaptureSpooler::TCaptureSpooler(std::vector<std::string> PrinterNames) : names_(std::move(PrinterNames)) {}

bool TCaptureSpooler::Fails(TSpoolCall Call) {
    const int kind = static_cast<int>(Call);
    const int n = ++counts_[kind];
    if (fail_every_[kind]) return true;
    auto it = fail_at_.find(Call);
    return it != fail_at_.end() && std::find(it->second.begin(), it->second.end(), n) != it->second.end();
}

bool TCaptureSpooler::Record(TSpoolCall Call, bool Result) {
    log_.push_back(TSpoolEvent{Call, Result});
    return Result;
}

TCaptureSpooler::THandleState* TCaptureSpooler::Find(TPrinterHandle Handle) {
    auto it = handles_.find(Handle);
    return it == handles_.end() ? nullptr : &it->second;
}

bool TCaptureSpooler::Known(const std::string& PrinterName) const {
    if (names_) {
        for (const std::string& n : *names_)
            if (SameText(n, PrinterName)) return true;
        return false;
    }
    return !PrinterName.empty() && Printer()->Printers().IndexOf(PrinterName) >= 0;
}

bool TCaptureSpooler::OpenPrinter(const std::string& PrinterName, TPrinterHandle& Handle) {
    Handle = 0;
    if (Fails(TSpoolCall::scOpenPrinter) || !Known(PrinterName)) return Record(TSpoolCall::scOpenPrinter, false);
    Handle = next_handle_++;
    handles_[Handle] = THandleState{PrinterName, -1, false, {}};
    return Record(TSpoolCall::scOpenPrinter, true);
}

uint32_t TCaptureSpooler::StartDocPrinter(TPrinterHandle Handle, const TDocInfo1& DocInfo) {
    THandleState* h = Find(Handle);
    if (Fails(TSpoolCall::scStartDocPrinter) || !h || h->Job >= 0) {
        Record(TSpoolCall::scStartDocPrinter, false);
        return 0;
    }
    TSpoolJob job;
    job.PrinterName = h->PrinterName;
    job.DocInfo = DocInfo;
    job.JobId = next_job_++;
    jobs_.push_back(std::move(job));
    h->Job = static_cast<int>(jobs_.size()) - 1;
    h->PageOpen = false;
    h->Started.push_back(jobs_.size() - 1);
    Record(TSpoolCall::scStartDocPrinter, true);
    return jobs_.back().JobId;
}

bool TCaptureSpooler::StartPagePrinter(TPrinterHandle Handle) {
    THandleState* h = Find(Handle);
    if (Fails(TSpoolCall::scStartPagePrinter) || !h || h->Job < 0 || h->PageOpen)
        return Record(TSpoolCall::scStartPagePrinter, false);
    TSpoolJob& job = jobs_[static_cast<size_t>(h->Job)];
    job.Pages.emplace_back();
    job.PageStarts.push_back(job.Data.size());
    h->PageOpen = true;
    return Record(TSpoolCall::scStartPagePrinter, true);
}

bool TCaptureSpooler::WritePrinter(TPrinterHandle Handle, const void* Buf, uint32_t Count, uint32_t& Written) {
    Written = 0;
    THandleState* h = Find(Handle);
    if (Fails(TSpoolCall::scWritePrinter) || !h || h->Job < 0 || (Count > 0 && Buf == nullptr))
        return Record(TSpoolCall::scWritePrinter, false);
    TSpoolJob& job = jobs_[static_cast<size_t>(h->Job)];
    const char* bytes = static_cast<const char*>(Buf);
    job.Data.append(bytes, Count);
    if (h->PageOpen) job.Pages.back().append(bytes, Count);
    Written = Count;
    return Record(TSpoolCall::scWritePrinter, true);
}

bool TCaptureSpooler::EndPagePrinter(TPrinterHandle Handle) {
    THandleState* h = Find(Handle);
    if (Fails(TSpoolCall::scEndPagePrinter) || !h || h->Job < 0 || !h->PageOpen)
        return Record(TSpoolCall::scEndPagePrinter, false);
    TSpoolJob& job = jobs_[static_cast<size_t>(h->Job)];
    job.PageEnds.push_back(job.Data.size());
    h->PageOpen = false;
    return Record(TSpoolCall::scEndPagePrinter, true);
}

bool TCaptureSpooler::EndDocPrinter(TPrinterHandle Handle) {
    THandleState* h = Find(Handle);
    if (Fails(TSpoolCall::scEndDocPrinter) || !h || h->Job < 0) return Record(TSpoolCall::scEndDocPrinter, false);
    TSpoolJob& job = jobs_[static_cast<size_t>(h->Job)];
    if (h->PageOpen) job.PageEnds.push_back(job.Data.size());
    job.Ended = true;
    h->Job = -1;
    h->PageOpen = false;
    return Record(TSpoolCall::scEndDocPrinter, true);
}

bool TCaptureSpooler::ClosePrinter(TPrinterHandle Handle) {
    THandleState* h = Find(Handle);
    if (Fails(TSpoolCall::scClosePrinter) || !h) return Record(TSpoolCall::scClosePrinter, false);
    for (size_t job : h->Started) jobs_[job].Closed = true; // also a document never ended
    handles_.erase(Handle);
    return Record(TSpoolCall::scClosePrinter, true);
}

void TCaptureSpooler::FailAt(TSpoolCall Call, int N) { fail_at_[Call].push_back(N); }

void TCaptureSpooler::FailEvery(TSpoolCall Call) { fail_every_[static_cast<int>(Call)] = true; }

void TCaptureSpooler::ResetCounts() {
    std::fill(std::begin(counts_), std::end(counts_), 0);
    std::fill(std::begin(fail_every_), std::end(fail_every_), false);
    fail_at_.clear();
}

int TCaptureSpooler::CallCount(TSpoolCall Call) const { return counts_[static_cast<int>(Call)]; }

const TSpoolJob& TCaptureSpooler::LastJob() const {
    if (jobs_.empty()) throw EInvalidOperation("No spooler job was captured");
    return jobs_.back();
}

void TCaptureSpooler::Clear() {
    jobs_.clear();
    log_.clear();
    for (auto& [handle, state] : handles_) {
        state.Job = -1;
        state.PageOpen = false;
        state.Started.clear();
    }
}

TSpoolerOverride::TSpoolerOverride() { Install(std::make_unique<TCaptureSpooler>()); }

TSpoolerOverride::TSpoolerOverride(std::vector<std::string> PrinterNames) {
    Install(std::make_unique<TCaptureSpooler>(std::move(PrinterNames)));
}

void TSpoolerOverride::Install(std::unique_ptr<TCaptureSpooler> Spooler) {
    spooler_ = Spooler.get();
    saved_ = SetSpooler(std::move(Spooler));
}

TSpoolerOverride::~TSpoolerOverride() { SetSpooler(std::move(saved_)); }

} // namespace trx
