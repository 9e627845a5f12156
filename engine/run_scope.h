// The run's four global objects for the lifetime of one run: the options
// dialog owns one for each call of Print, and so does every program that
// prints without the dialog.
#pragma once

#include <memory>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"

namespace trx {

class TRunScope {
public:
    // Creates PrintSettings, RptStyles, ObjInfo and ReportSettings in this
    // order. The globals are single: while any of them is set (another run
    // is open) it raises eTrxIntError and touches nothing.
    TRunScope();
    // Frees them in reverse order and leaves the globals nil.
    ~TRunScope();
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;

    TPrintSettings& PS() { return *ps_; }
    TRptStyles& Styles() { return *styles_; }
    TObjInfo& OI() { return *oi_; }
    TtrxReportSettings& RS() { return *rs_; }

private:
    void Free() noexcept;

    std::unique_ptr<TPrintSettings> ps_;
    std::unique_ptr<TRptStyles> styles_;
    std::unique_ptr<TObjInfo> oi_;
    std::unique_ptr<TtrxReportSettings> rs_;
};

} // namespace trx
