#include "memopickdialog.h"

#include "pickdialogbuttons.h"

#include "memotemplateview.h"
#include "common/helptopic.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendara {

MemoPickDialog::MemoPickDialog(const QString &folder, QWidget *parent)
    : QDialog(parent), m_templates(folder, MemoTemplates::kPickerBlankRows), m_view(new MemoTemplateView(m_templates))
{
    setWindowTitle(QStringLiteral("備考欄テンプレート選択"));
    m_view->setAccessibleName(QStringLiteral("備考欄テンプレート"));
    QDialogButtonBox *buttons = makePickDialogButtons(this);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(help::MemoTemplates); });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            accept();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(buttons);
    resize(420, 320);
    m_view->reload(0);
}

QStringList MemoPickDialog::selectedLines() const
{
    return m_templates.templates().value(m_view->currentRow());
}

} // namespace vendara
