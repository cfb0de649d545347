#include "controls/decimalformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace vendara::decimalformat {

namespace {

constexpr int kMaxPrecision = 18;

// value = 0.digits × 10^point, digits without trailing zeros (empty = zero).
struct Decimal
{
    bool negative = false;
    std::string digits;
    int point = 0;
};

Decimal toDecimal(double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buf[64];
    // 17 significant digits: "d.dddddddddddddddde±xx".
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, 16);
    const std::string text(buf, res.ptr);
    const auto e = text.find('e');
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.point = std::stoi(text.substr(e + 1)) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void roundDigits(Decimal &d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
    } else if (size_t(keep) < d.digits.size()) {
        const bool up = d.digits[size_t(keep)] >= '5';
        d.digits.resize(size_t(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && d.digits[size_t(i)] == '9') {
                d.digits[size_t(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++d.digits[size_t(i)];
            } else {
                d.digits.insert(d.digits.begin(), '1');
                ++d.point;
            }
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty()) {
        d.negative = false;
        d.point = 0;
    }
}

char digitAt(const Decimal &d, int index)
{
    return index >= 0 && size_t(index) < d.digits.size() ? d.digits[size_t(index)] : '0';
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString exponentText(int exp, int minDigits, bool plusSign)
{
    QString s = QString::number(std::abs(exp)).rightJustified(std::clamp(minDigits, 0, 4), u'0');
    if (exp < 0)
        return QStringLiteral("E-") + s;
    return (plusSign ? QStringLiteral("E+") : QStringLiteral("E")) + s;
}

} // namespace

QString groupThousands(QStringView digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

QString fixed(double value, int decimals, bool grouped)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    decimals = std::clamp(decimals, 0, kMaxPrecision);
    Decimal d = toDecimal(value);
    roundDigits(d, d.point + decimals);

    QString integer;
    for (int i = 0; i < d.point; ++i)
        integer += QLatin1Char(digitAt(d, i));
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    QString out = d.negative ? QStringLiteral("-") : QString();
    out += grouped ? groupThousands(integer) : integer;
    if (decimals > 0) {
        out += u'.';
        for (int i = 0; i < decimals; ++i)
            out += QLatin1Char(digitAt(d, d.point + i));
    }
    return out;
}

QString exponent(double value, int precision, int minExponentDigits)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    precision = std::clamp(precision, 1, kMaxPrecision);
    Decimal d = toDecimal(value);
    roundDigits(d, precision);
    QString out = d.negative ? QStringLiteral("-") : QString();
    out += QLatin1Char(digitAt(d, 0));
    if (precision > 1) {
        out += u'.';
        for (int i = 1; i < precision; ++i)
            out += QLatin1Char(digitAt(d, i));
    }
    const int exp = d.digits.empty() ? 0 : d.point - 1;
    return out + exponentText(exp, minExponentDigits, true);
}

QString general(double value, int precision, int minExponentDigits)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    precision = std::clamp(precision, 1, kMaxPrecision);
    Decimal d = toDecimal(value);
    roundDigits(d, precision);
    if (d.digits.empty())
        return QStringLiteral("0");
    QString out = d.negative ? QStringLiteral("-") : QString();
    const int count = int(d.digits.size());
    if (d.point > precision || d.point < -3) {
        out += QLatin1Char(d.digits[0]);
        if (count > 1)
            out += u'.' + QString::fromLatin1(d.digits.data() + 1, count - 1);
        return out + exponentText(d.point - 1, minExponentDigits, false);
    }
    if (d.point <= 0) {
        out += QStringLiteral("0.") + QString(-d.point, u'0')
               + QString::fromLatin1(d.digits.data(), count);
        return out;
    }
    for (int i = 0; i < d.point; ++i)
        out += QLatin1Char(digitAt(d, i));
    if (count > d.point)
        out += u'.' + QString::fromLatin1(d.digits.data() + d.point, count - d.point);
    return out;
}

} // namespace vendara::decimalformat
