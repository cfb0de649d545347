#pragma once

// Every key a keyboard sends, pressed on a control as the window system
// would: the control and its parents see each one, shortcuts first.

#include <QApplication>
#include <QMessageBox>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWidget>

#include <vector>

namespace vendara::test {

// Escape through the navigation and lock keys, F1 to F12, Menu and every
// printable key from Space to Z, each alone and with Ctrl, Shift, Alt and
// Ctrl+Shift.
inline std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> stormKeys()
{
    std::vector<Qt::Key> keys;
    for (int key = Qt::Key_Escape; key <= Qt::Key_ScrollLock; ++key)
        keys.push_back(Qt::Key(key));
    for (int key = Qt::Key_F1; key <= Qt::Key_F12; ++key)
        keys.push_back(Qt::Key(key));
    keys.push_back(Qt::Key_Menu);
    for (int key = Qt::Key_Space; key <= Qt::Key_Z; ++key)
        keys.push_back(Qt::Key(key));
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier,
                                               Qt::AltModifier, Qt::ControlModifier | Qt::ShiftModifier};
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> result;
    for (Qt::KeyboardModifiers modifier : modifiers)
        for (Qt::Key key : keys)
            result.emplace_back(key, modifier);
    return result;
}

// Closes what a key may have opened (a warning box, a drop-down calendar),
// so that the storm goes on against the control itself.
inline void closeWhatKeysOpened()
{
    QCoreApplication::processEvents();
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    for (QWidget *top : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox *>(top) && top->isVisible())
            top->close();
}

// The text a keyboard sends with a key: the character of a printable key
// (upper case with Shift), the control character of Ctrl+letter, the usual
// characters of Tab, Backspace, Return and Escape.
inline QString stormText(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::AltModifier)
        return {};
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        if (modifiers & Qt::ControlModifier)
            return QString(QChar(key - Qt::Key_A + 1));
        return QString(QChar(modifiers & Qt::ShiftModifier ? key : key - Qt::Key_A + 'a'));
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_At)
        return modifiers & Qt::ControlModifier ? QString() : QString(QChar(key));
    switch (key) {
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    default: return {};
    }
}

// One key pressed and released on `target` as the window system delivers
// it: the shortcut question first, then the press, which goes on to the
// parents while nobody takes it, then the release.
inline void stormKey(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    const QString text = stormText(key, modifiers);
    QPointer<QWidget> alive(target);
    QKeyEvent shortcut(QEvent::ShortcutOverride, key, modifiers, text);
    QSpontaneKeyEvent::setSpontaneous(&shortcut);
    QApplication::instance()->notify(target, &shortcut);
    if (!alive)
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QSpontaneKeyEvent::setSpontaneous(&press);
    QApplication::instance()->notify(target, &press);
    if (!alive)
        return;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QSpontaneKeyEvent::setSpontaneous(&release);
    QApplication::instance()->notify(target, &release);
}

// Presses and releases every storm key on `target`, which has the focus at
// the start. `check` runs after each key (give it the control's rules).
template <typename Check>
void keyStorm(QWidget *target, Check check)
{
    target->window()->show();
    target->activateWindow();
    target->setFocus(Qt::OtherFocusReason);
    for (const auto &[key, modifiers] : stormKeys()) {
        stormKey(target, key, modifiers);
        closeWhatKeysOpened();
        check(key, modifiers);
        if (QTest::currentTestFailed())
            return;
    }
}

} // namespace vendara::test
