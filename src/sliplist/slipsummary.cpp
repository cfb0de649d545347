#include "slipsummary.h"

#include "common/blanks.h"
#include "common/cp932codec.h"
#include "common/textfile.h"
#include "common/iniprofile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <sys/stat.h>
#include <limits>

namespace vendara {

namespace {

const QString kNotASlip = QStringLiteral("伝票ファイルではありません");

enum class Section { Other, No, Cust, Car, Price };

// The keys the list reads, each by its section and name.
enum class Key { SlipCode, SlipDiv, SlipDate, Charge, Name, Title, Zip1, Zip2, City, Add1, Add2, Tel, CarName, Last };

struct KeyName
{
    Section section;
    QLatin1StringView name;
    Key key;
};

constexpr KeyName kKeys[] = {
    {Section::No, QLatin1StringView("SlipCode"), Key::SlipCode},
    {Section::No, QLatin1StringView("SlipDiv"), Key::SlipDiv},
    {Section::No, QLatin1StringView("SlipDate"), Key::SlipDate},
    {Section::No, QLatin1StringView("Charge"), Key::Charge},
    {Section::Cust, QLatin1StringView("Name"), Key::Name},
    {Section::Cust, QLatin1StringView("Title"), Key::Title},
    {Section::Cust, QLatin1StringView("Zip1"), Key::Zip1},
    {Section::Cust, QLatin1StringView("Zip2"), Key::Zip2},
    {Section::Cust, QLatin1StringView("City"), Key::City},
    {Section::Cust, QLatin1StringView("Add1"), Key::Add1},
    {Section::Cust, QLatin1StringView("Add2"), Key::Add2},
    {Section::Cust, QLatin1StringView("Tel"), Key::Tel},
    {Section::Car, QLatin1StringView("Name"), Key::CarName},
    {Section::Price, QLatin1StringView("Last"), Key::Last},
};

Section sectionNamed(QStringView name)
{
    if (name.compare(QLatin1StringView("No"), Qt::CaseInsensitive) == 0)
        return Section::No;
    if (name.compare(QLatin1StringView("Cust"), Qt::CaseInsensitive) == 0)
        return Section::Cust;
    if (name.compare(QLatin1StringView("Car"), Qt::CaseInsensitive) == 0)
        return Section::Car;
    if (name.compare(QLatin1StringView("Price"), Qt::CaseInsensitive) == 0)
        return Section::Price;
    return Section::Other;
}

// A value as the slip reader takes it: blanks around it and one pair of
// enclosing double quotes removed.
QString unquoted(QStringView raw)
{
    QStringView v = trimBlanks(raw);
    if (v.size() >= 2 && v.front() == u'"' && v.back() == u'"')
        v = v.mid(1, v.size() - 2);
    return v.toString();
}

// Reads the file's lines as the INI reader does: a section named twice is
// found at its first occurrence, a key named twice at its first line.
class KeyScan
{
public:
    explicit KeyScan(SlipSummary &summary) : m_summary(summary) {}

    void line(QStringView line)
    {
        const QStringView trimmed = trimBlanks(line);
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            const Section named = sectionNamed(trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1)));
            const unsigned bit = 1u << unsigned(named);
            m_section = named != Section::Other && !(m_sectionsSeen & bit) ? named : Section::Other;
            m_sectionsSeen |= bit;
            return;
        }
        if (m_section == Section::Other)
            return;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return;
        const QStringView name = trimBlanks(line.left(eq));
        for (const KeyName &k : kKeys) {
            if (k.section != m_section || name.compare(k.name, Qt::CaseInsensitive) != 0)
                continue;
            const unsigned bit = 1u << unsigned(k.key);
            if (!(m_keysSeen & bit)) {
                m_keysSeen |= bit;
                take(k.key, unquoted(line.mid(eq + 1)));
            }
            return;
        }
    }

    bool sawSection(Section section) const { return m_sectionsSeen & (1u << unsigned(section)); }
    bool sawKey(Key key) const { return m_keysSeen & (1u << unsigned(key)); }

