// Pieces shared by the files that lay out the options dialog's pages.
#pragma once

#include <string>
#include <vector>

#include "framework/forms/form_layout.h"

namespace trx {

// The properties of a label right-aligned in front of its field.
inline const TPropList& RightAligned() {
    static const TPropList p{{"AutoSize", "False"}, {"Alignment", "taRightJustify"}};
    return p;
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
