// The field table of the settings file: its rows, the conversion of each
// field between its value and its text, the keys of an operation with their
// defaults, the value text of every key, and the storing of a key's text
// into the settings record, its memos and the style options.
#include <iterator>
#include <type_traits>
#include <utility>

#include "engine/obj_info.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "storage/file_mgr.h"

namespace trx {

TrsfList::~TrsfList() {
    for (int i = 0; i < Count(); ++i) delete GetObject(i);
}

namespace {

using Rec = TtrxReportSettings;
using U = TUnitsOfMeasure;
using So = TStyleOptNdx;

// ---- Conversions: a field's value as text, and a text stored into it ----
// A text that does not convert takes the row's default text.

struct BoolCnv {
    static std::string Text(bool V) { return V ? "1" : "0"; }
    static void Store(bool& F, const std::string& T, const std::string& D) { F = TtrxFileMgr::CnvtStrToBoolDflt(T, D); }
};

struct IntCnv {
    static std::string Text(int32_t V) { return IntToStr(V); }
    static void Store(int32_t& F, const std::string& T, const std::string& D) {
        F = TtrxFileMgr::CnvtStrToIntDflt(T, D);
    }
};

// An enumeration (or a byte) stored as its ordinal: a stored value out of
// range takes the default's value, and 0 when that is out of range too.
template <int Count>
struct Ordinal {
    template <class E>
    static std::string Text(E V) {
        return IntToStr(static_cast<int>(V));
    }
    template <class E>
    static void Store(E& F, const std::string& T, const std::string& D) {
        int v = TtrxFileMgr::CnvtStrToIntDflt(T, D);
        if (v < 0 || v >= Count) v = TtrxFileMgr::CnvtStrToIntDflt(D, "0");
        F = static_cast<E>(v >= 0 && v < Count ? v : 0);
    }
};

struct PointCnv {
    static std::string Text(const TPoint& V) { return IntToStr(V.X) + "," + IntToStr(V.Y); }
    static void Store(TPoint& F, const std::string& T, const std::string& D) {
        F = TtrxFileMgr::CnvtStrToPointDflt(T, D);
    }
};

struct RectCnv {
    static std::string Text(const TRect& V) { return TtrxFileMgr::CnvtRectToStr(V); }
    static void Store(TRect& F, const std::string& T, const std::string& D) {
        F = TtrxFileMgr::CnvtStrToRectDflt(T, D);
    }
};

struct DateCnv {
    static std::string Text(TDateTime V) { return DateTimeToStr(V); }
    static void Store(TDateTime& F, const std::string& T, const std::string& D) {
        F = TtrxFileMgr::CnvtStrToDateDflt(T, D);
    }
};

// Texts as they stand; a length-prefixed text is cut when it is assigned.
struct AsIs {
    static std::string Text(const std::string& V) { return V; }
    template <class S>
    static void Store(S& F, const std::string& T, const std::string&) {
        F = T;
    }
};

// Texts where an empty text takes the default.
struct TextDflt {
    static std::string Text(const std::string& V) { return V; }
    template <class S>
    static void Store(S& F, const std::string& T, const std::string& D) {
        F = TtrxFileMgr::CnvtStrToStrDflt(T, D);
    }
};

// The conversion of a field whose row names none, by the field's type;
// texts and enumerations always name theirs.
template <class V>
auto NaturalCnvOf() {
    if constexpr (std::is_same_v<V, bool>) return BoolCnv{};
    if constexpr (std::is_same_v<V, int32_t>) return IntCnv{};
    if constexpr (std::is_same_v<V, TPoint>) return PointCnv{};
    if constexpr (std::is_same_v<V, TRect>) return RectCnv{};
    if constexpr (std::is_same_v<V, TDateTime>) return DateCnv{};
}
template <class V>
using NaturalCnv = decltype(NaturalCnvOf<V>());

template <auto Member>
struct MemberOf;
template <class C, class V, V C::*Member>
struct MemberOf<Member> {
    using Type = V;
};
template <auto Member>
using MemberType = typename MemberOf<Member>::Type;
// The type of one member of a per-unit triple.
template <auto Member>
using UnitMemberType = std::remove_cvref_t<decltype(std::declval<MemberType<Member>&>()[U::umTxt])>;

// ---- Places: where a field lives ------------------------------------------
// Of gives a pointer to the field in a record (const or not), or nullptr
// when the field's owner does not exist.

template <auto Member>
struct InRecord {
    static constexpr bool PerMemo = false;
    template <class R>
    static auto* Of(R& Rs, TRptMemoNdx) {
        return &(Rs.*Member);
    }
};

template <auto Member, U Unit>
struct InUnit {
    static constexpr bool PerMemo = false;
    template <class R>
    static auto* Of(R& Rs, TRptMemoNdx) {
        return &(Rs.*Member)[Unit];
    }
};

template <auto Member>
struct InMemo {
    static constexpr bool PerMemo = true;
    template <class R>
    static auto* Of(R& Rs, TRptMemoNdx Memo) {
        using M = std::conditional_t<std::is_const_v<R>, const TRptMemo, TRptMemo>;
        M* m = Rs.RptMemos[static_cast<std::size_t>(Ord(Memo))].get();
        return m ? &(m->*Member) : nullptr;
    }
};

template <So Opt>
struct InStyles {
    static constexpr bool PerMemo = false;
    template <class R>
    static bool* Of(R&, TRptMemoNdx) {
        return RptStyles ? &RptStyles->StyleOpts[Opt].Value : nullptr;
    }
};

template <class Place, class Cnv>
constexpr TrsfAccess Access() {
    static_assert(!std::is_void_v<Cnv>, "a text or an enumeration names its conversion");
    return {
        .Get = [](const Rec& Rs, TRptMemoNdx Memo, const std::string& Default) -> std::string {
            const auto* f = Place::Of(Rs, Memo);
            return f ? Cnv::Text(*f) : Default;
        },
        .Set =
            [](Rec& Rs, TRptMemoNdx Memo, const std::string& Text, const std::string& Default) {
                if (auto* f = Place::Of(Rs, Memo)) Cnv::Store(*f, Text, Default);
            },
        .PerMemo = Place::PerMemo,
    };
}

// The field columns of the rows.
template <auto Member, class Cnv = NaturalCnv<MemberType<Member>>>
constexpr TrsfAccess Field() {
    return Access<InRecord<Member>, Cnv>();
}
template <auto Member, U Unit, class Cnv = NaturalCnv<UnitMemberType<Member>>>
constexpr TrsfAccess UnitField() {
    return Access<InUnit<Member, Unit>, Cnv>();
}
template <auto Member, class Cnv = NaturalCnv<MemberType<Member>>>
constexpr TrsfAccess MemoField() {
    return Access<InMemo<Member>, Cnv>();
}
template <So Opt>
constexpr TrsfAccess StyleOpt() {
    return Access<InStyles<Opt>, BoolCnv>();
}

// ---- Defaults that depend on the run ----------------------------------------

bool IsObjDecisionGrid() {
#ifdef UseDecGrid
    return ObjInfo != nullptr && ObjInfo->ObjType == TObjType::IsDecGrid;
#else
    return false;
#endif
}

std::string CountNumRcdsDflt() { return BoolCnv::Text(!(ObjInfo && ObjInfo->IsDatasetSQLBased())); }
std::string CreateDateDflt() { return DateTimeToStr(Now()); }
std::string OutputFileDflt() { return FixFilePath(GetCurrentDir(), true) + "Rpt.Txt"; }
std::string LineNumbersDflt() { return BoolCnv::Text(!IsObjDecisionGrid()); }
std::string GrpBrkLinesDflt() { return BoolCnv::Text(IsObjDecisionGrid()); }

// ---- The table --------------------------------------------------------------

constexpr TrsfFldTyp I = TrsfFldTyp::rsftInteger;
constexpr TrsfFldTyp B = TrsfFldTyp::rsftBoolean;
constexpr TrsfFldTyp S = TrsfFldTyp::rsftString;
constexpr TrsfFldTyp D = TrsfFldTyp::rsftDateTime;
constexpr TrsfFldTyp R = TrsfFldTyp::rsftRect;
constexpr TrsfFldTyp P = TrsfFldTyp::rsftPoint;

constexpr TrsfField FieldRows[] = {
#define TRX_SETTING(Name, ...) {.Key = #Name, __VA_ARGS__},
#include "storage/settings_field_rows.h"
#undef TRX_SETTING
};
static_assert(std::size(FieldRows) <= 256, "TrsfFld is one byte");

std::string DefaultOf(const TrsfField& F) { return F.RunDefault ? F.RunDefault() : F.Default; }

void AssignRowDefaults(const TrsfList& List, Rec& Rs) {
    for (int i = 0; i < List.Count(); ++i) {
        const TrsfData* d = List.Data(i);
        d->Field().Field.Set(Rs, d->Memo, d->DefaultValue, d->DefaultValue);
    }
}

} // namespace

std::span<const TrsfField> TrsfFields() { return FieldRows; }

void AddFieldRows(TrsfList& List) {
    auto add = [&](const std::string& Key, std::size_t Row, TRptMemoNdx Memo) {
        const TrsfField& f = FieldRows[Row];
        auto data = std::make_unique<TrsfData>(f.Typ, static_cast<TrsfFld>(Row), Memo, DefaultOf(f));
        List.AddObject(Key, data.get());
        data.release();
    };
    for (std::size_t i = 0; i < std::size(FieldRows); ++i)
        if (!FieldRows[i].Field.PerMemo) add(FieldRows[i].Key, i, TRptMemoNdx::rmRptTi);
    for (int m = 0; m < RptMemoCount; ++m)
        for (std::size_t i = 0; i < std::size(FieldRows); ++i)
            if (FieldRows[i].Field.PerMemo)
                add(std::string("Memo,") + RptMemoNames[m] + "," + FieldRows[i].Key, i, static_cast<TRptMemoNdx>(m));
}

void AssignFieldDefaults(TtrxReportSettings& Rs) {
    TrsfList rows;
    AddFieldRows(rows);
    AssignRowDefaults(rows, Rs);
}

void TtrxFileMgr::InitRSFList() {
    if (RSFList) return;
    RSFList = std::make_unique<TrsfList>();
    AddFieldRows(*RSFList);
}

void TtrxFileMgr::UpdateRSFList(const std::string& Key, const std::string& Text) {
    const int i = RSFList ? RSFList->IndexOf(Key) : -1;
    if (i < 0)
        throw ETrxSUError(
            std::string(SetupErrorPrefix) +
            "[TtrxReportSettings.UpdateRSFList] Attempt to update nonexistant ReportSettings Property \"" + Key + "\"");
    RSFList->Data(i)->Value = Text;
}

void TtrxFileMgr::UpdateEntireRSFList() {
    if (!ReportSettings || !RSFList) return;
    for (int i = 0; i < RSFList->Count(); ++i) {
        TrsfData* d = RSFList->Data(i);
        d->Value = d->Field().Field.Get(*ReportSettings, d->Memo, d->DefaultValue);
    }
}

void TtrxFileMgr::AssignStrFldToReportSettings(const TrsfData& Row, const std::string& Value) {
    if (ReportSettings) Row.Field().Field.Set(*ReportSettings, Row.Memo, Value, Row.DefaultValue);
}

void TtrxFileMgr::AssignDefaultsToReportSettings() {
    if (!RSFList || !ReportSettings) return;
    AssignRowDefaults(*RSFList, *ReportSettings);
    if (TRptMemo* m = ReportSettings->RptMemos[Ord(TRptMemoNdx::rmPgNum)].get())
        m->SetText(std::string(1, CR) + "^DL^PC^TR");
}

} // namespace trx
