#include "framework/forms/control.h"

#include <algorithm>

#include "framework/core/strings.h"
#include "framework/forms/form.h"
#include "framework/forms/property_values.h"

namespace trx {

TCustomForm* GetParentForm(const TControl* Control) {
    if (!Control) return nullptr;
    const TControl* c = Control;
    while (c->Parent()) c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

bool IsAccel(uint16_t Key, const std::string& Caption) {
    if (Key > 0xFF) return false;
    const char key = UpCase(static_cast<char>(Key));
    for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return UpCase(Caption[i + 1]) == key;
    }
    return false;
}

std::string GetShortHint(const std::string& Hint) {
    const std::size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint) {
    const std::size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    font_.OnChange = [this](TObject*) { FontOnChange(); };
}

TControl::~TControl() {
    if (observers::Any()) observers::ControlDestroying(*this);
    font_.OnChange = nullptr;
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (TWinControl* self = dynamic_cast<TWinControl*>(this); self && AParent && self->ContainsControl(AParent))
        throw EInvalidOperation("A control cannot be placed inside itself");
    if (parent_) parent_->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
    else
        Changed(TControlChange::ccParent); // out of every parent: a backend takes its window away
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const TRect before = BoundsRect();
    SetBoundsInternal(ALeft, ATop, AWidth, AHeight);
    if (align_ != TAlign::alNone && BoundsRect() != before) RequestAlign();
}

void TControl::SetBoundsInternal(int ALeft, int ATop, int AWidth, int AHeight) {
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    const bool moved = ALeft != left_ || ATop != top_;
    const bool sized = AWidth != width_ || AHeight != height_;
    if (!moved && !sized) return;
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    BoundsChanged(moved, sized);
}

void TControl::BoundsChanged(bool /*Moved*/, bool Sized) {
    Changed(TControlChange::ccBounds);
    if (Sized && !IsLoading()) Resize();
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign() {
    if (parent_) parent_->Realign();
}

void TControl::SetAlign(TAlign Value) {
    if (align_ == Value) return;
    align_ = Value;
    RequestAlign();
}

void TControl::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    VisibleChanged();
    if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::Show() {
    if (parent_) parent_->ShowControl(this);
    SetVisible(true);
}

void TControl::VisibleChanged() { Changed(TControlChange::ccVisible); }

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    EnabledChanged();
}

void TControl::EnabledChanged() { Changed(TControlChange::ccEnabled); }

void TControl::SetText(const std::string& Value) {
    if (GetText() == Value) return;
    SetTextValue(Value);
}

void TControl::SetTextValue(const std::string& Value) {
    text_ = Value;
    Changed(TControlChange::ccText);
    if (!IsLoading()) AdjustSize();
}

void TControl::SetHint(const std::string& Value) {
    if (hint_ == Value) return;
    hint_ = Value;
    Changed(TControlChange::ccHint);
}

bool TControl::ShowHint() const {
    if (parentShowHint_ && parent_) return parent_->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool Value) {
    showHint_ = Value;
    parentShowHint_ = false;
}

TColor TControl::Color() const {
    if (parentColor_ && parent_) return parent_->Color();
    return color_;
}

void TControl::SetColor(TColor Value) {
    const bool same = !parentColor_ && color_ == Value;
    color_ = Value;
    parentColor_ = false;
    if (!same) Changed(TControlChange::ccColor);
}

void TControl::SetParentColor(bool Value) {
    if (parentColor_ == Value) return;
    parentColor_ = Value;
    Changed(TControlChange::ccColor);
}

void TControl::FontOnChange() {
    if (!assigningParentFont_) parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged() {
    Changed(TControlChange::ccFont);
    if (!IsLoading()) AdjustSize();
}

void TControl::ParentFontChanged(const TFont& ParentFont) {
    if (!parentFont_) return;
    assigningParentFont_ = true;
    try {
        font_.Assign(ParentFont);
    } catch (...) {
        assigningParentFont_ = false;
        throw;
    }
    assigningParentFont_ = false;
}

void TControl::SetParentFont(bool Value) {
    parentFont_ = Value;
    if (Value && parent_) ParentFontChanged(parent_->Font());
}

void TControl::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    Changed(TControlChange::ccCursor);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate() {
    invalid_ = true;
    Changed(TControlChange::ccRepaint);
}

void TControl::Update() {
    if (!invalid_) return;
    invalid_ = false;
    if (Showing()) Paint();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Changed(TControlChange::ccParent);
    if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    Changed(TControlChange::ccParent);
    if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::Loaded() {
    TComponent::Loaded();
    AdjustSize();
}

void TControl::Changed(TControlChange Change) {
    if (observers::Any()) observers::ControlChanged(*this, Change);
}

void TPropertyAccess::BindError(const std::string& EventName) {
    throw EComponentError("The handler given for " + EventName + " does not fit the event");
}

bool TControl::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Left"))
        SetLeft(PropInt(V));
    else if (SameText(N, "Top"))
        SetTop(PropInt(V));
    else if (SameText(N, "Width"))
        SetWidth(PropInt(V));
    else if (SameText(N, "Height"))
        SetHeight(PropInt(V));
    else if (SameText(N, "ClientWidth"))
        SetClientWidth(PropInt(V));
    else if (SameText(N, "ClientHeight"))
        SetClientHeight(PropInt(V));
    else if (SameText(N, "Caption") || SameText(N, "Text"))
        SetText(V);
    else if (SameText(N, "Hint"))
        SetHint(V);
    else if (SameText(N, "ShowHint"))
        SetShowHint(PropBool(V));
    else if (SameText(N, "ParentShowHint"))
        SetParentShowHint(PropBool(V));
    else if (SameText(N, "Visible"))
        SetVisible(PropBool(V));
    else if (SameText(N, "Enabled"))
        SetEnabled(PropBool(V));
    else if (SameText(N, "Align"))
        SetAlign(PropEnum<TAlign>(V, {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}));
    else if (SameText(N, "Color"))
        SetColor(PropColor(V));
    else if (SameText(N, "ParentColor"))
        SetParentColor(PropBool(V));
    else if (SameText(N, "ParentFont"))
        SetParentFont(PropBool(V));
    else if (SameText(N, "Font.Name"))
        font_.SetName(V);
    else if (SameText(N, "Font.Size"))
        font_.SetSize(PropInt(V));
    else if (SameText(N, "Font.Height"))
        font_.SetHeight(PropInt(V));
    else if (SameText(N, "Font.Style"))
        font_.SetStyle(PropFontStyles(V));
    else if (SameText(N, "Font.Color"))
        font_.SetColor(PropColor(V));
    else if (SameText(N, "Font.Pitch"))
        font_.SetPitch(PropEnum<TFontPitch>(V, {"fpDefault", "fpVariable", "fpFixed"}));
    else if (SameText(N, "Cursor"))
        SetCursor(static_cast<TCursor>(PropInt(V)));
    else if (SameText(N, "Tag"))
        Tag = PropInt(V);
    else
        return false;
    return true;
}

bool TControl::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnClick")) return Bind(OnClick, H, E);
    if (SameText(E, "OnDblClick")) return Bind(OnDblClick, H, E);
    if (SameText(E, "OnResize")) return Bind(OnResize, H, E);
    return false;
}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    RemoveFocus(true);
    // Leave the parent while still a windowed control (its tab order too).
    if (Parent()) Parent()->RemoveControl(this);
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        RemoveControl(c);
        delete c;
    }
}

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return controls_[static_cast<std::size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::FindChildControl(const std::string& ControlName) const {
    for (TControl* c : controls_)
        if (SameText(c->Name(), ControlName)) return c;
    return nullptr;
}

void TWinControl::InsertControl(TControl* Control) {
    controls_.push_back(Control);
    if (auto* w = dynamic_cast<TWinControl*>(Control)) tabList_.push_back(w);
    Control->parent_ = this;
    if (Control->parentFont_) Control->ParentFontChanged(Font());
    Control->Changed(TControlChange::ccParent);
    Realign();
}

void TWinControl::RemoveControl(TControl* Control) {
    if (auto* w = dynamic_cast<TWinControl*>(Control)) w->RemoveFocus(true);
    tabList_.erase(
        std::remove_if(tabList_.begin(), tabList_.end(),
                       [Control](const TWinControl* w) { return static_cast<const TControl*>(w) == Control; }),
        tabList_.end());
    controls_.erase(std::remove(controls_.begin(), controls_.end(), Control), controls_.end());
    Control->parent_ = nullptr;
    Realign();
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->tabList_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!Parent()) return;
    auto& list = Parent()->tabList_;
    const int count = static_cast<int>(list.size());
    if (Value < 0 || Value >= count) Value = count - 1;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin() + Value, this);
}

