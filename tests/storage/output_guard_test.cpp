// The settings file and its lock file are never the output of a report.
#include <gtest/gtest.h>

#include "engine/report_fixture.h"
#include "storage/file_mgr.h"

namespace trx::test {
namespace {

class SettingsFilesAsOutput : public ReportTest {};

TEST_F(SettingsFilesAsOutput, AreRefusedAndLeftAsTheyWere) {
    TtrxFileMgr mgr;
    mgr.DataDir = dir.Path();
    mgr.ReportSettings = &RS();
    TtrxUserName user = "ann";
    TtrxReportId id = "Items";
    ASSERT_TRUE(mgr.SaveReportSettings(user, id, true));
    const std::string settings = dir.File("RptSet.TXT");
    const std::string lock = dir.File("TBXLOCK.$$$");
    const std::string settingsBefore = ReadAll(settings);
    const std::string lockBefore = ReadAll(lock);
    ASSERT_NE(settingsBefore.find("[ann:"), std::string::npos);

    auto grid = Grid(2, 3);
    StartRun(grid.get());
    for (const std::string& name : {settings, lock, dir.Path() + "/./RptSet.TXT"}) {
        ui->ClearCalls();
        RS().OutputFileName = name;
        EXPECT_EQ(PrintRun(), 3) << name;
        EXPECT_EQ(ui->Messages(),
                  (std::vector<std::string>{"Cannot open output file \"" + name + "\"\r\nI/O Error=5"}));
    }
    EXPECT_EQ(ReadAll(settings), settingsBefore);
    EXPECT_EQ(ReadAll(lock), lockBefore);
    EXPECT_TRUE(mgr.LoadReportSettings(user, id));
}

} // namespace
} // namespace trx::test
