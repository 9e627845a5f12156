// Loading the shared library makes real printing the default. The folder's
// static library leaves this file out of programs that do not refer to it,
// so tests keep the virtual printer.
#include "framework/qt/qt_printing.h"

namespace {

[[maybe_unused]] const bool qt_printing_installed = (trx::UseQtPrinting(), true);

} // namespace
