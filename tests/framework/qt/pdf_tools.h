// What a PDF file holds, read with the poppler tools (pdftotext, pdfinfo,
// pdfimages, pdffonts). A missing tool raises std::runtime_error.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace trx::test {

// The text of every page as pdftotext lays it out: one list of lines per
// page, each line without trailing blanks, trailing empty lines dropped.
// Given the width of a character cell in points, the text is read as
// fixed-pitch text of that pitch (so runs of blanks come out exactly) and
// the blank columns of the page's left margin are taken off; else it is
// read in pdftotext's -layout mode.
std::vector<std::vector<std::string>> PdfPages(const std::string& FileName, double CharWidthPoints = 0);
// The page count pdfinfo reports.
int PdfPageCount(const std::string& FileName);
// Width and height of every image, in the order pdfimages lists them.
std::vector<std::pair<int, int>> PdfImageSizes(const std::string& FileName);
// The names of the fonts used, as pdffonts lists them.
std::vector<std::string> PdfFontNames(const std::string& FileName);
// The first page rendered at 72 pixels per inch (one pixel a point) by
// pdftoppm into a PNG file next to the PDF; gives the PNG's name.
std::string RenderFirstPage(const std::string& FileName);

} // namespace trx::test
