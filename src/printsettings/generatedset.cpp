#include "generatedset.h"

#include "companyblock.h"

#include "common/error.h"

namespace vendara {
namespace companyblock {

const QStringList &generationPrefectures()
{
    // Not the code order of the slip's list (slip/prefectures) but the order
    // this dialog has always offered, which its users know: 栃木県 before
    // 茨城県, and 山梨県 and 長野県 before 新潟県. The set file keeps only the
    // text taken, so the order never reaches a file.
    static const QStringList list = QStringLiteral(
        "北海道 青森県 岩手県 宮城県 秋田県 山形県 福島県 栃木県 茨城県 群馬県 埼玉県 千葉県 東京都 神奈川県 "
        "山梨県 長野県 新潟県 富山県 石川県 福井県 岐阜県 静岡県 愛知県 三重県 滋賀県 京都府 大阪府 兵庫県 "
        "奈良県 和歌山県 鳥取県 島根県 岡山県 広島県 山口県 徳島県 香川県 愛媛県 高知県 福岡県 佐賀県 長崎県 "
        "熊本県 大分県 宮崎県 鹿児島県 沖縄県").split(u' ');
    return list;
}

QStringList generatedValues(const GeneratedSetFields &fields)
{
    const QString face = QStringLiteral("ＭＳ ゴシック");
    return {
        face,
        QStringLiteral("0"),
        QStringLiteral("0"),
        QStringLiteral("20"),
        fields.nameLine1,
        fields.nameLine2,
        face,
        QStringLiteral("0"),
        QStringLiteral("0"),
        QStringLiteral("12"),
        fields.zip1 + u'-' + fields.zip2,
        fields.prefecture + fields.address,
        fields.building,
        QStringLiteral("TEL ") + fields.phone,
        QStringLiteral("FAX ") + fields.fax,
        QString(), // address lines 6 to 8
        QString(),
        QString(),
        QString(), // no image
        QStringLiteral("0"),
        QStringLiteral("0"),
        QStringLiteral("100"),
        QStringLiteral("100"),
    };
}

void requireSetName(const QString &name)
{
    if (name.isEmpty())
        throw Error(QStringLiteral("設定名を入力してください"));
}

void writeGeneratedSet(const DataFolder &data, const QString &name, const GeneratedSetFields &fields)
{
    writeSet(setFilePath(data, name), generatedValues(fields));
    addToSetList(data, name);
}

} // namespace companyblock
} // namespace vendara
