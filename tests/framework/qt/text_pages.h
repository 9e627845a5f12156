// A small report as text pages (UTF-8 with the IBM table lines as box
// characters, as the page loop lays out a text report, and as a PDF reader
// extracts them); and the printing of text pages on the printer canvas as
// the page loop does it.
#pragma once

#include <string>
#include <vector>

#include "framework/printing/printer.h"

namespace trx::test {

using TTextPages = std::vector<std::vector<std::string>>;

// Three pages: a table split over two pages, and a closing page.
TTextPages SampleReportUtf8();

// One document: the canvas font set to the report's text font, then page
// after page, each line drawn at X 0 with Y starting at 0 and advancing by
// the height of a line ("X|ygW"), a new sheet between pages.
void PrintTextPages(TPrinter& Printer, const TTextPages& Pages, const std::string& Title = "Report: Sales");

} // namespace trx::test
