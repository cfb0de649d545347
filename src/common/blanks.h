#pragma once

#include <QString>
#include <QStringView>

// "Blanks" in the file rules are the ASCII space and the control characters
// (U+0000-U+0020). The full-width space U+3000 is text: Japanese users indent
// and separate with it, so it must survive every read and write.
namespace vendara {

inline bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

inline QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

inline QString trimBlanks(const QString &text)
{
    return trimBlanks(QStringView(text)).toString();
}

inline bool isBlankText(QStringView text)
{
    return trimBlanks(text).isEmpty();
}

} // namespace vendara
