#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace vendara {

// A money amount held in fixed point with four decimals, as the formatted
// edit controls and the item rows of a slip keep amounts. Range
// ±922337203685477.5807.
class Money
{
public:
    static constexpr qint64 kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromScaled(qint64 scaled) { return Money(scaled); }

    // Decimal text with an optional sign, point and exponent ("-1234.5",
    // "1e3"), surrounding blanks ignored; more than four decimals round half
    // away from zero. Nothing when the text is not a number or out of range.
    static std::optional<Money> parse(QStringView text);

    constexpr qint64 scaled() const { return m_scaled; }
    constexpr bool isZero() const { return m_scaled == 0; }
    double toDouble() const { return double(m_scaled) / double(kScale); }
    // Plain decimal text: no grouping, as many decimals as the amount has,
    // none for a whole amount ("1200", "-3.5", "0.0001").
    QString toPlainText() const;

    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 scaled) : m_scaled(scaled) {}
    qint64 m_scaled = 0;
};

} // namespace vendara
