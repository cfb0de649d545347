#include "taxtablekind.h"

#include "common/error.h"

#include <array>

namespace vendara {

const TaxTableKindInfo &taxTableKindInfo(int kind)
{
    static const std::array<TaxTableKindInfo, kTaxTableKindCount> kinds = {{
        {QStringLiteral("自動車税"), QStringLiteral("AqTax"), QStringLiteral("AQT")},
        {QStringLiteral("自賠責"), QStringLiteral("CompIns"), QStringLiteral("CIN")},
        {QStringLiteral("重量税"), QStringLiteral("WtTax"), QStringLiteral("WTT")},
    }};
    if (kind < 0 || kind >= kTaxTableKindCount)
        throw Error(QStringLiteral("税金表の種類 %1 はありません").arg(kind));
    return kinds[size_t(kind)];
}

} // namespace vendara
