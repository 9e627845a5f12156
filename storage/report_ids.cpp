// Report identifiers: the suffix "(nnn.nnn)" that makes an identifier
// unique in the settings file, its validation and its repair.
#include "engine/shared_routines.h"
#include "framework/core/clock.h"
#include "framework/core/display_width.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "storage/file_mgr.h"

namespace trx {

TtrxReportId TtrxFileMgr::GetNewReportId() {
    const int first = Random(999) + 1;
    const int second = static_cast<int>(static_cast<uint32_t>(GetTickCount()) % 999u) + 1;
    return TtrxReportId(Format("(%.3d.%.3d)", {first, second}));
}

bool TtrxFileMgr::ValidateReportIdSyntax(TtrxReportId& Id, bool AutoFix) {
    const std::string word = Trim(ParseStr(Id.str(), -1, " ", ""));
    bool valid = Length(word) == 9 && word[0] == '(' && word[4] == '.' && word[8] == ')';
    for (int i : {1, 2, 3, 5, 6, 7})
        if (valid && !IsNumeric(std::string(1, word[static_cast<std::size_t>(i)]))) valid = false;
    if (!valid && AutoFix) {
        Id = Trim(std::string(CutToWidth(word, 20)) + " " + GetNewReportId().str());
        return true;
    }
    return valid;
}

} // namespace trx
