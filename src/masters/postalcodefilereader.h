#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vendara {

// Reads a file in pieces of whole lines, so a large file never has to be held
// whole. A piece is cut only after a line end byte, which in Shift-JIS is
// never part of a double-byte character.
class PostalCodeFileReader
{
public:
    static constexpr qsizetype kChunkBytes = 256 * 1024;

    // Throws vendara::Error when the file cannot be opened.
    explicit PostalCodeFileReader(const QString &path);
    // The next piece, ending with a line end unless it is the file's last;
    // false at the end of the file. Throws vendara::Error on a read error.
    bool next(QByteArray &piece);

private:
    QFile m_file;
    QByteArray m_carry;
};

} // namespace vendara
