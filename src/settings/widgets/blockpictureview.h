#pragma once

#include <QPicture>
#include <QWidget>

namespace vendara {

// Shows a company block picture (425 x 177 block units) stretched over the
// whole widget, x and y scaled each on its own, on a white sheet.
class BlockPictureView : public QWidget
{
    Q_OBJECT

public:
    explicit BlockPictureView(QWidget *parent = nullptr);

    void setPicture(const QPicture &picture);
    // Back to an empty sheet.
    void clear();
    bool isEmpty() const { return m_empty; }
    const QPicture &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPicture m_picture;
    bool m_empty = true;
};

} // namespace vendara
