#include "controls/money.h"

#include <cstdlib>
#include <limits>

namespace vendara {

namespace {

// Exponents beyond this either overflow the range or round to zero.
constexpr int kMaxExponent = 40;

} // namespace

std::optional<Money> Money::parse(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';

    // Collect the mantissa as digits plus the count of digits before the point.
    QString digits;
    int integerDigits = 0;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            if (!seenPoint)
                ++integerDigits;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits.isEmpty())
        return std::nullopt;

    int exponent = 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            expNegative = text[i++] == u'-';
        const qsizetype start = i;
        for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
            if (exponent < 10 * kMaxExponent)
                exponent = exponent * 10 + text[i].digitValue();
        }
        if (i == start)
            return std::nullopt;
        if (expNegative)
            exponent = -exponent;
    }
    if (i != text.size())
        return std::nullopt;

    // Leading zeros do not count toward the size of the integer part.
    while (integerDigits > 0 && digits.startsWith(u'0')) {
        digits.remove(0, 1);
        --integerDigits;
    }
    if (digits.count(u'0') == digits.size())
        return Money();
    if (exponent > kMaxExponent || exponent < -kMaxExponent)
        return exponent < 0 ? std::optional<Money>(Money()) : std::nullopt;

    const int point = integerDigits + exponent; // digits before the point
    qint64 units = 0;                           // value × 10^4, truncated
    for (int k = 0; k < point + 4; ++k) {
        const int digit = k < digits.size() ? digits[k].digitValue() : 0;
        if (__builtin_mul_overflow(units, qint64(10), &units)
            || __builtin_add_overflow(units, qint64(digit), &units))
            return std::nullopt;
    }
    const int next = point + 4;
    if (next >= 0 && next < digits.size() && digits[next].digitValue() >= 5) {
        if (__builtin_add_overflow(units, qint64(1), &units))
            return std::nullopt;
    }
    return Money(negative ? -units : units);
}

QString Money::toPlainText() const
{
    const qint64 whole = m_scaled / kScale;
    const qint64 frac = std::llabs(m_scaled % kScale);
    QString out = (m_scaled < 0 && whole == 0) ? QStringLiteral("-") : QString();
    out += QString::number(whole);
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        out += u'.' + f;
    }
    return out;
}

} // namespace vendara
