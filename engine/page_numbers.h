// Where a run is among its pages, and page numbers. A page is a point: X
// the page across (from 1), Y the page down. Pages are written "Y", or "Y-X"
// when there are two or more pages across, and are ordered as the number
// Y + X/10000, so that (0,5) < (1,5) < (2,5) < (0,6).
#pragma once

#include <string>

#include "engine/report_types.h"
#include "framework/core/types.h"

namespace trx {

// LastPage while the last page is not known yet: set by every new placement
// of the columns and at the start of a run; IsLastPage records the last page
// only while it is unknown.
inline constexpr TPoint LastPageUnknown{-99, -99};

struct TPageCursor {
    // The last page once known, else LastPageUnknown.
    TPoint LastPage;
    // The first and last pages to output; an X of 0 means that no page
    // across was given.
    TPoint PageRangeFrom{1, 1};
    TPoint PageRangeTo{9999, 32000};
    TPoint PrevPage{0, 0};
    TPoint CurPage;

    bool LastPageKnown() const { return LastPage.Y >= -1; }

    static std::string ExtractPageNumStr(const std::string& Text, TXyDir Dir);
    static int ExtractPageNum(const std::string& Text, TXyDir Dir, bool& Error);
    static bool ChkForNumericPageNum(const std::string& Text);
    static double CnvtPageNumToDouble(const TPoint& Page);
    static double CnvtPageNumStrToDouble(const std::string& Text);
};

} // namespace trx
