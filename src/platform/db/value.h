#pragma once
// A database value: Null, a whole number, a real number, text or a BLOB. Null is kept
// apart from the empty text. A value read from the file goes back to it unchanged: a
// BLOB keeps its bytes, and text whose bytes are not valid UTF-8 keeps those bytes.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <variant>

namespace db {

class Value {
public:
    // The bytes of a BLOB.
    struct Blob {
        QByteArray bytes;
        bool operator==(const Blob&) const = default;
    };
    // Text whose bytes are not valid UTF-8 (a bank converted from another encoding).
    struct RawText {
        QByteArray bytes;
        bool operator==(const RawText&) const = default;
    };
    using Data = std::variant<std::monostate, std::int64_t, double, QString, Blob, RawText>;

    Value() = default;  // Null
    Value(std::int64_t v) : data_(v) {}
    Value(int v) : data_(static_cast<std::int64_t>(v)) {}
    Value(double v) : data_(v) {}
    Value(const QString& v) : data_(v) {}
    Value(const char* v) : data_(QString::fromUtf8(v)) {}

    // Text stored as these bytes: held as a QString when they are valid UTF-8 (so that
    // equal texts compare equal), else as the bytes themselves.
    static Value FromTextBytes(const QByteArray& bytes);
    static Value FromBlob(const QByteArray& bytes);

    bool IsNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool IsText() const {
        return std::holds_alternative<QString>(data_) || std::holds_alternative<RawText>(data_);
    }
    bool IsBlob() const { return std::holds_alternative<Blob>(data_); }
    bool IsInteger() const { return std::holds_alternative<std::int64_t>(data_); }
    bool IsReal() const { return std::holds_alternative<double>(data_); }

    // Text form, for showing: bytes that are not valid UTF-8 become replacement
    // characters. Throws db::Error for Null (Null cannot be shown as text).
    QString ToText() const;
    // Text form, or the empty text for Null.
    QString ToTextOrEmpty() const;
    // Numeric form; throws db::Error for Null, a BLOB and text that is not a number.
    double ToDouble() const;

    // Exact: the same storage class and the same value or bytes.
    bool operator==(const Value& other) const { return data_ == other.data_; }

    // The stored alternative, for binding to the engine.
    const Data& Raw() const { return data_; }

private:
    Data data_;
};

}  // namespace db
