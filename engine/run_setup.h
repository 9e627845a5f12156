// The printer set-up of a run as the options dialog does it before it
// measures or prints: the destination flags and style copies derived from
// the settings, then the printer, canvas font, units, character cell, line
// height, page size, panels, scale, panel step and table width. Needs the
// run's four globals and the process printer.
#pragma once

namespace trx {

// What the dialog derives from its settings: the destination flags, the
// line-drawing set, the field format, line numbers and their digits.
void DeriveRunOptions();

// The printer set-up with panels and scale, as after a change of the
// printer or its set-up.
void SetupRunPrinter();

} // namespace trx
