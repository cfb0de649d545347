#include "datafoldercheck.h"

#include "common/atomicfile.h"
#include "common/error.h"
#include "common/filelock.h"
#include "common/iniprofile.h"
#include "common/textfile.h"
#include "masters/carmaster.h"
#include "masters/equipmentlist.h"
#include "masters/masterfile.h"
#include "masters/memotemplates.h"
#include "masters/postalcodedictionarylist.h"
#include "masters/simplemaster.h"
#include "masters/taxtablekind.h"
#include "printsettings/companyblock.h"
#include "printsettings/defaultprintsettings.h"
#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>
#include <optional>

#include <unistd.h>

namespace vendara {

namespace {

DataFolderCheck ok(const QString &subject, const QString &detail)
{
    return {subject, true, detail};
}

DataFolderCheck wrong(const QString &subject, const QString &detail)
{
    return {subject, false, detail};
}

// Text that did not come from a Shift-JIS text file: NUL bytes, or bytes
// CP932 does not have (the codec decodes them as U+FFFD).
std::optional<QString> textProblem(const QString &path, const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QChar(0)))
            return QStringLiteral("%1 の %2 行目に NUL があります（テキストではありません）").arg(path).arg(i + 1);
        if (lines[i].contains(QChar::ReplacementCharacter))
            return QStringLiteral("%1 の %2 行目に Shift-JIS でない文字があります").arg(path).arg(i + 1);
    }
    return std::nullopt;
}

// An INI file holds blank lines, ";" comments, "[section]" and "key=value"
// lines; anything else is what is left of a damaged file.
std::optional<QString> iniProblem(const QString &path, const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const bool fine = line.isEmpty() || line.startsWith(u';')
            || (line.startsWith(u'[') ? line.contains(u']') : line.contains(u'='));
        if (!fine)
            return QStringLiteral("%1 の %2 行目は設定の行ではありません: %3").arg(path).arg(i + 1).arg(lines[i].left(40));
    }
    return std::nullopt;
}

// The lines of an INI file read as the program reads it, or the problem.
std::optional<QString> readIni(const QString &path, IniProfile &profile)
{
    const std::optional<QStringList> lines = textfile::readLines(path);
    if (!lines)
        return QStringLiteral("%1 を読み込めません").arg(path);
    if (auto problem = textProblem(path, *lines))
        return problem;
    if (auto problem = iniProblem(path, *lines))
        return problem;
    profile = IniProfile::fromText(textfile::joinLines(*lines));
    return std::nullopt;
}

// A master or list file read with the masters' own reader; a missing file is
// an empty list, as there. The lines, or the problem.
std::optional<QString> readMaster(const QString &path, QStringList &lines)
{
    try {
        lines = masterfile::readLines(path);
    } catch (const Error &e) {
        return e.message();
    }
    return textProblem(path, lines);
}

DataFolderCheck checkFolder(const DataFolder &data)
{
    const QString subject = QStringLiteral("データフォルダ");
    const QFileInfo root(data.root());
    if (!root.isDir())
        return wrong(subject, QStringLiteral("%1 がありません").arg(data.root()));
    if (!QDir(data.root()).isReadable())
        return wrong(subject, QStringLiteral("%1 を読み取れません").arg(data.root()));
    QStringList missing;
    for (const QString &folder : {data.mastersDir(), data.layoutsDir(), data.taxTablesDir(), data.companyBlocksDir()})
        if (!QFileInfo(folder).isDir())
            missing << QDir(data.root()).relativeFilePath(folder) + u'/';
    if (!missing.isEmpty())
        return wrong(subject, QStringLiteral("%1 に %2 がありません").arg(data.root(), missing.join(QStringLiteral("、"))));
    return ok(subject, data.root());
}

