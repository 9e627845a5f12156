// One stored value of a record (null, integer, real, text or bytes) and a
// record: the values of one row with the key that finds the row again.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trx {

enum class TValueKind : uint8_t { vkNull, vkInteger, vkFloat, vkText, vkBlob };

// A value as the database keeps it. Text and bytes are held unchanged.
class TDataValue {
public:
    TDataValue() = default;
    TDataValue(std::nullptr_t) {}
    // Integers and Booleans (stored as 1 and 0).
    template <std::integral T>
    TDataValue(T Value) : kind_(TValueKind::vkInteger), int_(static_cast<int64_t>(Value)) {}
    TDataValue(double Value) : kind_(TValueKind::vkFloat), float_(Value) {}
    TDataValue(const char* Value) : kind_(Value ? TValueKind::vkText : TValueKind::vkNull), text_(Value ? Value : "") {}
    TDataValue(std::string Value) : kind_(TValueKind::vkText), text_(std::move(Value)) {}
    TDataValue(std::string_view Value) : kind_(TValueKind::vkText), text_(Value) {}
    static TDataValue Blob(std::string Bytes) {
        TDataValue v;
        v.kind_ = TValueKind::vkBlob;
        v.text_ = std::move(Bytes);
        return v;
    }

    // The value replaced in place; text and bytes reuse the room the value
    // already holds, so that a record read again and again allocates nothing.
    void SetNull() {
        kind_ = TValueKind::vkNull;
        text_.clear();
    }
    void SetInteger(int64_t Value) {
        kind_ = TValueKind::vkInteger;
        int_ = Value;
        float_ = 0;
        text_.clear();
    }
    void SetFloat(double Value) {
        kind_ = TValueKind::vkFloat;
        int_ = 0;
        float_ = Value;
        text_.clear();
    }
    void SetText(std::string_view Value, bool Blob = false) {
        kind_ = Blob ? TValueKind::vkBlob : TValueKind::vkText;
        int_ = 0;
        float_ = 0;
        // Emptied and filled again copies less than assign, which allows for
        // a text that lies in the value's own; only such a text needs it.
        // (std::less and its kin order any two pointers, related or not.)
        const char* own = text_.data();
        if (std::greater_equal<const char*>()(Value.data(), own) &&
            std::less_equal<const char*>()(Value.data(), own + text_.size())) [[unlikely]] {
            text_.assign(Value.data(), Value.size());
            return;
        }
        text_.clear();
        text_.append(Value.data(), Value.size());
    }

    TValueKind Kind() const { return kind_; }
    bool IsNull() const { return kind_ == TValueKind::vkNull; }
    int64_t Integer() const { return int_; }
    double Float() const { return float_; }
    // The text or the bytes; empty for other kinds.
    const std::string& Bytes() const { return text_; }

    friend bool operator==(const TDataValue&, const TDataValue&) = default;

private:
    TValueKind kind_ = TValueKind::vkNull;
    int64_t int_ = 0;
    double float_ = 0;
    std::string text_;
};

// One row: its values in field order and the key its dataset finds it by
// (a row id, or the row's position in a query's result).
struct TRecord {
    int64_t Key = 0;
    std::vector<TDataValue> Values;
};

} // namespace trx
