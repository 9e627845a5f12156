#include "framework/forms/user_input.h"

#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"

namespace trx {

bool CanUserReach(const TControl* Control) {
    if (!Control || !GetParentForm(Control)) return false;
    for (const TControl* c = Control; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

struct TUserInput {
    static std::string Describe(const TControl* Control) {
        if (!Control) return "(no control)";
        return Control->Name().empty() ? "an unnamed control" : Control->Name();
    }

    static void Require(const TControl* Control, const std::string& Action) {
        if (!Control) throw EScriptFailure("The user cannot " + Action + " a control that does not exist");
        if (!GetParentForm(Control))
            throw EScriptFailure("The user cannot " + Action + " " + Describe(Control) + ": it is on no form");
        for (const TControl* c = Control; c; c = c->Parent()) {
            if (!c->Visible())
                throw EScriptFailure("The user cannot " + Action + " " + Describe(Control) + ": " +
                                     (c == Control ? std::string("it") : Describe(c)) + " is hidden");
            if (!c->Enabled())
                throw EScriptFailure("The user cannot " + Action + " " + Describe(Control) + ": " +
                                     (c == Control ? std::string("it") : Describe(c)) + " is disabled");
        }
    }

    // Runs an action as the message loop would: exceptions go to the application.
    template <class F>
    static void Deliver(TObject* Sender, F&& Action) {
        try {
            Action();
        } catch (...) {
            Application()->HandleException(Sender);
        }
    }

    static void ActivateForm(TControl* Control) {
        TCustomForm* form = Control ? GetParentForm(Control) : nullptr;
        if (form && !form->Active()) form->Activate();
    }

    // The mouse goes down on the control: its form becomes active and the
    // control takes the focus if it takes it on a click. False when a
    // handler kept the focus elsewhere.
    static bool FocusByMouse(TControl* Control) {
        ActivateForm(Control);
        auto* w = dynamic_cast<TWinControl*>(Control);
        if (!w || dynamic_cast<TCustomForm*>(w) || !w->FocusOnClick() || w->Focused()) return true;
        auto* edit = dynamic_cast<TCustomEdit*>(w);
        if (edit) edit->enteringByMouse_ = true;
        try {
            w->SetFocus();
        } catch (...) {
            if (edit) edit->enteringByMouse_ = false;
            throw;
        }
        if (edit) {
            edit->enteringByMouse_ = false;
            if (edit->Focused()) edit->SetSelStart(Length(edit->Text()));
        }
        return w->Focused();
    }

    static void Click(TControl* Control) {
        if (FocusByMouse(Control)) Control->MouseClick();
    }

    static void DblClick(TControl* Control) {
        if (!FocusByMouse(Control)) return;
        Control->MouseClick();
        Control->MouseDblClick();
    }

    // One keystroke to Target, the focused control of its form or the form.
    static void Keystroke(TWinControl* Target, uint16_t Key, TShiftState Shift, int Char) {
        TCustomForm* form = dynamic_cast<TCustomForm*>(Target);
        if (!form) form = GetParentForm(Target);
        if (!form) return;
        TKeysHeld held(Shift);
        const bool preview = form != Target && form->KeyPreview;
        if (Key != 0) {
            if (form->IsShortCut(Key, Shift)) return;
            if (!Target->WantsKey(Key, Shift) && form->DialogKey(Key, Shift)) return;
            uint16_t k = Key;
            if (preview) form->KeyDown(k, Shift);
            if (k != 0) {
                Target->KeyDown(k, Shift);
                if (k != 0) Target->DefaultKeyDown(k, Shift);
            }
        }
        // The character was made from the key before its handlers ran, so a
        // key set to 0 in OnKeyDown does not stop it.
        const char ch = Char >= 0 ? static_cast<char>(Char) : CharOfKey(Key, Shift);
        if (Char >= 0 || ch != 0) {
            char c = ch;
            if (preview) form->KeyPress(c);
            if (c != 0) {
                Target->KeyPress(c);
                if (c != 0) Target->DefaultChar(c);
            }
        }
        if (Key != 0) {
            uint16_t k = Key;
            if (preview) form->KeyUp(k, Shift);
            if (k != 0) Target->KeyUp(k, Shift);
        }
    }

    // The control that keys typed into Target's form reach.
    static TWinControl* KeyTarget(TCustomForm* Form) {
        TWinControl* c = Form->ActiveControl();
        return c ? c : Form;
    }

    static void TypeChar(TWinControl* Target, char Ch) {
        const uint16_t key = KeyOfChar(Ch);
        TShiftState shift;
        if (Ch >= 'A' && Ch <= 'Z') shift.Include(TShiftFlag::ssShift);
        Keystroke(Target, key, shift, static_cast<unsigned char>(Ch));
    }

    static void Type(TWinControl* Control, const std::string& Text) {
        if (!Control->Focused() && !FocusByMouse(Control)) return;
        TCustomForm* form = GetParentForm(Control);
        for (char ch : Text) TypeChar(KeyTarget(form), ch);
    }

    static void SelectAllText(TWinControl* Control) {
        if (auto* edit = dynamic_cast<TCustomEdit*>(Control))
            edit->SelectAll();
        else if (auto* combo = dynamic_cast<TComboBox*>(Control))
            combo->SelectAll();
    }

    static void ComboPick(TComboBox* Combo, const std::function<int()>& Index, const std::string& What) {
        if (!FocusByMouse(Combo)) return;
        Combo->SetDroppedDown(true);
        const int i = Index();
        Combo->droppedDown_ = false;
        Combo->Changed(TControlChange::ccStyle);
        if (i < 0 || i >= Combo->Items().Count())
            throw EScriptFailure("The user cannot pick " + What + " in " + Describe(Combo) + ": it has " +
                                 IntToStr(Combo->Items().Count()) + " items");
        Combo->UserPick(i);
    }

    static void ListPick(TListBox* List, int Index, bool Double) {
        if (!FocusByMouse(List)) return;
        if (Index < 0 || Index >= List->Count())
            throw EScriptFailure("The user cannot click item " + IntToStr(Index) + " of " + Describe(List) +
                                 ": it has " + IntToStr(List->Count()) + " items");
        List->UserSelectItem(Index);
        if (Double) List->DblClick();
    }

    static void TabPick(TTabControl* Tabs, int Index) {
        ActivateForm(Tabs);
        if (Index < 0 || Index >= Tabs->Tabs().Count())
            throw EScriptFailure("The user cannot pick tab " + IntToStr(Index) + " of " + Describe(Tabs) + ": it has " +
                                 IntToStr(Tabs->Tabs().Count()) + " tabs");
        Tabs->UserPick(Index);
    }

    static TCustomForm* MenuForm(TMenuItem* Item) {
        TMenu* menu = Item ? Item->Menu() : nullptr;
        if (!menu) throw EScriptFailure("The user cannot reach a menu item that is in no menu");
        auto* form = dynamic_cast<TCustomForm*>(menu->Owner());
        if (!form || form->Menu() != menu)
            throw EScriptFailure("The user cannot reach " + Item->Name() + ": its menu is no form's main menu");
        Require(form, "use the menu of");
        return form;
    }

    // Opens the menus down to Item (Item included when Open): their OnClick, top first.
    static void OpenMenus(TMenuItem* Item, bool Open) {
        std::vector<TMenuItem*> chain;
        for (TMenuItem* p = Open ? Item : Item->Parent(); p && p->Parent(); p = p->Parent()) chain.push_back(p);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            TMenuItem* m = *it;
            if (!m->Visible() || !m->Enabled())
                throw EScriptFailure("The user cannot open " + m->Name() + ": it is " +
                                     (m->Visible() ? "disabled" : "hidden"));
            m->Click();
        }
    }
};

void UserClick(TControl* Control) {
    TUserInput::Require(Control, "click");
    TUserInput::Deliver(Control, [&] { TUserInput::Click(Control); });
}

void UserDblClick(TControl* Control) {
    TUserInput::Require(Control, "double-click");
    TUserInput::Deliver(Control, [&] { TUserInput::DblClick(Control); });
}

void UserFocus(TWinControl* Control) {
    TUserInput::Require(Control, "focus");
    TUserInput::Deliver(Control, [&] { TUserInput::FocusByMouse(Control); });
}

void UserType(TWinControl* Control, const std::string& Text) {
    TUserInput::Require(Control, "type into");
    TUserInput::Deliver(Control, [&] { TUserInput::Type(Control, Text); });
}

void UserReplaceText(TWinControl* Control, const std::string& Text) {
    TUserInput::Require(Control, "type into");
    TUserInput::Deliver(Control, [&] {
        if (!Control->Focused() && !TUserInput::FocusByMouse(Control)) return;
        TUserInput::SelectAllText(Control);
        if (Text.empty())
            TUserInput::Keystroke(Control, VK_DELETE, {}, -1);
        else
            TUserInput::Type(Control, Text);
    });
}

void UserKeyDown(TWinControl* Target, uint16_t Key, TShiftState Shift) {
    TUserInput::Require(Target, "press a key in");
    TUserInput::Deliver(Target, [&] {
        if (auto* form = dynamic_cast<TCustomForm*>(Target)) {
            TUserInput::ActivateForm(form);
            TUserInput::Keystroke(TUserInput::KeyTarget(form), Key, Shift, -1);
            return;
        }
        if (!Target->Focused() && !TUserInput::FocusByMouse(Target)) return;
        TUserInput::Keystroke(Target, Key, Shift, -1);
    });
}

void UserKeystroke(TCustomForm* Form, uint16_t Key, TShiftState Shift, const std::string& Chars) {
    TUserInput::Require(Form, "press a key in");
    TUserInput::Deliver(Form, [&] {
        TUserInput::ActivateForm(Form);
        if (Chars.empty()) {
            TUserInput::Keystroke(TUserInput::KeyTarget(Form), Key, Shift, -1);
            return;
        }
        // The key goes down once, with the first byte; the other bytes of
        // a character beyond ASCII follow as characters alone.
        for (std::size_t i = 0; i < Chars.size(); ++i)
            TUserInput::Keystroke(TUserInput::KeyTarget(Form), i == 0 ? Key : 0, Shift,
                                  static_cast<unsigned char>(Chars[i]));
    });
}

void UserSelect(TComboBox* Combo, int Index) {
    TUserInput::Require(Combo, "pick an item in");
    TUserInput::Deliver(Combo, [&] {
        TUserInput::ComboPick(
            Combo, [Index] { return Index; }, "item " + IntToStr(Index));
    });
}

void UserSelect(TComboBox* Combo, const std::string& Item) {
    TUserInput::Require(Combo, "pick an item in");
    TUserInput::Deliver(Combo, [&] {
        TUserInput::ComboPick(
            Combo, [&] { return Combo->Items().IndexOf(Item); }, "\"" + Item + "\"");
    });
}

void UserDropDown(TComboBox* Combo) {
    TUserInput::Require(Combo, "open");
    TUserInput::Deliver(Combo, [&] {
        if (!TUserInput::FocusByMouse(Combo)) return;
        Combo->SetDroppedDown(true);
        Combo->SetDroppedDown(false);
    });
}

void UserSelectItem(TListBox* List, int Index) {
    TUserInput::Require(List, "click an item of");
    TUserInput::Deliver(List, [&] { TUserInput::ListPick(List, Index, false); });
}

void UserDblClickItem(TListBox* List, int Index) {
    TUserInput::Require(List, "double-click an item of");
    TUserInput::Deliver(List, [&] { TUserInput::ListPick(List, Index, true); });
}

void UserSelectTab(TTabControl* Tabs, int Index) {
    TUserInput::Require(Tabs, "pick a tab of");
    TUserInput::Deliver(Tabs, [&] { TUserInput::TabPick(Tabs, Index); });
}

void UserSelectTab(TTabControl* Tabs, const std::string& Tab) {
    TUserInput::Require(Tabs, "pick a tab of");
    const int i = Tabs->Tabs().IndexOf(Tab);
    if (i < 0) throw EScriptFailure("The user cannot pick the tab \"" + Tab + "\": " + Tabs->Name() + " has none");
    TUserInput::Deliver(Tabs, [&] { TUserInput::TabPick(Tabs, i); });
}

void UserOpenMenu(TMenuItem* Item) {
    TCustomForm* form = TUserInput::MenuForm(Item);
    TUserInput::Deliver(form, [&] {
        TUserInput::ActivateForm(form);
        TUserInput::OpenMenus(Item, true);
    });
}

void UserClickMenu(TMenuItem* Item) {
    TCustomForm* form = TUserInput::MenuForm(Item);
    TUserInput::Deliver(form, [&] {
        TUserInput::ActivateForm(form);
        TUserInput::OpenMenus(Item, false);
        if (!Item->Visible() || !Item->Enabled())
            throw EScriptFailure("The user cannot click " + Item->Name() + ": it is " +
                                 (Item->Visible() ? "disabled" : "hidden"));
        Item->Click();
    });
}

void UserHover(TControl* Control) {
    std::string hint;
    for (const TControl* c = Control; c && hint.empty(); c = c->Parent()) hint = c->Hint();
    TUserInput::Deliver(Application(), [&] { Application()->SetHint(GetLongHint(hint)); });
}

void UserHover(TMenuItem* Item) {
    TUserInput::Deliver(Application(), [&] { Application()->SetHint(Item ? GetLongHint(Item->Hint()) : ""); });
}

void UserClose(TCustomForm* Form) {
    TUserInput::Require(Form, "close");
    TUserInput::Deliver(Form, [&] { Form->Close(); });
}

void UserResize(TCustomForm* Form, int Width, int Height) {
    TUserInput::Require(Form, "resize");
    TUserInput::Deliver(Form, [&] { Form->SetBounds(Form->Left(), Form->Top(), Width, Height); });
}

} // namespace trx
