#include "searchfold.h"

namespace vendara {

namespace {

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

QString asciiLower(QStringView text)
{
    QString folded = text.toString();
    for (QChar &c : folded)
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(char16_t(c.unicode() + (u'a' - u'A')));
    return folded;
}

} // namespace

QString foldForSearch(QStringView text)
{
    // Numbers, codes and most queries are ASCII: no tables needed.
    if (isAscii(text))
        return asciiLower(text);
    QString folded = text.toString().normalized(QString::NormalizationForm_KC);
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if ((u >= 0x3041 && u <= 0x3096) || u == 0x309D || u == 0x309E) // ぁ..ゖ, ゝ, ゞ
            c = QChar(char16_t(u + 0x60));
    }
    return folded.toCaseFolded();
}

QStringList searchWords(QStringView query)
{
    const QString folded = foldForSearch(query);
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool blank = i == folded.size() || folded[i].unicode() <= 0x20;
        if (blank && start >= 0) {
            words.append(folded.mid(start, i - start));
            start = -1;
        } else if (!blank && start < 0) {
            start = i;
        }
    }
    return words;
}

} // namespace vendara
