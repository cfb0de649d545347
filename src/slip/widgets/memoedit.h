#pragma once

#include <QPlainTextEdit>

namespace vendara {

// A memo of a fixed number of lines (the slip keeps Memo1..MemoN). Enter on
// the last line moves on to the next field instead of starting a line the
// slip could not keep; pasted lines beyond the last are dropped.
class MemoEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MemoEdit(int lineCount, QWidget *parent = nullptr);

    int lineCount() const { return m_lineCount; }
    QStringList lines() const;
    void setLines(const QStringList &lines);

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    int m_lineCount;
};

} // namespace vendara
