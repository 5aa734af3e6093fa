#pragma once
// A database value: Null, a whole number, a real number or text. Null is kept apart
// from the empty text.

#include <QString>
#include <cstdint>
#include <variant>

namespace db {

class Value {
public:
    using Data = std::variant<std::monostate, std::int64_t, double, QString>;

    Value() = default;  // Null
    Value(std::int64_t v) : data_(v) {}
    Value(int v) : data_(static_cast<std::int64_t>(v)) {}
    Value(double v) : data_(v) {}
    Value(const QString& v) : data_(v) {}
    Value(const char* v) : data_(QString::fromUtf8(v)) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool IsText() const { return std::holds_alternative<QString>(data_); }
    bool IsInteger() const { return std::holds_alternative<std::int64_t>(data_); }
    bool IsReal() const { return std::holds_alternative<double>(data_); }

    // Text form; throws db::Error for Null (Null cannot be shown as text).
    QString ToText() const;
    // Text form, or the empty text for Null.
    QString ToTextOrEmpty() const;
    // Numeric form; throws db::Error for Null and for text that is not a number.
    double ToDouble() const;

    bool operator==(const Value& other) const { return data_ == other.data_; }

    // The stored alternative, for binding to the engine.
    const Data& Raw() const { return data_; }

private:
    Data data_;
};

}  // namespace db
