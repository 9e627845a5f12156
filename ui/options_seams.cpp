// The dialog's preview entry, kept to what the rest of the dialog needs of
// it until the preview window comes.
#include "ui/options_dialog.h"

namespace trx {

// No preview window yet: a preview asks for no options window.
bool Preview() { return false; }

} // namespace trx