// A file is written and removed the way every save writes (beside the
// target, then renamed), where the program writes.
DataFolderCheck checkWriting(const DataFolder &data)
{
    const QString subject = QStringLiteral("書き込み");
    const QString probeName = QStringLiteral(".vendara-check.%1").arg(::getpid());
    for (const QString &folder : {data.root(), data.tmpDir()}) {
        const QString probe = folder + probeName;
        try {
            saveFileAtomically(probe, QByteArrayLiteral("check\r\n"));
        } catch (const Error &e) {
            return wrong(subject, e.message());
        }
        if (!QFile::remove(probe))
            return wrong(subject, QStringLiteral("%1 を削除できません").arg(probe));
    }
    // A settings file no write may replace refuses every save of it.
    const QFileInfo settings(data.settingsPath());
    const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (settings.exists() && (!settings.isWritable() || !(settings.permissions() & writeBits)))
        return wrong(subject, QStringLiteral("%1 は読み取り専用です").arg(data.settingsPath()));
    return ok(subject, QStringLiteral("%1 と %2 に書き込めます").arg(data.root(), data.tmpDir()));
}

// Taken, seen as held from a second open (which a file system that keeps
// locks to itself, or ignores them, does not show), released.
DataFolderCheck checkLock(const Settings &settings)
{
    const QString subject = QStringLiteral("ロック");
    const QString path = settings.lockPath();
    try {
        {
            const FileLock lock(path);
            if (!FileLock::isHeld(path))
                return wrong(subject, QStringLiteral("%1 をロックしても、ロックされたように見えません").arg(path));
        }
        if (FileLock::isHeld(path))
            return wrong(subject, QStringLiteral("%1 のロックが解放されません").arg(path));
    } catch (const Error &e) {
        return wrong(subject, e.message());
    }
    return ok(subject, QStringLiteral("%1 をロックして解放しました").arg(path));
}

DataFolderCheck checkSettingsFile(const Settings &settings)
{
    const QString subject = QStringLiteral("設定ファイル");
    const QString &path = settings.path();
    if (!QFileInfo::exists(path))
        return ok(subject, QStringLiteral("%1 はありません（既定値で始めます）").arg(path));
    IniProfile ini;
    if (auto problem = readIni(path, ini))
        return wrong(subject, *problem);
    // A next number that does not read as one would start the numbering
    // again from 0.
    if (const auto no = ini.value(QStringLiteral("Slip"), QStringLiteral("No"))) {
        const auto number = IniProfile::parseInteger(*no);
        if (!number || *number < std::numeric_limits<int>::min() || *number >= std::numeric_limits<int>::max())
            return wrong(subject, QStringLiteral("%1 の [Slip] No が伝票番号ではありません: %2").arg(path, *no));
    }
    return ok(subject, QStringLiteral("%1（次の伝票番号 %2）").arg(path, Settings::formatSlipCode(settings.nextSlipNumber())));
}

DataFolderCheck checkDefaultPrintSettings(const DataFolder &data)
{
    const QString subject = QStringLiteral("印刷設定");
    const QString path = DefaultPrintSettings::filePath(data);
    if (!QFileInfo::exists(path))
        return ok(subject, QStringLiteral("%1 はありません（既定値で印刷します）").arg(path));
    IniProfile ini;
    if (auto problem = readIni(path, ini))
        return wrong(subject, *problem);
    const DefaultPrintSettings settings = DefaultPrintSettings::load(data);
    QStringList found;
    try {
        for (const DocumentKind kind : {DocumentKind::Estimate, DocumentKind::Order}) {
            const QString &name = settings.formatNames[size_t(kind)];
            if (name.isEmpty())
                continue;
            const QString format = formatFilePath(data, name);
            if (!QFileInfo(format).isFile())
                return wrong(subject, QStringLiteral("%1の書式 %2 がありません").arg(documentKindName(kind), format));
            found << documentKindName(kind) + u' ' + name;
        }
        if (!settings.setName.isEmpty()) {
            const QString set = companyblock::setFilePath(data, settings.setName);
            if (!companyblock::readSet(set))
                return wrong(subject, QStringLiteral("社名ロゴ %1 を読み込めません").arg(set));
            found << QStringLiteral("社名ロゴ ") + settings.setName;
        }
    } catch (const Error &e) {
        return wrong(subject, e.message());
    }
    return ok(subject, path + (found.isEmpty() ? QString() : QStringLiteral("（%1）").arg(found.join(QStringLiteral("、")))));
}

// Files read one after the other; the first problem is the finding.
DataFolderCheck checkFiles(const QString &subject, const QStringList &paths)
{
    int present = 0;
    for (const QString &path : paths) {
        QStringList lines;
        if (auto problem = readMaster(path, lines))
            return wrong(subject, *problem);
        present += QFileInfo::exists(path) ? 1 : 0;
    }
    return ok(subject, QStringLiteral("%1 ファイルを読みました").arg(present));
}

