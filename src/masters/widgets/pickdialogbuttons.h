#pragma once

class QDialog;
class QDialogButtonBox;

namespace vendara {

// "OK", "キャンセル" and "ヘルプ(&H)" of the pick dialogs, plain captions
// without icons, wired to accept and reject; the help button is the
// caller's.
QDialogButtonBox *makePickDialogButtons(QDialog *dialog);

} // namespace vendara
