// Page numbers of a run: their text form "Y" or "Y-X" (Y the page down, X
// the page across), parsing, and their order as the number Y + X/10000.
#include "engine/page_numbers.h"

#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/shared_routines.h"
#include "framework/core/strings.h"

namespace trx {

std::string TPrintSettings::FormattedPageNum() const {
    // The label is text of its own: a "%" in it is printed as it stands.
    std::string label = ReportSettings ? ReportSettings->MemoPageFormatStr : std::string();
    if (!label.empty()) label += ' ';
    if (PagesAcross < 2) return label + IntToStr(CurPage.Y);
    return label + IntToStr(CurPage.Y) + "-" + IntToStr(CurPage.X);
}

std::string TPageCursor::ExtractPageNumStr(const std::string& Text, TXyDir Dir) {
    const std::string s = Text + "-";
    const std::size_t dash = s.find('-');
    if (Dir == TXyDir::dY) return s.substr(0, dash);
    return s.substr(dash + 1, s.size() - dash - 2);
}

int TPageCursor::ExtractPageNum(const std::string& Text, TXyDir Dir, bool& Error) {
    const std::string part = ExtractPageNumStr(Text, Dir);
    Error = false;
    if (Dir == TXyDir::dX && part.empty()) return 0;
    const int n = CnvtStrToInt(part, Error);
    // "5--3" would give a page across of -3: no page has a negative part.
    if (!Error && n < 0) {
        Error = true;
        return 0;
    }
    return n;
}

bool TPageCursor::ChkForNumericPageNum(const std::string& Text) {
    bool error = false;
    ExtractPageNum(Text, TXyDir::dY, error);
    if (!error) ExtractPageNum(Text, TXyDir::dX, error);
    return !error;
}

double TPageCursor::CnvtPageNumToDouble(const TPoint& Page) {
    return static_cast<double>(Page.Y) + static_cast<double>(Page.X) / 10000.0;
}

double TPageCursor::CnvtPageNumStrToDouble(const std::string& Text) {
    bool error = false;
    const int y = ExtractPageNum(Text, TXyDir::dY, error);
    const int x = ExtractPageNum(Text, TXyDir::dX, error);
    return CnvtPageNumToDouble(TPoint{x, y});
}

} // namespace trx