bool TWinControl::CanFocus() const {
    if (!GetParentForm(this)) return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    const TCustomForm* form = GetParentForm(this);
    return form && form->Active() && form->FocusedControl() == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (!form || !CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : tabList_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (list[static_cast<std::size_t>(i)] == CurControl) start = i;
    if (start < 0) start = GoForward ? count - 1 : 0;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = GoForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c == CurControl) break;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

void TWinControl::ShowControl(TControl* /*AControl*/) {
    if (Parent()) Parent()->ShowControl(this);
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::Realign() {
    if (alignDisabled_ > 0 || aligning_ || IsLoading()) return;
    AlignControls();
}

void TWinControl::AlignControls() {
    aligning_ = true;
    try {
        TRect r = AlignRect();
        auto collect = [this](TAlign a) {
            std::vector<TControl*> list;
            for (TControl* c : controls_)
                if (c->Align() == a && c->Visible()) list.push_back(c);
            auto key = [a](const TControl* c) {
                switch (a) {
                case TAlign::alTop: return c->Top();
                case TAlign::alBottom: return -(c->Top() + c->Height());
                case TAlign::alLeft: return c->Left();
                case TAlign::alRight: return -(c->Left() + c->Width());
                default: return 0;
                }
            };
            std::stable_sort(list.begin(), list.end(),
                             [&key](const TControl* x, const TControl* y) { return key(x) < key(y); });
            return list;
        };
        for (TControl* c : collect(TAlign::alTop)) {
            c->SetBoundsInternal(r.Left, r.Top, r.Width(), c->Height());
            r.Top += c->Height();
        }
        for (TControl* c : collect(TAlign::alBottom)) {
            c->SetBoundsInternal(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
            r.Bottom -= c->Height();
        }
        for (TControl* c : collect(TAlign::alLeft)) {
            c->SetBoundsInternal(r.Left, r.Top, c->Width(), std::max(0, r.Height()));
            r.Left += c->Width();
        }
        for (TControl* c : collect(TAlign::alRight)) {
            c->SetBoundsInternal(r.Right - c->Width(), r.Top, c->Width(), std::max(0, r.Height()));
            r.Right -= c->Width();
        }
        for (TControl* c : collect(TAlign::alClient))
            c->SetBoundsInternal(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

bool TWinControl::WantsKey(uint16_t /*Key*/, TShiftState /*Shift*/) const { return false; }

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::BoundsChanged(bool Moved, bool Sized) {
    if (Sized) Realign();
    TControl::BoundsChanged(Moved, Sized);
}

void TWinControl::VisibleChanged() {
    if (!Visible()) RemoveFocus(false);
    TControl::VisibleChanged();
}

void TWinControl::EnabledChanged() {
    if (!Enabled()) RemoveFocus(false);
    TControl::EnabledChanged();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : controls_) c->ParentFontChanged(Font());
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

void TWinControl::RemoveFocus(bool Removing) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) form->DefocusControl(this, Removing);
}

bool TWinControl::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "TabStop"))
        SetTabStop(PropBool(V));
    else if (SameText(N, "TabOrder"))
        SetTabOrder(PropInt(V));
    else if (SameText(N, "HelpContext"))
        HelpContext = PropInt(V);
    else
        return TControl::SetProperty(N, V);
    return true;
}

bool TWinControl::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnEnter")) return Bind(OnEnter, H, E);
    if (SameText(E, "OnExit")) return Bind(OnExit, H, E);
    if (SameText(E, "OnKeyDown")) return Bind(OnKeyDown, H, E);
    if (SameText(E, "OnKeyUp")) return Bind(OnKeyUp, H, E);
    if (SameText(E, "OnKeyPress")) return Bind(OnKeyPress, H, E);
    return TControl::BindEvent(E, H);
}

// ---------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

} // namespace trx