private:
    void take(Key key, QString value)
    {
        SlipSummary &s = m_summary;
        switch (key) {
        case Key::SlipCode: s.slipCode = std::move(value); break;
        case Key::SlipDiv: {
            const auto div = IniProfile::parseInteger(value);
            s.kind = documentKindOfSlipDiv(div && *div == 1 ? 1 : 0);
            break;
        }
        case Key::SlipDate: {
            const auto date = IniProfile::parseDate(value);
            s.issueDate = date && *date != kZeroDate ? *date : QDate();
            break;
        }
        case Key::Charge: s.staff = std::move(value); break;
        case Key::Name: s.customerName = std::move(value); break;
        case Key::Title: s.customerTitle = std::move(value); break;
        case Key::Zip1: s.zip1 = std::move(value); break;
        case Key::Zip2: s.zip2 = std::move(value); break;
        case Key::City: s.prefecture = std::move(value); break;
        case Key::Add1: s.address1 = std::move(value); break;
        case Key::Add2: s.address2 = std::move(value); break;
        case Key::Tel: s.tel = std::move(value); break;
        case Key::CarName: s.carName = std::move(value); break;
        case Key::Last: {
            // An amount outside 32 bits reads as 0, as the slip reader has it.
            const auto last = IniProfile::parseInteger(value);
            s.total = last && *last >= std::numeric_limits<int>::min() && *last <= std::numeric_limits<int>::max()
                          ? *last
                          : 0;
            break;
        }
        }
    }

    SlipSummary &m_summary;
    Section m_section = Section::Other;
    unsigned m_sectionsSeen = 0;
    unsigned m_keysSeen = 0;
};

void clearFields(SlipSummary &s, const QString &error)
{
    SlipSummary empty;
    empty.path = std::move(s.path);
    empty.fileName = std::move(s.fileName);
    empty.stamp = s.stamp;
    empty.error = error;
    s = std::move(empty);
}

} // namespace

FileStamp fileStampOf(const QString &path)
{
    // stat() itself: QFileInfo's times go through the local time zone, which
    // costs more than the rest of a listing of thousands of files.
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000};
}

QString joinedPostalCode(const QString &zip1, const QString &zip2)
{
    if (zip1.isEmpty() || zip2.isEmpty())
        return zip1 + zip2;
    return zip1 + u'-' + zip2;
}

QString joinedAddress(const QString &prefecture, const QString &address1, const QString &address2)
{
    const QString line = prefecture + address1;
    if (address2.isEmpty())
        return line;
    return line.isEmpty() ? address2 : line + u' ' + address2;
}

QString SlipSummary::postalCode() const
{
    return joinedPostalCode(zip1, zip2);
}

QString SlipSummary::address() const
{
    return joinedAddress(prefecture, address1, address2);
}

void summarizeSlipBytes(QByteArrayView bytes, SlipSummary &summary)
{
    if (bytes.isEmpty())
        return clearFields(summary, QStringLiteral("空のファイルです"));
    // Text files hold no NUL; a file that does is something else named .pvq.
    if (std::memchr(bytes.data(), 0, size_t(bytes.size())))
        return clearFields(summary, kNotASlip);

    summary.customerTitle = QStringLiteral("様");
    const QString text = cp932::decode(bytes);
    KeyScan scan(summary);
    textfile::forEachLine(text, [&scan](QStringView line) { scan.line(line); });

    if (!scan.sawSection(Section::No))
        return clearFields(summary, kNotASlip);
    if (!scan.sawKey(Key::SlipCode))
        summary.slipCode = QStringLiteral("00000000");
}

SlipSummary readSlipSummary(const QString &path)
{
    SlipSummary summary;
    summary.path = QFileInfo(path).absoluteFilePath();
    summary.fileName = summary.path.mid(summary.path.lastIndexOf(u'/') + 1);
    struct stat st;
    if (::stat(QFile::encodeName(summary.path).constData(), &st) != 0) {
        summary.error = QStringLiteral("ファイルが見つかりません");
        return summary;
    }
    summary.stamp = {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000};
    if (!S_ISREG(st.st_mode)) {
        summary.error = QStringLiteral("ファイルではありません");
        return summary;
    }
    if (summary.stamp.size > kLargestSlipFile) {
        summary.error = QStringLiteral("大きすぎます (伝票ファイルではありません)");
        return summary;
    }
    QFile file(summary.path);
    if (!file.open(QIODevice::ReadOnly)) {
        summary.error = QStringLiteral("読み込めません");
        return summary;
    }
    const QByteArray bytes = file.read(kLargestSlipFile + 1);
    if (file.error() != QFileDevice::NoError) {
        summary.error = QStringLiteral("読み込めません");
        return summary;
    }
    summarizeSlipBytes(bytes, summary);
    return summary;
}

} // namespace vendara
