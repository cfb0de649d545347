#include "postalcodeindex.h"

#include "postalcodeline.h"

#include "common/cp932codec.h"
#include "common/error.h"

#include <algorithm>
#include <limits>

namespace vendara {

PostalCodeQuery::PostalCodeQuery(const QString &keyword)
    : m_keyword(keyword),
      m_searchAddresses(!keyword.contains(u'\n') && !keyword.contains(u'\r')),
      m_matcher(keyword, Qt::CaseSensitive)
{
}

quint32 PostalCodeIndex::prefectureId(QStringView name)
{
    // Lines come grouped by prefecture: the previous entry's is the usual hit.
    if (!m_prefecture.empty() && m_prefectures[m_prefecture.back()] == name)
        return m_prefecture.back();
    const QString key = name.toString();
    auto it = m_prefectureIds.constFind(key);
    if (it != m_prefectureIds.cend())
        return *it;
    const quint32 id = quint32(m_prefectures.size());
    m_prefectures.append(key);
    m_prefectureIds.insert(key, id);
    return id;
}

void PostalCodeIndex::appendPiece(QByteArrayView bytes)
{
    // The four fields of every usable line go into one buffer, each ended by
    // '\n' (which no field holds), and are decoded in a single call.
    m_batch.clear();
    m_batchLines.clear();
    postalcodeline::LineParser parser;
    postalcodeline::Fields f;
    postalcodeline::forEachLine(bytes, [&](QByteArrayView line) {
        ++m_lineCount;
        if (!parser.parse(line, f))
            return;
        for (QByteArrayView field : {f.postalCode, f.prefecture, f.city, f.area}) {
            m_batch += field;
            m_batch += '\n';
        }
        m_batchLines.push_back(m_lineCount);
    });
    const QString text = cp932::decode(m_batch);

    // Offsets are 32-bit; a dictionary that large is far beyond any real one.
    constexpr qsizetype kLimit = std::numeric_limits<quint32>::max() / 2;
    if (m_codes.size() + text.size() > kLimit || m_addresses.size() + text.size() > kLimit)
        throw Error(QStringLiteral("郵便番号辞書が大きすぎます"));

    const QChar *d = text.constData();
    qsizetype pos = 0;
    auto nextField = [&] {
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0) // cannot happen: every '\n' byte decodes to one '\n'
            end = text.size();
        const QStringView field(d + pos, end - pos);
        pos = std::min(end + 1, text.size());
        return field;
    };
    for (const quint32 lineNumber : m_batchLines) {
        const QStringView code = nextField();
        const QStringView prefecture = nextField();
        const QStringView city = nextField();
        const QStringView area = nextField();
        m_codeStart.push_back(quint32(m_codes.size()));
        m_codes += code;
        m_addressStart.push_back(quint32(m_addresses.size()));
        m_addresses += city;
        m_addresses += area;
        m_addresses += u'\n';
        m_prefecture.push_back(prefectureId(prefecture));
        m_lineNumber.push_back(lineNumber);
    }
}

void PostalCodeIndex::squeeze()
{
    m_codes.squeeze();
    m_addresses.squeeze();
    m_codeStart.shrink_to_fit();
    m_addressStart.shrink_to_fit();
    m_prefecture.shrink_to_fit();
    m_lineNumber.shrink_to_fit();
    m_batch = QByteArray();
    m_batchLines = {};
}

QStringView PostalCodeIndex::postalCode(qsizetype entry) const
{
    const size_t i = size_t(entry);
    const qsizetype end = i + 1 < m_codeStart.size() ? qsizetype(m_codeStart[i + 1]) : m_codes.size();
    return QStringView(m_codes).mid(m_codeStart[i], end - m_codeStart[i]);
}

QStringView PostalCodeIndex::address(qsizetype entry) const
{
    const size_t i = size_t(entry);
    const qsizetype end = i + 1 < m_addressStart.size() ? qsizetype(m_addressStart[i + 1]) : m_addresses.size();
    return QStringView(m_addresses).mid(m_addressStart[i], end - 1 - m_addressStart[i]);
}

PostalCodeEntry PostalCodeIndex::entry(qsizetype entry) const
{
    return {postalCode(entry).toString(), prefecture(entry), address(entry).toString()};
}

void PostalCodeIndex::collectMatches(const PostalCodeQuery &query, qsizetype from, qsizetype to,
                                     QList<PostalCodeEntry> &out) const
{
    from = std::max<qsizetype>(from, 0);
    to = std::min(to, entryCount());
    if (query.matchesNothing() || from >= to)
        return;

    // Address hits of the range, found in one pass over the packed text.
    // Each entry's text ends with '\n', which the keyword never holds, so a
    // hit lies inside one entry; after a hit the search goes on at the next.
    std::vector<qsizetype> addressHits;
    if (query.searchesAddresses()) {
        const auto first = m_addressStart.begin() + from;
        const auto last = m_addressStart.begin() + to;
        const qsizetype end = to < entryCount() ? qsizetype(m_addressStart[size_t(to)]) : m_addresses.size();
        const QStringView text = QStringView(m_addresses).first(end);
        qsizetype pos = m_addressStart[size_t(from)];
        while (pos < end) {
            const qsizetype hit = query.matcher().indexIn(text, pos);
            if (hit < 0)
                break;
            const qsizetype e = (std::upper_bound(first, last, quint32(hit)) - m_addressStart.begin()) - 1;
            addressHits.push_back(e);
            pos = e + 1 < entryCount() ? qsizetype(m_addressStart[size_t(e + 1)]) : end;
        }
    }

    const QString &keyword = query.keyword();
    auto nextHit = addressHits.cbegin();
    for (qsizetype i = from; i < to; ++i) {
        const bool byAddress = nextHit != addressHits.cend() && *nextHit == i;
        if (byAddress)
            ++nextHit;
        if (byAddress || postalCode(i).startsWith(keyword))
            out.append(entry(i));
    }
}

qsizetype PostalCodeIndex::memoryBytes() const
{
    qsizetype bytes = (m_codes.capacity() + m_addresses.capacity()) * qsizetype(sizeof(QChar));
    bytes += qsizetype((m_codeStart.capacity() + m_addressStart.capacity() + m_prefecture.capacity()
                        + m_lineNumber.capacity())
                       * sizeof(quint32));
    for (const QString &p : m_prefectures)
        bytes += p.capacity() * qsizetype(sizeof(QChar)) * 2; // the list and the hash key
    return bytes;
}

} // namespace vendara
