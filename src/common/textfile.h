#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Shift-JIS text files: read with any line ends, written with CR LF.
namespace vendara::textfile {

// Calls f with each line of text, split at CR LF, LF or CR. A final line end
// adds no empty line.
template <typename F>
void forEachLine(QStringView text, F &&f)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        f(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        f(text.mid(start));
}

// The lines forEachLine() finds.
QStringList splitLines(QStringView text);

// The lines of the file, or nothing when it cannot be read.
std::optional<QStringList> readLines(const QString &path);

// Lines joined with CR LF, each line ended; the empty list gives an empty text.
QString joinLines(const QStringList &lines);

// Encodes and saves atomically; throws vendara::Error on an unencodable
// character (nothing is written then) or a failed write.
void writeLines(const QString &path, const QStringList &lines);

} // namespace vendara::textfile
