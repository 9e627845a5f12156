// Main menus and menu items.
//
// A short cut finds its item anywhere in the menu; the item's parents get
// their OnClick first (top level first), so that they can enable their
// items, then the item's OnClick fires when it is enabled. A top-level
// item's OnClick also fires when the user opens its menu.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/stringlist.h"
#include "framework/forms/control.h"
#include "framework/forms/keys.h"

namespace trx {

class TMenu;

class TMenuItem : public TComponent, public TPropertyAccess {
public:
    explicit TMenuItem(TComponent* AOwner);
    // Frees the items under it.
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& Value);
    int GroupIndex = 0;
    bool RadioItem = false;
    bool Default = false;
    int HelpContext = 0;
    // A separator: the caption "-".
    bool IsLine() const { return caption_ == "-"; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int Index) const;
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Remove(TMenuItem* Item);
    // Removes and frees the item at Index.
    void Delete(int Index);
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Parent() const { return parent_; }
    // The menu the item stands in, or nullptr.
    TMenu* Menu() const;
    // The item under this one whose caption, without its '&', is Caption
    // (case-insensitive); nullptr when none.
    TMenuItem* Find(const std::string& Caption) const;

    // Fires OnClick, enabled or not.
    virtual void Click();

    TNotifyEvent OnClick;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;

private:
    friend class TMenu;
    void Changed();

    std::string caption_;
    TShortCut shortCut_ = 0;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on the root item only
    std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent, public TPropertyAccess {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item; the menu's top-level items are its items.
    TMenuItem* Items() const { return items_.get(); }
    // The first item (depth first) with the short cut, or nullptr.
    TMenuItem* FindItem(TShortCut ShortCut) const;
    // Handles a key as a short cut; true when an enabled item took it.
    bool IsShortCut(uint16_t Key, TShiftState Shift);

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;

private:
    std::unique_ptr<TMenuItem> items_;
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
};

// The caption without its accelerator marks: "&File" gives "File", "&&" one '&'.
std::string StripHotkey(const std::string& Text);

} // namespace trx
