// The field table of the report-settings file: one row per setting, with
// its key, its type, the field it is stored in with that field's
// conversion, and its default text. The rows stand in
// settings_field_rows.h; loading, saving and the defaults all go by them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "engine/report_types.h"
#include "framework/core/stringlist.h"

namespace trx {

class TtrxReportSettings;

// The type column of the table; conversions go by the row's field, not by it.
enum class TrsfFldTyp : uint8_t { rsftInteger, rsftBoolean, rsftReal, rsftString, rsftDateTime, rsftRect, rsftPoint };

// One value per row of the table, rsf + key, in table order. The value of
// a memo property is shared by its eight keys.
enum class TrsfFld : uint8_t {
#define TRX_SETTING(Name, ...) rsf##Name,
#include "storage/settings_field_rows.h"
#undef TRX_SETTING
};

// A row's field together with its conversion: the two functions that the
// table's templates make for it.
struct TrsfAccess {
    // The field's value as text; Default when the field's owner (the memo,
    // RptStyles) does not exist.
    std::string (*Get)(const TtrxReportSettings& Rs, TRptMemoNdx Memo, const std::string& Default) = nullptr;
    // Stores Text into the field, Default standing in for a text that does
    // not convert; nothing when the field's owner does not exist.
    void (*Set)(TtrxReportSettings& Rs, TRptMemoNdx Memo, const std::string& Text,
                const std::string& Default) = nullptr;
    // A property of a memo: the row stands for one key per memo.
    bool PerMemo = false;
};

// One setting: a row of the field table.
//
// Every column has a default member initializer, so that a row names only
// the columns it fills. No column names a control of the options dialog:
// the dialog keeps its own rows, one per control (ui/screen_fields.h),
// each naming the settings it edits by their TrsfFld, and most of them move
// a value between the control and the record through this row's Field.Get
// and Field.Set, in the same text that the settings file holds.
struct TrsfField {
    const char* Key = "";
    TrsfFldTyp Typ = TrsfFldTyp::rsftString;
    TrsfAccess Field;
    const char* Default = "";
    // A default that depends on the run (the object to print, the clock,
    // the current directory), computed when the table is built; it takes
    // the place of Default.
    std::string (*RunDefault)() = nullptr;
};

// The rows, indexed by TrsfFld.
std::span<const TrsfField> TrsfFields();

// One key of the field table as an operation holds it.
class TrsfData : public TObject {
public:
    TrsfData(TrsfFldTyp AFldTyp, TrsfFld AFld, TRptMemoNdx AMemo, std::string ADefaultValue)
        : FldTyp(AFldTyp), Fld(AFld), Memo(AMemo), DefaultValue(std::move(ADefaultValue)) {}

    const TrsfField& Field() const { return TrsfFields()[Ord(Fld)]; }

    TrsfFldTyp FldTyp;
    TrsfFld Fld;
    TRptMemoNdx Memo; // the memo of a memo property's key
    std::string DefaultValue;
    std::string Value; // empty until the current settings are filled in
};

// The field table: each string is a key, its object the key's row. Look-up
// is case-insensitive; the list owns its rows.
class TrsfList : public TStringList {
public:
    TrsfList() = default;
    ~TrsfList() override;
    TrsfList(const TrsfList&) = delete;
    TrsfList& operator=(const TrsfList&) = delete;

    TrsfData* Data(int Index) const { return static_cast<TrsfData*>(GetObject(Index)); }
};

// Appends a row for every key of the table, in writing order, with its
// default text: the report's own settings, then the memo properties memo by
// memo.
void AddFieldRows(TrsfList& List);

// Every setting of the table at its default, as a load starts from it: the
// fields of Rs, the properties of its memos and, when RptStyles exists, the
// on-flags of its style options. The memo texts stay as they are.
void AssignFieldDefaults(TtrxReportSettings& Rs);

} // namespace trx
