#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>

// Reading postal-code dictionary lines as Shift-JIS bytes, before decoding.
// The bytes that split a line (CR, LF, blanks and control characters, comma,
// double quote) are never the second byte of a double-byte character, so
// splitting the bytes gives exactly the fields that splitting the decoded
// text would, and each field decodes on its own to the same text.
namespace vendara::postalcodeline {

// The fields a search uses (counted from 0): 2 postal code, 6 prefecture,
// 7 city, 8 area.
struct Fields
{
    QByteArrayView postalCode;
    QByteArrayView prefecture;
    QByteArrayView city;
    QByteArrayView area;
};

class LineParser
{
public:
    // Splits line as commatext::split does, but only as far as field 8.
    // Returns false for a line with fewer than nine fields. The views point
    // into line, or into the parser when a quoted field held doubled quotes;
    // they are valid until the next call.
    bool parse(QByteArrayView line, Fields &fields);

private:
    std::array<QByteArray, 4> m_unquoted;
};

// Calls f(line) for every line of bytes, split at CR LF, LF or CR; a final
// line end adds no empty line (as textfile::splitLines).
template<typename F>
void forEachLine(QByteArrayView bytes, F &&f)
{
    const char *d = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = d[i];
        if (c != '\r' && c != '\n')
            continue;
        f(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < n && d[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        f(bytes.sliced(start));
}

} // namespace vendara::postalcodeline
