// Fields of SQLite tables and queries: types from the declared column types,
// display and edit texts, conversions, nulls, raw bytes and blob streams.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/date_time.h"
#include "framework/core/format.h"
#include "framework/data/mem_dataset.h"
#include "framework/data/query.h"
#include "framework/data/sqlite_database.h"
#include "framework/data/stored_date_time.h"
#include "framework/data/table.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"

using namespace trx;
using trx::test::SqliteFile;
using trx::test::TempDir;

namespace {

const char* const AllTypes =
    "CREATE TABLE t(i INTEGER, s SMALLINT, w WORD, a AUTOINC, big BIGINT, f FLOAT, r REAL, dbl DOUBLE,"
    " cur CURRENCY, m MONEY, dec DECIMAL(10,2), b BOOLEAN, b2 BOOL, dt DATE, tm TIME, dtm DATETIME,"
    " ts TIMESTAMP, c CHAR(5), vc VARCHAR(30), st STRING(12), vcn VARCHAR, mm MEMO, tx TEXT, bl BLOB,"
    " odd FOOBAR, none_);";

class Fields : public ::testing::Test {
protected:
    // A table of every type with the given rows, opened.
    TTable& Open(const std::string& Inserts) {
        file_ = std::make_unique<SqliteFile>(dir_.File("f.db"), std::string(AllTypes) + Inserts);
        table_.SetDatabaseName(file_->FileName());
        table_.SetTableName("t");
        table_.Open();
        return table_;
    }
    TField& F(const char* Name) { return *table_.FieldByName(Name); }

    TFormatSettingsOverride settings_{TFormatSettings()}; // the fixed defaults, restored afterwards
    TempDir dir_;
    std::unique_ptr<SqliteFile> file_;
    TTable table_;
};

} // namespace

TEST(FieldTypes, FromDeclarations) {
    struct Case {
        const char* Decl;
        TFieldType Type;
        int Size;
    };
    const Case cases[] = {
        {"integer", TFieldType::ftInteger, 0},
        {"INT", TFieldType::ftInteger, 0},
        {"bigint", TFieldType::ftInteger, 0},
        {"smallint", TFieldType::ftSmallint, 0},
        {"word", TFieldType::ftWord, 0},
        {"AutoInc", TFieldType::ftAutoInc, 0},
        {"float", TFieldType::ftFloat, 0},
        {"real", TFieldType::ftFloat, 0},
        {"double precision", TFieldType::ftFloat, 0},
        {"currency", TFieldType::ftCurrency, 0},
        {"money", TFieldType::ftCurrency, 0},
        {"decimal(10, 2)", TFieldType::ftBCD, 2},
        {"numeric", TFieldType::ftBCD, 4},
        {"boolean", TFieldType::ftBoolean, 0},
        {"bool", TFieldType::ftBoolean, 0},
        {"date", TFieldType::ftDate, 0},
        {"time", TFieldType::ftTime, 0},
        {"datetime", TFieldType::ftDateTime, 0},
        {"timestamp", TFieldType::ftDateTime, 0},
        {"char(1)", TFieldType::ftString, 1},
        {"varchar ( 40 )", TFieldType::ftString, 40},
        {"string(12)", TFieldType::ftString, 12},
        {"varchar", TFieldType::ftString, DefaultStringSize},
        {"memo", TFieldType::ftMemo, 0},
        {"text", TFieldType::ftMemo, 0},
        {"blob", TFieldType::ftBlob, 0},
        {"unsigned big int", TFieldType::ftInteger, 0},
        {"native character(70)", TFieldType::ftString, 70},
        {"foobar", TFieldType::ftString, DefaultStringSize},
    };
    for (const Case& c : cases) {
        int size = -1;
        EXPECT_EQ(FieldTypeFromDeclaration(c.Decl, TValueKind::vkNull, size), c.Type) << c.Decl;
        EXPECT_EQ(size, c.Size) << c.Decl;
    }
    int size = 0;
    EXPECT_EQ(FieldTypeFromDeclaration("", TValueKind::vkInteger, size), TFieldType::ftInteger);
    EXPECT_EQ(FieldTypeFromDeclaration("", TValueKind::vkFloat, size), TFieldType::ftFloat);
    EXPECT_EQ(FieldTypeFromDeclaration("", TValueKind::vkBlob, size), TFieldType::ftBlob);
    EXPECT_EQ(FieldTypeFromDeclaration("", TValueKind::vkNull, size), TFieldType::ftString);
    EXPECT_EQ(size, DefaultStringSize);
}

