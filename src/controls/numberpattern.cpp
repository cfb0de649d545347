#include "controls/numberpattern.h"

#include "common/error.h"
#include "common/iniprofile.h"
#include "controls/decimalformat.h"
#include "controls/money.h"

#include <optional>

namespace vendara {

namespace {

// Widths and precisions beyond these are refused rather than honoured, so a
// stray pattern cannot ask for a gigabyte of blanks.
constexpr int kMaxWidth = 1000;
constexpr int kMaxPrecision = 18;
constexpr int kExponentDigits = 3;
const QString kYen = QStringLiteral("\u00A5");

[[noreturn]] void refuse(const QString &pattern)
{
    throw Error(QStringLiteral("書式 '%1' が無効か，数値と互換性がありません").arg(pattern));
}

// Reads a run of ASCII digits at `i`; nothing when there is none.
std::optional<int> readNumber(const QString &pattern, qsizetype &i, int limit)
{
    const qsizetype start = i;
    int n = 0;
    while (i < pattern.size() && pattern[i] >= u'0' && pattern[i] <= u'9') {
        n = n * 10 + pattern[i].digitValue();
        if (n > limit)
            refuse(pattern);
        ++i;
    }
    if (i == start)
        return std::nullopt;
    return n;
}

QString convert(QChar type, std::optional<int> precision, double value)
{
    switch (type.toLower().unicode()) {
    case u'f':
        return decimalformat::fixed(value, precision.value_or(2), false);
    case u'n':
        return decimalformat::fixed(value, precision.value_or(2), true);
    case u'e':
        return decimalformat::exponent(value, precision.value_or(15), kExponentDigits);
    case u'g':
        return decimalformat::general(value, precision.value_or(15), kExponentDigits);
    case u'm': {
        QString amount = decimalformat::fixed(value, precision.value_or(0), true);
        if (amount.startsWith(u'-'))
            return u'-' + kYen + amount.mid(1);
        return kYen + amount;
    }
    default:
        return {};
    }
}

bool isFloatConversion(QChar type)
{
    return QStringLiteral("efgnm").contains(type.toLower());
}

} // namespace

QString formatNumberPattern(const QString &pattern, double value)
{
    QString out;
    int nextArgument = 0;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i++];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i < pattern.size() && pattern[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // %[index:][-][width][.precision]type
        int argument = nextArgument;
        const qsizetype specStart = i;
        if (auto index = readNumber(pattern, i, kMaxWidth)) {
            if (i < pattern.size() && pattern[i] == u':') {
                argument = *index;
                ++i;
            } else {
                i = specStart;
            }
        }
        const bool leftJustify = i < pattern.size() && pattern[i] == u'-';
        if (leftJustify)
            ++i;
        const int width = readNumber(pattern, i, kMaxWidth).value_or(0);
        std::optional<int> precision;
        if (i < pattern.size() && pattern[i] == u'.') {
            ++i;
            precision = readNumber(pattern, i, kMaxWidth).value_or(0);
            if (*precision > kMaxPrecision)
                precision = kMaxPrecision;
        }
        // Only one value is given; anything else ('*', %d, %s, a second
        // argument) cannot be satisfied.
        if (i >= pattern.size() || !isFloatConversion(pattern[i]) || argument != 0)
            refuse(pattern);
        const QString text = convert(pattern[i++], precision, value);
        nextArgument = argument + 1;
        out += leftJustify ? text.leftJustified(width) : text.rightJustified(width);
    }
    return out;
}

QString formatAmountValue(const QString &digitPattern, const QString &slipValue, int zeroDisp)
{
    const double amount = IniProfile::parseFloat(slipValue).value_or(0.0);
    if (zeroDisp == 0 && amount == 0)
        return {};
    return formatNumberPattern(digitPattern, amount);
}

QString formatAmountField(const QString &digitPattern, const QString &field, int zeroDisp)
{
    if (field.isEmpty())
        return {};
    const std::optional<Money> amount = Money::parse(field);
    if (!amount)
        throw Error(QStringLiteral("'%1' は数値ではありません").arg(field));
    if (zeroDisp == 0 && amount->isZero())
        return {};
    return formatNumberPattern(digitPattern, amount->toDouble());
}

} // namespace vendara
