// TField and its kinds: one column of a dataset, seen through the current
// record. A field turns the stored value into the texts and values an
// application asks for: DisplayText (formatted for showing), Text (for
// editing), AsString, AsInteger, AsFloat, AsDateTime and AsBoolean.
//
// A stored value of another kind than the field's type is converted when it
// can be (an integer in a float field, ISO text or a number of days in a date
// field); a value that cannot be converted is shown as it is stored, and the
// As* conversions raise EConvertError for it. A null shows as empty text.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/date_time.h"
#include "framework/core/exceptions.h"
#include "framework/core/types.h"
#include "framework/data/data_value.h"
#include "framework/data/field_type.h"

namespace trx {

class TDataSet;

class TField : public TObject {
public:
    ~TField() override = default;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    std::string FieldName;
    // The column title; empty stands for the field name (see DisplayName).
    std::string DisplayLabel;
    bool Visible = true;
    // Numbers right, everything else left.
    TAlignment Alignment = TAlignment::taLeftJustify;
    // Characters of a string field, decimals of a BCD field, else 0.
    int Size = 0;

    TDataSet* DataSet() const { return dataSet_; }
    TFieldType DataType() const { return dataType_; }
    std::string DisplayName() const { return DisplayLabel.empty() ? FieldName : DisplayLabel; }
    // Position in the dataset's fields; -1 while the dataset is closed.
    int Index() const { return index_; }
    // Bytes of the value in a record buffer (a string field's size plus one).
    virtual int DataSize() const = 0;
    // Characters the field wants on screen; the type's default until set.
    int DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultWidth(); }
    void SetDisplayWidth(int Value) { displayWidth_ = Value; }

    // The stored value in the current record (null while the dataset shows
    // no record or is closed). Read for every cell of every row: inline.
    const TDataValue& Value() const {
        const std::size_t i = static_cast<std::size_t>(index_);
        if (record_ && i < record_->Values.size()) [[likely]]
            return record_->Values[i];
        return NullValue();
    }
    bool IsNull() const { return Value().IsNull(); }
    virtual bool IsBlob() const { return false; }

    std::string DisplayText() const {
        std::string text;
        GetText(text, true);
        return text;
    }
    std::string Text() const {
        std::string text;
        GetText(text, false);
        return text;
    }
    // DisplayText (ForDisplay) or Text into Text, in the room it already
    // has: the texts of record after record without a new string each.
    virtual void GetText(std::string& Text, bool ForDisplay) const;
    // The length of GetText's text when it is known without writing the
    // text (numbers and dates in their own forms; such a text neither begins
    // nor ends with a blank or a control character); -1 otherwise.
    virtual int TextLength(bool /*ForDisplay*/) const { return -1; }
    virtual std::string AsString() const;
    // Raise EConvertError for a value that does not convert, and
    // EDatabaseError "Cannot access field '<name>' as type <type>" where
    // the field's type has no such conversion. A null gives 0, False or 0.0.
    virtual int64_t AsInteger() const;
    virtual double AsFloat() const;
    virtual TDateTime AsDateTime() const;
    virtual bool AsBoolean() const;

protected:
    TField(TFieldType Type, int ASize);
    virtual int DefaultWidth() const = 0;
    [[noreturn]] void AccessError(const char* TypeName) const;
    // The stored value as text, whatever its kind.
    std::string StoredText() const;
    void StoredText(std::string& Text) const;

private:
    friend class TDataSet;
    static const TDataValue& NullValue();
    TDataSet* dataSet_ = nullptr;
    // The dataset's current record, which holds no values while it shows
    // none; the field's value is the one at index_ (-1 while closed).
    const TRecord* record_ = nullptr;
    int index_ = -1;
    TFieldType dataType_;
    int displayWidth_ = 0;
};

class TStringField : public TField {
public:
    explicit TStringField(int ASize);
    // The stored text's length, when it neither begins nor ends with a blank.
    int TextLength(bool ForDisplay) const override;
    // A declared size of the largest int keeps that size rather than wrapping.
    int DataSize() const override { return Size < INT_MAX ? Size + 1 : INT_MAX; }
    int64_t AsInteger() const override;
    double AsFloat() const override;
    TDateTime AsDateTime() const override;
    // True when the text starts with T or Y (either case).
    bool AsBoolean() const override;

protected:
    int DefaultWidth() const override { return Size; }
};

// Numbers: right-aligned, with optional pictures for FormatFloat.
class TNumericField : public TField {
public:
    // Picture for DisplayText; empty for the type's own form.
    std::string DisplayFormat;
    // Picture for Text; empty to use DisplayFormat.
    std::string EditFormat;

protected:
    TNumericField(TFieldType Type, int ASize);
    const std::string& FormatFor(bool ForDisplay) const;
};

class TIntegerField : public TNumericField {
public:
    void GetText(std::string& Text, bool ForDisplay) const override;
    int TextLength(bool ForDisplay) const override;
    TIntegerField() : TIntegerField(TFieldType::ftInteger) {}
    int DataSize() const override { return 4; }
    std::string AsString() const override;
    int64_t AsInteger() const override;
    double AsFloat() const override;

protected:
    explicit TIntegerField(TFieldType Type) : TNumericField(Type, 0) {}
    int DefaultWidth() const override { return 11; }
    bool GetValue(int64_t& Result) const;
};