TEST_F(Fields, TableFieldsTakeTypesSizesAndAlignmentFromTheDeclarations) {
    Open("INSERT INTO t(none_) VALUES (42);");
    ASSERT_EQ(table_.FieldCount(), 26);
    EXPECT_EQ(F("i").DataType(), TFieldType::ftInteger);
    EXPECT_EQ(F("a").DataType(), TFieldType::ftAutoInc);
    EXPECT_EQ(F("m").DataType(), TFieldType::ftCurrency);
    EXPECT_EQ(F("dec").DataType(), TFieldType::ftBCD);
    EXPECT_EQ(F("ts").DataType(), TFieldType::ftDateTime);
    EXPECT_EQ(F("mm").DataType(), TFieldType::ftMemo);
    EXPECT_EQ(F("bl").DataType(), TFieldType::ftBlob);
    EXPECT_EQ(F("none_").DataType(), TFieldType::ftInteger) << "from the first row's value";

    EXPECT_EQ(F("c").Size, 5);
    EXPECT_EQ(F("c").DataSize(), 6);
    EXPECT_EQ(F("vcn").DataSize(), DefaultStringSize + 1);
    EXPECT_EQ(F("s").DataSize(), 2);
    EXPECT_EQ(F("i").DataSize(), 4);
    EXPECT_EQ(F("f").DataSize(), 8);
    EXPECT_EQ(F("b").DataSize(), 2);
    EXPECT_EQ(F("dt").DataSize(), 4);
    EXPECT_EQ(F("dtm").DataSize(), 8);

    for (const char* n : {"i", "s", "w", "a", "f", "cur", "dec"})
        EXPECT_EQ(F(n).Alignment, TAlignment::taRightJustify) << n;
    for (const char* n : {"c", "b", "dt", "tm", "mm", "bl"}) EXPECT_EQ(F(n).Alignment, TAlignment::taLeftJustify) << n;

    EXPECT_EQ(F("vc").DisplayWidth(), 30);
    EXPECT_EQ(F("i").DisplayWidth(), 11);
    F("i").SetDisplayWidth(4);
    EXPECT_EQ(F("i").DisplayWidth(), 4);

    EXPECT_TRUE(F("mm").IsBlob());
    EXPECT_FALSE(F("vc").IsBlob());
    EXPECT_EQ(F("st").Index(), 19);
    EXPECT_EQ(F("st").DataSet(), &table_);
}

TEST(FieldSizes, TheLargestDeclaredStringSizeKeepsAPositiveDataSize) {
    TempDir dir;
    SqliteFile file(dir.File("wide.db"),
                    "CREATE TABLE w(huge VARCHAR(2147483647), zero CHAR(0));"
                    "INSERT INTO w VALUES('x', 'y');");
    TTable table;
    table.SetDatabaseName(file.FileName());
    table.SetTableName("w");
    table.Open();
    EXPECT_EQ(table.FieldByName("huge")->Size, 2147483647);
    EXPECT_EQ(table.FieldByName("huge")->DataSize(), 2147483647);
    EXPECT_EQ(table.FieldByName("huge")->DisplayText(), "x");
    EXPECT_EQ(table.FieldByName("zero")->DataSize(), DefaultStringSize + 1);
}

