#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace platform {
namespace {

// Digits of a very long exponent beyond this many already leave the range of a double.
constexpr std::size_t kMaxExponentDigits = 6;

QString WithoutSpacing(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n') kept.append(c);
    }
    return kept;
}

int DigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

bool IsDigitOf(QChar c, int base) {
    const int d = DigitValue(c);
    return d >= 0 && d < base;
}

bool IsExponentLetter(QChar c, bool allowD) {
    const char16_t u = c.toUpper().unicode();
    return u == u'E' || (allowD && u == u'D');
}

// from_chars refuses what a double cannot hold; the text itself tells which way it
// went: a first significant digit far left of the point overflows, else it underflows.
double OutOfRange(bool negative, const std::string& whole, const std::string& fraction,
                  long exponent) {
    const std::string digits = whole + fraction;
    const auto first = digits.find_first_not_of('0');
    const long magnitude = static_cast<long>(whole.size()) - static_cast<long>(first) + exponent;
    const double value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

double ReadDecimal(const QString& s, bool allowD) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';

    std::string whole;
    std::string fraction;
    while (i < n && IsDigitOf(s[i], 10)) whole += static_cast<char>(s[i++].unicode());
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && IsDigitOf(s[i], 10)) fraction += static_cast<char>(s[i++].unicode());
    }
    if (whole.empty() && fraction.empty()) return 0.0;

    // An exponent counts only once a digit follows its letter and optional sign.
    std::string exponentDigits;
    bool exponentNegative = false;
    if (i < n && IsExponentLetter(s[i], allowD)) {
        qsizetype j = i + 1;
        bool sign = false;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) sign = s[j++] == u'-';
        if (j < n && IsDigitOf(s[j], 10)) {
            exponentNegative = sign;
            while (j < n && IsDigitOf(s[j], 10)) {
                if (!(exponentDigits.empty() && s[j] == u'0')) {
                    exponentDigits += static_cast<char>(s[j].unicode());
                }
                ++j;
            }
        }
    }
    if (exponentDigits.size() > kMaxExponentDigits) exponentDigits.assign(kMaxExponentDigits, '9');

    std::string normal = negative ? "-" : "";
    normal += whole.empty() ? "0" : whole;
    if (!fraction.empty()) normal += "." + fraction;
    if (!exponentDigits.empty()) normal += (exponentNegative ? "e-" : "e") + exponentDigits;

    double value = 0.0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error == std::errc::result_out_of_range) {
        const long exponent = exponentDigits.empty() ? 0 : std::stol(exponentDigits);
        return OutOfRange(negative, whole, fraction, exponentNegative ? -exponent : exponent);
    }
    return error == std::errc() ? value : 0.0;
}

double ReadRadix(const QString& s, qsizetype from, int base) {
    double value = 0.0;
    for (qsizetype i = from; i < s.size() && IsDigitOf(s[i], base); ++i) {
        value = value * base + DigitValue(s[i]);
    }
    return value;
}

}  // namespace

double LeadingNumber(const QString& text) {
    return ReadDecimal(WithoutSpacing(text), false);
}

double ReadNumber(const QString& text) {
    const QString s = WithoutSpacing(text);
    if (s.size() >= 2 && s[0] == u'&') {
        const char16_t prefix = s[1].toUpper().unicode();
        if (prefix == u'H') return ReadRadix(s, 2, 16);
        if (prefix == u'O') return ReadRadix(s, 2, 8);
    }
    return ReadDecimal(s, true);
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest < 0.5) return below;
    if (rest > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<qint32> ToInt32(double value) {
    const double rounded = RoundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<qint32>(rounded);
}

}  // namespace platform
