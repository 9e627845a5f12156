#include <gtest/gtest.h>

#include "framework/core/compiler_warnings.h"
#include "framework/core/exceptions.h"
#include "framework/core/stringlist.h"

using namespace trx;

namespace {

std::string ListError(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const EListError& e) {
        return e.Message;
    }
    return "(no error)";
}

std::string Lines(const TStrings& S) {
    std::string r;
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    for (int i = 0; i < S.Count(); ++i) r += "[" + S[i] + "]";
    TRX_GCC_BOGUS_RESTRICT_END
    return r;
}

} // namespace

TEST(StringList, AddInsertDeleteAndIndexesOutOfRange) {
    TStringList l;
    EXPECT_EQ(l.Add("b"), 0);
    EXPECT_EQ(l.Add("d"), 1);
    l.Insert(0, "a");
    l.Insert(2, "c");
    l.Insert(l.Count(), "e"); // inserting at the end is allowed
    EXPECT_EQ(Lines(l), "[a][b][c][d][e]");
    l.Delete(1);
    EXPECT_EQ(Lines(l), "[a][c][d][e]");

    EXPECT_EQ(ListError([&] { l.Get(4); }), "List index out of bounds (4)");
    EXPECT_EQ(ListError([&] { l.Get(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ListError([&] { l.Insert(5, "x"); }), "List index out of bounds (5)");
    EXPECT_EQ(ListError([&] { l.Delete(4); }), "List index out of bounds (4)");
    EXPECT_EQ(ListError([&] { l.Put(7, "x"); }), "List index out of bounds (7)");
    EXPECT_EQ(ListError([&] { l.GetObject(9); }), "List index out of bounds (9)");
    EXPECT_EQ(l.Count(), 4);
}

TEST(StringList, IndexOfIgnoresCaseAndFindsTheFirst) {
    TStringList l;
    l.SetText("Alpha\r\nbeta\r\nBETA\r\n\x82x\r\n");
    EXPECT_EQ(l.IndexOf("ALPHA"), 0);
    EXPECT_EQ(l.IndexOf("Beta"), 1);
    EXPECT_EQ(l.IndexOf("gamma"), -1);
    // Only ASCII letters fold.
    EXPECT_EQ(l.IndexOf("\x82X"), 3);
    EXPECT_EQ(l.IndexOf("\xA2x"), -1);
    EXPECT_EQ(l.IndexOf(""), -1);
}

TEST(StringList, ObjectsTravelWithTheirLines) {
    TObject one, two;
    TStringList l;
    l.AddObject("one", &one);
    l.InsertObject(0, "two", &two);
    l.Add("none");
    EXPECT_EQ(l.GetObject(0), &two);
    EXPECT_EQ(l.GetObject(1), &one);
    EXPECT_EQ(l.GetObject(2), nullptr);
    // Replacing a line's text keeps its object.
    l.Put(1, "uno");
    EXPECT_EQ(l.GetObject(1), &one);
    l.Move(1, 2);
    EXPECT_EQ(Lines(l), "[two][none][uno]");
    EXPECT_EQ(l.GetObject(2), &one);
    EXPECT_EQ(l.IndexOfObject(&one), 2);
    l.Exchange(0, 2);
    EXPECT_EQ(l.GetObject(0), &one);
    EXPECT_EQ(l.GetObject(2), &two);
    l.Delete(0);
    EXPECT_EQ(l.IndexOfObject(&one), -1);
    TStringList copy;
    copy.Assign(l);
    EXPECT_EQ(copy.GetObject(1), &two);
}

TEST(StringList, TextEndsEveryLineWithCrLfAndReadsAnyBreak) {
    TStringList l;
    l.Add("a");
    l.Add("");
    l.Add("c");
    EXPECT_EQ(l.Text(), "a\r\n\r\nc\r\n");
    l.SetText("x\ry\nz\r\n\r\nlast");
    EXPECT_EQ(Lines(l), "[x][y][z][][last]");
    // A final break adds no empty line; an empty text gives no lines.
    l.SetText("one\r\n");
    EXPECT_EQ(Lines(l), "[one]");
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.Text(), "");
    // Bytes pass unchanged.
    l.SetText("\xDA\xC4\xBF\r\n");
    EXPECT_EQ(l[0], "\xDA\xC4\xBF");
}

TEST(StringList, NamesAndValues) {
    TStringList l;
    l.SetText("Key=1\r\nOther=a=b\r\nplain\r\n");
    EXPECT_EQ(l.IndexOfName("KEY"), 0);
    EXPECT_EQ(l.Values("other"), "a=b");
    EXPECT_EQ(l.Values("plain"), "");
    EXPECT_EQ(l.Names(2), "");
    l.SetValue("key", "2");
    EXPECT_EQ(l[0], "key=2");
    l.SetValue("Other", "");
    EXPECT_EQ(Lines(l), "[key=2][plain]");
    l.SetValue("New", "x");
    EXPECT_EQ(l[2], "New=x");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
    TStringList l;
    l.Add("plain");
    l.Add("two words");
    l.Add("say \"hi\"");
    l.Add("");
    l.Add("a,b");
    EXPECT_EQ(l.CommaText(), "plain,\"two words\",\"say \"\"hi\"\"\",\"\",\"a,b\"");
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_TRUE(back.Equals(l));
    back.SetCommaText("a b, c");
    EXPECT_EQ(Lines(back), "[a][b][c]");
}

TEST(StringList, SortedListsPlaceAndRefuseAsTheyShould) {
    TStringList l;
    l.Add("pear");
    l.Add("Apple");
    l.Add("fig");
    l.SetSorted(true);
    EXPECT_EQ(Lines(l), "[Apple][fig][pear]");
    EXPECT_EQ(l.Add("Banana"), 1);
    // A duplicate (in any case) is ignored by default and gives its index.
    EXPECT_EQ(l.Add("FIG"), 2);
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.IndexOf("PEAR"), 3);
    EXPECT_EQ(l.IndexOf("kiwi"), -1);
    l.Duplicates = TDuplicates::dupError;
    EXPECT_EQ(ListError([&] { l.Add("apple"); }), "String list does not allow duplicates");
    l.Duplicates = TDuplicates::dupAccept;
    l.Add("apple");
    EXPECT_EQ(l.Count(), 5);
    EXPECT_EQ(ListError([&] { l.Insert(0, "z"); }), "Operation not allowed on sorted string list");
    int at = -1;
    EXPECT_FALSE(l.Find("cherry", at));
    EXPECT_EQ(at, 3);
}

TEST(StringList, ChangeEventsFireOncePerUpdateBlock) {
    TStringList l;
    std::string log;
    l.OnChanging = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &l);
        log += "<";
    };
    l.OnChange = [&](TObject*) { log += ">"; };
    l.Add("a");
    EXPECT_EQ(log, "<>");
    log.clear();
    l.BeginUpdate();
    l.Add("b");
    l.BeginUpdate();
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(log, "<");
    l.EndUpdate();
    EXPECT_EQ(log, "<>");
    log.clear();
    l.SetText("x\r\ny");
    EXPECT_EQ(log, "<>");
}
