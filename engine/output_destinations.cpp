// The destinations of a report: raw printer text through the spooler with
// the printer control strings, the printer's document, and text and export
// files; each text page goes to the one that is open.
#include <cctype>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/protected_files.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/forms/dialogs.h"
#include "framework/printing/printer.h"

namespace trx {

namespace {

std::string SpoolerError(const std::string& Text) {
    return std::string(PrintingErrorPrefix) + "Print Spooler Error **\r" + Text;
}

bool FormFeedsOn() { return RptStyles && RptStyles->Opt(TStyleOptNdx::soFormFeeds); }

// Whether the file is one the run reads or keeps: the database of the
// object to print (with its journals) or a file the settings storage uses.
bool IsRunInput(const std::string& FileName) {
    if (ObjInfo && ObjInfo->DataSet)
        for (const std::string& f : ObjInfo->DataSet->DatabaseFiles())
            if (IsSameFile(FileName, f)) return true;
    return IsProtectedFile(FileName);
}

// The message of an output file that cannot be opened (I/O result Code).
void ShowOpenFailure(const std::string& FileName, int Code) {
    MessageBeep(MB_ICONASTERISK);
    if (Code == ioSharingViolation)
        ShowMessage("Output file \"" + FileName + "\" is locked by another application\r\nI/O Error=" + IntToStr(Code) +
                    "\r\n\r\nSolution: Have the other application close the file or use a different output file "
                    "name");
    else
        ShowMessage("Cannot open output file \"" + FileName + "\"\r\nI/O Error=" + IntToStr(Code));
}

} // namespace

// ---- Printer control strings -----------------------------------------------

std::string TPrintSettings::CnvtStrToBinaryASCII(const std::string& Text) {
    std::string out;
    std::string digits;
    bool inNumber = false;
    char prev = '\0';
    // One blank after the end closes a number that ends the string.
    for (std::size_t i = 0; i <= Text.size(); ++i) {
        const bool end = i == Text.size();
        const char c = end ? ' ' : Text[i];
        if (inNumber) {
            if (!end && std::isdigit(static_cast<unsigned char>(c)) && digits.size() < 3) {
                digits += c;
                prev = c;
                continue;
            }
            if (!digits.empty()) {
                const int code = std::stoi(digits);
                if (code > 255)
                    throw Exception("Fast Printer Text Printer String:\r" + Text + "\r" +
                                    "has invalid ASCII character:" + digits +
                                    ". ASCII numbers must be between 0 and 255.");
                out += static_cast<char>(code);
            }
            inNumber = false;
            digits.clear();
        }
        if (end) break;
        if (c == '#' && prev != '#') {
            inNumber = true;
            prev = c;
            continue;
        }
        out += c;
        // "##" stands for one "#", which does not start a number after it.
        prev = c == '#' ? ' ' : c;
    }
    return out;
}

// ---- Opening and closing ---------------------------------------------------

bool TPrintSettings::OpenOutput() {
    SheetStarted = false;
    SpoolPrinterOpen = SpoolDocStarted = SpoolPageStarted = false;
    TtrxReportSettings* rs = ReportSettings;

    if (UseFastPrinterText) {
        // The raw text goes to the printer the report uses.
        if (rs) Printer()->SetPrinterIndex(rs->DefaultPrinter ? -1 : GetPrinterNdx(rs->PrinterName));
        std::string device, driver, port;
        Printer()->GetPrinter(device, driver, port);
        SpoolHandle = 0;
        if (!OpenPrinterA(device, SpoolHandle))
            throw ETrxPrtError(SpoolerError("Unable to get printer for spooling (WinSpool.OpenPrinter)"));
        SpoolPrinterOpen = true;
        if (!StartDocPrinterA(SpoolHandle, 1, TDocInfo1{rs ? rs->ReportDesc : std::string(), "", "RAW"})) {
            SpoolPrinterOpen = false;
            ClosePrinter(SpoolHandle);
            SpoolHandle = 0;
            throw ETrxPrtError(
                SpoolerError("Using Fast Printer Text. Unable to start document printing (StartDocPrinter)"));
        }
        SpoolDocStarted = true;
        if (rs && !rs->InitPrinterStr.empty()) {
            const std::string init = CnvtStrToBinaryASCII(rs->InitPrinterStr);
            if (!init.empty() && !WritePrinter(SpoolHandle, init))
                throw ETrxPrtError(std::string(PrintingErrorPrefix) +
                                   "Using Fast Printer Text. Error writing printer initialization string to print "
                                   "spooler.");
        }
        return true;
    }

    if (ToPrinter) {
        Printer()->Title = "Report: " + (rs ? rs->DialogTitle : std::string());
        if (!IsSnapShot) Printer()->BeginDoc();
        return true;
    }

    if (!ToFile)
        throw eTrxIntError(std::string(InternalErrorPrefix) +
                           "Open Output Internal Error **\rOutput destination not specified.");
    const std::string name = rs ? rs->OutputFileName : std::string();
    // Writing the report over what the run reads would destroy it: refused
    // as access denied, before anything is asked or opened.
    if (IsRunInput(name)) {
        ShowOpenFailure(name, ioAccessDenied);
        return false;
    }
    bool append = false;
    if (FileExists(name)) {
        switch (rs->IfOutputFileExists) {
        case TIfOutputFileExists::oeAppendToFile: append = true; break;
        case TIfOutputFileExists::oeAskUser: {
            const TModalResult answer = MessageDlg(
                "File \"" + name +
                    "\" already exists\rOverwrite this file?\r  Yes   : Overwrites\r"
                    "  No    : Appends to file\r  Cancel: Terminates Report",
                TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 700);
            if (answer == mrYes) {
                append = false;
            } else if (answer == mrNo) {
                append = true;
            } else {
                OperStatus = TOperStatus::osCancel;
                return false;
            }
            break;
        }
        default: break;
        }
    }
    OutFile.AssignFile(name);
    if (append)
        OutFile.Append();
    else
        OutFile.Rewrite();
    const int io = OutFile.IOResult();
    if (io == 0) return true;
    ShowOpenFailure(name, io);
    return false;
}

void TPrintSettings::CloseOutput() {
    if (SpoolPrinterOpen) {
        // Whatever fails, the page, the document and the printer that were
        // started and opened are ended and closed; the first failure is
        // reported afterwards.
        std::string failure;
        auto fail = [&failure](const std::string& Message) {
            if (failure.empty()) failure = Message;
        };
        std::exception_ptr raised;
        if (SpoolDocStarted && ReportSettings) {
            try {
                const std::string finish = CnvtStrToBinaryASCII(ReportSettings->FinishPrinterStr);
                if (!finish.empty() && !WritePrinter(SpoolHandle, finish))
                    fail(std::string(PrintingErrorPrefix) +
                         "Using Fast Printer Text. Error writing printer closing string to print spooler.");
            } catch (...) {
                raised = std::current_exception();
            }
        }
        if (SpoolPageStarted && !EndPagePrinter(SpoolHandle))
            fail(SpoolerError("Unable to end the page (EndPagePrinter)"));
        if (SpoolDocStarted && !EndDocPrinter(SpoolHandle))
            fail(SpoolerError("Unable to end document printing (EndDocPrinter)"));
        if (!ClosePrinter(SpoolHandle)) fail(SpoolerError("Unable to close the printer (ClosePrinter)"));
        SpoolPrinterOpen = SpoolDocStarted = SpoolPageStarted = false;
        SheetStarted = false;
        SpoolHandle = 0;
        if (raised) std::rethrow_exception(raised);
        if (!failure.empty()) throw ETrxPrtError(failure);
        return;
    }

    if (ToPrinter && !UseFastPrinterText) {
        if (Printer()->Printing()) {
            if (OperStatus == TOperStatus::osAbort || OperStatus == TOperStatus::osCancel) {
                Printer()->Abort();
                // The document is thrown away, and its pages with it: none of
                // them was printed, whatever the run laid out.
                TotalPagesOutput -= PagesOutput;
                PagesOutput = 0;
            } else
                Printer()->EndDoc();
        }
        SheetStarted = false;
        return;
    }

    if (OutFile.Mode() == fmOutput) {
        if (PagesOutput > 0 && ToFile && FormFeedsOn()) OutFile.WriteLn("\f");
        OutFile.CloseFile();
        // Output still buffered reaches the file only now: a failure here
        // means the file is incomplete.
        InOutCheck(OutFile.IOResult());
    }
}

// ---- One text page ---------------------------------------------------------

void TPrintSettings::OutputTextPage() {
    TTextPage& page = TextPage;
    if (PagesOutput > 0 && (UseFastPrinterText || ToFile) && FormFeedsOn() && page.Count() >= 2) page.PutFormFeed();

    if (UseFastPrinterText) {
        if (!StartPagePrinter(SpoolHandle))
            throw ETrxPrtError(SpoolerError("Unable to start a page (StartPagePrinter). Page:" + IntToStr(CurPage.Y)));
        SpoolPageStarted = true;
        SheetStarted = true;
        // The printer's character set is code page 437.
        for (int i = 0; i < page.Count(); ++i) {
            if (!WritePrinter(SpoolHandle, page.PrinterLine(i) + "\r\n")) {
                SpoolPageStarted = false;
                EndPagePrinter(SpoolHandle);
                throw ETrxPrtError(std::string(PrintingErrorPrefix) +
                                   "\rError writing to print spooler. Page:" + IntToStr(CurPage.Y));
            }
        }
    } else if (ToFile) {
        page.WriteTo(OutFile);
        InOutCheck(OutFile.IOResult());
    } else if (ToPrinter && Canvas) {
        SheetStarted = true;
        int y = 0;
        for (int i = 0; i < page.Count(); ++i, y += LineHt) Canvas->TextOut(0, y, page.Line(i));
    }
}

} // namespace trx
