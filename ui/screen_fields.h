// The options dialog's controls beside the settings they edit: one row per
// control (or per step between them), in the order the controls are stored,
// each naming its settings by their row of the settings table, whose
// conversions most rows use. AssignScreenFields runs every row's Fill,
// SaveScreenFields every Store.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "storage/settings_fields.h"

namespace trx {

class TfmTBXMain;
class TtrxReportSettings;

struct TScreenField {
    // The control's name as laid out; for a step between controls, what it does.
    std::string Control;
    // Settings to the control, and back; empty where a direction has no transfer.
    std::function<void(TfmTBXMain& Form, TtrxReportSettings& Settings)> Fill;
    std::function<void(TfmTBXMain& Form, TtrxReportSettings& Settings)> Store;
    // The settings the row shows or stores.
    std::vector<TrsfFld> Settings{};
};

const std::vector<TScreenField>& ScreenFields();

} // namespace trx
