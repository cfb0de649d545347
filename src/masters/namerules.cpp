#include "namerules.h"

#include "common/cp932codec.h"
#include "common/datafolder.h"
#include "common/error.h"

namespace vendara {
namespace {

bool hasControlCharacter(const QString &name)
{
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

bool isReserved(const QString &name, const QStringList &reservedNames)
{
    return reservedNames.contains(name, Qt::CaseInsensitive);
}

QString refusal(const QString &name, const QString &why)
{
    return QStringLiteral("'%1' はファイル名として使えません(%2)").arg(name, why);
}

} // namespace

bool isStorableName(const QString &name, const QStringList &reservedNames)
{
    return isSafeFileName(name) && !hasControlCharacter(name) && cp932::firstUnencodable(name).isEmpty()
        && !isReserved(name, reservedNames);
}

void requireStorableName(const QString &name, const QStringList &reservedNames)
{
    requireSafeFileName(name);
    if (hasControlCharacter(name))
        throw Error(refusal(name, QStringLiteral("制御文字は使えません")));
    const QString bad = cp932::firstUnencodable(name);
    if (!bad.isEmpty())
        throw Error(refusal(name, QStringLiteral("文字「%1」は Shift-JIS で保存できません").arg(bad)));
    if (isReserved(name, reservedNames))
        throw Error(refusal(name, QStringLiteral("一覧ファイルの名前です")));
}

} // namespace vendara
