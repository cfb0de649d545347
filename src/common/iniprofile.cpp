#include "iniprofile.h"

#include "atomicfile.h"
#include "blanks.h"
#include "cp932codec.h"
#include "textfile.h"

#include <QFile>
#include <QLocale>

#include <cmath>
#include <limits>

namespace vendara {

IniProfile IniProfile::load(const QString &path, Quotes quotes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        IniProfile empty;
        empty.m_quotes = quotes;
        return empty;
    }
    return fromText(cp932::decode(file.readAll()), quotes);
}

IniProfile IniProfile::fromText(QStringView text, Quotes quotes)
{
    IniProfile profile;
    profile.m_quotes = quotes;
    for (const QString &line : textfile::splitLines(text))
        profile.appendLine(line);
    return profile;
}

void IniProfile::appendLine(const QString &line)
{
    const QStringView trimmed = trimBlanks(QStringView(line));
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        Section section;
        section.name = trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1)).toString();
        section.header = line;
        m_sections.push_back(std::move(section));
        const QString folded = fold(m_sections.back().name);
        if (!m_sectionIndex.contains(folded)) // a section named twice is found at its first occurrence
            m_sectionIndex.insert(folded, qsizetype(m_sections.size()) - 1);
        return;
    }
    if (m_sections.empty()) {
        Section preamble;
        preamble.hasHeader = false;
        m_sections.push_back(std::move(preamble));
    }
    Section &section = m_sections.back();
    if (auto key = keyOf(line)) {
        const QString folded = fold(*key);
        if (!section.keyLine.contains(folded))
            section.keyLine.insert(folded, section.lines.size());
    }
    section.lines.append(line);
}

// Names are nearly always ASCII; folding them by hand spares the Unicode
// tables, and a name without capitals is returned as it is, without a copy.
QString IniProfile::fold(const QString &name)
{
    bool hasCapital = false;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return name.toCaseFolded();
        hasCapital |= u >= u'A' && u <= u'Z';
    }
    if (!hasCapital)
        return name;
    QString folded = name;
    for (QChar &c : folded)
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(char16_t(c.unicode() + (u'a' - u'A')));
    return folded;
}

std::optional<QString> IniProfile::keyOf(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    return trimBlanks(line.left(eq));
}

QString IniProfile::unquote(QStringView raw) const
{
    QStringView v = trimBlanks(raw);
    if (v.size() < 2)
        return v.toString();
    const bool single = m_quotes == Quotes::DoubleOrSingle && v.front() == u'\'';
    if ((v.front() == u'"' || single) && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.toString();
}

const IniProfile::Section *IniProfile::findSection(const QString &section) const
{
    auto it = m_sectionIndex.constFind(fold(section));
    if (it == m_sectionIndex.cend())
        return nullptr;
    return &m_sections[size_t(*it)];
}

bool IniProfile::hasSection(const QString &section) const
{
    return findSection(section) != nullptr;
}

bool IniProfile::hasKey(const QString &section, const QString &key) const
{
    return value(section, key).has_value();
}

std::optional<QString> IniProfile::value(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    auto it = s->keyLine.constFind(fold(key));
    if (it == s->keyLine.cend())
        return std::nullopt;
    const QString &line = s->lines[*it];
    return unquote(QStringView(line).mid(line.indexOf(u'=') + 1));
}

QString IniProfile::readString(const QString &section, const QString &key, const QString &def) const
{
    return value(section, key).value_or(def);
}

std::optional<qint64> IniProfile::parseInteger(QStringView text)
{
    QStringView t = trimBlanks(text);
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        negative = t.front() == u'-';
        t = t.mid(1);
    }
    int base = 10;
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
        base = 16;
        t = t.mid(2);
    }
    if (t.isEmpty())
        return std::nullopt;
    for (QChar c : t) {
        const bool ok = base == 10 ? (c >= u'0' && c <= u'9') : isxdigit(c.unicode() < 128 ? c.toLatin1() : 'g');
        if (!ok)
            return std::nullopt;
    }
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    return negative ? -v : v;
}

std::optional<qint64> IniProfile::readInt64(const QString &section, const QString &key) const
{
    if (auto v = value(section, key))
        return parseInteger(*v);
    return std::nullopt;
}

int IniProfile::readInt(const QString &section, const QString &key, int def) const
{
    const auto v = readInt64(section, key);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return def;
    return int(*v);
}

