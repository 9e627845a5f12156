// The run's four global objects, created in the dialog's order and freed in
// reverse, for tests of the engine.
#pragma once

#include <memory>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"

namespace trx::test {

class TRunGlobals {
public:
    TRunGlobals();
    ~TRunGlobals();
    TRunGlobals(const TRunGlobals&) = delete;
    TRunGlobals& operator=(const TRunGlobals&) = delete;

    TPrintSettings& PS() { return *ps_; }
    TRptStyles& Styles() { return *styles_; }
    TObjInfo& OI() { return *oi_; }
    TtrxReportSettings& RS() { return *rs_; }

private:
    std::unique_ptr<TPrintSettings> ps_;
    std::unique_ptr<TRptStyles> styles_;
    std::unique_ptr<TObjInfo> oi_;
    std::unique_ptr<TtrxReportSettings> rs_;
};

} // namespace trx::test
