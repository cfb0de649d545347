#pragma once

class QApplication;
class QCoreApplication;

namespace vendara {

// What every window of the program relies on, set up once at start: Qt's
// own texts in Japanese, the wheel that changes no input without the focus,
// windows that open inside the screen, and fields that keep the input
// method off where they say so.
void setUpGui(QApplication &application);

// Loads Qt's own Japanese texts (the buttons of message boxes, the file and
// input dialogs) from Qt's translations folder, whatever the desktop's
// language: the program speaks Japanese throughout. False when they are not
// installed (the package qt6-translations-l10n); Qt's English texts remain.
bool installJapaneseQtTexts(QCoreApplication &application);

} // namespace vendara
