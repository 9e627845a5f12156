#include "framework/grids/outline.h"

namespace trx {

TOutline::TOutline(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    color_ = clWindow;
}

void TOutline::CheckIndex(int Index) const {
    if (Index < 1 || Index > ItemCount()) throw EOutlineError("Invalid outline index");
}

std::string TOutline::ItemText(int Index) const {
    CheckIndex(Index);
    const std::string s = lines_.Get(Index - 1);
    return s.substr(s.find_first_not_of('\t') == std::string::npos ? s.size() : s.find_first_not_of('\t'));
}

int TOutline::ItemLevel(int Index) const {
    CheckIndex(Index);
    const std::string s = lines_.Get(Index - 1);
    const std::size_t tabs = s.find_first_not_of('\t');
    return 1 + static_cast<int>(tabs == std::string::npos ? s.size() : tabs);
}

void TOutline::SetSelectedItem(int Value) {
    if (Value != 0) CheckIndex(Value);
    selected_ = Value;
    Invalidate();
}

} // namespace trx
