#include "framework/forms/form_layout.h"

#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"

namespace trx {

const std::any* THandlerTable::Find(const std::string& Name) const {
    const auto it = handlers_.find(UpperCase(Name));
    return it == handlers_.end() ? nullptr : &it->second;
}

namespace {

std::map<std::string, TComponentFactory>& Registry() {
    static std::map<std::string, TComponentFactory> registry = [] {
        std::map<std::string, TComponentFactory> r;
        auto add = [&r](const char* kind, TComponentFactory f) { r[UpperCase(kind)] = std::move(f); };
        add("TPanel", [](TComponent* o) { return new TPanel(o); });
        add("TLabel", [](TComponent* o) { return new TLabel(o); });
        add("TGroupBox", [](TComponent* o) { return new TGroupBox(o); });
        add("TButton", [](TComponent* o) { return new TButton(o); });
        add("TBitBtn", [](TComponent* o) { return new TBitBtn(o); });
        add("TSpeedButton", [](TComponent* o) { return new TSpeedButton(o); });
        add("TEdit", [](TComponent* o) { return new TEdit(o); });
        add("TMaskEdit", [](TComponent* o) { return new TMaskEdit(o); });
        add("TMemo", [](TComponent* o) { return new TMemo(o); });
        add("TCheckBox", [](TComponent* o) { return new TCheckBox(o); });
        add("TRadioButton", [](TComponent* o) { return new TRadioButton(o); });
        add("TComboBox", [](TComponent* o) { return new TComboBox(o); });
        add("TListBox", [](TComponent* o) { return new TListBox(o); });
        add("TNotebook", [](TComponent* o) { return new TNotebook(o); });
        add("TTabControl", [](TComponent* o) { return new TTabControl(o); });
        add("TMainMenu", [](TComponent* o) { return new TMainMenu(o); });
        add("TMenuItem", [](TComponent* o) { return new TMenuItem(o); });
        add("TTimer", [](TComponent* o) { return new TTimer(o); });
        add("TOpenDialog", [](TComponent* o) { return new TOpenDialog(o); });
        add("TSaveDialog", [](TComponent* o) { return new TSaveDialog(o); });
        add("TFontDialog", [](TComponent* o) { return new TFontDialog(o); });
        add("TPrinterSetupDialog", [](TComponent* o) { return new TPrinterSetupDialog(o); });
        return r;
    }();
    return registry;
}

// Properties that name other components, set once every component exists.
bool IsReference(const std::string& Prop) {
    return SameText(Prop, "FocusControl") || SameText(Prop, "ActiveControl") || SameText(Prop, "Menu");
}

[[noreturn]] void LayoutError(const std::string& Where, const std::string& What) {
    throw EComponentError("Form layout, " + Where + ": " + What);
}

void SetProp(TPropertyAccess* Target, const std::string& Where, const std::string& Name, const std::string& Value) {
    if (!Target || !Target->SetProperty(Name, Value)) LayoutError(Where, "no property " + Name);
}

void BindEvents(TPropertyAccess* Target, const std::string& Where, const TPropList& Events,
                const THandlerTable& Handlers) {
    for (const auto& [event, handler] : Events) {
        const std::any* h = Handlers.Find(handler);
        if (!h) LayoutError(Where, "no handler named " + handler + " for " + event);
        if (!Target || !Target->BindEvent(event, *h)) LayoutError(Where, "no event " + event);
    }
}

void PlaceMenuItem(TCustomForm& Form, TMenuItem* Item, const TControlDesc& D) {
    TComponent* parent = Form.FindComponent(D.Parent);
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(Item);
    else if (auto* up = dynamic_cast<TMenuItem*>(parent))
        up->Add(Item);
    else
        LayoutError(D.Name, "the parent of a menu item must be a menu or menu item, not \"" + D.Parent + "\"");
}

TWinControl* FindParent(TCustomForm& Form, const TControlDesc& D) {
    if (D.Parent.empty()) return &Form;
    const std::size_t dot = D.Parent.find('.');
    if (dot != std::string::npos) {
        auto* nb = dynamic_cast<TNotebook*>(Form.FindComponent(D.Parent.substr(0, dot)));
        if (!nb) LayoutError(D.Name, "no notebook for the parent " + D.Parent);
        TPage* page = nb->FindPage(D.Parent.substr(dot + 1));
        if (!page) LayoutError(D.Name, "no page for the parent " + D.Parent);
        return page;
    }
    auto* p = dynamic_cast<TWinControl*>(Form.FindComponent(D.Parent));
    if (!p) LayoutError(D.Name, "no windowed control named " + D.Parent + " to be the parent");
    return p;
}

} // namespace

void RegisterComponentClass(const std::string& Kind, TComponentFactory Factory) {
    Registry()[UpperCase(Kind)] = std::move(Factory);
}

bool IsComponentClassRegistered(const std::string& Kind) { return Registry().count(UpperCase(Kind)) > 0; }

void BuildForm(TCustomForm& Form, const TFormDesc& Desc, const THandlerTable& Handlers) {
    Form.BeginLoading();
    if (!Desc.Name.empty()) Form.SetName(Desc.Name);
    if (!Desc.Caption.empty()) Form.SetCaption(Desc.Caption);
    const std::string formWhere = Desc.Name.empty() ? std::string("the form") : Desc.Name;
    for (const auto& [name, value] : Desc.Props)
        if (!IsReference(name)) SetProp(&Form, formWhere, name, value);

    std::vector<std::pair<TComponent*, const TControlDesc*>> made;
    for (const TControlDesc& d : Desc.Controls) {
        const std::string where = d.Name.empty() ? d.Kind : d.Name;
        const auto factory = Registry().find(UpperCase(d.Kind));
        if (factory == Registry().end()) LayoutError(where, "unknown kind " + d.Kind);
        TComponent* c = factory->second(&Form);
        made.emplace_back(c, &d);
        c->BeginLoading();
        if (!d.Name.empty()) c->SetName(d.Name);
        auto* access = dynamic_cast<TPropertyAccess*>(c);
        if (auto* control = dynamic_cast<TControl*>(c)) {
            control->SetParent(FindParent(Form, d));
            control->SetBounds(d.Left, d.Top, d.Width >= 0 ? d.Width : control->Width(),
                               d.Height >= 0 ? d.Height : control->Height());
            if (!d.Caption.empty()) control->SetCaption(d.Caption);
            if (!d.Hint.empty()) control->SetHint(d.Hint);
            if (!d.Items.empty()) {
                TStrings* list = control->LayoutItems();
                if (!list) LayoutError(where, d.Kind + " takes no items");
                TStringList items;
                for (const std::string& s : d.Items) items.Add(s);
                list->Assign(items);
            }
        } else if (auto* item = dynamic_cast<TMenuItem*>(c)) {
            PlaceMenuItem(Form, item, d);
            if (!d.Caption.empty()) item->SetCaption(d.Caption);
            if (!d.Hint.empty()) item->SetHint(d.Hint);
        } else {
            if (!d.Parent.empty()) LayoutError(where, "a " + d.Kind + " has no parent");
            if (!d.Caption.empty() || !d.Items.empty()) LayoutError(where, "a " + d.Kind + " has no caption or items");
        }
        for (const auto& [name, value] : d.Props)
            if (!IsReference(name)) SetProp(access, where, name, value);
    }

    Form.BindFields();

    // References, then the form's size (a menu takes room from the client area).
    for (const auto& [name, value] : Desc.Props)
        if (SameText(name, "Menu")) {
            auto* menu = dynamic_cast<TMainMenu*>(Form.FindComponent(value));
            if (!menu) LayoutError(formWhere, "no main menu named " + value);
            Form.SetMenu(menu);
        }
    Form.SetBounds(Desc.Left, Desc.Top, Form.Width(), Form.Height());
    if (Desc.ClientWidth >= 0) Form.SetClientWidth(Desc.ClientWidth);
    if (Desc.ClientHeight >= 0) Form.SetClientHeight(Desc.ClientHeight);
    for (const auto& [c, d] : made)
        for (const auto& [name, value] : d->Props)
            if (IsReference(name)) SetProp(dynamic_cast<TPropertyAccess*>(c), d->Name, name, value);
    for (const auto& [name, value] : Desc.Props)
        if (SameText(name, "ActiveControl")) {
            auto* control = dynamic_cast<TWinControl*>(Form.FindComponent(value));
            if (!control) LayoutError(formWhere, "no windowed control named " + value + " to be active");
            Form.SetActiveControl(control);
        }

    BindEvents(&Form, formWhere, Desc.Events, Handlers);
    for (const auto& [c, d] : made)
        BindEvents(dynamic_cast<TPropertyAccess*>(c), d->Name.empty() ? d->Kind : d->Name, d->Events, Handlers);

    Form.Loaded();
    for (const auto& [c, d] : made) c->Loaded();
}

} // namespace trx
