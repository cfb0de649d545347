#pragma once

#include "controls/money.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace vendara {

enum class FormatStyle { None = 0, Comma = 1, Money = 2, Date = 3, Time = 4 };
// Full: the whole date or time is typed; Easy: missing leading digits
// come from today's date or the current time.
enum class EntryMode { Full, Easy };

struct FormatOptions
{
    FormatStyle editStyle = FormatStyle::None;
    int maxLength = 0; // characters, 0 = no limit
    int decLength = 0; // decimals allowed
    bool doEmptyCheck = false;
    EntryMode entryMode = EntryMode::Full;
    bool moveByEnter = false;
};

// The money prefix on screen. Linux fonts draw the backslash as a backslash,
// so the yen sign itself is shown; Shift-JIS files get the byte 0x5C for it.
inline const QString kYenSign = QStringLiteral("\u00A5");

// The rules of the formatted edit and its money value
// (FormattedAmountEdit), as functions of the text.
namespace formattededit {

// The text shown while editing: the style's separators removed (",";
// "," and the yen prefix; "/"; ":").
QString unformat(const QString &text, FormatStyle style);

// Whether a typed character may go in: with maxLength > 0 and the text
// already that long, only Backspace or replacing a selection of at least
// maxLength characters is allowed.
bool acceptsCharacter(qsizetype textLength, qsizetype selectionLength, bool backspace,
                      int maxLength);

// The text of a formatted edit with its selection.
struct EditedText
{
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;

    bool operator==(const EditedText &) const = default;
};

struct TypedText
{
    EditedText state;
    bool refused = false; // some character was dropped
};

// Characters typed over the selection, one after another. In the number,
// date and time styles full-width forms count as their ASCII characters (an
// input method's １２３ is 123). A character that acceptsCharacter() refuses
// is dropped.
TypedText typeText(const EditedText &current, QStringView typed, const FormatOptions &option);

struct LeaveResult
{
    bool valid = true;
    QString text;    // the formatted text when valid, else the text as typed
    QString message; // shown to the user when not valid
};

// Validates and formats the text when the edit is left. `now` completes
// dates and times typed with EntryMode::Easy.
LeaveResult leave(const QString &text, const FormatOptions &option, const QDateTime &now);

// The text assigned by SetValue or as the first text: formatted as far as
// the style allows, errors not reported.
QString formatForAssignment(const QString &text, const FormatOptions &option,
                            const QDateTime &now);

// GetValue: the text without the style's formatting as a money amount; 0
// when that fails and always for Date and Time.
Money value(const QString &text, FormatStyle style);

// SetValue: the amount as plain decimal text, formatted by the style.
QString textForValue(Money value, const FormatOptions &option, const QDateTime &now);

} // namespace formattededit
} // namespace vendara
