#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vendara {

// The window shown while file work waits for a slow file server: what is
// waited for, a busy bar and 中止. It is modal, so that nothing else starts
// while the work is out; the close box and Esc ask to stop, as 中止 does.
class FileWorkWindow : public QDialog
{
    Q_OBJECT

public:
    explicit FileWorkWindow(const QString &what, QWidget *parent = nullptr);

    QPushButton *stopButton() const { return m_stop; }
    // After a stop the work could not take back: the window says it waits
    // for the end, and offers no stop any more.
    void showFinishing();

signals:
    void stopRequested();

protected:
    void reject() override;

private:
    QLabel *m_message = nullptr;
    QPushButton *m_stop = nullptr;
    QString m_what;
};

} // namespace vendara