DataFolderCheck checkSimpleMasters(const DataFolder &data)
{
    QStringList paths;
    for (const SimpleMasterInfo &master : simpleMasters())
        paths << data.mastersDir() + master.name;
    paths << data.mastersDir() + EquipmentList::kFileName << data.mastersDir() + MemoTemplates::kFileName;
    return checkFiles(QStringLiteral("マスタ"), paths);
}

DataFolderCheck checkCarMaster(const DataFolder &data)
{
    const QString subject = QStringLiteral("メーカー・車名");
    const QString folder = data.carMastersDir();
    QStringList makers;
    if (auto problem = readMaster(folder + CarMaster::kMakerListFile, makers))
        return wrong(subject, *problem);
    QStringList paths{folder + CarMaster::kMakerListFile};
    for (const QString &maker : std::as_const(makers))
        if (!maker.trimmed().isEmpty() && CarMaster::makerNames().isStorable(maker))
            paths << folder + maker;
    return checkFiles(subject, paths);
}

DataFolderCheck checkPostalCodes(const DataFolder &data)
{
    const QString subject = QStringLiteral("郵便番号辞書");
    const QString list = data.postalCodesDir() + PostalCodeDictionaryList::kListFile;
    QStringList listed;
    if (auto problem = readMaster(list, listed))
        return wrong(subject, *problem);
    // The list's reader passes over what is not in the folder: a search would
    // then find nothing in it, without a word.
    const PostalCodeDictionaryList usable(data.postalCodesDir());
    for (const QString &name : std::as_const(listed)) {
        if (name.trimmed().isEmpty() || usable.names().contains(name))
            continue;
        return wrong(subject, QStringLiteral("%1 に載っている %2 が %3 にありません").arg(list, name, data.postalCodesDir()));
    }
    for (const QString &path : usable.paths()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return wrong(subject, QStringLiteral("%1 を読み込めません").arg(path));
    }
    return ok(subject, usable.names().isEmpty() ? QStringLiteral("辞書はありません")
                                                : usable.names().join(QStringLiteral("、")));
}

DataFolderCheck checkTaxTables(const DataFolder &data)
{
    const QString subject = QStringLiteral("税金表");
    QStringList paths;
    for (int kind = 0; kind < kTaxTableKindCount; ++kind) {
        const TaxTableKindInfo &info = taxTableKindInfo(kind);
        const QString list = data.taxTablesDir() + info.categoryList;
        QStringList categories;
        if (auto problem = readMaster(list, categories))
            return wrong(subject, *problem);
        paths << list;
        for (const QString &category : std::as_const(categories))
            if (isSafeFileName(info.tablePrefix + category) && !category.trimmed().isEmpty())
                paths << data.taxTablesDir() + info.tablePrefix + category;
    }
    return checkFiles(subject, paths);
}

DataFolderCheck checkCompanyBlocks(const DataFolder &data)
{
    const QString subject = QStringLiteral("社名ロゴ");
    QStringList lines;
    if (auto problem = readMaster(data.companyBlockListPath(), lines))
        return wrong(subject, *problem);
    const QStringList names = companyblock::readSetList(data);
    try {
        for (const QString &name : names)
            if (!companyblock::readSet(companyblock::setFilePath(data, name)))
                return wrong(subject, QStringLiteral("%1 を読み込めません")
                                          .arg(companyblock::setFilePath(data, name)));
    } catch (const Error &e) {
        return wrong(subject, e.message());
    }
    return ok(subject, QStringLiteral("%1 組").arg(names.size()));
}

} // namespace

QList<DataFolderCheck> checkDataFolder(const DataFolder &data)
{
    const Settings settings(data);
    return {
        checkFolder(data),
        checkWriting(data),
        checkLock(settings),
        checkSettingsFile(settings),
        checkDefaultPrintSettings(data),
        checkSimpleMasters(data),
        checkCarMaster(data),
        checkPostalCodes(data),
        checkTaxTables(data),
        checkCompanyBlocks(data),
    };
}

} // namespace vendara
