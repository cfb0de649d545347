#include "sectioncheck.h"

#include "common/blanks.h"

#include <stdexcept>
#include <utility>

namespace vendara {

namespace {

// The first rule that applies gives the status. "Empty" is a text of length
// 0: blanks count as content.
using Rule = std::pair<bool, const char16_t *>;

QString firstMissing(std::initializer_list<Rule> rules)
{
    for (const Rule &rule : rules)
        if (rule.first)
            return QString::fromUtf16(rule.second);
    return kStatusComplete;
}

bool hasContent(const QString &cell)
{
    return !isBlankText(cell);
}

// Section 4 alone ignores blanks: a row counts when its name and its price
// both hold something other than blanks.
template<typename Rows>
bool anyItemRowCounts(const Rows &rows)
{
    for (const ItemRow &row : rows)
        if (hasContent(row.name) && hasContent(row.price))
            return true;
    return false;
}

template<typename Rows>
bool anyCostRowCounts(const Rows &rows)
{
    for (const CostRow &row : rows)
        if (!row.name.isEmpty() && !row.amount.isEmpty())
            return true;
    return false;
}

QString customerStatus(const SlipCust &c)
{
    return firstMissing({
        {c.name.isEmpty(), u"顧客名が未設定です"},
        {c.zip1.isEmpty(), u"郵便番号が未設定です"},
        {c.zip2.isEmpty(), u"郵便番号が未設定です"},
        {c.city.isEmpty(), u"都道府県が未設定です"},
        {c.add1.isEmpty(), u"住所が未設定です"},
        {c.tel.isEmpty(), u"電話番号が未設定です"},
    });
}

QString carStatus(const SlipCar &c)
{
    const bool used = c.newOld == 1;
    return firstMissing({
        {c.name.isEmpty(), u"車名が未設定です"},
        {c.grade.isEmpty(), u"グレードが未設定です"},
        {used && c.kiro == 0, u"中古車ですが走行距離が未設定です"},
        {c.outer.isEmpty(), u"外装色が未設定です"},
        {c.inner.isEmpty(), u"内装色が未設定です"},
        {c.typeCode.isEmpty(), u"型式が未設定です"},
        {c.accessory.isEmpty(), u"装備が未設定です"},
        {c.price == 0, u"車両本体価格が未設定です"},
        {used && c.left == 0, u"中古車ですが取得税対象額が未設定です"},
    });
}

QString costStatus(const SlipCost &c)
{
    return firstMissing({
        {c.tax == 0, u"自動車税が未設定です"},
        {c.wTax == 0, u"重量税が未設定です"},
        {c.ins == 0, u"自賠責が未設定です"},
        {c.gTax == 0, u"取得税が未設定です"},
        {!anyCostRowCounts(c.lineA), u"販売諸費用が未設定です"},
        {!anyCostRowCounts(c.lineB), u"その他諸費用が未設定です"},
    });
}

QString tradeStatus(const SlipTrade &t)
{
    return firstMissing({
        {t.name.isEmpty(), u"車名が未設定です"},
        {t.grade.isEmpty(), u"グレードが未設定です"},
        {t.kiro == 0, u"走行距離が未設定です"},
        {t.outer.isEmpty(), u"外装色が未設定です"},
        {t.inner.isEmpty(), u"内装色が未設定です"},
        {t.typeCode.isEmpty(), u"型式が未設定です"},
        {t.accessory.isEmpty(), u"装備が未設定です"},
        {t.price == 0, u"査定額が未設定です"},
        {t.trade == 0, u"下取額が未設定です"},
        {t.tax == 0, u"自動車税が未設定です"},
        {t.ins == 0, u"自賠責が未設定です"},
    });
}

QString payStatus(const SlipPay &p)
{
    if (p.method)
        return QStringLiteral("設定完了 (現金)");
    if (p.rate == 0)
        return QStringLiteral("年率が未設定です");
    if (p.time == 0)
        return QStringLiteral("分割回数が未設定です");
    return QStringLiteral("設定完了 (分割)");
}

} // namespace

QString sectionStatus(const SlipRecord &slip, int n)
{
    switch (n) {
    case 1:
        return customerStatus(slip.cust);
    case 2:
        return slip.tax.rate != 0 ? kStatusComplete : QStringLiteral("消費税率が未設定です");
    case 3:
        return carStatus(slip.car);
    case 4:
        if (!anyItemRowCounts(slip.car.lineA))
            return QStringLiteral("付属品が未設定です");
        if (!anyItemRowCounts(slip.car.lineB))
            return QStringLiteral("特別仕様が未設定です");
        return kStatusComplete;
    case 5:
        return costStatus(slip.cost);
    case 6:
        return tradeStatus(slip.trade);
    case 7:
    case 9:
        return kStatusConfirmed;
    case 8:
        return payStatus(slip.pay);
    }
    throw std::out_of_range("section number out of range");
}

int statusColour(const QString &text)
{
    return text.contains(QStringLiteral("完了")) || text.contains(QStringLiteral("済み")) ? kStatusDoneColour
                                                                                         : kStatusOpenColour;
}

} // namespace vendara