TEST_F(Fields, NumbersShowInTheirFormatsAndPictures) {
    Open("INSERT INTO t(i, big, f, r, cur, dec) VALUES (1234567, 5000000000, 1234.5, 1.0/3, 1234.5, 12.25);");
    EXPECT_EQ(F("i").DisplayText(), "1234567");
    EXPECT_EQ(F("big").DisplayText(), "5000000000");
    EXPECT_EQ(F("big").AsInteger(), 5000000000LL);
    EXPECT_EQ(F("f").DisplayText(), "1234.5");
    EXPECT_EQ(F("r").DisplayText(), "0.333333333333333");
    EXPECT_EQ(F("dec").DisplayText(), "12.25");
    EXPECT_EQ(F("cur").DisplayText(), "$1,234.50");
    EXPECT_EQ(F("cur").Text(), "1234.50");
    EXPECT_EQ(F("cur").AsString(), "1234.5");

    auto& i = static_cast<TIntegerField&>(F("i"));
    i.DisplayFormat = ",0";
    EXPECT_EQ(i.DisplayText(), "1,234,567");
    EXPECT_EQ(i.Text(), "1,234,567") << "without an edit format the display format edits";
    i.EditFormat = "0";
    EXPECT_EQ(i.Text(), "1234567");
    EXPECT_EQ(i.AsString(), "1234567");

    auto& f = static_cast<TFloatField&>(F("f"));
    f.DisplayFormat = "#,##0.00";
    EXPECT_EQ(f.DisplayText(), "1,234.50");
    EXPECT_DOUBLE_EQ(f.AsFloat(), 1234.5);
    EXPECT_EQ(f.AsInteger(), 1234);
    EXPECT_THROW(F("f").AsDateTime(), EDatabaseError);
}

TEST_F(Fields, DatesAndTimesFromIsoTextAndFromDayNumbers) {
    Open(
        "INSERT INTO t(dt, tm, dtm, ts) VALUES ('2024-03-01', '13:45:00', '2024-03-01 13:45:00', '2024-03-01');"
        "INSERT INTO t(dt, tm, dtm, ts) VALUES (45352, 0.75, 45352.5, '2024-03-01T06:07:08.500');"
        "INSERT INTO t(dt, tm, dtm) VALUES ('soon', '25:00', '2024-02-30');");
    EXPECT_EQ(F("dt").DisplayText(), "3/1/2024");
    EXPECT_EQ(F("tm").DisplayText(), "1:45:00 PM");
    EXPECT_EQ(F("dtm").DisplayText(), "3/1/2024 1:45:00 PM");
    EXPECT_EQ(F("ts").DisplayText(), "3/1/2024") << "midnight shows the date alone";
    EXPECT_DOUBLE_EQ(F("dt").AsDateTime(), EncodeDate(2024, 3, 1));
    EXPECT_DOUBLE_EQ(F("tm").AsDateTime(), EncodeTime(13, 45, 0, 0));

    auto& dt = static_cast<TDateTimeField&>(F("dt"));
    dt.DisplayFormat = "yyyy-mm-dd";
    EXPECT_EQ(dt.DisplayText(), "2024-03-01");
    EXPECT_EQ(dt.Text(), "3/1/2024") << "editing ignores the display format";

    table_.Next();
    EXPECT_EQ(F("dt").DisplayText(), "2024-03-01");
    EXPECT_EQ(F("tm").DisplayText(), "6:00:00 PM");
    EXPECT_EQ(F("dtm").DisplayText(), "3/1/2024 12:00:00 PM");
    EXPECT_DOUBLE_EQ(F("ts").AsDateTime(), EncodeDate(2024, 3, 1) + EncodeTime(6, 7, 8, 500));

    table_.Next();
    EXPECT_EQ(F("dt").DisplayText(), "soon") << "text that is no date shows as stored";
    EXPECT_EQ(F("tm").DisplayText(), "25:00");
    EXPECT_EQ(F("dtm").DisplayText(), "2024-02-30");
    EXPECT_THROW(F("dt").AsDateTime(), EConvertError);
}

