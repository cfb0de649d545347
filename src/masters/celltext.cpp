#include "celltext.h"

#include "common/blanks.h"
#include "controls/fullwidth.h"
#include "controls/numberpattern.h"

#include <limits>

namespace vendara::celltext {

std::optional<int> parseYen(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

int yenOrZero(QStringView text)
{
    return parseYen(text).value_or(0);
}

namespace {

// The typed text without blanks around it and without separators, in ASCII.
QString plainDigits(QStringView text)
{
    QString plain = foldFullWidthNumber(trimBlanks(text));
    plain.remove(u',');
    return plain;
}

} // namespace

AmountEntry checkAmountEntry(QStringView text)
{
    const QString plain = plainDigits(text);
    const qsizetype digitsFrom = plain.startsWith(u'-') || plain.startsWith(u'+') ? 1 : 0;
    if (plain.size() == digitsFrom)
        return digitsFrom == 0 && trimBlanks(text).isEmpty() ? AmountEntry::Acceptable : AmountEntry::Intermediate;
    // Blanks inside the number, and a sign after the first character, are
    // refused like any other character that is not a digit.
    return parseYen(plain) ? AmountEntry::Acceptable : AmountEntry::Invalid;
}

std::optional<QString> storedAmount(const QString &text)
{
    if (isBlankText(text))
        return text;
    if (checkAmountEntry(text) != AmountEntry::Acceptable)
        return std::nullopt;
    return QString::number(*parseYen(plainDigits(text)));
}

CellDisplay displayAmountCell(const QString &text, const QString &pattern)
{
    if (const auto yen = parseYen(text))
        return {formatNumberPattern(pattern, *yen), true};
    return displayTextCell(text);
}

} // namespace vendara::celltext
