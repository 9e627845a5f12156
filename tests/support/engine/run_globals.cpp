#include "support/engine/run_globals.h"

namespace trx::test {

TRunGlobals::TRunGlobals() {
    ps_ = std::make_unique<TPrintSettings>();
    PrintSettings = ps_.get();
    styles_ = std::make_unique<TRptStyles>();
    RptStyles = styles_.get();
    oi_ = std::make_unique<TObjInfo>();
    ObjInfo = oi_.get();
    rs_ = std::make_unique<TtrxReportSettings>();
    ReportSettings = rs_.get();
}

TRunGlobals::~TRunGlobals() {
    ReportSettings = nullptr;
    rs_.reset();
    ObjInfo = nullptr;
    oi_.reset();
    RptStyles = nullptr;
    styles_.reset();
    PrintSettings = nullptr;
    ps_.reset();
}

} // namespace trx::test
