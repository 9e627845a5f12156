#include "framework/forms/menus.h"

#include <algorithm>

#include "framework/core/strings.h"
#include "framework/forms/property_values.h"

namespace trx {

std::string StripHotkey(const std::string& Text) {
    std::string result;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&') {
            if (i + 1 < Text.size() && Text[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += Text[i];
    }
    return result;
}

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    while (!items_.empty()) delete items_.back();
    if (parent_) parent_->Remove(this);
}

void TMenuItem::Changed() {
    if (!observers::Any()) return;
    // Nothing to tell while the form that holds the menu goes.
    const TComponent* owner = Owner();
    if (!owner && menu_) owner = menu_->HasState(csDestroying) ? menu_ : menu_->Owner();
    if (owner && owner->HasState(csDestroying)) return;
    observers::MenuItemChanged(*this);
}

void TMenuItem::SetCaption(const std::string& Value) {
    if (caption_ == Value) return;
    caption_ = Value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (shortCut_ == Value) return;
    shortCut_ = Value;
    Changed();
}

void TMenuItem::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    if (Value && RadioItem && parent_)
        for (TMenuItem* i : parent_->items_)
            if (i != this && i->RadioItem && i->GroupIndex == GroupIndex && i->checked_) {
                i->checked_ = false;
                i->Changed();
            }
    Changed();
}

void TMenuItem::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    Changed();
}

void TMenuItem::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    Changed();
}

void TMenuItem::SetHint(const std::string& Value) {
    if (hint_ == Value) return;
    hint_ = Value;
    Changed();
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return items_[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->parent_) throw EInvalidOperation("Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* Item) {
    const auto it = std::find(items_.begin(), items_.end(), Item);
    if (it == items_.end()) return;
    items_.erase(it);
    Item->parent_ = nullptr;
    Changed();
}

void TMenuItem::Delete(int Index) { delete Items(Index); }

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    const auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu* TMenuItem::Menu() const {
    const TMenuItem* i = this;
    while (i->parent_) i = i->parent_;
    return i->menu_;
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
    for (TMenuItem* i : items_)
        if (SameText(StripHotkey(i->caption_), ACaption)) return i;
    return nullptr;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

bool TMenuItem::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Caption"))
        SetCaption(V);
    else if (SameText(N, "ShortCut"))
        SetShortCut(PropShortCut(V));
    else if (SameText(N, "Checked"))
        SetChecked(PropBool(V));
    else if (SameText(N, "Enabled"))
        SetEnabled(PropBool(V));
    else if (SameText(N, "Visible"))
        SetVisible(PropBool(V));
    else if (SameText(N, "Hint"))
        SetHint(V);
    else if (SameText(N, "GroupIndex"))
        GroupIndex = PropInt(V);
    else if (SameText(N, "RadioItem"))
        RadioItem = PropBool(V);
    else if (SameText(N, "Default"))
        Default = PropBool(V);
    else if (SameText(N, "HelpContext"))
        HelpContext = PropInt(V);
    else if (SameText(N, "Tag"))
        Tag = PropInt(V);
    else
        return false;
    return true;
}

bool TMenuItem::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnClick")) return Bind(OnClick, H, E);
    return false;
}

// ---------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    // Items owned by a form are freed by it; the menu only lets go of them.
    while (items_->Count() > 0) items_->Remove(items_->Items(items_->Count() - 1));
}

namespace {
TMenuItem* FindShortCut(const TMenuItem* Parent, TShortCut ShortCut) {
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (item->ShortCut() == ShortCut) return item;
        if (TMenuItem* found = FindShortCut(item, ShortCut)) return found;
    }
    return nullptr;
}
} // namespace

TMenuItem* TMenu::FindItem(TShortCut ShortCut) const {
    return ShortCut == 0 ? nullptr : FindShortCut(items_.get(), ShortCut);
}

bool TMenu::IsShortCut(uint16_t Key, TShiftState Shift) {
    if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) return false;
    TMenuItem* item = FindItem(trx::ShortCut(Key, Shift));
    if (!item) return false;
    std::vector<TMenuItem*> parents;
    for (TMenuItem* p = item->Parent(); p && p != items_.get(); p = p->Parent()) parents.push_back(p);
    for (auto it = parents.rbegin(); it != parents.rend(); ++it) (*it)->Click();
    if (!item->Enabled()) return false;
    item->Click();
    return true;
}

bool TMenu::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Tag"))
        Tag = PropInt(V);
    else
        return false;
    return true;
}

bool TMenu::BindEvent(const std::string&, const std::any&) { return false; }

} // namespace trx
