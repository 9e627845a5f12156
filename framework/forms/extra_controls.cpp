#include "framework/forms/extra_controls.h"

#include <algorithm>

#include "framework/core/clock.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/form.h"
#include "framework/forms/property_values.h"

namespace trx {

namespace {
TBevelCut PropBevel(const std::string& V) {
    return PropEnum<TBevelCut>(V, {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
}
} // namespace

// ---------------------------------------------------------------------------
// TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Changed(TControlChange::ccStyle);
}

void TPanel::SetBevelInner(TBevelCut Value) {
    if (bevelInner_ == Value) return;
    bevelInner_ = Value;
    Changed(TControlChange::ccStyle);
    Realign();
}

void TPanel::SetBevelOuter(TBevelCut Value) {
    if (bevelOuter_ == Value) return;
    bevelOuter_ = Value;
    Changed(TControlChange::ccStyle);
    Realign();
}

void TPanel::SetBevelWidth(int Value) {
    if (Value < 1 || bevelWidth_ == Value) return;
    bevelWidth_ = Value;
    Changed(TControlChange::ccStyle);
    Realign();
}

void TPanel::SetBorderWidth(int Value) {
    if (Value < 0 || borderWidth_ == Value) return;
    borderWidth_ = Value;
    Changed(TControlChange::ccStyle);
    Realign();
}

void TPanel::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    Changed(TControlChange::ccStyle);
    Realign();
}

TRect TPanel::AlignRect() const {
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
    if (borderStyle_ == TBorderStyle::bsSingle) inset += 1;
    TRect r = ClientRect();
    return Rect(r.Left + inset, r.Top + inset, std::max(r.Left + inset, r.Right - inset),
                std::max(r.Top + inset, r.Bottom - inset));
}

bool TPanel::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Alignment"))
        SetAlignment(PropEnum<TAlignment>(V, {"taLeftJustify", "taRightJustify", "taCenter"}));
    else if (SameText(N, "BevelInner"))
        SetBevelInner(PropBevel(V));
    else if (SameText(N, "BevelOuter"))
        SetBevelOuter(PropBevel(V));
    else if (SameText(N, "BevelWidth"))
        SetBevelWidth(PropInt(V));
    else if (SameText(N, "BorderWidth"))
        SetBorderWidth(PropInt(V));
    else if (SameText(N, "BorderStyle"))
        SetBorderStyle(PropEnum<TBorderStyle>(V, {"bsNone", "bsSingle"}));
    else
        return TCustomControl::SetProperty(N, V);
    return true;
}

// ---------------------------------------------------------------------------
// TNotebook

TPage::TPage(TComponent* AOwner) : TCustomControl(AOwner) {}

TNotebook::TNotebook(TComponent* AOwner)
    : TCustomControl(AOwner),
      pages_(std::make_unique<TItemStrings>([this](TItemsChange c, int i) { PagesChanged(c, i); })) {
    SetBounds(0, 0, 150, 150);
    pages_->Add("Default");
}

TNotebook::~TNotebook() {
    // The pages go with the other child controls; the lists only forget them.
    pageObjs_.clear();
    pages_.reset();
}

TPage* TNotebook::Page(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(pageObjs_.size()))
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return pageObjs_[static_cast<std::size_t>(Index)];
}

TPage* TNotebook::FindPage(const std::string& Name) const {
    const int i = pages_->IndexOf(Name);
    return i >= 0 ? Page(i) : nullptr;
}

std::string TNotebook::ActivePage() const {
    return pageIndex_ >= 0 && pageIndex_ < pages_->Count() ? pages_->Get(pageIndex_) : std::string();
}

void TNotebook::SetActivePage(const std::string& Value) {
    const int i = pages_->IndexOf(Value);
    if (i >= 0) SetPageIndex(i);
}

void TNotebook::PagesChanged(TItemsChange Change, int Index) {
    switch (Change) {
    case TItemsChange::icInsert: {
        auto* page = new TPage(this);
        page->SetCaption(pages_->Get(Index));
        page->SetVisible(false);
        page->SetAlign(TAlign::alClient);
        page->SetParent(this);
        pageObjs_.insert(pageObjs_.begin() + Index, page);
        if (pageIndex_ < 0) {
            pageIndex_ = Index;
            page->SetVisible(true);
        } else if (Index <= pageIndex_) {
            ++pageIndex_;
        }
        break;
    }
    case TItemsChange::icDelete: {
        TPage* page = pageObjs_[static_cast<std::size_t>(Index)];
        pageObjs_.erase(pageObjs_.begin() + Index);
        delete page;
        if (Index < pageIndex_) {
            --pageIndex_;
        } else if (Index == pageIndex_) {
            pageIndex_ = std::min(pageIndex_, static_cast<int>(pageObjs_.size()) - 1);
            if (pageIndex_ >= 0) Page(pageIndex_)->SetVisible(true);
        }
        break;
    }
    case TItemsChange::icClear: {
        std::vector<TPage*> gone;
        gone.swap(pageObjs_);
        for (TPage* page : gone) delete page;
        pageIndex_ = -1;
        break;
    }
    case TItemsChange::icPut: Page(Index)->SetCaption(pages_->Get(Index)); break;
    case TItemsChange::icUpdated: break;
    }
    Changed(TControlChange::ccItems);
}

