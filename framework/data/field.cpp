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

// Text becomes the decimal digits of Value, in the room it has (clearing
// and appending copies less than assign, which must allow for overlap).
// The digits are written from the end, two at a time, so that their number
// need not be known first.
void AssignInt(std::string& Text, int64_t Value) {
    static constexpr char Pairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char buf[24];
    char* p = buf + sizeof buf;
    uint64_t rest = Value < 0 ? 0 - static_cast<uint64_t>(Value) : static_cast<uint64_t>(Value);
    while (rest >= 100) {
        const std::size_t pair = static_cast<std::size_t>(rest % 100) * 2;
        rest /= 100;
        p -= 2;
        p[0] = Pairs[pair];
        p[1] = Pairs[pair + 1];
    }
    if (rest >= 10) {
        p -= 2;
        p[0] = Pairs[rest * 2];
        p[1] = Pairs[rest * 2 + 1];
    } else {
        *--p = static_cast<char>('0' + rest);
    }
    if (Value < 0) *--p = '-';
    Text.clear();
    Text.append(p, static_cast<std::size_t>(buf + sizeof buf - p));
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
    static const char* const Names[] = {"Unknown",    "String",     "SmallInt", "Integer",     "Word",      "Boolean",
                                        "Float",      "Currency",   "BCD",      "Date",        "Time",      "DateTime",
                                        "Bytes",      "VarBytes",   "AutoInc",  "Blob",        "Memo",      "Graphic",
                                        "FmtMemo",    "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor",    "FixedChar",
                                        "WideString", "Largeint",   "ADT",      "Array",       "Reference", "DataSet"};
    const auto i = static_cast<std::size_t>(Type);
    return i < std::size(Names) ? Names[i] : "Unknown";
}

// ---- TField --------------------------------------------------------------------------

TField::TField(TFieldType Type, int ASize) : Size(ASize), dataType_(Type) {}

const TDataValue& TField::NullValue() {
    static const TDataValue Null;
    return Null;
}

void TField::AccessError(const char* TypeName) const {
    throw EDatabaseError("Cannot access field '" + FieldName + "' as type " + TypeName);
}

std::string TField::StoredText() const {
    std::string text;
    StoredText(text);
    return text;
}

void TField::StoredText(std::string& Text) const {
    const TDataValue& v = Value();
    switch (v.Kind()) {
    case TValueKind::vkNull: Text.clear(); break;
    case TValueKind::vkInteger: AssignInt(Text, v.Integer()); break;
    case TValueKind::vkFloat: Text = FloatToStr(v.Float()); break;
    default: Text.assign(v.Bytes()); break;
    }
}

void TField::GetText(std::string& Text, bool) const { StoredText(Text); }
std::string TField::AsString() const { return StoredText(); }
int64_t TField::AsInteger() const { AccessError("Integer"); }
double TField::AsFloat() const { AccessError("Float"); }
TDateTime TField::AsDateTime() const { AccessError("DateTime"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }

// ---- TStringField ----------------------------------------------------------------------

TStringField::TStringField(int ASize) : TField(TFieldType::ftString, ASize > 0 ? ASize : 20) {}

int TStringField::TextLength(bool) const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    if (v.Kind() != TValueKind::vkText && v.Kind() != TValueKind::vkBlob) return -1;
    const std::string& bytes = v.Bytes();
    if (bytes.empty()) return 0;
    if (static_cast<unsigned char>(bytes.front()) <= ' ' || static_cast<unsigned char>(bytes.back()) <= ' ') return -1;
    return static_cast<int>(bytes.size());
}

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

void TIntegerField::GetText(std::string& Text, bool ForDisplay) const {
    const TDataValue& v = Value();
    int64_t n = 0;
    if (v.Kind() == TValueKind::vkInteger && FormatFor(ForDisplay).empty())
        AssignInt(Text, v.Integer());
    else if (v.IsNull())
        Text.clear();
    else if (!GetValue(n))
        StoredText(Text);
    else if (const std::string& fmt = FormatFor(ForDisplay); fmt.empty())
        AssignInt(Text, n);
    else
        Text = FormatFloat(fmt, static_cast<double>(n));
}

