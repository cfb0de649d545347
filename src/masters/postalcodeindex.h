#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringMatcher>

#include <vector>

namespace vendara {

// One search result: postal code, prefecture, and city and area joined.
struct PostalCodeEntry
{
    QString postalCode;
    QString prefecture;
    QString address;

    bool operator==(const PostalCodeEntry &) const = default;
};

// The keyword of a search, prepared once for every dictionary.
class PostalCodeQuery
{
public:
    explicit PostalCodeQuery(const QString &keyword);
    const QString &keyword() const { return m_keyword; }
    // An empty keyword matches nothing.
    bool matchesNothing() const { return m_keyword.isEmpty(); }
    // A keyword with a line break cannot occur in one line's address.
    bool searchesAddresses() const { return m_searchAddresses; }
    const QStringMatcher &matcher() const { return m_matcher; }

private:
    QString m_keyword;
    bool m_searchAddresses;
    QStringMatcher m_matcher;
};

// The decoded copy of one postal-code dictionary that searches run on: for
// every usable line (nine fields or more) its postal code, prefecture and
// address, packed into a few large strings. Pieces of the file are appended
// in order as it is read, so a search can run while the copy is being built;
// only the four fields used are decoded.
class PostalCodeIndex
{
public:
    // Shift-JIS bytes of whole lines. Every line is counted; a line with
    // fewer than nine fields adds no entry.
    void appendPiece(QByteArrayView bytes);
    void squeeze(); // once the whole file is in

    qsizetype entryCount() const { return qsizetype(m_codeStart.size()); }
    // Lines read so far, usable or not.
    quint32 lineCount() const { return m_lineCount; }
    // The line counter after the entry's line was read (1 for the first line).
    quint32 lineNumber(qsizetype entry) const { return m_lineNumber[size_t(entry)]; }

    QStringView postalCode(qsizetype entry) const;
    QStringView address(qsizetype entry) const;
    const QString &prefecture(qsizetype entry) const { return m_prefectures[m_prefecture[size_t(entry)]]; }
    PostalCodeEntry entry(qsizetype entry) const;

    // Appends the entries of [from, to) that match, in order: the postal code
    // begins with the keyword, or else the address contains it.
    void collectMatches(const PostalCodeQuery &query, qsizetype from, qsizetype to, QList<PostalCodeEntry> &out) const;

    // Bytes held by the copy, for the memory budget.
    qsizetype memoryBytes() const;

private:
    quint32 prefectureId(QStringView name);

    QString m_codes;     // postal codes back to back
    QString m_addresses; // each entry's city + area followed by '\n'
    std::vector<quint32> m_codeStart;
    std::vector<quint32> m_addressStart;
    std::vector<quint32> m_prefecture;
    std::vector<quint32> m_lineNumber;
    QStringList m_prefectures;
    QHash<QString, quint32> m_prefectureIds;
    quint32 m_lineCount = 0;
    QByteArray m_batch; // the raw fields of one piece, each followed by '\n'
    std::vector<quint32> m_batchLines;
};

} // namespace vendara
