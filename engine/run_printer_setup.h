// The run's destination flags and its printer set-up (printer, canvas font,
// units, character cell, line height, page size, panels, scale, panel step
// and table width) derived from the settings alone, without the options
// dialog's panels. Needs the run's four globals and the process printer.
#pragma once

namespace trx {

// The destination flags, the line-drawing set, the field format, line
// numbers and their digits, from the settings.
void DeriveRunOptions();

// The printer set-up with panels and scale, as after a change of the
// printer or its set-up.
void SetupRunPrinter();

} // namespace trx
