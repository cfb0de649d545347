#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace vendara {

// One section of the slip: a header band with the section's button and its
// status line, and the content below. Closed, only the band shows (32
// pixels, white) and the content is disabled; open, the band is light blue
// and the content shows. The panel only shows a state; the frame decides it.
class SectionPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kHeaderHeight = 32;

    SectionPanel(const QString &caption, QWidget *content, QWidget *parent = nullptr);

    QWidget *content() const { return m_content; }
    QPushButton *headerButton() const { return m_button; }
    QLabel *statusLabel() const { return m_status; }

    bool isOpen() const;
    void setOpen(bool open);
    void setStatus(const QString &text, const QColor &colour);

signals:
    // The user pressed the header button: the section is to open or close.
    void toggledByUser(bool open);

private:
    QWidget *m_band;
    QPushButton *m_button;
    QLabel *m_status;
    QWidget *m_content;
    bool m_open = false; // the button goes down before the frame decides
};

} // namespace vendara
