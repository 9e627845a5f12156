// Puts a run into the state the options dialog leaves it in before it
// prints, for tests and benchmarks that run reports without the dialog:
// the destination flags and style copies the dialog derives from the
// settings, the printer set-up (printer, canvas font, units, character cell,
// line height, page size, panels, scale, panel step and table width), the
// column scan of its first show and the preparation of its Print button.
// Needs the run's four globals (TRunScope) and the process printer.
#pragma once

#include "engine/run_printer_setup.h"

namespace trx {
class TComponent;
class TForm;
class TtrxReportSettings;
} // namespace trx

namespace trx::test {

// The settings of a new report as the settings file gives them: every
// setting of its field table at its default (the memo texts stay as they
// are), and the built-in line-drawing tables.
void SetReportDefaults(TtrxReportSettings& RS);

// DeriveRunOptions and SetupRunPrinter are the engine's (engine/run_printer_setup.h).

// The dialog's first show for ObjectToPrint: the object is defined and
// counted, the style loaded, the options derived, the printer set up, the
// columns scanned and placed.
void StartRun(TComponent* ObjectToPrint);

// The Print button's preparation: printer set-up, columns fitted to the
// page and the page range of the settings (not for an export or a window
// snapshot).
void PrepareToPrint();

// PrepareToPrint, then the run itself; its result (1, 2 or 3).
int PrintRun(bool PauseAfterPrinting = false, TForm* Form = nullptr);

} // namespace trx::test
