#include "slipsummary.h"

#include "controls/datepattern.h"

#include <QLocale>

namespace vendara {

namespace {

const char *const kSectionNames[kSectionCount] = {
    "お客様の設定", "消費税の設定", "販売車両の設定", "付属品・特別仕様の設定", "税金・諸費用の設定",
    "下取車の設定", "合計金額", "お支払いプラン", "備考欄",
};

const char *const kTotalsLabels[kTotalsRowCount] = {
    "車両本体価格", "", "本体課税額", "① 付属品価格", "② 特別仕様価格", "販売価格合計",
    "③ 税金等諸費用", "④ 販売諸費用", "⑤ その他諸費用", "諸費用合計", "車両合計",
};

const char *const kRoundings[] = {"四捨五入", "切り捨て", "切り上げ"};

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString yen(double amount)
{
    return QLocale(QLocale::Japanese).toString(qint64(amount)) + QStringLiteral(" 円");
}

// Amount cells hold what was typed; whole numbers get separators.
QString cellAmount(const QString &cell)
{
    bool ok = false;
    const qint64 value = cell.trimmed().toLongLong(&ok);
    return ok ? QLocale(QLocale::Japanese).toString(value) : cell.trimmed();
}

QString dateText(const QDate &date, bool eraDates)
{
    if (!date.isValid() || date == kZeroDate)
        return QString();
    return formatDatePattern(eraDates ? QStringLiteral("GGEE年MM月DD日") : QStringLiteral("YYYY年MM月DD日"), date);
}

void row(QString &html, const QString &label, const QString &value)
{
    if (value.trimmed().isEmpty())
        return;
    html += QStringLiteral("<tr><th align=\"left\">%1</th><td>%2</td></tr>").arg(esc(label), esc(value));
}

QString joined(const QStringList &parts)
{
    QStringList kept;
    for (const QString &p : parts)
        if (!p.trimmed().isEmpty())
            kept.append(p.trimmed());
    return kept.join(u' ');
}

} // namespace

QString slipSummaryHtml(const SlipRecord &slip, bool eraDates)
{
    QString html;
    html += QStringLiteral("<h2>%1　No. %2</h2>")
                .arg(slip.no.slipDiv == 1 ? QStringLiteral("注文書") : QStringLiteral("見積書"), esc(slip.no.slipCode));
    html += QStringLiteral("<table cellspacing=\"2\" cellpadding=\"2\">");
    row(html, QStringLiteral("日付"), dateText(slip.no.slipDate, eraDates));
    row(html, QStringLiteral("担当者"), slip.no.charge);
    html += QStringLiteral("</table>");

    html += QStringLiteral("<h3>セクション</h3><table cellspacing=\"2\" cellpadding=\"2\">");
    for (int i = 0; i < kSectionCount; ++i) {
        const QString status = slip.idx.label[size_t(i)];
        html += QStringLiteral("<tr><th align=\"left\">%1. %2</th><td>%3</td></tr>")
                    .arg(i + 1)
                    .arg(QString::fromUtf8(kSectionNames[i]), esc(status.isEmpty() ? QStringLiteral("—") : status));
    }
    html += QStringLiteral("</table>");

    QString customer;
    row(customer, QStringLiteral("お名前"),
        joined({slip.cust.name, slip.cust.name.trimmed().isEmpty() ? QString() : slip.cust.title}));
    const QString zip = slip.cust.zip1.trimmed().isEmpty() ? QString()
                                                            : QStringLiteral("〒%1-%2").arg(slip.cust.zip1, slip.cust.zip2);
    row(customer, QStringLiteral("ご住所"), joined({zip, slip.cust.city + slip.cust.add1, slip.cust.add2}));
    row(customer, QStringLiteral("電話番号"), slip.cust.tel);
    html += QStringLiteral("<h3>お客様</h3>");
    html += customer.isEmpty() ? QStringLiteral("<p>（未入力）</p>")
                               : QStringLiteral("<table cellspacing=\"2\" cellpadding=\"2\">%1</table>").arg(customer);

    html += QStringLiteral("<h3>販売車両</h3><table cellspacing=\"2\" cellpadding=\"2\">");
    row(html, QStringLiteral("車名・グレード"), joined({slip.car.name, slip.car.grade}));
    row(html, QStringLiteral("区分"), slip.car.newOld == 1 ? QStringLiteral("中古車") : QStringLiteral("新車"));
    row(html, QStringLiteral("車両本体価格"), yen(slip.car.price));
    row(html, QStringLiteral("消費税"),
        QStringLiteral("%1 %（%2）")
            .arg(QLocale::c().toString(slip.tax.rate, 'f', 2),
                 QString::fromUtf8(kRoundings[qBound(0, slip.tax.cut, 2)])));
    html += QStringLiteral("</table>");

    if (!slip.trade.name.trimmed().isEmpty() || slip.trade.trade != 0) {
        html += QStringLiteral("<h3>下取車</h3><table cellspacing=\"2\" cellpadding=\"2\">");
        row(html, QStringLiteral("車名・グレード"), joined({slip.trade.name, slip.trade.grade}));
        row(html, QStringLiteral("下取額"), yen(slip.trade.trade));
        html += QStringLiteral("</table>");
    }

    html += QStringLiteral("<h3>合計金額</h3><table cellspacing=\"2\" cellpadding=\"2\">"
                           "<tr><th></th><th align=\"right\">金額</th><th align=\"right\">消費税</th></tr>");
    for (int i = 0; i < kTotalsRowCount; ++i) {
        const TotalsLine &line = slip.price.rows[size_t(i)];
        const QString label = i == int(TotalsRow::Dis) ? slip.price.disTitle : QString::fromUtf8(kTotalsLabels[i]);
        if (i == int(TotalsRow::Dis) && label.isEmpty())
            continue;
        html += QStringLiteral("<tr><th align=\"left\">%1</th><td align=\"right\">%2</td><td align=\"right\">%3</td></tr>")
                    .arg(esc(label), esc(cellAmount(line.amount)), esc(cellAmount(line.tax)));
    }
    html += QStringLiteral("</table><table cellspacing=\"2\" cellpadding=\"2\">");
    row(html, QStringLiteral("税込み合計"), yen(slip.price.taxInc));
    row(html, QStringLiteral("下取り額"), yen(slip.trade.trade));
    row(html, QStringLiteral("総お支払い額"), yen(slip.price.last));
    row(html, QStringLiteral("お支払い方法"), slip.pay.method ? QStringLiteral("現金") : QStringLiteral("分割"));
    html += QStringLiteral("</table>");

    const QString notes = joined({slip.note.memo1, slip.note.memo2, slip.note.memo3});
    if (!notes.isEmpty())
        html += QStringLiteral("<h3>備考</h3><p>%1</p>").arg(esc(notes));
    return html;
}

} // namespace vendara