TEST_F(Fields, DatesAndTimesBeyondTheYearsThatCanBeShownShowAsStored) {
    // Years 1 to 9999 can be shown; a stored value outside them is no date.
    struct Case {
        const char* Column;
        const char* Stored; // an SQL literal
        const char* Shown;
    };
    const Case cases[] = {
        {"dt", "100000000", "100000000"}, // about the year 275,700
        {"dt", "-1000000", "-1000000"}, // before the year 1
        {"dt", "'99999999'", "99999999"}, // days as text
        {"dt", "'-700000.5'", "-700000.5"},
        {"dtm", "2958466.0", "2958466"}, // 1 January 10000
        {"dtm", "-693594.0", "-693594"}, // 31 December of the year 0
        {"tm", "1e9", "1000000000"},
        {"tm", "-1e300", "-1E300"},
        // The first and the last moment that can be shown still show as dates.
        {"dt", "-693593", "1/1/0001"},
        {"dtm", "2958465.99999999", "12/31/9999 11:59:59 PM"},
        {"dtm", "-693593.75", "1/1/0001 6:00:00 PM"},
    };
    std::string inserts;
    for (const Case& c : cases) inserts += "INSERT INTO t(" + std::string(c.Column) + ") VALUES (" + c.Stored + ");";
    Open(inserts);
    for (const Case& c : cases) {
        TField& f = F(c.Column);
        EXPECT_EQ(f.DisplayText(), c.Shown) << c.Stored;
        EXPECT_EQ(f.Text(), c.Shown) << c.Stored;
        if (std::string(c.Shown).find('/') == std::string::npos) {
            EXPECT_THROW(f.AsDateTime(), EConvertError) << c.Stored;
        }
        table_.Next();
    }
    TDateTime d = 0;
    EXPECT_FALSE(ParseStoredDateTime("99999999", d));
    EXPECT_TRUE(ParseStoredDateTime("2958465.5", d));
}

TEST(StoredDates, AnIsoDateAloneReadsAsItsPartsAndAsTheDateOfTheWholeReading) {
    for (const char* text : {"2024-02-29", "0001-01-01", "9999-12-31", "1899-12-30", "2024-03-01"}) {
        int y = 0, m = 0, d = 0;
        TDateTime whole = 0;
        ASSERT_TRUE(ParseStoredDate(text, y, m, d)) << text;
        ASSERT_TRUE(ParseStoredDateTime(text, whole)) << text;
        EXPECT_EQ(EncodeDate(y, m, d), whole) << text;
    }
    // Anything else is left to the whole reading, which takes some of it.
    for (const char* text : {"2023-02-29", "0000-01-01", "2024-13-01", "2024-1-01", " 2024-01-01", "2024-01-01 ",
                             "2024-01-01 10:00", "2024/01/01", "20240101", "2024-0a-01", "-024-01-01", "45352", ""}) {
        int y = -1, m = -1, d = -1;
        EXPECT_FALSE(ParseStoredDate(text, y, m, d)) << text;
        EXPECT_EQ(y, -1) << text;
    }
}

