// The run's destination flags and its printer set-up (printer, canvas font,
// units, character cell, line height, page size, panels, scale, panel step
// and table width) derived from the settings. The options dialog runs the
// same set-up and shows its results through a TPrinterSetupView; runs
// without the dialog call it bare. Needs the run's four globals and the
// process printer.
#pragma once

#include <string>

namespace trx {

class TPanel;

// What a window showing the set-up is told as it goes; the run alone needs
// none of it. Every call has a default that shows nothing.
class TPrinterSetupView {
public:
    virtual ~TPrinterSetupView() = default;
    // The panel the column placement shows the pages across on.
    virtual TPanel* PagesAcrossPanel() { return nullptr; }
    // The stored printer could not be used; the default printer, now the
    // report's printer, is selected instead.
    virtual void PrinterFellBack(const std::string& /*Name*/) {}
    // A snapshot or an export: no page size, no report width.
    virtual void ShowNoPage() {}
    // The page size is known (PageWid, PageHt).
    virtual void ShowPageSize() {}
    // The report width is known (PanelStep, TableWid).
    virtual void ShowRptWid() {}
    // The columns were never measured, so the report width is unknown.
    virtual void ColumnsNotScanned() {}
};

// The destination flags, the line-drawing set, the field format, line
// numbers and their digits, from the settings.
void DeriveRunOptions();

// The run's units and whether its line numbers show, from the output
// quality and the style options (part of DeriveRunOptions).
void DeriveRunUnits();

// The object's formatted output, from the style options, and the digits of
// its line numbers: those of the first or of the last line number, whichever
// has more (part of DeriveRunOptions).
void DeriveLineNumberDigits();

// The printer set-up with panels and scale, as after a change of the
// printer or its set-up.
void SetupRunPrinter();

// The printer set-up with panels and scale as the settings and run state
// stand; View, when given, is told what it may show.
void SetupPrinterAndScale(TPrinterSetupView* View);

} // namespace trx
