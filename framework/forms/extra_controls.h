// Panels, notebooks, tab controls, speed buttons, bitmap buttons and timers.
//
//  - TSpeedButton: Click fires OnClick even while the button is disabled
//    (a user cannot click it then).
//  - TNotebook: named pages that are the parents of their controls; turning
//    the page moves the focus out of the old page (OnExit) to the notebook
//    and on to the first control of the new page.
//  - TTabControl: setting TabIndex fires nothing; a user's pick fires
//    OnChanging (which may refuse it), then OnChange.
//  - TTimer: fires OnTimer from the application's message loop once its
//    interval has passed on the current clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/standard_controls.h"

namespace trx {

enum class TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle : uint8_t { bsNone, bsSingle };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);

    bool SetProperty(const std::string& Name, const std::string& Value) override;

protected:
    TRect AlignRect() const override;
    bool FocusOnClick() const override { return false; }

private:
    TAlignment alignment_ = TAlignment::taCenter;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
};

// One page of a notebook: its Caption is the page's name.
class TPage : public TCustomControl {
public:
    explicit TPage(TComponent* AOwner);

protected:
    bool FocusOnClick() const override { return false; }
};

class TNotebook : public TCustomControl {
public:
    explicit TNotebook(TComponent* AOwner);
    ~TNotebook() override;

    // The page names; adding, deleting and renaming an item makes, frees and
    // renames a page. A new notebook has one page, "Default".
    TStrings& Pages() { return *pages_; }
    void SetPages(const TStrings& Value) { pages_->Assign(Value); }
    int PageCount() const { return pages_->Count(); }
    TPage* Page(int Index) const;
    // The page of a name (case-insensitive), or nullptr.
    TPage* FindPage(const std::string& Name) const;
    int PageIndex() const { return pageIndex_; }
    // Turns to a page; an index out of range is ignored. Fires OnPageChanged.
    void SetPageIndex(int Value);
    std::string ActivePage() const;
    // Turns to the page of that name (case-insensitive); a name that is no
    // page is ignored.
    void SetActivePage(const std::string& Value);
    void ShowControl(TControl* AControl) override;

    TNotifyEvent OnPageChanged;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;
    TStrings* LayoutItems() override { return pages_.get(); }

protected:
    bool FocusOnClick() const override { return false; }

private:
    void PagesChanged(TItemsChange Change, int Index);

    std::unique_ptr<TItemStrings> pages_;
    std::vector<TPage*> pageObjs_; // parallel to the names
    int pageIndex_ = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TTabControl : public TCustomControl {
public:
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;

    // Inserting a tab at or before the selected one keeps that tab selected;
    // deleting the selected tab leaves none selected; the first tab of an
    // empty list becomes the selected one.
    TStrings& Tabs() { return *tabs_; }
    void SetTabs(const TStrings& Value) { tabs_->Assign(Value); }
    int TabIndex() const { return tabIndex_; }
    // Selects a tab (-1: none); no events.
    void SetTabIndex(int Value);
    bool MultiLine = false;
    int TabHeight = 0;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;
    TStrings* LayoutItems() override { return tabs_.get(); }

protected:
    TRect AlignRect() const override;
    virtual bool CanChange();
    virtual void Change();
    // A user's pick: OnChanging, then (when allowed) the tab and OnChange.
    void UserPick(int Index);
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void DefaultKeyDown(uint16_t Key, TShiftState Shift) override;
    void MouseClick() override {}

private:
    friend struct TUserInput;
    void TabsChanged(TItemsChange Change, int Index);

    std::unique_ptr<TItemStrings> tabs_;
    int tabIndex_ = -1;
};

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);

    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    // With a GroupIndex the button stays down when clicked and lets the
    // others of its group up.
    bool Down() const { return down_; }
    void SetDown(bool Value);
    int GroupIndex = 0;
    bool AllowAllUp = false;
    // The picture on the button's face, named from the platform's stock
    // ("Exit", "Save", "Preview", "PrinterSetup", "First", "Prior", "Next",
    // "Last", "FitWidth", "FitHeight", "Clipboard"); empty: none.
    std::string Glyph;

    bool SetProperty(const std::string& Name, const std::string& Value) override;

protected:
    void MouseClick() override;

private:
    bool flat_ = false;
    bool down_ = false;
};

enum class TBitBtnKind : uint8_t {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);

    // A kind gives the button its caption, modal result and default or cancel role.
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind Value);

    // A close button closes its form (without OnClick); others click as buttons do.
    void Click() override;

    bool SetProperty(const std::string& Name, const std::string& Value) override;

private:
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

class TTimer : public TComponent, public TPropertyAccess {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    // Enabling, or changing the interval, starts the interval anew.
    void SetEnabled(bool Value);
    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t Value);
    // Enabled, with an interval and a handler.
    bool Running() const { return enabled_ && interval_ > 0 && static_cast<bool>(OnTimer); }
    // Fires OnTimer.
    void Timer();

    TNotifyEvent OnTimer;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;

private:
    friend class TApplication;
    void Restart();

    bool enabled_ = true;
    uint32_t interval_ = 1000;
    int64_t due_ = 0;
};

} // namespace trx
