#include "framework/forms/form_layout.h"
#include "ui/options_dialog.h"

namespace trx {

void TfmTBXMain::BuildLayout() { BindControls(); }

void TfmTBXMain::BindControls() {}

} // namespace trx
