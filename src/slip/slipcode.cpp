#include "slipcode.h"

namespace vendara {

std::optional<QString> steppedSlipCode(QStringView code, int steps)
{
    constexpr qint64 kNumbers = 100000000;
    if (code.size() != 8)
        return std::nullopt;
    for (QChar c : code)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const qint64 next = ((code.toLongLong() + steps) % kNumbers + kNumbers) % kNumbers;
    return QStringLiteral("%1").arg(next, 8, 10, QLatin1Char('0'));
}

} // namespace vendara
