#pragma once

#include "controls/money.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace vendara {

enum class SsEditStyle { esNone = 0, esComma = 1, esMoney = 2, esDate = 3, esTime = 4 };
// imFull: the whole date or time is typed; imEasy: missing leading digits
// come from today's date or the current time.
enum class InputMethod { imFull, imEasy };

struct SsEditOption
{
    SsEditStyle editStyle = SsEditStyle::esNone;
    int maxLength = 0; // characters, 0 = no limit
    int decLength = 0; // decimals allowed
    bool doEmptyCheck = false;
    InputMethod inputMethod = InputMethod::imFull;
    bool moveByEnter = false;
};

// The money prefix on screen. Linux fonts draw the backslash as a backslash,
// so the yen sign itself is shown; Shift-JIS files get the byte 0x5C for it.
inline const QString kYenSign = QStringLiteral("\u00A5");

// The rules of the formatted edit and its money value
// (ValueSsEdit), as functions of the text.
namespace ssedit {

// The text shown while editing: the style's separators removed (",";
// "," and the yen prefix; "/"; ":").
QString unformat(const QString &text, SsEditStyle style);

// Whether a typed character may go in: with maxLength > 0 and the text
// already that long, only Backspace or replacing a selection of at least
// maxLength characters is allowed.
bool acceptsCharacter(qsizetype textLength, qsizetype selectionLength, bool backspace,
                      int maxLength);

// The text of a formatted edit with its selection.
struct SsEditText
{
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;

    bool operator==(const SsEditText &) const = default;
};

struct TypedText
{
    SsEditText state;
    bool refused = false; // some character was dropped
};

// Characters typed over the selection, one after another. In the number,
// date and time styles full-width forms count as their ASCII characters (an
// input method's １２３ is 123). A character that acceptsCharacter() refuses
// is dropped.
TypedText typeText(const SsEditText &current, QStringView typed, const SsEditOption &option);

struct LeaveResult
{
    bool valid = true;
    QString text;    // the formatted text when valid, else the text as typed
    QString message; // shown to the user when not valid
};

// Validates and formats the text when the edit is left. `now` completes
// dates and times typed with imEasy.
LeaveResult leave(const QString &text, const SsEditOption &option, const QDateTime &now);

// The text assigned by SetValue or as the first text: formatted as far as
// the style allows, errors not reported.
QString formatForAssignment(const QString &text, const SsEditOption &option,
                            const QDateTime &now);

// GetValue: the text without the style's formatting as a money amount; 0
// when that fails and always for esDate and esTime.
Money value(const QString &text, SsEditStyle style);

// SetValue: the amount as plain decimal text, formatted by the style.
QString textForValue(Money value, const SsEditOption &option, const QDateTime &now);

} // namespace ssedit
} // namespace vendara
