#include "settings.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "common/filelock.h"
#include "common/iniprofile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace vendara {

namespace {

const QString kDate = QStringLiteral("Date");
const QString kSlip = QStringLiteral("Slip");
const QString kTax = QStringLiteral("Tax");
const QString kCredit = QStringLiteral("Credit");
const QString kInit = QStringLiteral("Init");
const QString kPrint = QStringLiteral("Print");
const QString kNo = QStringLiteral("No");

// The rounding mode is a choice of three; anything else reads as the first,
// as a slip file's own rounding does.
int readRounding(const IniProfile &ini)
{
    const int mode = ini.readInt(kTax, QStringLiteral("Hasu"), 0);
    return mode >= 0 && mode <= 2 ? mode : 0;
}

BasicSettings readBasic(const IniProfile &ini)
{
    BasicSettings b;
    // Any value but 0 is the era form.
    b.dateForm = ini.readInt(kDate, kDate, 0) != 0 ? DateForm::Era : DateForm::Western;
    b.standardTaxRate = ini.readFloat(kTax, QStringLiteral("SRate"), 5);
    b.rounding = readRounding(ini);
    b.acquisitionTaxRate = ini.readFloat(kTax, QStringLiteral("Gtax"), 5);
    b.acquisitionRatio = ini.readFloat(kTax, QStringLiteral("Std"), 90);
    b.creditRate = ini.readFloat(kCredit, QStringLiteral("Rate"), 0);
    return b;
}

// The file as it is before a write. Unlike IniProfile::load, a file that is
// there but cannot be read is an error: written back, the empty profile would
// drop every key, the next slip number among them.
IniProfile loadForWrite(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path))
            return IniProfile();
        throw Error(QStringLiteral("%1 を読み込めません").arg(path));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("%1 を読み込めません").arg(path));
    return IniProfile::fromText(cp932::decode(bytes));
}

// The keys of the basic values another desk wrote since `read` was read,
// as they stand in the file now.
FileChangedError basicValuesChanged(const QString &path, const BasicSettings &read, const BasicSettings &now)
{
    QStringList lines;
    const auto add = [&lines](bool differs, const QString &section, const QString &key, const QString &value) {
        if (differs)
            lines.append(QStringLiteral("[%1] %2=%3").arg(section, key, value));
    };
    add(now.dateForm != read.dateForm, kDate, kDate, QString::number(int(now.dateForm)));
    add(now.standardTaxRate != read.standardTaxRate, kTax, QStringLiteral("SRate"), QString::number(now.standardTaxRate));
    add(now.rounding != read.rounding, kTax, QStringLiteral("Hasu"), QString::number(now.rounding));
    add(now.acquisitionTaxRate != read.acquisitionTaxRate, kTax, QStringLiteral("Gtax"),
        QString::number(now.acquisitionTaxRate));
    add(now.acquisitionRatio != read.acquisitionRatio, kTax, QStringLiteral("Std"), QString::number(now.acquisitionRatio));
    add(now.creditRate != read.creditRate, kCredit, QStringLiteral("Rate"), QString::number(now.creditRate));
    const QFileInfo info(path);
    return FileChangedError(path, info.owner(), info.lastModified(), lines.join(u'\n'), false);
}

// The number after a slip's: there is none after the largest int (written
// out, it would read back as no number and the numbering would start again).
qint64 numberAfter(int number)
{
    if (number == std::numeric_limits<int>::max())
        throw Error(QStringLiteral("伝票番号 %1 の次の番号はありません").arg(number));
    return qint64(number) + 1;
}

} // namespace

Settings::Settings(const DataFolder &data, QObject *parent)
    : QObject(parent), m_data(data), m_path(data.settingsPath()), m_lockTimeoutMs(FileLock::kDefaultTimeoutMs)
{
}

void Settings::load()
{
    loadBasic();
    loadDefaultPrint();
}

void Settings::loadBasic()
{
    const IniProfile ini = IniProfile::load(m_path);
    const BasicSettings basic = readBasic(ini);
    const int slipRatio = ini.readInt(kTax, QStringLiteral("Std"), 90);
    m_basicRead = true;
    if (basic == m_basic && slipRatio == m_slipAcquisitionRatio)
        return;
    m_basic = basic;
    m_slipAcquisitionRatio = slipRatio;
    emit changed();
}

void Settings::loadDefaultPrint()
{
    const DefaultPrintSettings defaultPrint = DefaultPrintSettings::load(m_data, &m_defaultPrintVersion);
    if (defaultPrint == m_defaultPrint)
        return;
    m_defaultPrint = defaultPrint;
    emit changed();
}

