#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

namespace vendara {

// Label and control pairs in a grid of a section, two pairs to a row. The
// label names its input for screen readers and for its accelerator.
class FormGrid
{
public:
    explicit FormGrid(QWidget *content);

    // `control` may be a row of widgets around `named`, the input the label
    // names. Column 0 or 1; a span of 2 takes the whole row.
    QLabel *add(const QString &label, QWidget *control, QWidget *named, int column = 0, int span = 1);
    QLabel *add(const QString &label, QWidget *control, int column = 0, int span = 1)
    {
        return add(label, control, control, column, span);
    }
    // Leaves a half-filled row.
    void nextRow();

private:
    QGridLayout *m_grid;
    int m_row = 0;
};

} // namespace vendara
