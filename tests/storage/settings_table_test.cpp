// The field table row by row: every key carries a value of its own through
// a save and a load, and the tests' new reports start from the table's
// defaults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_mgr_fixture.h"
#include "framework/core/date_time.h"
#include "support/engine/run_setup.h"

namespace trx::test {
namespace {

using SettingsTable = FileMgrTest;

// Gives the field of row Row of Table a value other than its default, and
// returns that value's text: the first candidate that the field keeps as it
// was given. Empty when the field keeps none of them.
std::string SetOtherValue(TtrxFileMgr& Table, int Row) {
    const TrsfData& row = *Table.RSFList->Data(Row);
    const std::vector<std::string> candidates = {
        "1", "0", "2", "x", "3,4", "1,2,3,4", DateTimeToStr(EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 0))};
    for (const std::string& c : candidates) {
        if (c == row.DefaultValue) continue;
        Table.AssignStrFldToReportSettings(row, c);
        Table.UpdateEntireRSFList();
        if (row.Value == c) return c;
    }
    return {};
}

TEST_F(SettingsTable, EveryKeyCarriesItsOwnValueThroughASaveAndALoad) {
    TtrxFileMgr table; // the keys with their fields and defaults
    table.ReportSettings = &run.RS();
    table.InitRSFList();
    table.AssignDefaultsToReportSettings();
    const std::vector<std::string> defaults = Values(run.RS());
    ASSERT_EQ(static_cast<int>(defaults.size()), table.RSFList->Count());

    for (int i = 0; i < table.RSFList->Count(); ++i) {
        const std::string key = table.RSFList->Get(i);
        SCOPED_TRACE(key);
        table.AssignDefaultsToReportSettings();
        const std::string value = SetOtherValue(table, i);
        ASSERT_NE(value, "") << "the field keeps no value but its default";
        ASSERT_TRUE(Save("", "T (001.001)"));
        EXPECT_NE(Settings().find("\r\n" + key + "=" + value + "\r\n"), std::string::npos);

        // The load starts from the defaults: the value comes from the file,
        // into this key's field and no other.
        ASSERT_TRUE(Load("", "T (001.001)"));
        std::vector<std::string> expected = defaults;
        expected[static_cast<std::size_t>(i)] = key + "=" + value;
        const std::vector<std::string> loaded = Values(run.RS());
        for (std::size_t k = 0; k < loaded.size(); ++k) EXPECT_EQ(loaded[k], expected[k]);
    }
}

TEST_F(SettingsTable, TestReportsStartFromTheTablesDefaults) {
    mgr.InitRSFList();
    mgr.AssignDefaultsToReportSettings();
    const std::vector<std::string> expected = Values(run.RS());

    for (int o = 0; o < StyleOptCount; ++o) {
        bool& on = run.Styles().StyleOpts[static_cast<TStyleOptNdx>(o)].Value;
        on = !on;
    }
    TtrxReportSettings fresh;
    SetReportDefaults(fresh);
    EXPECT_EQ(Values(fresh), expected);
}

} // namespace
} // namespace trx::test
