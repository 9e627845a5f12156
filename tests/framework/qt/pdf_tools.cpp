#include "pdf_tools.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "command.h"

namespace trx::test {

namespace {

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> r;
    std::istringstream in(Text);
    std::string line;
    while (std::getline(in, line)) r.push_back(line);
    return r;
}

} // namespace

std::vector<std::vector<std::string>> PdfPages(const std::string& FileName, double CharWidthPoints) {
    std::vector<std::string> args{"pdftotext", "-layout", "-enc", "UTF-8"};
    if (CharWidthPoints > 0) {
        args.push_back("-fixed");
        args.push_back(std::to_string(CharWidthPoints));
    }
    args.push_back(FileName);
    args.push_back("-");
    std::string text = CheckedCommand(args);
    std::vector<std::vector<std::string>> pages;
    size_t start = 0;
    // Every page ends with a form feed.
    for (size_t ff = text.find('\f'); ff != std::string::npos; ff = text.find('\f', start)) {
        std::vector<std::string> lines = Lines(text.substr(start, ff - start));
        for (std::string& l : lines) l.erase(l.find_last_not_of(' ') + 1);
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        if (CharWidthPoints > 0) {
            // Columns count from the sheet's edge: the blank margin goes.
            size_t margin = std::string::npos;
            for (const std::string& l : lines)
                if (!l.empty()) margin = std::min(margin, l.find_first_not_of(' '));
            if (margin != std::string::npos)
                for (std::string& l : lines) l.erase(0, std::min(margin, l.size()));
        }
        pages.push_back(std::move(lines));
        start = ff + 1;
    }
    return pages;
}

int PdfPageCount(const std::string& FileName) {
    for (const std::string& line : Lines(CheckedCommand({"pdfinfo", FileName})))
        if (line.rfind("Pages:", 0) == 0) return std::stoi(line.substr(6));
    throw std::runtime_error("pdfinfo gave no page count for " + FileName);
}

std::vector<std::pair<int, int>> PdfImageSizes(const std::string& FileName) {
    // page num type width height ...; two heading lines first.
    std::vector<std::pair<int, int>> r;
    std::vector<std::string> lines = Lines(CheckedCommand({"pdfimages", "-list", FileName}));
    for (size_t i = 2; i < lines.size(); ++i) {
        std::istringstream in(lines[i]);
        int page = 0;
        int num = 0;
        std::string type;
        int width = 0;
        int height = 0;
        if (in >> page >> num >> type >> width >> height) r.emplace_back(width, height);
    }
    return r;
}

std::vector<std::string> PdfFontNames(const std::string& FileName) {
    std::vector<std::string> r;
    std::vector<std::string> lines = Lines(CheckedCommand({"pdffonts", FileName}));
    for (size_t i = 2; i < lines.size(); ++i) {
        std::istringstream in(lines[i]);
        std::string name;
        if (in >> name) r.push_back(name);
    }
    return r;
}

std::string RenderFirstPage(const std::string& FileName) {
    const std::string stem = FileName + "-page";
    CheckedCommand({"pdftoppm", "-r", "72", "-png", "-singlefile", "-f", "1", "-l", "1", FileName, stem});
    return stem + ".png";
}

} // namespace trx::test