TEST_F(Fields, TextsIntoOneBufferRecordAfterRecordAreTheFieldsTexts) {
    Open(
        "INSERT INTO t(i, f, dt, tm, dtm, b, vc, mm) VALUES (7, 2.5, '2024-03-01', '13:45:00', '2024-03-01 13:45', 1,"
        " 'a rather long text that needs room of its own', 'memo');"
        "INSERT INTO t(i, f, dt, tm, dtm, b, vc) VALUES (-123456789012, 1e300, 45352, 0.75, 'soon', 'maybe', 'x');"
        "INSERT INTO t(i) VALUES (NULL);"
        "INSERT INTO t(i, f, dt, vc) VALUES ('12', '1.25', '2024-02-30', ' x');");
    std::string text = "what the buffer held before";
    int records = 0;
    for (table_.First(); !table_.Eof(); table_.Next(), ++records) {
        for (int i = 0; i < table_.FieldCount(); ++i) {
            const TField& field = *table_.Fields(i);
            for (bool display : {true, false}) {
                field.GetText(text, display);
                ASSERT_EQ(text, display ? field.DisplayText() : field.Text()) << field.FieldName << " " << records;
                // A length known without the text is the text's, which has no blank at its ends.
                if (const int len = field.TextLength(display); len >= 0) {
                    ASSERT_EQ(static_cast<std::size_t>(len), text.size()) << field.FieldName << " " << records;
                    ASSERT_TRUE(text.empty() || (static_cast<unsigned char>(text.front()) > ' ' &&
                                                 static_cast<unsigned char>(text.back()) > ' '));
                }
            }
        }
    }
    EXPECT_EQ(records, 4);

    // Numbers and ISO dates in their own forms are known by length.
    table_.First();
    EXPECT_EQ(F("i").TextLength(true), 1);
    EXPECT_EQ(F("f").TextLength(true), 3);
    EXPECT_EQ(F("dt").TextLength(true), 8);
    EXPECT_EQ(F("vc").TextLength(true), 45);
    EXPECT_EQ(F("b").TextLength(true), -1);
    static_cast<TDateTimeField&>(F("dt")).DisplayFormat = "dddd";
    EXPECT_EQ(F("dt").TextLength(true), -1);
    EXPECT_EQ(F("dt").TextLength(false), 8);
    static_cast<TIntegerField&>(F("i")).DisplayFormat = "0.0";
    EXPECT_EQ(F("i").TextLength(true), -1);
    static_cast<TIntegerField&>(F("i")).DisplayFormat.clear();
    table_.Next();
    EXPECT_EQ(F("i").TextLength(false), 13);
    EXPECT_EQ(F("f").TextLength(true), -1) << "1E300 has an exponent";
    table_.Next();
    table_.Next();
    EXPECT_EQ(F("vc").TextLength(true), -1) << "blanks at the ends are left to the caller";
}

TEST_F(Fields, IntegersShowAllTheirDigitsAndTheirSign) {
    // Every count of digits, the ends of each, and the ends of the range.
    std::vector<int64_t> values = {0, INT64_MAX, INT64_MIN, INT64_MIN + 1};
    for (int64_t p = 1; p <= INT64_MAX / 10; p *= 10)
        for (int64_t v : {p, p * 10 - 1, p * 5 + 3}) {
            values.push_back(v);
            values.push_back(-v);
        }
    std::string inserts;
    for (int64_t v : values) inserts += "INSERT INTO t(i) VALUES (" + std::to_string(v) + ");";
    Open(inserts);
    std::string text = "what the buffer held before";
    std::size_t n = 0;
    for (table_.First(); !table_.Eof(); table_.Next(), ++n) {
        ASSERT_LT(n, values.size());
        F("i").GetText(text, true);
        EXPECT_EQ(text, std::to_string(values[n]));
        EXPECT_EQ(F("i").TextLength(true), static_cast<int>(text.size())) << text;
    }
    EXPECT_EQ(n, values.size());
}

TEST_F(Fields, BooleansAndValuesOfAnotherKindThanTheColumn) {
    Open(
        "INSERT INTO t(b, b2, i, f) VALUES (1, 'yes', 2.5, 'n/a');"
        "INSERT INTO t(b, b2, i) VALUES (0, 'maybe', 'abc');");
    EXPECT_EQ(F("b").DisplayText(), "True");
    EXPECT_EQ(F("b2").DisplayText(), "True");
    EXPECT_TRUE(F("b2").AsBoolean());
    EXPECT_EQ(F("b").AsString(), "True");
    EXPECT_EQ(F("i").DisplayText(), "2.5") << "a real in an integer column is not cut";
    EXPECT_EQ(F("i").AsInteger(), 2) << "halves round to even";
    EXPECT_EQ(F("f").DisplayText(), "n/a");
    EXPECT_THROW(F("f").AsFloat(), EConvertError);
    table_.Next();
    EXPECT_EQ(F("b").DisplayText(), "False");
    EXPECT_EQ(F("b2").DisplayText(), "maybe");
    EXPECT_THROW(F("b2").AsBoolean(), EConvertError);
    EXPECT_THROW(F("i").AsInteger(), EConvertError);
}

