#include "platform/db/value.h"

#include <QStringDecoder>

#include "platform/db/error.h"

namespace db {

namespace {

struct TextOf {
    QString operator()(std::monostate) const {
        throw Error("Invalid use of Null: a Null value has no text");
    }
    QString operator()(std::int64_t v) const { return QString::number(v); }
    // Fifteen significant digits, as the original platform shows a double.
    QString operator()(double v) const { return QString::number(v, 'g', 15); }
    QString operator()(const QString& v) const { return v; }
    QString operator()(const Value::Blob& v) const { return QString::fromUtf8(v.bytes); }
    QString operator()(const Value::RawText& v) const { return QString::fromUtf8(v.bytes); }
};

struct NumberOf {
    double operator()(std::monostate) const {
        throw Error("Invalid use of Null: a Null value is not a number");
    }
    double operator()(std::int64_t v) const { return static_cast<double>(v); }
    double operator()(double v) const { return v; }
    double operator()(const QString& v) const {
        bool ok = false;
        const double d = v.trimmed().toDouble(&ok);
        if (!ok) throw Error("Type mismatch: \"" + v.toStdString() + "\" is not a number");
        return d;
    }
    double operator()(const Value::Blob&) const {
        throw Error("Type mismatch: binary data is not a number");
    }
    double operator()(const Value::RawText& v) const { return (*this)(QString::fromUtf8(v.bytes)); }
};

}  // namespace

Value Value::FromTextBytes(const QByteArray& bytes) {
    // A leading byte-order mark is kept as a character, so that it is written back too.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
    QString text = decode(bytes);
    Value value;
    if (decode.hasError()) {
        value.data_ = RawText{bytes};
    } else {
        value.data_ = std::move(text);
    }
    return value;
}

Value Value::FromBlob(const QByteArray& bytes) {
    Value value;
    value.data_ = Blob{bytes};
    return value;
}

QString Value::ToText() const { return std::visit(TextOf{}, data_); }

QString Value::ToTextOrEmpty() const { return IsNull() ? QString() : ToText(); }

double Value::ToDouble() const { return std::visit(NumberOf{}, data_); }

}  // namespace db
