// Conversions between the text of a settings-file value and the field it is
// stored in. Values never fail: a text that does not convert takes its
// key's default, and a default that does not convert gives 0.
#include <vector>

#include "engine/shared_routines.h"
#include "storage/file_mgr.h"

namespace trx {

namespace {

// The comma-separated integers of Text; false when fewer than Count fields
// are there or one of the first Count is not an integer. A field missing
// from a default counts as 0 (MissingAsZero).
bool SplitInts(const std::string& Text, int Count, bool MissingAsZero, std::vector<int>& Out) {
    Out.assign(static_cast<std::size_t>(Count), 0);
    std::size_t start = 0;
    for (int i = 0; i < Count; ++i) {
        if (start > Text.size()) {
            if (!MissingAsZero) return false;
            continue;
        }
        const std::size_t comma = Text.find(',', start);
        const std::size_t end = comma == std::string::npos ? Text.size() : comma;
        bool error = false;
        const int v = CnvtStrToInt(Text.substr(start, end - start), error);
        if (error && !MissingAsZero) return false;
        Out[static_cast<std::size_t>(i)] = error ? 0 : v;
        start = comma == std::string::npos ? Text.size() + 1 : comma + 1;
    }
    return true;
}

} // namespace

TRptMemoNdx TtrxFileMgr::CnvtStrToRptMemoNdx(const std::string& Name) {
    for (int i = 0; i < RptMemoCount; ++i)
        if (SameText(Name, RptMemoNames[i])) return static_cast<TRptMemoNdx>(i);
    return TRptMemoNdx::rmRptTi;
}

std::string TtrxFileMgr::CnvtRectToStr(const TRect& Rect) {
    return IntToStr(Rect.Left) + "," + IntToStr(Rect.Top) + "," + IntToStr(Rect.Right) + "," + IntToStr(Rect.Bottom);
}

int TtrxFileMgr::CnvtStrToIntDflt(const std::string& Text, const std::string& Default) {
    bool error = false;
    int v = CnvtStrToInt(Text, error);
    if (!error) return v;
    v = CnvtStrToInt(Default, error);
    return error ? 0 : v;
}

std::string TtrxFileMgr::CnvtStrToStrDflt(const std::string& Text, const std::string& Default) {
    return Text.empty() ? Default : Text;
}

bool TtrxFileMgr::CnvtStrToBoolDflt(const std::string& Text, const std::string& Default) {
    if (Text == "0") return false;
    if (Text == "1") return true;
    return Default == "1";
}

TRect TtrxFileMgr::CnvtStrToRectDflt(const std::string& Text, const std::string& Default) {
    std::vector<int> v;
    if (!SplitInts(Text, 4, false, v)) SplitInts(Default, 4, true, v);
    return TRect{v[0], v[1], v[2], v[3]};
}

TPoint TtrxFileMgr::CnvtStrToPointDflt(const std::string& Text, const std::string& Default) {
    std::vector<int> v;
    if (!SplitInts(Text, 2, false, v)) SplitInts(Default, 2, true, v);
    return TPoint{v[0], v[1]};
}

TDateTime TtrxFileMgr::CnvtStrToDateDflt(const std::string& Text, const std::string& Default) {
    const std::string s = Text.empty() ? Default : Text;
    if (s.empty()) return EncodeDate(1980, 1, 1);
    TDateTime v = 0;
    if (TryStrToDateTime(s, v)) return v;
    if (Default != s && TryStrToDateTime(Default, v)) return v;
    return 0;
}

} // namespace trx
