#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

namespace vendara::testing {

// Types `text` into the focus widget of `window` one key at a time. Keys
// carry their text, so full-width characters work too (QTest::keyClicks
// accepts Latin-1 only).
inline void typeKeys(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        Qt::Key key = Qt::Key_unknown;
        if (c.unicode() < 0x80)
            key = Qt::Key(QChar(c).toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

// What an input method sends when the user confirms a composition.
inline void commitText(QWidget *target, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

inline bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// How many message boxes are open once pending events have run.
inline int openMessageBoxes()
{
    QCoreApplication::processEvents();
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        count += qobject_cast<QMessageBox *>(w) && w->isVisible() ? 1 : 0;
    return count;
}

// The message box a control opened (they open without blocking), closed.
inline QString takeMessageBox()
{
    QString text;
    const bool found = QTest::qWaitFor([&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                text = box->text();
                box->close();
                return true;
            }
        }
        return false;
    }, 1000);
    return found ? text : QString();
}

// Opens the editor of the current cell of `view` with F2, types `text` over
// what it held and commits it with Enter.
inline void typeIntoCurrentCell(QAbstractItemView *view, const QString &text)
{
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor && editor->parentWidget() == view->viewport());
    editor->selectAll();
    typeKeys(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits through a queued call
}

} // namespace vendara::testing
