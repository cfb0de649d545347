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

} // namespace

QString Settings::formatSlipCode(int number)
{
    // "%.8d": at least eight digits, the sign before them.
    const QString digits = QString::number(qAbs(qint64(number))).rightJustified(8, u'0');
    return number < 0 ? u'-' + digits : digits;
}

LoadedSettings Settings::load(bool full) const
{
    const IniProfile ini = IniProfile::load(m_path);
    LoadedSettings s;
    s.eraDates = ini.readInt(kDate, kDate, 0) != 0;
    s.defaultDatePattern = s.eraDates ? QStringLiteral("GGEE/MM/DD") : QStringLiteral("YYYY/MM/DD");
    if (!full)
        return s;
    s.nextSlipCode = formatSlipCode(ini.readInt(kSlip, QStringLiteral("No"), 0));
    s.taxRate = ini.readFloat(kTax, QStringLiteral("SRate"), 5);
    s.rounding = readRounding(ini);
    s.annualRate = ini.readFloat(kCredit, QStringLiteral("Rate"), 0);
    s.startFolder = ini.readString(kInit, QStringLiteral("Dir"));
    s.acquisitionRatio = ini.readInt(kTax, QStringLiteral("Std"), 90);
    s.correctionX = ini.readFloat(kPrint, QStringLiteral("Fix_X"), 0);
    s.correctionY = ini.readFloat(kPrint, QStringLiteral("Fix_Y"), 0);
    return s;
}

BasicSettings Settings::loadBasic() const
{
    const IniProfile ini = IniProfile::load(m_path);
    BasicSettings b;
    b.dateForm = ini.readInt(kDate, kDate, 0) != 0 ? 1 : 0;
    b.standardTaxRate = ini.readFloat(kTax, QStringLiteral("SRate"), 5);
    b.rounding = readRounding(ini);
    b.acquisitionTaxRate = ini.readFloat(kTax, QStringLiteral("Gtax"), 5);
    b.acquisitionRatio = ini.readFloat(kTax, QStringLiteral("Std"), 90);
    b.creditRate = ini.readFloat(kCredit, QStringLiteral("Rate"), 0);
    return b;
}

bool Settings::isChanged(const BasicSettings &values) const
{
    return !(loadBasic() == values);
}

void Settings::saveBasic(const BasicSettings &values) const
{
    IniProfile ini = IniProfile::load(m_path);
    ini.writeInt(kDate, kDate, values.dateForm);
    ini.writeFloat(kTax, QStringLiteral("SRate"), values.standardTaxRate);
    ini.writeInt(kTax, QStringLiteral("Hasu"), values.rounding);
    ini.writeFloat(kTax, QStringLiteral("Gtax"), values.acquisitionTaxRate);
    ini.writeFloat(kTax, QStringLiteral("Std"), values.acquisitionRatio);
    ini.writeFloat(kCredit, QStringLiteral("Rate"), values.creditRate);
    ini.save(m_path);
}

int Settings::nextSlipNumber() const
{
    return IniProfile::load(m_path).readInt(kSlip, QStringLiteral("No"), 0);
}

void Settings::setNextSlipNumber(int number) const
{
    IniProfile ini = IniProfile::load(m_path);
    ini.writeInt(kSlip, QStringLiteral("No"), number);
    ini.save(m_path);
}

QString Settings::startFolder() const
{
    return IniProfile::load(m_path).readString(kInit, QStringLiteral("Dir"));
}

void Settings::setStartFolder(const QString &folder) const
{
    IniProfile ini = IniProfile::load(m_path);
    ini.writeString(kInit, QStringLiteral("Dir"), folder);
    ini.save(m_path);
}

QString Settings::pdfFolder() const
{
    return IniProfile::load(m_path).readString(kInit, QStringLiteral("PdfDir"));
}

void Settings::setPdfFolder(const QString &folder) const
{
    IniProfile ini = IniProfile::load(m_path);
    ini.writeString(kInit, QStringLiteral("PdfDir"), folder);
    ini.save(m_path);
}

double Settings::correctionX() const
{
    return IniProfile::load(m_path).readFloat(kPrint, QStringLiteral("Fix_X"), 0);
}

double Settings::correctionY() const
{
    return IniProfile::load(m_path).readFloat(kPrint, QStringLiteral("Fix_Y"), 0);
}

void Settings::setCorrections(double x, double y) const
{
    IniProfile ini = IniProfile::load(m_path);
    ini.writeFloat(kPrint, QStringLiteral("Fix_Y"), y);
    ini.writeFloat(kPrint, QStringLiteral("Fix_X"), x);
    ini.save(m_path);
}

double Settings::acquisitionTaxRate() const
{
    return IniProfile::load(m_path).readFloat(kTax, QStringLiteral("Gtax"), 5);
}

} // namespace vendara
