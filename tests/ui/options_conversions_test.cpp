#include <gtest/gtest.h>

#include <string>

#include "options_dialog_fixture.h"

namespace trx::test {
namespace {

class OptionsConversionsTest : public OptionsDialogTest {
protected:
    OptionsConversionsTest() {
        TStringList items;
        for (const char* s : {"Left Justify", "Right Justify", "Center Justify", "Ragged"}) items.Add(s);
        combo = dlg->cbxColTitleAlignment;
        combo->SetItems(items);
    }
    TComboBox* combo = nullptr;
};

TEST_F(OptionsConversionsTest, GetComboItemNdxFindsTheTextInAnyCaseOrGivesTheDefault) {
    combo->SetText("right JUSTIFY");
    EXPECT_EQ(GetComboItemNdx(combo, 0, true), 1);
    combo->SetText("Middle");
    EXPECT_EQ(GetComboItemNdx(combo, 2, false), 2);
    EXPECT_EQ(combo->Text(), "Middle");
    EXPECT_EQ(GetComboItemNdx(combo, 2, true), 2);
    EXPECT_EQ(combo->Text(), "Center Justify");
    combo->SetText("");
    EXPECT_EQ(GetComboItemNdx(combo, -1, false), -1);
}

TEST_F(OptionsConversionsTest, SetComboBoxTextPicksByFirstLetter) {
    struct TCase {
        std::string Letter;
        std::string Default;
        int Item;
    };
    const TCase cases[] = {
        {"R", "L", 1}, // the first item starting with R
        {"r", "L", 0}, // the letter is compared as given: no item starts with "r" upper-cased... but the default
        {"X", "c", 2}, // the default, upper-cased
        {"X", "r", 3}, // the last item that starts with the default's letter
        {"", "L", 0}, // no letter: the default
        {"X", "Z", -1}, // neither: no item
        {"X", "", -1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Letter + "/" + c.Default);
        combo->SetItemIndex(1);
        dlg->SetComboBoxText(combo, c.Letter, c.Default);
        EXPECT_EQ(combo->ItemIndex(), c.Item);
    }
}

TEST_F(OptionsConversionsTest, ValueTablesSelectTheirItemOrShowTheValue) {
    TComboBox* delim = dlg->cmbExportFieldDelim;
    const std::vector<std::string> names{"Tab", "Comma"};
    const std::vector<std::string> values{"\t", ","};
    SetComboFromValue(",", delim, values);
    EXPECT_EQ(delim->ItemIndex(), 1);
    SetComboFromValue("\t", delim, values);
    EXPECT_EQ(delim->Text(), "Tab");
    SetComboFromValue("TAB", delim, values); // values compare exactly
    EXPECT_EQ(delim->Text(), "TAB");
    EXPECT_EQ(delim->ItemIndex(), -1);
    // Only the entries that have an item count.
    SetComboFromValue(",", delim, {"\t"});
    EXPECT_EQ(delim->Text(), ",");

    delim->SetText("comma");
    EXPECT_EQ(GetComboValue(delim, names, values), ",");
    delim->SetText("124");
    EXPECT_EQ(GetComboValue(delim, names, values), "124");
}

TEST_F(OptionsConversionsTest, TrimStrToIntReadsTrimmedDecimalsElseZero) {
    const std::pair<std::string, int> cases[] = {
        {" 12 ", 12}, {"-5", -5}, {"", 0}, {"1x", 0}, {"x", 0}, {"  ", 0}, {"2147483647", 2147483647}};
    for (const auto& [text, value] : cases) EXPECT_EQ(TrimStrToInt(text), value) << '"' << text << '"';
}

TEST_F(OptionsConversionsTest, FitPathToWidDropsTheSecondLevelFirst) {
    TCanvas& canvas = dlg->Canvas();
    const std::string path = "/Program Files/Reports/Year/Sales.txt";
    const std::string longer = "/Program Files/.../Year/Sales.txt";
    const std::string shortest = "/Program Files/.../Sales.txt";
    EXPECT_EQ(FitPathToWid(path, canvas, canvas.TextWidth(path)), path);
    EXPECT_EQ(FitPathToWid(path, canvas, canvas.TextWidth(path) - 1), longer);
    EXPECT_EQ(FitPathToWid(path, canvas, canvas.TextWidth(longer)), longer);
    EXPECT_EQ(FitPathToWid(path, canvas, canvas.TextWidth(longer) - 1), shortest);
    // Nothing fits: the shortest form all the same.
    EXPECT_EQ(FitPathToWid(path, canvas, 1), shortest);
}

TEST_F(OptionsConversionsTest, FitPathToWidNeverReturnsALongerText) {
    TCanvas& canvas = dlg->Canvas();
    for (const std::string path : {"/a/b.txt", "/tmp/x/Report.txt", "Report.txt", "/r.txt", "/ab/cd/e.txt"}) {
        const std::string fitted = FitPathToWid(path, canvas, 1);
        EXPECT_LE(fitted.size(), path.size()) << path;
    }
}

} // namespace
} // namespace trx::test
