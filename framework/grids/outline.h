// TOutline: a list of items in levels, as an outline control shows them.
// Each line of Lines is one item; its leading tabs give its level below the
// first (no tab: level 1). Items are numbered from 1; SelectedItem 0 means
// that none is selected.
#pragma once

#include <string>

#include "framework/core/stringlist.h"
#include "framework/forms/control.h"

namespace trx {

class EOutlineError : public Exception {
    using Exception::Exception;
};

class TOutline : public TCustomControl {
public:
    explicit TOutline(TComponent* AOwner);

    TStrings& Lines() { return lines_; }
    const TStrings& Lines() const { return lines_; }
    int ItemCount() const { return lines_.Count(); }
    // The text of item Index (from 1) without its level tabs, and its level.
    // Raise EOutlineError "Invalid outline index" outside 1 .. ItemCount.
    std::string ItemText(int Index) const;
    int ItemLevel(int Index) const;

    // 0 for none; raises EOutlineError outside 0 .. ItemCount.
    int SelectedItem() const { return selected_ <= ItemCount() ? selected_ : 0; }
    void SetSelectedItem(int Value);

private:
    void CheckIndex(int Index) const;
    TStringList lines_;
    int selected_ = 0;
};

} // namespace trx
