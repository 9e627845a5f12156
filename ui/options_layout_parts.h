// Pieces shared by the files that lay out the options dialog's pages.
#pragma once

#include <string>
#include <vector>

#include "framework/forms/form_layout.h"

namespace trx {

// Where a control stands in its parent; -1 keeps the class's default size.
struct TPlace {
    int Left = 0;
    int Top = 0;
    int Width = -1;
    int Height = -1;
};

inline TControlDesc Ctl(std::string Kind, std::string Name, std::string Parent, TPlace At, std::string Caption = {},
                        std::string Hint = {}, TPropList Props = {}, TPropList Events = {},
                        std::vector<std::string> Items = {}) {
    return TControlDesc{.Kind = std::move(Kind),
                        .Name = std::move(Name),
                        .Parent = std::move(Parent),
                        .Left = At.Left,
                        .Top = At.Top,
                        .Width = At.Width,
                        .Height = At.Height,
                        .Caption = std::move(Caption),
                        .Hint = std::move(Hint),
                        .Items = std::move(Items),
                        .Props = std::move(Props),
                        .Events = std::move(Events)};
}

// A label right-aligned in front of its field.
inline TControlDesc RightLabel(std::string Name, std::string Parent, TPlace At, std::string Caption,
                               std::string Hint = {}) {
    return Ctl("TLabel", std::move(Name), std::move(Parent), At, std::move(Caption), std::move(Hint),
               {{"AutoSize", "False"}, {"Alignment", "taRightJustify"}});
}

// The handlers of the edits that take digits only.
inline const TPropList& NumericEvents() {
    static const TPropList e{{"OnKeyPress", "edNumericOnlyKeyPress"}, {"OnExit", "edNumericOnlyExit"}};
    return e;
}

// The handlers of the combo boxes that must hold one of their items and
// step to the next item on a double click.
inline TPropList ItemComboEvents(std::string OnChange) {
    return {{"OnChange", std::move(OnChange)}, {"OnExit", "cbxGenericExit"}, {"OnDblClick", "cbxOutputDestDblClick"}};
}

// The controls of each page, parents before children.
std::vector<TControlDesc> GeneralPageControls();
std::vector<TControlDesc> OutputPageControls();
std::vector<TControlDesc> StylePageControls();
std::vector<TControlDesc> TitlesPageControls();
std::vector<TControlDesc> SetupPageControls();

} // namespace trx
