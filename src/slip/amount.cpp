#include "amount.h"

#include "common/error.h"
#include "common/iniprofile.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace vendara::amount {

namespace {

constexpr double kMin = std::numeric_limits<int>::min();
constexpr double kMax = std::numeric_limits<int>::max();

} // namespace

std::optional<int> wholeNumber(QStringView text)
{
    const std::optional<qint64> v = IniProfile::parseInteger(text);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*v);
}

QString displayText(const QString &cell)
{
    const std::optional<int> v = wholeNumber(cell);
    if (!v)
        return cell;
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions({});
    return grouped.toString(*v);
}

int truncated(double value, const QString &field)
{
    const double t = std::trunc(value);
    if (!(t >= kMin && t <= kMax)) // NaN fails both comparisons
        throw Error(QStringLiteral("%1 の値 %2 は扱える範囲 (-2147483648～2147483647) を超えています")
                        .arg(field, QString::number(value, 'f', 0)));
    return int(t);
}

double toFourDecimals(double value)
{
    return std::round(value * 10000) / 10000;
}

} // namespace vendara::amount