class TSmallintField : public TIntegerField {
public:
    TSmallintField() : TIntegerField(TFieldType::ftSmallint) {}
    int DataSize() const override { return 2; }

protected:
    int DefaultWidth() const override { return 6; }
};

class TWordField : public TIntegerField {
public:
    TWordField() : TIntegerField(TFieldType::ftWord) {}
    int DataSize() const override { return 2; }

protected:
    int DefaultWidth() const override { return 6; }
};

class TAutoIncField : public TIntegerField {
public:
    TAutoIncField() : TIntegerField(TFieldType::ftAutoInc) {}
};

class TLargeintField : public TIntegerField {
public:
    TLargeintField() : TIntegerField(TFieldType::ftLargeint) {}
    int DataSize() const override { return 8; }

protected:
    int DefaultWidth() const override { return 15; }
};

class TFloatField : public TNumericField {
public:
    void GetText(std::string& Text, bool ForDisplay) const override;
    int TextLength(bool ForDisplay) const override;
    TFloatField() : TFloatField(TFieldType::ftFloat) {}
    // Shown with the currency format of the format settings.
    bool Currency = false;
    // Significant digits of the general form.
    int Precision = 15;

    int DataSize() const override { return 8; }
    std::string AsString() const override;
    int64_t AsInteger() const override;
    double AsFloat() const override;

protected:
    explicit TFloatField(TFieldType Type, int ASize = 0) : TNumericField(Type, ASize) {}
    int DefaultWidth() const override { return Precision < 15 ? Precision + 2 : 10; }
    bool GetValue(double& Result) const;
};

class TCurrencyField : public TFloatField {
public:
    TCurrencyField() : TFloatField(TFieldType::ftCurrency) { Currency = true; }
};

// Fixed-point numbers; Size is the number of decimals.
class TBCDField : public TFloatField {
public:
    explicit TBCDField(int Decimals = 4) : TFloatField(TFieldType::ftBCD, Decimals) {}
    int DataSize() const override { return 34; }
};

class TBooleanField : public TField {
public:
    void GetText(std::string& Text, bool ForDisplay) const override;
    TBooleanField() : TField(TFieldType::ftBoolean, 0) {}
    int DataSize() const override { return 2; }
    // "True" or "False".
    std::string AsString() const override;
    int64_t AsInteger() const override { return AsBoolean() ? 1 : 0; }
    bool AsBoolean() const override;

protected:
    int DefaultWidth() const override { return 5; }
    bool GetValue(bool& Result) const;
};

// Dates and times: DisplayText uses DisplayFormat, or the short date format
// (dates), the long time format (times) or both (date-times) of the format
// settings.
class TDateTimeField : public TField {
public:
    void GetText(std::string& Text, bool ForDisplay) const override;
    int TextLength(bool ForDisplay) const override;
    TDateTimeField() : TDateTimeField(TFieldType::ftDateTime) {}
    std::string DisplayFormat;

    int DataSize() const override { return 8; }
    std::string AsString() const override { return Text(); }
    double AsFloat() const override { return AsDateTime(); }
    TDateTime AsDateTime() const override;

protected:
    explicit TDateTimeField(TFieldType Type) : TField(Type, 0) {}
    int DefaultWidth() const override { return 18; }
    bool GetValue(TDateTime& Result) const;
    // The format of DisplayText (ForDisplay) or Text.
    std::string_view TextFormat(bool ForDisplay) const;
};

class TDateField : public TDateTimeField {
public:
    TDateField() : TDateTimeField(TFieldType::ftDate) {}
    int DataSize() const override { return 4; }

protected:
    int DefaultWidth() const override { return 10; }
};

class TTimeField : public TDateTimeField {
public:
    TTimeField() : TDateTimeField(TFieldType::ftTime) {}
    int DataSize() const override { return 4; }

protected:
    int DefaultWidth() const override { return 10; }
};

// Bytes of any length. DisplayText and Text show "(Blob)" ("(Memo)" for
// memos, "(Graphic)" for graphics); AsString gives the bytes; the dataset's
// CreateBlobStream reads them as a stream.
class TBlobField : public TField {
public:
    void GetText(std::string& Text, bool ForDisplay) const override;
    TBlobField() : TBlobField(TFieldType::ftBlob) {}
    // A field of another binary or memo type.
    explicit TBlobField(TFieldType Type) : TField(Type, 0) {}
    int DataSize() const override { return 0; }
    bool IsBlob() const override { return true; }
    std::string AsString() const override { return Value().Bytes(); }
    int BlobSize() const { return static_cast<int>(Value().Bytes().size()); }

protected:
    int DefaultWidth() const override { return 10; }
};

// Text of any length; shows "(Memo)".
class TMemoField : public TBlobField {
public:
    TMemoField() : TBlobField(TFieldType::ftMemo) {}
};

// A new field of the kind that holds values of Type. Raises EDatabaseError
// for a type that no field kind holds (ftUnknown, ftCursor, ftADT, ...).
std::unique_ptr<TField> NewField(TFieldType Type, int Size);

} // namespace trx