void TNotebook::SetPageIndex(int Value) {
    if (Value == pageIndex_ || Value < 0 || Value >= static_cast<int>(pageObjs_.size())) return;
    TCustomForm* form = GetParentForm(this);
    // The focus leaves the page for the notebook, then enters the new page.
    if (form && form->ActiveControl() && form->ActiveControl() != this && ContainsControl(form->ActiveControl()) &&
        CanFocus())
        form->SetActiveControl(this);
    TPage* next = Page(Value);
    next->SetVisible(true);
    next->BringToFront();
    if (pageIndex_ >= 0 && pageIndex_ < static_cast<int>(pageObjs_.size())) Page(pageIndex_)->SetVisible(false);
    pageIndex_ = Value;
    Realign();
    Changed(TControlChange::ccItemIndex);
    if (form && form->ActiveControl() == this) {
        TWinControl* first = FindNextControl(nullptr, true, true, false);
        if (!first) first = FindNextControl(nullptr, true, false, false);
        if (first) form->SetActiveControl(first);
    }
    if (OnPageChanged) OnPageChanged(this);
}

void TNotebook::ShowControl(TControl* AControl) {
    for (int i = 0; i < static_cast<int>(pageObjs_.size()); ++i)
        if (Page(i)->ContainsControl(AControl)) {
            SetPageIndex(i);
            break;
        }
    TCustomControl::ShowControl(AControl);
}

bool TNotebook::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "PageIndex"))
        SetPageIndex(PropInt(V));
    else if (SameText(N, "ActivePage"))
        SetActivePage(V);
    else
        return TCustomControl::SetProperty(N, V);
    return true;
}

bool TNotebook::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnPageChanged")) return Bind(OnPageChanged, H, E);
    return TCustomControl::BindEvent(E, H);
}

// ---------------------------------------------------------------------------
// TTabControl

TTabControl::TTabControl(TComponent* AOwner)
    : TCustomControl(AOwner),
      tabs_(std::make_unique<TItemStrings>([this](TItemsChange c, int i) { TabsChanged(c, i); })) {
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TTabControl::~TTabControl() = default;

void TTabControl::TabsChanged(TItemsChange Change, int Index) {
    const int before = tabIndex_;
    switch (Change) {
    case TItemsChange::icInsert:
        if (tabIndex_ < 0 && tabs_->Count() == 1)
            tabIndex_ = 0;
        else if (tabIndex_ >= 0 && Index <= tabIndex_)
            ++tabIndex_;
        break;
    case TItemsChange::icDelete:
        if (Index == tabIndex_)
            tabIndex_ = -1;
        else if (Index < tabIndex_)
            --tabIndex_;
        break;
    case TItemsChange::icClear: tabIndex_ = -1; break;
    case TItemsChange::icPut:
    case TItemsChange::icUpdated: break;
    }
    Changed(TControlChange::ccItems);
    if (before != tabIndex_) Changed(TControlChange::ccItemIndex);
}

void TTabControl::SetTabIndex(int Value) {
    if (Value < -1 || Value >= tabs_->Count() || Value == tabIndex_) return;
    tabIndex_ = Value;
    Changed(TControlChange::ccItemIndex);
}

TRect TTabControl::AlignRect() const {
    TRect r = ClientRect();
    int strip = TabHeight;
    if (strip <= 0) {
        TCanvas c;
        c.SetFont(Font());
        strip = c.TextHeight("Ag") + 8;
    }
    return Rect(r.Left + 4, r.Top + strip + 4, std::max(r.Left + 4, r.Right - 4),
                std::max(r.Top + strip + 4, r.Bottom - 4));
}

bool TTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TTabControl::Change() {
    if (OnChange) OnChange(this);
}

void TTabControl::UserPick(int Index) {
    if (Index < 0 || Index >= tabs_->Count() || Index == tabIndex_) return;
    if (!CanChange()) return;
    tabIndex_ = Index;
    Changed(TControlChange::ccItemIndex);
    Change();
}

bool TTabControl::WantsKey(uint16_t Key, TShiftState /*Shift*/) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TTabControl::DefaultKeyDown(uint16_t Key, TShiftState /*Shift*/) {
    if (Key == VK_LEFT || Key == VK_UP)
        UserPick(tabIndex_ - 1);
    else if (Key == VK_RIGHT || Key == VK_DOWN)
        UserPick(tabIndex_ + 1);
}

bool TTabControl::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "TabIndex"))
        SetTabIndex(PropInt(V));
    else if (SameText(N, "MultiLine"))
        MultiLine = PropBool(V);
    else if (SameText(N, "TabHeight"))
        TabHeight = PropInt(V);
    else
        return TCustomControl::SetProperty(N, V);
    return true;
}

