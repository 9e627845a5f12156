// Uses the installed headers and library: prints a settings record's texts.
#include <cstdio>

#include "engine/report_settings.h"

int main() {
    trx::TtrxReportSettings rs;
    rs.ReportId = "Installed package";
    rs.OutputDest = trx::TOutputDest::odTextFile;
    std::printf("%s|%d|%s\n", rs.ReportId.c_str(), rs.OutputQualityIsText() ? 1 : 0,
                trx::TtrxReportSettings::CnvtSnapShotSizeAbrev("MP").c_str());
    return 0;
}