// A decimal number: sign, digits with at most one point, an optional
// exponent. Grouping separators, blanks inside, hex, "inf" and "nan" are not.
std::optional<double> IniProfile::parseFloat(QStringView text)
{
    const QStringView t = trimBlanks(text);
    qsizetype i = 0;
    auto digitsFrom = [&](qsizetype &at) {
        const qsizetype start = at;
        while (at < t.size() && t[at] >= u'0' && t[at] <= u'9')
            ++at;
        return at - start;
    };
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype mantissa = digitsFrom(i);
    if (i < t.size() && t[i] == u'.') {
        ++i;
        mantissa += digitsFrom(i);
    }
    if (mantissa == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        if (digitsFrom(i) == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double IniProfile::readFloat(const QString &section, const QString &key, double def) const
{
    if (auto v = value(section, key))
        return parseFloat(*v).value_or(def);
    return def;
}

bool IniProfile::readBool(const QString &section, const QString &key, bool def) const
{
    if (auto v = readInt64(section, key))
        return *v != 0;
    return def;
}

std::optional<QDate> IniProfile::parseDate(QStringView text)
{
    const QList<QStringView> parts = trimBlanks(text).split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    int n[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        n[i] = parts[i].toInt(&ok);
        if (!ok || parts[i].isEmpty() || !parts[i].front().isDigit())
            return std::nullopt;
    }
    const QDate date(n[0], n[1], n[2]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QDate IniProfile::readDate(const QString &section, const QString &key, const QDate &def) const
{
    if (auto v = value(section, key))
        return parseDate(*v).value_or(def);
    return def;
}

QString IniProfile::formatFloat(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString IniProfile::formatDate(const QDate &date)
{
    const QDate d = date.isValid() ? date : kZeroDate;
    return QStringLiteral("%1/%2/%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

// The reading rule drops blanks around a value and one pair of enclosing
// quotes. A value it would change is written inside one more pair of double
// quotes, so that it reads back exactly as it was written.
QString IniProfile::protectedValue(const QString &value) const
{
    if (value.isEmpty())
        return value;
    const QChar first = value.front();
    const QChar last = value.back();
    // Single quotes too: the same file may be read by a reader that drops them.
    const bool enclosed = value.size() >= 2 && first == last && (first == u'"' || first == u'\'');
    if (enclosed || isBlank(first) || isBlank(last))
        return u'"' + value + u'"';
    return value;
}

void IniProfile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString stored = protectedValue(value);
    const QString folded = fold(section);
    auto it = m_sectionIndex.constFind(folded);
    if (it == m_sectionIndex.cend()) {
        appendLine(QLatin1Char('[') + section + QLatin1Char(']'));
        it = m_sectionIndex.constFind(folded);
    }
    Section &s = m_sections[size_t(*it)];
    const QString foldedKey = fold(key);
    auto k = s.keyLine.constFind(foldedKey);
    if (k != s.keyLine.cend()) {
        QString &line = s.lines[*k];
        line = trimBlanks(line.left(line.indexOf(u'='))) + QLatin1Char('=') + stored;
        return;
    }
    // After the last non-blank line, so blank separators stay between sections.
    qsizetype at = s.lines.size();
    while (at > 0 && isBlankText(s.lines[at - 1]))
        --at;
    s.lines.insert(at, key + QLatin1Char('=') + stored);
    s.keyLine.insert(foldedKey, at);
}

void IniProfile::writeInt(const QString &section, const QString &key, qint64 value)
{
    writeString(section, key, QString::number(value));
}

void IniProfile::writeFloat(const QString &section, const QString &key, double value)
{
    writeString(section, key, formatFloat(value));
}

void IniProfile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniProfile::writeDate(const QString &section, const QString &key, const QDate &value)
{
    writeString(section, key, formatDate(value));
}

QStringList IniProfile::sectionNames() const
{
    QStringList names;
    for (size_t i = 0; i < m_sections.size(); ++i) {
        const Section &s = m_sections[i];
        if (s.hasHeader && m_sectionIndex.value(fold(s.name), -1) == qsizetype(i))
            names.append(s.name);
    }
    return names;
}

QList<QPair<QString, QString>> IniProfile::sectionEntries(const QString &section) const
{
    QList<QPair<QString, QString>> entries;
    const Section *s = findSection(section);
    if (!s)
        return entries;
    for (const QString &line : s->lines) {
        if (auto key = keyOf(line))
            entries.append({*key, unquote(QStringView(line).mid(line.indexOf(u'=') + 1))});
    }
    return entries;
}

QStringList IniProfile::lines() const
{
    QStringList all;
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].hasHeader)
            all.append(m_sections[i].header);
        all.append(m_sections[i].lines);
    }
    return all;
}

QString IniProfile::toText() const
{
    return textfile::joinLines(lines());
}

void IniProfile::save(const QString &path) const
{
    textfile::writeLines(path, lines());
}

} // namespace vendara
