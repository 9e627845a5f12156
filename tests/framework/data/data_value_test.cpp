// A stored value replaced in place: texts from outside and from the value's
// own text, and changes of kind.
#include <gtest/gtest.h>

#include <string>

#include "framework/data/data_value.h"

namespace trx {
namespace {

TEST(DataValue, ATextReplacesTheValueWhereverItComesFrom) {
    const std::string start = "the quick brown fox jumps over the lazy dog";
    struct Case {
        const char* Name;
        std::size_t From, Count; // a part of the value's own text, or
        const char* Outside; // a text from elsewhere
    };
    for (const Case& c :
         {Case{"own prefix", 0, 9, nullptr}, Case{"own suffix", 35, 8, nullptr}, Case{"own middle", 4, 15, nullptr},
          Case{"own whole", 0, start.size(), nullptr}, Case{"own empty end", start.size(), 0, nullptr},
          Case{"shorter", 0, 0, "cat"}, Case{"longer", 0, 0, "a text far longer than the one the value held before it"},
          Case{"empty", 0, 0, ""}}) {
        TDataValue v(start);
        const std::string want = c.Outside ? std::string(c.Outside) : start.substr(c.From, c.Count);
        if (c.Outside)
            v.SetText(c.Outside);
        else
            v.SetText(std::string_view(v.Bytes()).substr(c.From, c.Count));
        EXPECT_EQ(v.Bytes(), want) << c.Name;
        EXPECT_EQ(v, TDataValue(want)) << c.Name;
    }
}

TEST(DataValue, AValueOfAnotherKindLeavesNothingOfTheOneBefore) {
    TDataValue v(std::string(40, 'x'));
    v.SetInteger(7);
    EXPECT_EQ(v, TDataValue(7));
    v.SetFloat(2.5);
    EXPECT_EQ(v, TDataValue(2.5));
    v.SetText("ab", true);
    EXPECT_EQ(v, TDataValue::Blob("ab"));
    v.SetText("ab");
    EXPECT_EQ(v, TDataValue("ab"));
    v.SetNull();
    EXPECT_EQ(v, TDataValue());
}

} // namespace
} // namespace trx