int TIntegerField::TextLength(bool ForDisplay) const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    if (v.Kind() != TValueKind::vkInteger || !FormatFor(ForDisplay).empty()) return -1;
    const int64_t n = v.Integer();
    uint64_t rest = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    int len = n < 0 ? 2 : 1;
    for (; rest >= 10; rest /= 10) ++len;
    return len;
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

void TFloatField::GetText(std::string& Text, bool ForDisplay) const {
    double f = 0;
    if (IsNull())
        Text.clear();
    else if (!GetValue(f))
        StoredText(Text);
    else if (const std::string& fmt = FormatFor(ForDisplay); !fmt.empty())
        Text = FormatFloat(fmt, f);
    else if (Currency)
        Text = FloatToStrF(f, ForDisplay ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed, Precision,
                           FormatSettings().CurrencyDecimals);
    else
        GeneralFloatToText(Text, f, Precision, 0);
}

int TFloatField::TextLength(bool ForDisplay) const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    if (Currency || !FormatFor(ForDisplay).empty()) return -1;
    if (v.Kind() == TValueKind::vkFloat) return GeneralFloatLength(v.Float(), Precision);
    if (v.Kind() == TValueKind::vkInteger) return GeneralFloatLength(static_cast<double>(v.Integer()), Precision);
    return -1;
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

void TBooleanField::GetText(std::string& Text, bool) const {
    bool b = false;
    if (IsNull())
        Text.clear();
    else if (!GetValue(b))
        StoredText(Text);
    else
        Text.assign(b ? "True" : "False");
}

std::string TBooleanField::AsString() const { return DisplayText(); }

bool TBooleanField::AsBoolean() const {
    if (IsNull()) return false;
    bool b = false;
    if (!GetValue(b)) throw EConvertError("'" + StoredText() + "' is not a valid boolean value");
    return b;
}

// ---- dates and times ---------------------------------------------------------------------

bool TDateTimeField::GetValue(TDateTime& Result) const {
    // A number of days beyond the years that can be shown is no date: it
    // shows as stored instead of as a made-up one.
    const TDataValue& v = Value();
    switch (v.Kind()) {
    case TValueKind::vkInteger: Result = static_cast<double>(v.Integer()); return DateTimeInRange(Result);
    case TValueKind::vkFloat: Result = v.Float(); return DateTimeInRange(Result);
    case TValueKind::vkText: return ParseStoredDateTime(v.Bytes(), Result);
    default: return false;
    }
}

std::string_view TDateTimeField::TextFormat(bool ForDisplay) const {
    if (ForDisplay && !DisplayFormat.empty()) return DisplayFormat;
    if (DataType() == TFieldType::ftDate) return FormatSettings().ShortDateFormat;
    if (DataType() == TFieldType::ftTime) return FormatSettings().LongTimeFormat;
    return "c";
}

void TDateTimeField::GetText(std::string& Text, bool ForDisplay) const {
    const std::string_view format = TextFormat(ForDisplay);
    const TDataValue& v = Value();
    TDateTime d = 0;
    int year = 0, month = 0, day = 0;
    // A date stored as ISO text goes to its text without a TDateTime between.
    if (v.Kind() == TValueKind::vkText && ParseStoredDate(v.Bytes(), year, month, day))
        DateToString(Text, format, year, month, day);
    else if (v.IsNull())
        Text.clear();
    else if (!GetValue(d))
        StoredText(Text);
    else
        DateTimeToString(Text, format, d);
}

int TDateTimeField::TextLength(bool ForDisplay) const {
    const TDataValue& v = Value();
    if (v.IsNull()) return 0;
    int year = 0, month = 0, day = 0;
    if (v.Kind() != TValueKind::vkText || !ParseStoredDate(v.Bytes(), year, month, day)) return -1;
    return DateTextLength(TextFormat(ForDisplay), year, month, day);
}

TDateTime TDateTimeField::AsDateTime() const {
    if (IsNull()) return 0;
    TDateTime d = 0;
    if (!GetValue(d)) throw EConvertError("'" + StoredText() + "' is not a valid date and time");
    return d;
}

// ---- blobs ---------------------------------------------------------------------------------

void TBlobField::GetText(std::string& Text, bool) const {
    switch (DataType()) {
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo: Text.assign("(Memo)"); break;
    case TFieldType::ftGraphic: Text.assign("(Graphic)"); break;
    default: Text.assign("(Blob)"); break;
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
