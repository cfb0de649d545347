#pragma once

#include <QList>
#include "common/fileversion.h"

#include <QString>

#include <functional>
#include <type_traits>
#include <utility>

class QWidget;

namespace vendara {

class Questions;

// A list a window writes: the write itself, which refuses to replace what
// another desk wrote since the list was read (FileChangedError), the write
// that replaces it anyway, and the reading of the other desk's list into the
// window. A write without the other two has no other desk to fear.
struct ClosingWrite
{
    template <typename Write>
        requires std::is_invocable_v<Write &>
    ClosingWrite(Write write) : write(std::move(write))
    {
    }
    ClosingWrite(std::function<void()> write, std::function<void()> overwrite, std::function<void()> reload)
        : write(std::move(write)), overwrite(std::move(overwrite)), reload(std::move(reload))
    {
    }

    std::function<void()> write;
    std::function<void()> overwrite;
    std::function<void()> reload;
};

enum class WriteOutcome {
    Written,  // this desk's list is in the file
    Failed,   // an error was shown
    StayOpen, // another desk's change: the user kept editing or took that list
};

// Runs one write. When another desk changed the file, asks (warning, Yes No
// Cancel) with what the file holds now: Yes writes this desk's list over it,
// No reads the other desk's list into the window (this desk's edit is
// dropped) and Cancel leaves everything as it is; after No and Cancel the
// window stays open, so the user sees what the file holds before closing.
WriteOutcome writeResolvingConflicts(Questions &questions, const ClosingWrite &write);

// The lists a window writes when it closes (whichever button closed it) are
// written in its close path, never when it is destroyed, so that a failure
// can be shown while the user can still act on it.
//
// Runs every write; each failure is shown in an error box. After a failure the
// user chooses between staying in the window to put it right (the answer
// No, and the default) and closing without saving what failed. True when the
// window may close.
// A change of another desk is resolved as writeResolvingConflicts does; the
// window then stays open unless the user overwrote it.
bool writeBeforeClosing(Questions &questions, const QList<ClosingWrite> &writes);

inline const QString kCloseWithoutSavingQuestion =
    QStringLiteral("変更を保存できませんでした。\n保存せずに閉じますか？");
// Follows the message of the FileChangedError.
inline const QString kOverwriteOtherDeskQuestion =
    QStringLiteral("この端末の内容で上書きしますか？\n（「いいえ」を選ぶと他の端末の内容を読み直します）");

// Takes the text of a cell editor still open below `window` into its model,
// as leaving the cell would.
void commitOpenEditors(QWidget *window);

// Deletes the child widgets of a frame while the master they show is still
// there: a cell editor open as the frame goes commits into its model (in
// memory only) as it closes. Frames call it first in their destructors.
void deleteViewsFirst(QWidget *frame);

// The closing write of a window over one master editor: the window's own
// write-back, the editor's save over another desk's change, and the reading
// of that desk's list, which `show` puts on screen.
template <typename Master>
ClosingWrite masterClosingWrite(QWidget *window, Master &master, std::function<void()> writeBack,
                                std::function<void()> show)
{
    return {std::move(writeBack),
            [window, &master] {
                commitOpenEditors(window);
                master.save(Overwrite::Force);
            },
            [window, &master, show = std::move(show)] {
                commitOpenEditors(window);
                master.load();
                show();
            }};
}

} // namespace vendara
