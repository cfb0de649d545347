#include "controls/fullwidth.h"

namespace vendara {

QChar foldFullWidthNumberChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19) // ０-９
        return QChar(char16_t(u'0' + (u - 0xFF10)));
    switch (u) {
    case 0xFF0B: // ＋
        return u'+';
    case 0xFF0D: // －
    case 0x2212: // −
        return u'-';
    case 0xFF0E: // ．
        return u'.';
    case 0xFF0C: // ，
        return u',';
    case 0xFF0F: // ／
        return u'/';
    case 0xFF1A: // ：
        return u':';
    case 0xFF25: // Ｅ
        return u'E';
    case 0xFF45: // ｅ
        return u'e';
    default:
        return c;
    }
}

QString foldFullWidthNumber(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        out += foldFullWidthNumberChar(c);
    return out;
}

QValidator::State FullWidthNumberValidator::validate(QString &input, int &pos) const
{
    // One character for one: the cursor stays where it was.
    input = foldFullWidthNumber(input);
    Q_UNUSED(pos);
    return Acceptable;
}

} // namespace vendara
