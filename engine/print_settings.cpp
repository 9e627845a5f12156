// Construction of the run state.
#include "engine/print_settings.h"

#include "engine/obj_info.h"
#include "framework/printing/printer.h"

namespace trx {

TPrintSettings* PrintSettings = nullptr;

TPrintSettings::TPrintSettings()
    : Canvas(&Printer()->Canvas()), BMLineList(std::make_unique<TBMLineList>()), StartAtFirstRcd(true) {}

TPrintSettings::~TPrintSettings() { BMLineList.reset(); }

} // namespace trx
