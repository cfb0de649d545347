#include "controls/formattededit.h"

#include "controls/decimalformat.h"
#include "controls/fullwidth.h"

#include <algorithm>

namespace vendara::formattededit {

namespace {

bool isAsciiDigits(QStringView text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

struct Formatted
{
    std::optional<QString> text; // nothing when the style cannot read the text
    QString message;             // why it cannot, or a decimal-length error
};

// Comma / Money: a decimal number [+-]digits[.digits]; the integer part
// is grouped, the fraction from the point on kept as typed. The sign stays
// only on a number that is not zero, so "-0.5" keeps it and "-0" loses it.
Formatted formatNumber(const QString &typed, const FormatOptions &option)
{
    Formatted result;
    const QString text = typed.trimmed();
    const bool negative = text.startsWith(u'-');
    const QStringView unsigned_ = QStringView(text).mid(negative || text.startsWith(u'+') ? 1 : 0);
    const qsizetype point = unsigned_.indexOf(u'.');
    QStringView integer = point < 0 ? unsigned_ : unsigned_.left(point);
    const QStringView fraction = point < 0 ? QStringView() : unsigned_.mid(point);
    const QStringView fractionDigits = fraction.mid(1);
    if ((integer.isEmpty() && fractionDigits.isEmpty())
        || (!integer.isEmpty() && !isAsciiDigits(integer))
        || (!fractionDigits.isEmpty() && !isAsciiDigits(fractionDigits))) {
        result.message = QStringLiteral("入力値 %1 は，数値として認識できません").arg(typed);
        return result;
    }
    while (integer.size() > 1 && integer.front() == u'0')
        integer = integer.mid(1);
    const QString integerText = integer.isEmpty() ? QStringLiteral("0") : integer.toString();
    const bool zero = integerText == u"0" && fractionDigits.count(u'0') == fractionDigits.size();

    QString out = option.editStyle == FormatStyle::Money ? kYenSign : QString();
    if (negative && !zero)
        out += u'-';
    out += decimalformat::groupThousands(integerText) + fraction.toString();
    result.text = out;
    if (fractionDigits.size() > option.decLength)
        result.message = QStringLiteral("小数部有効桁数は，%1 桁です").arg(option.decLength);
    return result;
}

// Date / Time: `width` ASCII digits after the optional completion from
// `nowDigits`, split 4-2-2 (date) or 2-2-2 (time).
QString completed(const QString &typed, const FormatOptions &option, const QString &nowDigits)
{
    if (option.entryMode == EntryMode::Easy && typed.size() < nowDigits.size())
        return nowDigits.left(nowDigits.size() - typed.size()) + typed;
    return typed;
}

Formatted formatDate(const QString &typed, const FormatOptions &option, const QDateTime &now)
{
    Formatted result;
    const QString text = completed(typed, option, now.date().toString(u"yyyyMMdd"));
    // Exactly eight digits: a shorter or longer text would be cut into
    // pieces that are not the date the user meant.
    if (text.size() == 8 && isAsciiDigits(text)) {
        const QDate date(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
        if (date.isValid() && date.year() >= 1) {
            result.text = text.left(4) + u'/' + text.mid(4, 2) + u'/' + text.mid(6, 2);
            return result;
        }
    }
    result.message = QStringLiteral("入力値 %1 は，日付として認識できません").arg(text);
    return result;
}

Formatted formatTime(const QString &typed, const FormatOptions &option, const QDateTime &now)
{
    Formatted result;
    const QString text = completed(typed, option, now.time().toString(u"HHmmss"));
    if (text.size() == 6 && isAsciiDigits(text)) {
        const QTime time(text.left(2).toInt(), text.mid(2, 2).toInt(), text.mid(4, 2).toInt());
        if (time.isValid()) {
            result.text = text.left(2) + u':' + text.mid(2, 2) + u':' + text.mid(4, 2);
            return result;
        }
    }
    result.message = QStringLiteral("入力値 %1 は，時刻として認識できません").arg(text);
    return result;
}

Formatted format(const QString &text, const FormatOptions &option, const QDateTime &now)
{
    switch (option.editStyle) {
    case FormatStyle::Comma:
    case FormatStyle::Money:
        return formatNumber(text, option);
    case FormatStyle::Date:
        return formatDate(text, option, now);
    case FormatStyle::Time:
        return formatTime(text, option, now);
    case FormatStyle::None:
        break;
    }
    return Formatted{text, {}};
}

} // namespace

QString unformat(const QString &text, FormatStyle style)
{
    QString out = text;
    switch (style) {
    case FormatStyle::Money:
        out.remove(u'\\');
        out.remove(kYenSign);
        [[fallthrough]];
    case FormatStyle::Comma:
        out.remove(u',');
        break;
    case FormatStyle::Date:
        out.remove(u'/');
        break;
    case FormatStyle::Time:
        out.remove(u':');
        break;
    case FormatStyle::None:
        break;
    }
    return out;
}

bool acceptsCharacter(qsizetype textLength, qsizetype selectionLength, bool backspace,
                      int maxLength)
{
    if (maxLength <= 0 || textLength < maxLength || backspace)
        return true;
    return selectionLength >= maxLength;
}

TypedText typeText(const EditedText &current, QStringView typed, const FormatOptions &option)
{
    TypedText result{current, false};
    EditedText &s = result.state;
    const bool numeric = option.editStyle != FormatStyle::None;
    for (QChar c : typed) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            continue;
        const qsizetype start = std::clamp<qsizetype>(s.selStart, 0, s.text.size());
        const qsizetype length = std::clamp<qsizetype>(s.selLength, 0, s.text.size() - start);
        if (!acceptsCharacter(s.text.size(), length, false, option.maxLength)) {
            result.refused = true;
            continue;
        }
        s.text = s.text.left(start) + (numeric ? foldFullWidthNumberChar(c) : c)
                 + s.text.mid(start + length);
        s.selStart = start + 1;
        s.selLength = 0;
    }
    return result;
}

LeaveResult leave(const QString &text, const FormatOptions &option, const QDateTime &now)
{
    LeaveResult result{true, text, {}};
    if (text.isEmpty()) {
        if (option.doEmptyCheck) {
            result.valid = false;
            result.message = QStringLiteral("値が入っていません");
        }
        return result;
    }
    if (option.maxLength > 0 && text.size() > option.maxLength) {
        result.valid = false;
        result.message = QStringLiteral("入力値 %1 は，最大入力文字数を超えています").arg(text);
        return result;
    }
    const Formatted formatted = format(text, option, now);
    if (!formatted.message.isEmpty() || !formatted.text) {
        result.valid = false;
        result.message = formatted.message;
        return result;
    }
    result.text = *formatted.text;
    return result;
}

QString formatForAssignment(const QString &text, const FormatOptions &option,
                            const QDateTime &now)
{
    if (text.isEmpty())
        return text;
    return format(text, option, now).text.value_or(text);
}

Money value(const QString &text, FormatStyle style)
{
    if (style == FormatStyle::Date || style == FormatStyle::Time)
        return Money();
    return Money::parse(unformat(text, style)).value_or(Money());
}

QString textForValue(Money value, const FormatOptions &option, const QDateTime &now)
{
    return formatForAssignment(value.toPlainText(), option, now);
}

} // namespace vendara::formattededit