TEST_F(Fields, NullsShowAsEmptyTextAndConvertToZero) {
    Open("INSERT INTO t(i) VALUES (NULL);");
    for (int n = 0; n < table_.FieldCount(); ++n) {
        TField* f = table_.Fields(n);
        EXPECT_TRUE(f->IsNull()) << f->FieldName;
        if (!f->IsBlob()) {
            EXPECT_EQ(f->DisplayText(), "") << f->FieldName;
            EXPECT_EQ(f->Text(), "") << f->FieldName;
        }
        EXPECT_EQ(f->AsString(), "") << f->FieldName;
    }
    EXPECT_EQ(F("mm").DisplayText(), "(Memo)");
    EXPECT_EQ(F("i").AsInteger(), 0);
    EXPECT_EQ(F("f").AsFloat(), 0.0);
    EXPECT_FALSE(F("b").AsBoolean());
    EXPECT_EQ(F("dt").AsDateTime(), 0.0);
    EXPECT_EQ(F("vc").AsInteger(), 0);
}

TEST_F(Fields, TextBytesPassUnchanged) {
    // 0xE9 and 0xFF are no UTF-8; 0xC4 0xCD are CP437 line drawing.
    Open("INSERT INTO t(vc, mm, c) VALUES (CAST(X'48E96C6C6FFF' AS TEXT), CAST(X'C4CDC40D0A41' AS TEXT), 'ab');");
    EXPECT_EQ(F("vc").AsString(), "H\xE9llo\xFF");
    EXPECT_EQ(F("vc").DisplayText(), "H\xE9llo\xFF");
    EXPECT_EQ(F("mm").AsString(), "\xC4\xCD\xC4\r\nA");
    EXPECT_EQ(F("c").DisplayText(), "ab");
}

TEST_F(Fields, MemoAndBlobFieldsReadAsStreams) {
    Open("INSERT INTO t(mm, tx, bl) VALUES ('Line one' || char(13, 10) || 'Line two', '', X'000102FF');");
    EXPECT_EQ(F("mm").DisplayText(), "(Memo)");
    EXPECT_EQ(F("mm").Text(), "(Memo)");
    EXPECT_EQ(F("bl").DisplayText(), "(Blob)");
    EXPECT_EQ(static_cast<TBlobField&>(F("bl")).BlobSize(), 4);

    auto memo = table_.CreateBlobStream(&F("mm"), TBlobStreamMode::bmRead);
    ASSERT_EQ(memo->Size(), 18);
    std::string buf(5, '\0');
    EXPECT_EQ(memo->Read(buf.data(), 4), 4);
    EXPECT_EQ(buf.substr(0, 4), "Line");
    memo->SetPosition(8);
    EXPECT_EQ(memo->Read(buf.data(), 5), 5);
    EXPECT_EQ(buf, "\r\nLin");

    auto blob = table_.CreateBlobStream(&F("bl"), TBlobStreamMode::bmRead);
    std::string bytes(10, 'x');
    EXPECT_EQ(blob->Read(bytes.data(), 10), 4);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x01\x02\xFF", 4));

    EXPECT_EQ(table_.CreateBlobStream(&F("tx"), TBlobStreamMode::bmRead)->Size(), 0);
    EXPECT_THROW(table_.CreateBlobStream(&F("mm"), TBlobStreamMode::bmWrite), EDatabaseError);
    EXPECT_THROW(table_.CreateBlobStream(&F("vc"), TBlobStreamMode::bmRead), EDatabaseError);
    EXPECT_THROW(table_.CreateBlobStream(nullptr, TBlobStreamMode::bmRead), EDatabaseError);
}

TEST_F(Fields, LookupByNameAndTitles) {
    Open("");
    EXPECT_EQ(table_.FindField("VC"), &F("vc"));
    EXPECT_EQ(table_.FindField("nope"), nullptr);
    try {
        table_.FieldByName("nope");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Field 'nope' not found");
    }
    EXPECT_THROW(table_.Fields(26), EListError);
    EXPECT_THROW(table_.Fields(-1), EListError);
    EXPECT_EQ(F("vc").DisplayName(), "vc");
    F("vc").DisplayLabel = "Name";
    EXPECT_EQ(F("vc").DisplayName(), "Name");
    TStringList names;
    table_.GetFieldNames(names);
    EXPECT_EQ(names.Count(), 26);
    EXPECT_EQ(names[25], "none_");
}

