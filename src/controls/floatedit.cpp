#include "controls/floatedit.h"

#include "controls/decimalformat.h"
#include "controls/fullwidth.h"

#include <algorithm>
#include <cmath>

namespace vendara {

std::optional<QString> FloatRange::setMin(double value, bool loading)
{
    if (!loading && value > m_max)
        return kMinAboveMaxMessage;
    m_min = value;
    return std::nullopt;
}

std::optional<QString> FloatRange::setMax(double value, bool loading)
{
    if (!loading && value < m_min)
        return kMaxBelowMinMessage;
    m_max = value;
    return std::nullopt;
}

void FloatRange::finishLoading()
{
    if (m_min > m_max)
        std::swap(m_min, m_max);
}

double FloatRange::clamp(double value) const
{
    if (std::isnan(value))
        return m_min;
    return std::clamp(value, m_min, m_max);
}

int FloatEditConfig::effectiveDigits() const
{
    return std::clamp(digits, 0, kMaxDigits);
}

namespace floatedit {

namespace {

constexpr QChar kDot = FloatEditConfig::kDecimalSeparator;
constexpr QChar kComma = FloatEditConfig::kThousandSeparator;

QString withoutThousands(const QString &text)
{
    QString out = text;
    out.remove(kComma);
    return out;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// [+-]digits[.digits][(E|e)[+-]digits] with at least one mantissa digit,
// surrounding blanks ignored; the value must be finite.
std::optional<double> parseNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    qsizetype mantissaDigits = 0;
    for (; i < t.size() && isDigit(t[i]); ++i)
        ++mantissaDigits;
    if (i < t.size() && t[i] == kDot) {
        for (++i; i < t.size() && isDigit(t[i]); ++i)
            ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
            ++i;
        const qsizetype start = i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        if (i == start)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

FloatEditText selectAll(const QString &text)
{
    return FloatEditText{text, 0, text.size()};
}

} // namespace

double readValue(const QString &text, const FloatEditConfig &config)
{
    const QString plain = withoutThousands(text).trimmed();
    if (plain.isEmpty() || plain == u"-" || plain == QString(kDot) || plain == u"E"
        || plain == u"e")
        return config.range.clamp(0);
    return config.range.clamp(parseNumber(plain).value_or(config.range.min()));
}

QString formatValue(double value, const FloatEditConfig &config)
{
    return decimalformat::fixed(value, config.effectiveDigits(), config.supportsThousandSeparator);
}

ValueWrite writeValue(double value, const FloatEditConfig &config)
{
    ValueWrite result;
    result.value = config.range.clamp(value);
    if (result.value != value)
        result.feedback.message = config.errorMessage;
    result.text = formatValue(result.value, config);
    return result;
}

KeyResult typeKey(const FloatEditText &current, QChar key, const FloatEditConfig &config)
{
    if (!config.additionalDecimalSeparator.isNull() && key == config.additionalDecimalSeparator)
        key = kDot;
    if (key == kComma && !config.supportsThousandSeparator)
        return {};
    if (key == u'\r' || key == u'\n')
        return {KeyResult::Kind::EnterPressed, current};
    if (key == QChar(0x1B))
        return {KeyResult::Kind::Restore, current};
    if (key.unicode() < 0x20 || key.unicode() == 0x7F)
        return {KeyResult::Kind::PassThrough, current};
    if (!isDigit(key) && key != u'-' && key != u'E' && key != u'e' && key != kComma
        && key != kDot)
        return {};

    const qsizetype start = std::clamp<qsizetype>(current.selStart, 0, current.text.size());
    const qsizetype length = std::clamp<qsizetype>(current.selLength, 0,
                                                   current.text.size() - start);
    // Checked before the separator-alone rule, which would otherwise turn a
    // separator typed into an empty whole-number field into "0.0".
    if (key == kDot && config.effectiveDigits() == 0)
        return {};
    const QString result = current.text.left(start) + key + current.text.mid(start + length);
    if (result == u"-")
        return {KeyResult::Kind::Accepted, FloatEditText{QStringLiteral("-0"), 1, 1}};
    if (result == QString(kDot))
        return {KeyResult::Kind::Accepted, FloatEditText{QStringLiteral("0") + kDot + u'0', 2, 1}};

    const QString plain = withoutThousands(result);
    const std::optional<double> number = parseNumber(plain);
    if (!number || *number > config.range.max())
        return {};
    if (!plain.contains(u'E', Qt::CaseInsensitive)) {
        const qsizetype dot = plain.indexOf(kDot);
        if (dot >= 0 && plain.size() - dot - 1 > config.effectiveDigits())
            return {};
    }
    return {KeyResult::Kind::Accepted, FloatEditText{result, start + 1, 0}};
}

TypedText typeText(const FloatEditText &current, QStringView text, const FloatEditConfig &config)
{
    TypedText result{current, false};
    for (QChar c : text) {
        const QChar key = foldFullWidthNumberChar(c);
        const KeyResult typed = typeKey(result.state, key, config);
        if (typed.kind == KeyResult::Kind::Accepted)
            result.state = typed.state;
        else if (typed.kind == KeyResult::Kind::Refused)
            result.refused = true;
    }
    return result;
}

FloatEditText paste(const FloatEditText &current, const QString &clip,
                    const FloatEditConfig &config)
{
    const qsizetype start = std::clamp<qsizetype>(current.selStart, 0, current.text.size());
    const qsizetype length = std::clamp<qsizetype>(current.selLength, 0,
                                                   current.text.size() - start);
    const QString folded = foldFullWidthNumber(clip);
    const QString result = current.text.left(start) + folded + current.text.mid(start + length);
    const QString plain = withoutThousands(result);
    if (plain.trimmed().isEmpty())
        return FloatEditText{result, start, 0};
    const std::optional<double> number = parseNumber(plain);
    if (!number)
        return current;
    if (*number > config.range.max()) {
        const QString text = formatValue(config.range.max(), config);
        return FloatEditText{text, text.size(), 0};
    }
    return FloatEditText{result, start + folded.size(), 0};
}

FloatEditText restore(double remembered, const FloatEditConfig &config)
{
    return selectAll(writeValue(remembered, config).text);
}

LeaveResult leave(const QString &text, double remembered, const FloatEditConfig &config)
{
    LeaveResult result;
    const QString plain = withoutThousands(text);
    const std::optional<double> number = plain.trimmed().isEmpty()
                                             ? std::optional<double>(config.range.min())
                                             : parseNumber(plain);
    if (!number || *number < config.range.min() || *number > config.range.max()) {
        result.accepted = false;
        result.state = restore(remembered, config);
        result.value = readValue(result.state.text, config);
        result.feedback.message = config.errorMessage;
        return result;
    }
    const QString formatted = formatValue(*number, config);
    result.state = FloatEditText{formatted, formatted.size(), 0};
    result.value = readValue(formatted, config);
    return result;
}

ValueWrite step(const QString &text, int direction, double increment, bool readOnly,
                const FloatEditConfig &config)
{
    if (readOnly) {
        ValueWrite unchanged{text, readValue(text, config), {}};
        unchanged.feedback.beep = true;
        return unchanged;
    }
    return writeValue(readValue(text, config) + direction * increment, config);
}

} // namespace floatedit
} // namespace vendara
