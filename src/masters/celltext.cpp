#include "celltext.h"

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

CellDisplay displayAmountCell(const QString &text, const QString &pattern)
{
    if (const auto yen = parseYen(text))
        return {formatNumberPattern(pattern, *yen), true};
    return displayTextCell(text);
}

} // namespace vendara::celltext
