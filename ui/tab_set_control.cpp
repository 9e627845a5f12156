#include "ui/tab_set_control.h"

namespace trx {

TTabSetControl::TTabSetControl(TComponent* AOwner) : TTabControl(AOwner) {}

} // namespace trx
