// The recording of the rows' data texts that the column scan keeps for the
// print: texts read back by field, and only a complete recording read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/scanned_rows.h"

namespace trx {
namespace {

using Rows = std::vector<std::vector<std::string>>;

void Record(TScannedRows& Scanned, const Rows& Texts) {
    for (const auto& row : Texts) {
        for (const std::string& text : row) Scanned.AddText(text);
        Scanned.EndRow();
    }
}

// Every row read back, as the texts of Fields.
Rows ReadBack(TScannedRows& Scanned, const std::vector<int>& Fields) {
    Rows rows;
    if (!Scanned.Rewind()) return rows;
    while (Scanned.NextRow()) {
        auto& row = rows.emplace_back();
        for (int f : Fields) row.emplace_back(Scanned.Text(f));
    }
    return rows;
}

TEST(ScannedRowsTest, EachFieldReadsBackItsOwnTextOfEveryRow) {
    TScannedRows scanned;
    // Field 3 stands in two columns, field 1 in none.
    ASSERT_TRUE(scanned.Start({3, 0, 3, 2}, true));
    EXPECT_TRUE(scanned.Recording());
    const Rows texts = {
        {"K007919", "1", "K007919", ""},
        {"", "22", "", "Lieferung über Zürich, 送货"},
        {"x", "", "x", std::string(300, 'y')},
    };
    Record(scanned, texts);
    scanned.Finish(true);
    EXPECT_FALSE(scanned.Recording());
    ASSERT_TRUE(scanned.Complete());
    EXPECT_EQ(scanned.RowCount(), 3);
    for (int f : {0, 2, 3}) EXPECT_TRUE(scanned.Holds(f, true)) << f;
    EXPECT_FALSE(scanned.Holds(1, true));
    EXPECT_FALSE(scanned.Holds(4, true));
    EXPECT_FALSE(scanned.Holds(-1, true));
    EXPECT_FALSE(scanned.Holds(0, false)); // written otherwise than asked

    const Rows expected = {
        {"1", "", "K007919"}, {"22", "Lieferung über Zürich, 送货", ""}, {"", std::string(300, 'y'), "x"}};
    EXPECT_EQ(ReadBack(scanned, {0, 2, 3}), expected);
    EXPECT_EQ(ReadBack(scanned, {0, 2, 3}), expected); // and again from the start
}

TEST(ScannedRowsTest, RowsBeyondTheBufferAndATextLongerThanItReadBackWhole) {
    // Rows of many lengths fill the buffer many times over, and one text
    // alone is longer than the buffer.
    Rows texts;
    for (int r = 0; r < 6000; ++r)
        texts.push_back(
            {std::to_string(r), std::string(static_cast<std::size_t>(r % 97), static_cast<char>('a' + r % 26))});
    texts[3000][1] = std::string(200000, 'L') + "end";
    TScannedRows scanned;
    ASSERT_TRUE(scanned.Start({4, 7}, true));
    Record(scanned, texts);
    scanned.Finish(true);
    ASSERT_TRUE(scanned.Complete());
    EXPECT_EQ(scanned.RowCount(), 6000);
    EXPECT_EQ(ReadBack(scanned, {4, 7}), texts);
}

TEST(ScannedRowsTest, OnlyACompleteRecordingIsReadBack) {
    struct Case {
        const char* Name;
        Rows Texts;
        bool AllRows;
    };
    const Case cases[] = {
        {"rows after the last recorded", {{"a", "b"}}, false},
        {"a row short of a text", {{"a", "b"}, {"c"}}, true},
        {"a row with a text too many", {{"a", "b", "c"}}, true},
    };
    for (const Case& c : cases) {
        TScannedRows scanned;
        ASSERT_TRUE(scanned.Start({0, 1}, false));
        Record(scanned, c.Texts);
        scanned.Finish(c.AllRows);
        EXPECT_FALSE(scanned.Complete()) << c.Name;
        EXPECT_FALSE(scanned.Holds(0, false)) << c.Name;
        EXPECT_FALSE(scanned.Rewind()) << c.Name;
        EXPECT_FALSE(scanned.NextRow()) << c.Name;
    }

    // A new recording replaces the one before; no fields, no recording.
    TScannedRows scanned;
    ASSERT_TRUE(scanned.Start({0}, false));
    Record(scanned, {{"old"}});
    scanned.Finish(true);
    ASSERT_TRUE(scanned.Start({1}, false));
    Record(scanned, {{"new"}, {"newer"}});
    scanned.Finish(true);
    EXPECT_FALSE(scanned.Holds(0, false));
    EXPECT_EQ(ReadBack(scanned, {1}), (Rows{{"new"}, {"newer"}}));
    EXPECT_FALSE(scanned.Start({}, false));
    EXPECT_FALSE(scanned.Complete());
}

} // namespace
} // namespace trx
