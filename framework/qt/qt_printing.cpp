#include "framework/qt/qt_printing.h"

#include <memory>

#include "framework/printing/printer.h"
#include "framework/printing/spooler.h"
#include "framework/qt/cups_spooler.h"
#include "framework/qt/qt_printer_driver.h"

namespace trx {

void UseQtPrinting() {
    SetPrinter(std::make_unique<TPrinter>(std::make_unique<TQtPrinterDriver>()));
    SetSpooler(std::make_unique<TCupsSpooler>());
}

} // namespace trx
