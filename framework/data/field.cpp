#include "framework/data/field.h"

#include <charconv>
#include <cmath>

#include "framework/core/format.h"
#include "framework/core/strings.h"
#include "framework/data/dataset.h"
#include "framework/data/stored_date_time.h"

namespace trx {

namespace {

// Numbers stored as text are read with a point, whatever the format settings.
bool TextToInt(std::string_view Text, int64_t& Value) {
    const std::string t = Trim(Text);
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, Value);
    return first != last && ec == std::errc() && end == last;
}

bool TextToFloat(std::string_view Text, double& Value) {
    const std::string t = Trim(Text);
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, Value);
    return first != last && ec == std::errc() && end == last && std::isfinite(Value);
}

bool TextToBool(std::string_view Text, bool& Value) {
    const std::string t = UpperCase(Trim(Text));
    if (t == "TRUE" || t == "T" || t == "YES" || t == "Y" || t == "1") {
        Value = true;
        return true;
    }
    if (t == "FALSE" || t == "F" || t == "NO" || t == "N" || t == "0") {
        Value = false;
        return true;
    }
    return false;
}

// The framework's Round: halves go to the even neighbour.
int64_t RoundToInt(double Value) {
    const double r = std::nearbyint(Value);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        throw EConvertError(FloatToStr(Value) + " is not a valid integer value");
    return static_cast<int64_t>(r);
}

} // namespace

std::string FieldTypeName(TFieldType Type) {
    static const char* const Names[] = {
        "Unknown",  "String",    "SmallInt",    "Integer",  "Word",     "Boolean",  "Float",      "Currency",
        "BCD",      "Date",      "Time",        "DateTime", "Bytes",    "VarBytes", "AutoInc",    "Blob",
        "Memo",     "Graphic",   "FmtMemo",     "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor", "FixedChar",
        "WideString", "Largeint", "ADT",        "Array",    "Reference", "DataSet"};
    const auto i = static_cast<std::size_t>(Type);
    return i < std::size(Names) ? Names[i] : "Unknown";
}

// ---- TField --------------------------------------------------------------------------

TField::TField(TFieldType Type, int ASize) : Size(ASize), dataType_(Type) {}

const TDataValue& TField::NullValue() {
    static const TDataValue Null;
    return Null;
}

const TDataValue& TField::DataSetValue() const { return dataSet_->FieldValue(index_); }

void TField::AccessError(const char* TypeName) const {
    throw EDatabaseError("Cannot access field '" + FieldName + "' as type " + TypeName);
}

std::string TField::StoredText() const {
    const TDataValue& v = Value();
    switch (v.Kind()) {
    case TValueKind::vkNull: return {};
    case TValueKind::vkInteger: return IntToStr(v.Integer());
    case TValueKind::vkFloat: return FloatToStr(v.Float());
    default: return v.Bytes();
    }
}

std::string TField::GetText(bool) const { return StoredText(); }
std::string TField::AsString() const { return StoredText(); }
int64_t TField::AsInteger() const { AccessError("Integer"); }
double TField::AsFloat() const { AccessError("Float"); }
TDateTime TField::AsDateTime() const { AccessError("DateTime"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }

// ---- TStringField ----------------------------------------------------------------------

TStringField::TStringField(int ASize) : TField(TFieldType::ftString, ASize > 0 ? ASize : 20) {}

int64_t TStringField::AsInteger() const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    if (v.Kind() == TValueKind::vkInteger) return v.Integer();
    return StrToInt64(StoredText());
}

double TStringField::AsFloat() const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    if (v.Kind() == TValueKind::vkInteger) return static_cast<double>(v.Integer());
    if (v.Kind() == TValueKind::vkFloat) return v.Float();
    return StrToFloat(v.Bytes());
}

TDateTime TStringField::AsDateTime() const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    TDateTime d = 0;
    if (ParseStoredDateTime(StoredText(), d)) return d;
    return StrToDateTime(v.Bytes());
}

bool TStringField::AsBoolean() const {
    const std::string s = StoredText();
    return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
}

// ---- numbers -----------------------------------------------------------------------------

TNumericField::TNumericField(TFieldType Type, int ASize) : TField(Type, ASize) {
    Alignment = TAlignment::taRightJustify;
}

const std::string& TNumericField::FormatFor(bool ForDisplay) const {
    return ForDisplay || EditFormat.empty() ? DisplayFormat : EditFormat;
}

bool TIntegerField::GetValue(int64_t& Result) const {
    const TDataValue& v = Value();
    switch (v.Kind()) {
    case TValueKind::vkInteger: Result = v.Integer(); return true;
    case TValueKind::vkFloat: {
        const double f = v.Float();
        if (std::floor(f) != f || !(f >= -9223372036854775808.0 && f < 9223372036854775808.0)) return false;
        Result = static_cast<int64_t>(f);
        return true;
    }
    case TValueKind::vkText: return TextToInt(v.Bytes(), Result);
    default: return false;
    }
}

std::string TIntegerField::GetText(bool ForDisplay) const {
    if (IsNull()) return {};
    int64_t n = 0;
    if (!GetValue(n)) return StoredText();
    const std::string& fmt = FormatFor(ForDisplay);
    return fmt.empty() ? IntToStr(n) : FormatFloat(fmt, static_cast<double>(n));
}

std::string TIntegerField::AsString() const {
    int64_t n = 0;
    return GetValue(n) ? IntToStr(n) : StoredText();
}

int64_t TIntegerField::AsInteger() const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    int64_t n = 0;
    if (GetValue(n)) return n;
    if (v.Kind() == TValueKind::vkFloat) return RoundToInt(v.Float());
    return StrToInt64(StoredText());
}

