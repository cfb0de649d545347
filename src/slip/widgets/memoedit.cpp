#include "memoedit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

namespace vendara {

MemoEdit::MemoEdit(int lineCount, QWidget *parent)
    : QPlainTextEdit(parent), m_lineCount(lineCount)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(sizeHint().height());
}

QStringList MemoEdit::lines() const
{
    QStringList result = toPlainText().split(u'\n');
    result.resize(m_lineCount);
    return result;
}

void MemoEdit::setLines(const QStringList &lines)
{
    QStringList shown = lines.mid(0, m_lineCount);
    while (!shown.isEmpty() && shown.last().isEmpty())
        shown.removeLast();
    setPlainText(shown.join(u'\n'));
}

QSize MemoEdit::sizeHint() const
{
    const int margins = int(document()->documentMargin() * 2) + 2 * frameWidth();
    return {QPlainTextEdit::sizeHint().width(), fontMetrics().lineSpacing() * m_lineCount + margins + 2};
}

void MemoEdit::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && document()->blockCount() >= m_lineCount && !textCursor().hasSelection()) {
        focusNextChild();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    const int room = m_lineCount - document()->blockCount() + textCursor().selectedText().count(QChar::ParagraphSeparator);
    QStringList pasted = source->text().remove(u'\r').split(u'\n');
    pasted.resize(qMax(1, room + 1));
    insertPlainText(pasted.join(u'\n'));
}

} // namespace vendara