QString Settings::datePattern() const
{
    return m_basic.dateForm == DateForm::Era ? QStringLiteral("GGEE/MM/DD") : QStringLiteral("YYYY/MM/DD");
}

void Settings::saveBasic(const BasicSettings &values, Overwrite overwrite)
{
    update([&](IniProfile &ini) {
        const BasicSettings now = readBasic(ini);
        if (overwrite == Overwrite::IfUnchanged && m_basicRead && now != m_basic && now != values)
            throw basicValuesChanged(m_path, m_basic, now);
        ini.writeInt(kDate, kDate, int(values.dateForm));
        ini.writeFloat(kTax, QStringLiteral("SRate"), values.standardTaxRate);
        ini.writeInt(kTax, QStringLiteral("Hasu"), values.rounding);
        ini.writeFloat(kTax, QStringLiteral("Gtax"), values.acquisitionTaxRate);
        ini.writeFloat(kTax, QStringLiteral("Std"), values.acquisitionRatio);
        ini.writeFloat(kCredit, QStringLiteral("Rate"), values.creditRate);
        return true;
    });
    loadBasic();
}

void Settings::saveDefaultPrint(const DefaultPrintSettings &values, Overwrite overwrite)
{
    values.save(m_data, m_defaultPrintVersion, overwrite);
    loadDefaultPrint();
}

QString Settings::formatSlipCode(int number)
{
    const QString digits = QString::number(qAbs(qint64(number))).rightJustified(8, u'0');
    return number < 0 ? u'-' + digits : digits;
}

int Settings::nextSlipNumber() const
{
    return IniProfile::load(m_path).readInt(kSlip, kNo, 0);
}

void Settings::setNextSlipNumber(int number)
{
    writeKey([number](IniProfile &ini) { ini.writeInt(kSlip, kNo, number); });
}

std::optional<int> Settings::takeSlipNumber(std::optional<int> proposed, const std::function<bool(int)> &write)
{
    std::optional<int> taken;
    update([&](IniProfile &ini) {
        const int next = ini.readInt(kSlip, kNo, 0);
        const int number = proposed ? std::max(*proposed, next) : next;
        const qint64 after = numberAfter(number);
        if (!write(number))
            return false;
        ini.writeInt(kSlip, kNo, after);
        taken = number;
        return true;
    });
    return taken;
}

int Settings::takeSlipNumber()
{
    return *takeSlipNumber(std::nullopt, [](int) { return true; });
}

void Settings::raiseSlipNumberPast(int number)
{
    update([number](IniProfile &ini) {
        if (number < ini.readInt(kSlip, kNo, 0))
            return false;
        ini.writeInt(kSlip, kNo, numberAfter(number));
        return true;
    });
}

QString Settings::startFolder() const
{
    return IniProfile::load(m_path).readString(kInit, QStringLiteral("Dir"));
}

void Settings::setStartFolder(const QString &folder)
{
    writeKey([&folder](IniProfile &ini) { ini.writeString(kInit, QStringLiteral("Dir"), folder); });
}

QString Settings::pdfFolder() const
{
    return IniProfile::load(m_path).readString(kInit, QStringLiteral("PdfDir"));
}

void Settings::setPdfFolder(const QString &folder)
{
    writeKey([&folder](IniProfile &ini) { ini.writeString(kInit, QStringLiteral("PdfDir"), folder); });
}

double Settings::correctionX() const
{
    return IniProfile::load(m_path).readFloat(kPrint, QStringLiteral("Fix_X"), 0);
}

double Settings::correctionY() const
{
    return IniProfile::load(m_path).readFloat(kPrint, QStringLiteral("Fix_Y"), 0);
}

void Settings::setCorrections(double x, double y)
{
    writeKey([x, y](IniProfile &ini) {
        ini.writeFloat(kPrint, QStringLiteral("Fix_Y"), y);
        ini.writeFloat(kPrint, QStringLiteral("Fix_X"), x);
    });
}

QString Settings::lockPath() const
{
    return FileLock::lockPathFor(m_path);
}

void Settings::writeKey(const std::function<void(IniProfile &)> &write)
{
    update([&write](IniProfile &ini) {
        write(ini);
        return true;
    });
}

// The file is read only once the lock is held, so that what other processes
// wrote stays, and saved whole (atomically) with the change before the lock
// goes.
void Settings::update(const std::function<bool(IniProfile &)> &change)
{
    const FileLock lock(lockPath(), m_lockTimeoutMs);
    IniProfile ini = loadForWrite(m_path);
    if (change(ini))
        ini.save(m_path);
}

} // namespace vendara