TEST(QueryFields, ExpressionColumnsTakeTheKindOfTheirFirstValue) {
    TempDir dir;
    SqliteFile file(dir.File("q.db"),
                    "CREATE TABLE a(id INTEGER, name VARCHAR(8)); CREATE TABLE b(id INTEGER);"
                    "INSERT INTO a VALUES (1, 'x'); INSERT INTO b VALUES (1);");
    TQuery q;
    q.SetDatabaseName(file.FileName());
    q.SQL.SetText(
        "SELECT 1 + 1 AS two, 2.5 * 2 AS five, 'a' || 'b' AS ab, X'00' AS bin, NULL AS empty,"
        " a.name, a.id, b.id FROM a JOIN b ON a.id = b.id");
    q.Open();
    ASSERT_EQ(q.FieldCount(), 8);
    EXPECT_EQ(q.FieldByName("two")->DataType(), TFieldType::ftInteger);
    EXPECT_EQ(q.FieldByName("five")->DataType(), TFieldType::ftFloat);
    EXPECT_EQ(q.FieldByName("five")->DisplayText(), "5");
    EXPECT_EQ(q.FieldByName("ab")->DataType(), TFieldType::ftString);
    EXPECT_EQ(q.FieldByName("bin")->DataType(), TFieldType::ftBlob);
    EXPECT_EQ(q.FieldByName("empty")->DataType(), TFieldType::ftString);
    EXPECT_EQ(q.FieldByName("name")->Size, 8) << "a column keeps its declaration";
    EXPECT_EQ(q.Fields(6)->FieldName, "id");
    EXPECT_EQ(q.Fields(7)->FieldName, "id_1") << "a repeated name is made unique";

    // Changing the statement closes the query.
    q.SQL.Add("WHERE a.id = 2");
    EXPECT_FALSE(q.Active());
    q.Open();
    EXPECT_TRUE(q.IsEmpty());
}

TEST(MemFields, DefinedFieldsAndAppendedRecords) {
    TMemDataSet ds;
    ds.AddFieldDef("Name", TFieldType::ftString, 10);
    ds.AddFieldDef("Born", TFieldType::ftDate);
    ds.AddFieldDef("Paid", TFieldType::ftCurrency);
    ds.AddFieldDef("Notes", TFieldType::ftMemo);
    ds.AppendRecord({"Ann", EncodeDate(1990, 12, 24), 12.5, "long notes"});
    ds.AppendRecord({"Bob"});
    EXPECT_THROW(ds.AppendRecord({1, 2, 3, 4, 5}), EDatabaseError);
    ds.Open();
    EXPECT_THROW(ds.AddFieldDef("x", TFieldType::ftInteger), EDatabaseError);
    EXPECT_EQ(ds.FieldByName("born")->DisplayText(), "12/24/1990");
    EXPECT_EQ(ds.FieldByName("paid")->DisplayText(), "$12.50");
    EXPECT_EQ(ds.FieldByName("notes")->AsString(), "long notes");
    EXPECT_EQ(ds.FieldByName("name")->DataSize(), 11);
    ds.Next();
    EXPECT_TRUE(ds.FieldByName("paid")->IsNull());
    EXPECT_EQ(ds.FieldByName("paid")->DisplayText(), "");

    ds.AppendRecord({"Cy"});
    EXPECT_EQ(ds.FieldByName("name")->AsString(), "Cy") << "an appended record becomes the current one";
    EXPECT_EQ(ds.RecordCount(), 3);

    TMemDataSet odd;
    odd.AddFieldDef("c", TFieldType::ftCursor);
    EXPECT_THROW(odd.Open(), EDatabaseError);
    EXPECT_FALSE(odd.Active());
}
