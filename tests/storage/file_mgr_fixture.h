// A settings-file manager on a temporary data directory, with the run's
// globals and a fake clock, for the storage tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/run_scope.h"
#include "framework/core/clock.h"
#include "storage/file_mgr.h"
#include "support/temp_dir.h"

namespace trx::test {

class FileMgrTest : public ::testing::Test {
protected:
    FileMgrTest() : clockOverride(clock) {
        mgr.DataDir = dir.Path();
        mgr.ReportSettings = &run.RS();
    }

    std::string SettingsFileName() const { return dir.File("RptSet.TXT"); }
    std::string LockFileName() const { return dir.File("TBXLOCK.$$$"); }
    std::string Settings() const { return ReadAll(SettingsFileName()); }
    void SetSettings(const std::string& Bytes) const { WriteAll(SettingsFileName(), Bytes); }

    // Every value of the field table for the record (the text it would be
    // saved as), in table order.
    std::vector<std::string> Values(TtrxReportSettings& Rs) {
        TtrxFileMgr m;
        m.ReportSettings = &Rs;
        m.InitRSFList();
        m.UpdateEntireRSFList();
        std::vector<std::string> v;
        for (int i = 0; i < m.RSFList->Count(); ++i) v.push_back(m.RSFList->Get(i) + "=" + m.RSFList->Data(i)->Value);
        return v;
    }

    bool Load(const std::string& User, const std::string& Id) { return mgr.LoadReportSettings(User, Id); }
    bool Save(const std::string& User, const std::string& Id) {
        TtrxUserName u = User;
        TtrxReportId i = Id;
        return mgr.SaveReportSettings(u, i, true);
    }

    TFakeClock clock;
    TClockOverride clockOverride;
    TempDir dir;
    TRunScope run;
    TtrxFileMgr mgr;
};

} // namespace trx::test