double TIntegerField::AsFloat() const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    if (v.Kind() == TValueKind::vkFloat) return v.Float();
    int64_t n = 0;
    if (GetValue(n)) return static_cast<double>(n);
    double f = 0;
    if (v.Kind() == TValueKind::vkText && TextToFloat(v.Bytes(), f)) return f;
    return StrToFloat(StoredText());
}

bool TFloatField::GetValue(double& Result) const {
    const TDataValue& v = Value();
    switch (v.Kind()) {
    case TValueKind::vkInteger: Result = static_cast<double>(v.Integer()); return true;
    case TValueKind::vkFloat: Result = v.Float(); return true;
    case TValueKind::vkText: return TextToFloat(v.Bytes(), Result);
    default: return false;
    }
}

std::string TFloatField::GetText(bool ForDisplay) const {
    if (IsNull()) return {};
    double f = 0;
    if (!GetValue(f)) return StoredText();
    const std::string& fmt = FormatFor(ForDisplay);
    if (!fmt.empty()) return FormatFloat(fmt, f);
    if (Currency)
        return FloatToStrF(f, ForDisplay ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed, Precision,
                           FormatSettings().CurrencyDecimals);
    return FloatToStrF(f, TFloatFormat::ffGeneral, Precision, 0);
}

std::string TFloatField::AsString() const {
    double f = 0;
    return GetValue(f) ? FloatToStr(f) : StoredText();
}

int64_t TFloatField::AsInteger() const { return RoundToInt(AsFloat()); }

double TFloatField::AsFloat() const {
    if (IsNull()) return 0;
    double f = 0;
    if (GetValue(f)) return f;
    return StrToFloat(StoredText());
}

// ---- TBooleanField -----------------------------------------------------------------------

bool TBooleanField::GetValue(bool& Result) const {
    const TDataValue& v = Value();
    switch (v.Kind()) {
    case TValueKind::vkInteger: Result = v.Integer() != 0; return true;
    case TValueKind::vkFloat: Result = v.Float() != 0; return true;
    case TValueKind::vkText: return TextToBool(v.Bytes(), Result);
    default: return false;
    }
}

std::string TBooleanField::GetText(bool) const {
    if (IsNull()) return {};
    bool b = false;
    if (!GetValue(b)) return StoredText();
    return b ? "True" : "False";
}

std::string TBooleanField::AsString() const { return GetText(true); }

bool TBooleanField::AsBoolean() const {
    if (IsNull()) return false;
    bool b = false;
    if (!GetValue(b)) throw EConvertError("'" + StoredText() + "' is not a valid boolean value");
    return b;
}

// ---- dates and times ---------------------------------------------------------------------

bool TDateTimeField::GetValue(TDateTime& Result) const {
    const TDataValue& v = Value();
    switch (v.Kind()) {
    case TValueKind::vkInteger: Result = static_cast<double>(v.Integer()); return true;
    case TValueKind::vkFloat: Result = v.Float(); return std::isfinite(Result);
    case TValueKind::vkText: return ParseStoredDateTime(v.Bytes(), Result);
    default: return false;
    }
}

std::string TDateTimeField::GetText(bool ForDisplay) const {
    if (IsNull()) return {};
    TDateTime d = 0;
    if (!GetValue(d)) return StoredText();
    if (ForDisplay && !DisplayFormat.empty()) return FormatDateTime(DisplayFormat, d);
    switch (DataType()) {
    case TFieldType::ftDate: return FormatDateTime(FormatSettings().ShortDateFormat, d);
    case TFieldType::ftTime: return FormatDateTime(FormatSettings().LongTimeFormat, d);
    default: return FormatDateTime("c", d);
    }
}

TDateTime TDateTimeField::AsDateTime() const {
    if (IsNull()) return 0;
    TDateTime d = 0;
    if (!GetValue(d)) throw EConvertError("'" + StoredText() + "' is not a valid date and time");
    return d;
}

// ---- blobs ---------------------------------------------------------------------------------

std::string TBlobField::GetText(bool) const {
    switch (DataType()) {
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo: return "(Memo)";
    case TFieldType::ftGraphic: return "(Graphic)";
    default: return "(Blob)";
    }
}

// ---- making fields -------------------------------------------------------------------------

std::unique_ptr<TField> NewField(TFieldType Type, int Size) {
    switch (Type) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString: return std::make_unique<TStringField>(Size);
    case TFieldType::ftSmallint: return std::make_unique<TSmallintField>();
    case TFieldType::ftInteger: return std::make_unique<TIntegerField>();
    case TFieldType::ftWord: return std::make_unique<TWordField>();
    case TFieldType::ftAutoInc: return std::make_unique<TAutoIncField>();
    case TFieldType::ftLargeint: return std::make_unique<TLargeintField>();
    case TFieldType::ftBoolean: return std::make_unique<TBooleanField>();
    case TFieldType::ftFloat: return std::make_unique<TFloatField>();
    case TFieldType::ftCurrency: return std::make_unique<TCurrencyField>();
    case TFieldType::ftBCD: return std::make_unique<TBCDField>(Size > 0 ? Size : 0);
    case TFieldType::ftDate: return std::make_unique<TDateField>();
    case TFieldType::ftTime: return std::make_unique<TTimeField>();
    case TFieldType::ftDateTime: return std::make_unique<TDateTimeField>();
    case TFieldType::ftMemo: return std::make_unique<TMemoField>();
    case TFieldType::ftBlob:
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
    case TFieldType::ftGraphic:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary: return std::make_unique<TBlobField>(Type);
    default: throw EDatabaseError("Field type " + FieldTypeName(Type) + " is not supported");
    }
}

} // namespace trx
