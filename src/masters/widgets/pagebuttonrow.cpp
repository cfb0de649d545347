#include "pagebuttonrow.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vendara {

QHBoxLayout *makePageButtonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    for (QPushButton *button : buttons) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}

} // namespace vendara
