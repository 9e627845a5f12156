// Real printing for the whole process: the printer object over the Qt
// printer driver (CUPS printers and the PDF printer) and the CUPS spooler
// for raw printer text. The shared library installs them when it is
// loaded; tests keep the virtual printer and the capture spooler.
#pragma once

namespace trx {

// Replaces the process-wide printer and spooler with fresh ones on Qt and
// CUPS. Nothing touches Qt or CUPS until a printer is first used.
void UseQtPrinting();

} // namespace trx
