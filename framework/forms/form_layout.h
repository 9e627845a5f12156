// Form layouts: a declarative description of a form and its controls, and
// the builder that makes them on a form and binds their events to the
// handlers of the form's class. The same description is what a backend
// shows as real windows.
//
//     const TFormDesc& PasswordLayout() {
//         static const TFormDesc d{
//             .Name = "fmPassword", .Caption = "Report:", .ClientWidth = 241, .ClientHeight = 150,
//             .Props = {{"BorderStyle", "bsDialog"}, {"Position", "poScreenCenter"}},
//             .Events = {{"OnShow", "FormShow"}},
//             .Controls = {
//                 {.Kind = "TEdit", .Name = "edPassword", .Left = 8, .Top = 48, .Width = 225,
//                  .Props = {{"PasswordChar", "X"}}},
//                 {.Kind = "TButton", .Name = "edOk", .Left = 40, .Top = 88, .Caption = "&Ok",
//                  .Props = {{"Default", "True"}}, .Events = {{"OnClick", "edOkClick"}}},
//             }};
//         return d;
//     }
//     // in the form's class, the controls it uses (form.h):
//     TRX_FIELD(TEdit, edPassword);
//     // in the form's constructor, which so sets edPassword too:
//     BuildForm(*this, PasswordLayout(), THandlerTable()
//                   .Add("FormShow", this, &TfmPassword::FormShow)
//                   .Add("edOkClick", this, &TfmPassword::edOkClick));
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/strings.h"

namespace trx {

class TCustomForm;

using TPropList = std::vector<std::pair<std::string, std::string>>;

struct TControlDesc {
    // The class: "TPanel", "TEdit", ... and the non-visual "TMainMenu",
    // "TMenuItem", "TTimer", "TSaveDialog", "TFontDialog"...
    std::string Kind{};
    std::string Name{};
    // The parent control's name, or "<notebook>.<page name>" for a page of a
    // notebook; empty for the form. A menu item's parent is its menu or item.
    std::string Parent{};
    int Left = 0;
    int Top = 0;
    // -1 keeps the class's default size.
    int Width = -1;
    int Height = -1;
    std::string Caption{}; // caption or text; empty leaves it
    std::string Hint{};
    // Items, lines, tabs or page names.
    std::vector<std::string> Items{};
    // Further properties as written: {"Font.Style", "[fsBold]"}, {"Align", "alTop"}.
    TPropList Props{};
    // Event to handler name: {"OnClick", "sbPrintClick"}.
    TPropList Events{};
};

struct TFormDesc {
    std::string Name{};
    std::string Caption{};
    int Left = 0;
    int Top = 0;
    // The client area; -1 keeps the default.
    int ClientWidth = -1;
    int ClientHeight = -1;
    // Form properties: BorderStyle, Position, KeyPreview, Font.*, Color,
    // HelpContext, ShowHint, and the references Menu and ActiveControl.
    TPropList Props{};
    TPropList Events{};
    // In creation order, parents before their children.
    std::vector<TControlDesc> Controls{};
};

// The form class's handlers by name.
class THandlerTable {
public:
    template <class C, class R, class... A>
    THandlerTable& Add(const std::string& Name, C* Object, R (C::*Method)(A...)) {
        handlers_[UpperCase(Name)] =
            std::function<R(A...)>([Object, Method](A... args) { return (Object->*Method)(std::forward<A>(args)...); });
        return *this;
    }
    template <class Sig>
    THandlerTable& Add(const std::string& Name, std::function<Sig> Handler) {
        handlers_[UpperCase(Name)] = std::move(Handler);
        return *this;
    }
    // The handler of that name (case-insensitive), or nullptr.
    const std::any* Find(const std::string& Name) const;

private:
    std::map<std::string, std::any> handlers_;
};

// Makes the controls and components of Desc on Form (owned by it), sets the
// fields of the form's class to them (TRX_FIELD) and sets the form's own
// properties; then binds the events and runs Loaded. Raises EComponentError
// for an unknown kind, property, event, handler or parent and for a field
// without its component, and EConvertError for a value that does not fit
// its property.
void BuildForm(TCustomForm& Form, const TFormDesc& Desc, const THandlerTable& Handlers);

// Makes a component of a kind; later layers register their own kinds.
using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;
void RegisterComponentClass(const std::string& Kind, TComponentFactory Factory);
bool IsComponentClassRegistered(const std::string& Kind);

} // namespace trx
