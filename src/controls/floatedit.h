#pragma once

#include "controls/controlfeedback.h"

#include <QChar>
#include <QString>

#include <optional>

namespace vendara {

// The minimum and maximum of a numeric edit, which must not cross.
class FloatRange
{
public:
    static inline const QString kMinAboveMaxMessage =
        QStringLiteral("Minimum value must not be greater than maximum value !");
    static inline const QString kMaxBelowMinMessage =
        QStringLiteral("Maximum value must not be less than minimum value !");

    double min() const { return m_min; }
    double max() const { return m_max; }
    // Refused (the message returned, nothing changed) when the limits would
    // cross, except while the form is loading.
    std::optional<QString> setMin(double value, bool loading = false);
    std::optional<QString> setMax(double value, bool loading = false);
    // After loading: crossed limits are swapped.
    void finishLoading();
    // NaN gives the minimum.
    double clamp(double value) const;

private:
    double m_min = 0;
    double m_max = 100;
};

struct FloatEditConfig
{
    static constexpr QChar kDecimalSeparator = u'.';
    static constexpr QChar kThousandSeparator = u',';
    static constexpr int kMaxDigits = 18;

    FloatRange range;
    int digits = 1; // decimals; read through effectiveDigits()
    bool supportsThousandSeparator = false;
    QChar additionalDecimalSeparator; // null: none
    QString errorMessage;             // empty: nothing is shown

    int effectiveDigits() const;
};

// The text of a numeric edit with its selection.
struct FloatEditText
{
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;

    bool operator==(const FloatEditText &) const = default;
};

// The rules of the numeric edits (FloatEdit, SpinFloatEdit) as pure
// functions of their text.
namespace floatedit {

// The value of a text: thousands separators ignored; "", "-", "." and "E"
// read as 0, text that is not a number as the minimum; clamped.
double readValue(const QString &text, const FloatEditConfig &config);

// The text of a value: `Digits` decimals, grouped when the edit supports
// thousands separators.
QString formatValue(double value, const FloatEditConfig &config);

struct ValueWrite
{
    QString text;
    double value = 0;
    // On a clamp: the edit's ErrorMessage (when set). A step in a read-only
    // edit only beeps.
    ControlFeedback feedback;
};

// Value write: clamped to [Min, Max] and formatted.
ValueWrite writeValue(double value, const FloatEditConfig &config);

struct KeyResult
{
    enum class Kind {
        Refused,     // the key is dropped
        Accepted,    // `state` is the new text and selection
        PassThrough, // a control key (Backspace, clipboard shortcuts): the
                     // edit handles it as usual
        EnterPressed,
        Restore, // Esc: write the value remembered on entry, select all
    };
    Kind kind = Kind::Refused;
    FloatEditText state;
};

// The keystroke filter for one typed character.
KeyResult typeKey(const FloatEditText &current, QChar key, const FloatEditConfig &config);

struct TypedText
{
    FloatEditText state;
    bool refused = false; // some character was dropped
};

// Text typed at once (an input method's commit string): full-width numbers
// count as their ASCII characters, and each character passes the keystroke
// filter in turn; a refused one is dropped and the rest still go in.
TypedText typeText(const FloatEditText &current, QStringView text, const FloatEditConfig &config);

// Pasting `clip` over the selection: text that is not a number leaves the
// edit as it was, a number above Max becomes Max.
FloatEditText paste(const FloatEditText &current, const QString &clip,
                    const FloatEditConfig &config);

// The text with everything selected for the value remembered on entry
// (Esc, or leaving with a rejected value).
FloatEditText restore(double remembered, const FloatEditConfig &config);

struct LeaveResult
{
    bool accepted = true; // false: the focus stays, the exit is not notified
    FloatEditText state;  // the formatted text, or the restored one
    double value = 0;
    ControlFeedback feedback; // ErrorMessage (when set) on a rejection
};

// Leaving the edit: an empty text counts as Min; a text that is not a number
// or lies outside [Min, Max] restores `remembered`.
LeaveResult leave(const QString &text, double remembered, const FloatEditConfig &config);

// A spin step of `direction` × `increment` (direction +1 or -1) through
// Value write; in a read-only edit only a beep.
ValueWrite step(const QString &text, int direction, double increment, bool readOnly,
                const FloatEditConfig &config);

} // namespace floatedit
} // namespace vendara
