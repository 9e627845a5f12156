#include "framework/qt/cups_spooler.h"

#include <cups/cups.h>

#include "framework/core/strings.h"

namespace trx {

struct TCupsSpooler::THandleState {
    std::string Destination; // the name as CUPS spells it
    http_t* Http = nullptr; // the connection of the document in progress
    int Job = 0; // its job; 0 when no document is in progress
    bool PageOpen = false;
};

namespace {

std::string CupsError(const std::string& What) { return What + ": " + cupsLastErrorString(); }

// Job names travel as UTF-8; the document name is 8-bit text.
std::string Utf8Title(const std::string& Text) {
    std::string r;
    for (unsigned char c : Text) {
        if (c < 0x80) {
            r += static_cast<char>(c);
        } else {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

} // namespace

TCupsSpooler::TCupsSpooler() = default;

TCupsSpooler::~TCupsSpooler() {
    for (auto& [handle, state] : handles_) CancelDocument(*state);
}

TCupsSpooler::THandleState* TCupsSpooler::Find(TPrinterHandle Handle) {
    auto it = handles_.find(Handle);
    return it == handles_.end() ? nullptr : it->second.get();
}

bool TCupsSpooler::Fail(const std::string& Message) {
    last_error_ = Message;
    return false;
}

uint32_t TCupsSpooler::FailJob(const std::string& Message) {
    last_error_ = Message;
    return 0;
}

void TCupsSpooler::CancelDocument(THandleState& State) {
    if (State.Http) {
        httpClose(State.Http);
        State.Http = nullptr;
    }
    if (State.Job > 0) cupsCancelJob2(CUPS_HTTP_DEFAULT, State.Destination.c_str(), State.Job, 0);
    State.Job = 0;
    State.PageOpen = false;
}

bool TCupsSpooler::OpenPrinter(const std::string& PrinterName, TPrinterHandle& Handle) {
    Handle = 0;
    if (Trim(PrinterName).empty()) return Fail("No printer name");
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, PrinterName.c_str(), nullptr);
    if (!dest) return Fail(CupsError("Printer \"" + PrinterName + "\" not found"));
    auto state = std::make_unique<THandleState>();
    state->Destination = dest->name;
    cupsFreeDests(1, dest);
    Handle = next_handle_++;
    handles_.emplace(Handle, std::move(state));
    return true;
}

uint32_t TCupsSpooler::StartDocPrinter(TPrinterHandle Handle, const TDocInfo1& DocInfo) {
    THandleState* h = Find(Handle);
    if (!h) return FailJob("Not an open printer");
    if (h->Job > 0) return FailJob("A document is already in progress");
    if (!DocInfo.Datatype.empty() && !SameText(DocInfo.Datatype, "RAW"))
        return FailJob("Only raw data can be printed, not \"" + DocInfo.Datatype + "\"");
    if (!DocInfo.OutputFile.empty()) return FailJob("Printing to a file is not supported");

    h->Http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
    if (!h->Http) return FailJob(CupsError("Cannot reach the print scheduler"));
    const std::string name = DocInfo.DocName.empty() ? std::string("Untitled") : Utf8Title(DocInfo.DocName);
    const char* title = name.c_str();
    int job = cupsCreateJob(h->Http, h->Destination.c_str(), title, 0, nullptr);
    if (job <= 0) {
        last_error_ = CupsError("Cannot create a job on \"" + h->Destination + "\"");
        CancelDocument(*h);
        return 0;
    }
    h->Job = job;
    if (cupsStartDocument(h->Http, h->Destination.c_str(), job, title, CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
        last_error_ = CupsError("Cannot start the document on \"" + h->Destination + "\"");
        CancelDocument(*h);
        return 0;
    }
    h->PageOpen = false;
    return static_cast<uint32_t>(job);
}

bool TCupsSpooler::StartPagePrinter(TPrinterHandle Handle) {
    THandleState* h = Find(Handle);
    if (!h || h->Job <= 0) return Fail("No document in progress");
    if (h->PageOpen) return Fail("A page is already started");
    h->PageOpen = true;
    return true;
}

bool TCupsSpooler::WritePrinter(TPrinterHandle Handle, const void* Buf, uint32_t Count, uint32_t& Written) {
    Written = 0;
    THandleState* h = Find(Handle);
    if (!h || h->Job <= 0) return Fail("No document in progress");
    if (Count == 0) return true;
    if (!Buf) return Fail("No data");
    if (cupsWriteRequestData(h->Http, static_cast<const char*>(Buf), Count) != HTTP_STATUS_CONTINUE)
        return Fail(CupsError("Cannot send data to \"" + h->Destination + "\""));
    Written = Count;
    return true;
}

bool TCupsSpooler::EndPagePrinter(TPrinterHandle Handle) {
    THandleState* h = Find(Handle);
    if (!h || h->Job <= 0) return Fail("No document in progress");
    if (!h->PageOpen) return Fail("No page started");
    h->PageOpen = false;
    return true;
}

bool TCupsSpooler::EndDocPrinter(TPrinterHandle Handle) {
    THandleState* h = Find(Handle);
    if (!h || h->Job <= 0) return Fail("No document in progress");
    ipp_status_t status = cupsFinishDocument(h->Http, h->Destination.c_str());
    if (status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        last_error_ = CupsError("The document on \"" + h->Destination + "\" was not accepted");
        CancelDocument(*h);
        return false;
    }
    httpClose(h->Http);
    h->Http = nullptr;
    h->Job = 0;
    h->PageOpen = false;
    return true;
}

bool TCupsSpooler::ClosePrinter(TPrinterHandle Handle) {
    auto it = handles_.find(Handle);
    if (it == handles_.end()) return Fail("Not an open printer");
    CancelDocument(*it->second);
    handles_.erase(it);
    return true;
}

} // namespace trx
