#pragma once

#include <QTableView>

namespace vendara {

class SlipTableModel;

// A table of the entry frame: all rows shown at once (the page scrolls, not
// the table), the amount
// columns as wide as "000,000,000" plus 5 pixels, a mark column of 20
// pixels, the name column taking the rest. Selecting a mark cell, with the
// mouse or the keys, or Space on it, toggles the mark. The wheel is left to
// the page.
class SlipTableView : public QTableView
{
    Q_OBJECT

public:
    SlipTableView(SlipTableModel *model, const QString &accessibleName, QWidget *parent = nullptr);

    SlipTableModel *slipModel() const { return m_model; }
    // The row of the current cell, 0 when there is none.
    int currentRow() const;

    QSize sizeHint() const override;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void setColumnWidths();
    int fullHeight() const;

    SlipTableModel *m_model;
};

} // namespace vendara
