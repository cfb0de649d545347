#include "settings.h"

#include "common/iniprofile.h"

namespace vendara {

namespace {

const QString kDate = QStringLiteral("Date");
const QString kSlip = QStringLiteral("Slip");
const QString kTax = QStringLiteral("Tax");
const QString kCredit = QStringLiteral("Credit");
const QString kInit = QStringLiteral("Init");
const QString kPrint = QStringLiteral("Print");

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

} // namespace

Settings::Settings(const DataFolder &data, QObject *parent)
    : QObject(parent), m_data(data), m_path(data.settingsPath())
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
    if (basic == m_basic && slipRatio == m_slipAcquisitionRatio)
        return;
    m_basic = basic;
    m_slipAcquisitionRatio = slipRatio;
    emit changed();
}

void Settings::loadDefaultPrint()
{
    const DefaultPrintSettings defaultPrint = DefaultPrintSettings::load(m_data);
    if (defaultPrint == m_defaultPrint)
        return;
    m_defaultPrint = defaultPrint;
    emit changed();
}

QString Settings::datePattern() const
{
    return m_basic.dateForm == DateForm::Era ? QStringLiteral("GGEE/MM/DD") : QStringLiteral("YYYY/MM/DD");
}

bool Settings::isChanged(const BasicSettings &values) const
{
    return readBasic(IniProfile::load(m_path)) != values;
}

void Settings::saveBasic(const BasicSettings &values)
{
    writeKey([&values](IniProfile &ini) {
        ini.writeInt(kDate, kDate, int(values.dateForm));
        ini.writeFloat(kTax, QStringLiteral("SRate"), values.standardTaxRate);
        ini.writeInt(kTax, QStringLiteral("Hasu"), values.rounding);
        ini.writeFloat(kTax, QStringLiteral("Gtax"), values.acquisitionTaxRate);
        ini.writeFloat(kTax, QStringLiteral("Std"), values.acquisitionRatio);
        ini.writeFloat(kCredit, QStringLiteral("Rate"), values.creditRate);
    });
    loadBasic();
}

void Settings::saveDefaultPrint(const DefaultPrintSettings &values)
{
    values.save(m_data);
    loadDefaultPrint();
}

QString Settings::formatSlipCode(int number)
{
    const QString digits = QString::number(qAbs(qint64(number))).rightJustified(8, u'0');
    return number < 0 ? u'-' + digits : digits;
}

int Settings::nextSlipNumber() const
{
    return IniProfile::load(m_path).readInt(kSlip, QStringLiteral("No"), 0);
}

void Settings::setNextSlipNumber(int number)
{
    writeKey([number](IniProfile &ini) { ini.writeInt(kSlip, QStringLiteral("No"), number); });
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

// Reads the file as it is now, so that what other windows wrote stays, and
// saves it whole (atomically) with the one change.
void Settings::writeKey(const std::function<void(IniProfile &)> &write)
{
    IniProfile ini = IniProfile::load(m_path);
    write(ini);
    ini.save(m_path);
}

} // namespace vendara
