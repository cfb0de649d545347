#pragma once

#include <QWidget>

namespace vendara {

// The small up/down spin beside a date edit's era-name box: two arrow
// buttons, one above the other, that never take the focus.
class EraButtons : public QWidget
{
    Q_OBJECT

public:
    explicit EraButtons(QWidget *parent = nullptr);

    QSize sizeHint() const override;

signals:
    void upClicked();
    void downClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Half { None, Up, Down };
    QRect halfRect(Half half) const;

    Half m_pressed = Half::None;
};

} // namespace vendara
