#include "engine/run_scope.h"

#include <string>

#include "engine/trx_errors.h"

namespace trx {

TRunScope::TRunScope() {
    if (PrintSettings || RptStyles || ObjInfo || ReportSettings)
        throw eTrxIntError(std::string(InternalErrorPrefix) + "[TRunScope] a report run is already open");
    // A constructor that fails part-way leaves no global pointing at a freed
    // object.
    try {
        ps_ = std::make_unique<TPrintSettings>();
        PrintSettings = ps_.get();
        styles_ = std::make_unique<TRptStyles>();
        RptStyles = styles_.get();
        oi_ = std::make_unique<TObjInfo>();
        ObjInfo = oi_.get();
        rs_ = std::make_unique<TtrxReportSettings>();
        ReportSettings = rs_.get();
    } catch (...) {
        Free();
        throw;
    }
}

TRunScope::~TRunScope() { Free(); }

void TRunScope::Free() noexcept {
    ReportSettings = nullptr;
    rs_.reset();
    ObjInfo = nullptr;
    oi_.reset();
    RptStyles = nullptr;
    styles_.reset();
    PrintSettings = nullptr;
    ps_.reset();
}

} // namespace trx
