// Field types, dataset states and the other small enumerations of datasets.
#pragma once

#include <cstdint>
#include <string>

namespace trx {

// The type of a field's values, with the framework's ordinals.
enum class TFieldType : uint8_t {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftADT,
    ftArray,
    ftReference,
    ftDataSet,
};

// The type's name as the framework spells it ("String", "Integer", "Memo").
std::string FieldTypeName(TFieldType Type);

// What a dataset is doing. Datasets of this framework only browse.
enum class TDataSetState : uint8_t {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsNewValue,
    dsOldValue,
    dsCurValue,
    dsBlockRead,
    dsInternalCalc,
};

// How a blob stream is opened.
enum class TBlobStreamMode : uint8_t { bmRead, bmWrite, bmReadWrite };

// What a dataset tells its data sources and their links.
enum class TDataEvent : uint8_t {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    dePropertyChange,
    deFieldListChange,
    deFocusControl,
};

} // namespace trx
