// The component's library sets up a missing data directory with the wizard.
//
// The data-directory lookup lives below the windows and cannot call the
// wizard itself; it reaches it through the function installed here when the
// library is loaded. This file is referenced by nothing, so that programs
// linking the folders' static libraries (the tests) keep the quiet default
// unless they install the wizard themselves.
#include "engine/data_directory.h"
#include "ui/data_dir_wizard.h"

namespace trx {
namespace {

[[maybe_unused]] const bool WizardInstalled = [] {
    SetAskToCreateTBXDataDirectory(AskToCreateTBXDataDirectory);
    return true;
}();

} // namespace
} // namespace trx
