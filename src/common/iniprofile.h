#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vendara {

// The date that means "not set" in every file and record.
inline const QDate kZeroDate{1899, 12, 30};

// An INI file held as its lines, so that writing a key changes that one line
// and leaves every other line (comments, blanks, foreign keys) as it was.
// Section and key names match without regard to case; a key written twice in
// a section reads its first occurrence.
class IniProfile
{
public:
    // Which enclosing quotes a read value loses: slip and settings files drop
    // one pair of double quotes; format files also a pair of single quotes.
    enum class Quotes { Double, DoubleOrSingle };

    IniProfile() = default;

    // A file that is missing or unreadable gives an empty profile.
    static IniProfile load(const QString &path, Quotes quotes = Quotes::Double);
    static IniProfile fromText(QStringView text, Quotes quotes = Quotes::Double);

    // Encodes to Shift-JIS with CR LF and saves atomically; throws vendara::Error.
    void save(const QString &path) const;
    QString toText() const;
    QStringList lines() const;

    bool hasSection(const QString &section) const;
    bool hasKey(const QString &section, const QString &key) const;
    // The value with surrounding blanks (codes up to 32; a full-width space is
    // text) and one pair of enclosing quotes removed.
    std::optional<QString> value(const QString &section, const QString &key) const;

    QString readString(const QString &section, const QString &key, const QString &def = {}) const;
    // Decimal or 0x hexadecimal; anything else, or a value outside int, gives def.
    int readInt(const QString &section, const QString &key, int def) const;
    std::optional<qint64> readInt64(const QString &section, const QString &key) const;
    double readFloat(const QString &section, const QString &key, double def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;
    // yyyy/mm/dd; a missing or malformed date gives def.
    QDate readDate(const QString &section, const QString &key, const QDate &def) const;

    // A value that starts or ends with a blank, or is wholly enclosed in
    // quotes, is written inside one more pair of double quotes.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInt(const QString &section, const QString &key, qint64 value);
    void writeFloat(const QString &section, const QString &key, double value);
    void writeBool(const QString &section, const QString &key, bool value);
    void writeDate(const QString &section, const QString &key, const QDate &value);

    // Section names in file order, each once, spelled as in the file.
    QStringList sectionNames() const;
    // The key and value of every key line of the section, in file order.
    QList<QPair<QString, QString>> sectionEntries(const QString &section) const;

    static QString formatFloat(double value);
    static std::optional<qint64> parseInteger(QStringView text);
    static std::optional<double> parseFloat(QStringView text);
    static std::optional<QDate> parseDate(QStringView text);
    static QString formatDate(const QDate &date);

private:
    struct Section
    {
        QString name;
        QString header; // the "[Name]" line as it stands in the file
        bool hasHeader = true;
        QStringList lines; // the lines after the header
        QHash<QString, qsizetype> keyLine; // folded key -> first line
    };

    static QString fold(const QString &name);
    static std::optional<QString> keyOf(const QString &line);
    QString unquote(QStringView raw) const;
    QString protectedValue(const QString &value) const;
    void appendLine(const QString &line);
    const Section *findSection(const QString &section) const;

    Quotes m_quotes = Quotes::Double;
    std::vector<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // folded name -> first section
};

} // namespace vendara
