#include "namerules.h"

#include "common/blanks.h"
#include "common/cp932codec.h"
#include "common/datafolder.h"
#include "common/error.h"

#include <QFile>

namespace vendara {
namespace {

// The longest file name the file systems the data folder lives on take, in
// the bytes of the file-name encoding.
constexpr qsizetype kMaxFileNameBytes = 255;

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

// Why a name cannot be one file name of a folder, reserved names aside.
QString fileNameProblem(const QString &name)
{
    if (name.contains(u'/') || name.contains(QChar(0)))
        return refusal(name, QStringLiteral("「/」は使えません"));
    if (fileNameKey(name).isEmpty())
        return refusal(name, QStringLiteral("「.」と空白だけの名前は使えません"));
    if (hasControlCharacter(name))
        return refusal(name, QStringLiteral("制御文字は使えません"));
    const QString bad = cp932::firstUnencodable(name);
    if (!bad.isEmpty())
        return refusal(name, QStringLiteral("文字「%1」は Shift-JIS で保存できません").arg(bad));
    return QString();
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

QString fileNameKey(const QString &fileName)
{
    qsizetype end = fileName.size();
    while (end > 0 && (isBlank(fileName[end - 1]) || fileName[end - 1] == u'.'))
        --end;
    return fileName.left(end).toCaseFolded();
}

EntryNames::EntryNames(QString noun, QString prefix, QString suffix, QStringList reservedFiles)
    : m_noun(std::move(noun)), m_prefix(std::move(prefix)), m_suffix(std::move(suffix))
{
    for (const QString &file : reservedFiles)
        m_reservedKeys.append(fileNameKey(file));
}

QString EntryNames::storageProblem(const QString &name) const
{
    if (isBlankText(name))
        return m_noun + QStringLiteral("名を入力してください。");
    if (const QString problem = fileNameProblem(name); !problem.isEmpty())
        return problem;
    const QString file = fileName(name);
    if (QFile::encodeName(file).size() > kMaxFileNameBytes)
        return refusal(name, QStringLiteral("長すぎます"));
    if (m_reservedKeys.contains(fileNameKey(file)))
        return refusal(name, QStringLiteral("プログラムが使うファイルと同じ名前になります"));
    return QString();
}

std::optional<qsizetype> EntryNames::entrySharingFile(const QString &name, const QStringList &entries) const
{
    // Compared without the suffix every entry shares: "本店 " would be a file
    // of its own, but no one could tell it from "本店" in the list.
    const QString key = fileNameKey(m_prefix + name);
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (!isBlankText(entries[i]) && fileNameKey(m_prefix + entries[i]) == key)
            return i;
    return std::nullopt;
}

QString EntryNames::newNameProblem(const QString &name, const QStringList &others) const
{
    if (const QString problem = storageProblem(name); !problem.isEmpty())
        return problem;
    const qsizetype exact = others.indexOf(name);
    if (exact >= 0)
        return existsMessage(name);
    if (const auto shared = entrySharingFile(name, others))
        return QStringLiteral("「%1」は%2「%3」と区別できないため使えません。")
            .arg(name, m_noun, others[*shared]);
    return QString();
}

void EntryNames::requireNewName(const QString &name, const QStringList &others) const
{
    if (const QString problem = newNameProblem(name, others); !problem.isEmpty())
        throw Error(problem);
}

QString EntryNames::existsMessage(const QString &existing) const
{
    return QStringLiteral("%1「%2」は既にあります。").arg(m_noun, existing);
}

const EntryNames &companyBlockSetNames()
{
    static const EntryNames names(QStringLiteral("設定"), QString(), QStringLiteral(".Dat"),
                                  {QStringLiteral("Tmp.dat")});
    return names;
}

} // namespace vendara