bool TTabControl::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnChanging")) return Bind(OnChanging, H, E);
    if (SameText(E, "OnChange")) return Bind(OnChange, H, E);
    return TCustomControl::BindEvent(E, H);
}

// ---------------------------------------------------------------------------
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetFlat(bool Value) {
    if (flat_ == Value) return;
    flat_ = Value;
    Changed(TControlChange::ccStyle);
}

void TSpeedButton::SetDown(bool Value) {
    if (GroupIndex == 0) Value = false;
    if (down_ == Value) return;
    if (down_ && !AllowAllUp) return;
    down_ = Value;
    Changed(TControlChange::ccChecked);
    if (!Value || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (b && b != this && b->GroupIndex == GroupIndex && b->down_) {
            b->down_ = false;
            b->Changed(TControlChange::ccChecked);
        }
    }
}

void TSpeedButton::MouseClick() {
    if (GroupIndex != 0) {
        if (!down_)
            SetDown(true);
        else if (AllowAllUp)
            SetDown(false);
    }
    Click();
}

bool TSpeedButton::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Flat"))
        SetFlat(PropBool(V));
    else if (SameText(N, "GroupIndex"))
        GroupIndex = PropInt(V);
    else if (SameText(N, "AllowAllUp"))
        AllowAllUp = PropBool(V);
    else if (SameText(N, "Down"))
        SetDown(PropBool(V));
    else if (SameText(N, "Glyph"))
        Glyph = V;
    else
        return TGraphicControl::SetProperty(N, V);
    return true;
}

// ---------------------------------------------------------------------------
// TBitBtn

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

void TBitBtn::SetKind(TBitBtnKind Value) {
    kind_ = Value;
    struct TKindInfo {
        const char* Caption;
        TModalResult Result;
        bool Default;
        bool Cancel;
    };
    static const TKindInfo kinds[] = {
        {"", mrNone, false, false},          {"OK", mrOk, true, false},       {"Cancel", mrCancel, false, true},
        {"&Help", mrNone, false, false},     {"&Yes", mrYes, true, false},    {"&No", mrNo, false, true},
        {"&Close", mrNone, false, false},    {"Abort", mrAbort, false, true}, {"&Retry", mrRetry, false, false},
        {"&Ignore", mrIgnore, false, false}, {"&All", mrAll, false, false},
    };
    if (Value == TBitBtnKind::bkCustom) return;
    const TKindInfo& k = kinds[static_cast<int>(Value)];
    SetCaption(k.Caption);
    ModalResult = k.Result;
    Default = k.Default;
    Cancel = k.Cancel;
}

void TBitBtn::Click() {
    if (kind_ == TBitBtnKind::bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

bool TBitBtn::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Kind"))
        SetKind(PropEnum<TBitBtnKind>(V, {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                                          "bkAbort", "bkRetry", "bkIgnore", "bkAll"}));
    else
        return TButton::SetProperty(N, V);
    return true;
}

// ---------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    Application(); // so that Delay runs the message loop that fires timers
    TApplication::AddTimer(this);
    Restart();
}

TTimer::~TTimer() { TApplication::RemoveTimer(this); }

void TTimer::Restart() { due_ = GetTickCount() + interval_; }

void TTimer::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    Restart();
}

void TTimer::SetInterval(uint32_t Value) {
    if (interval_ == Value) return;
    interval_ = Value;
    Restart();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

bool TTimer::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Enabled"))
        SetEnabled(PropBool(V));
    else if (SameText(N, "Interval"))
        SetInterval(static_cast<uint32_t>(PropInt(V)));
    else if (SameText(N, "Tag"))
        Tag = PropInt(V);
    else
        return false;
    return true;
}

bool TTimer::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnTimer")) return Bind(OnTimer, H, E);
    return false;
}

} // namespace trx
