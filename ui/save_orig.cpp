#include "ui/save_orig.h"

#include "framework/core/exceptions.h"
#include "framework/forms/application.h"
#include "framework/printing/graphics.h"
#include "framework/printing/printer.h"

namespace trx {

TSaveOrig::TSaveOrig() {
    TPrinter* printer = Printer();
    OrigPrinterTitle = printer->Title;
    OrigPrinterIndex = printer->PrinterIndex();
    OrigPrinterFont = std::make_unique<TFont>(printer->Canvas().Font());
    TApplication* app = Application();
    OrigShowHint = app->ShowHint;
    OrigOnHint = app->OnHint;
    OrigHelpFile = app->HelpFile;
    OrigCursor = Screen()->Cursor();
}

TSaveOrig::~TSaveOrig() = default;

void TSaveOrig::Restore() {
    TCleanupSteps steps;
    steps.Run([this] {
        if (OrigPrinterFont) Printer()->Canvas().Font().Assign(*OrigPrinterFont);
    });
    steps.Run([this] { Printer()->SetPrinterIndex(OrigPrinterIndex); });
    steps.Run([this] { Printer()->Title = OrigPrinterTitle; });
    OrigPrinterFont.reset();
    TApplication* app = Application();
    app->ShowHint = OrigShowHint;
    app->OnHint = OrigOnHint;
    app->HelpFile = OrigHelpFile;
    Screen()->SetCursor(OrigCursor);
    steps.RaiseFirst();
}

} // namespace trx
