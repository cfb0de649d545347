#include "memotemplatespage.h"

#include "pagebuttonrow.h"
#include "memotemplateview.h"

#include "controls/widgets/actionguard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendara {

MemoTemplatesPage::MemoTemplatesPage(const QString &folder, Questions &questions, QWidget *parent)
    : QWidget(parent), m_templates(folder, MemoTemplates::kEditorBlankRows), m_questions(questions), m_view(new MemoTemplateView(m_templates)),
      m_editor(new QPlainTextEdit)
{
    m_view->setAccessibleName(QStringLiteral("備考欄テンプレート一覧"));
    m_editor->setTabChangesFocus(true);
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->setFixedHeight(m_editor->fontMetrics().lineSpacing() * 3 + 12);
    auto *label = new QLabel(QStringLiteral("備考欄テンプレート(&M)"));
    label->setBuddy(m_editor);
    m_editor->setAccessibleName(QStringLiteral("備考欄テンプレート"));

    auto *add = new QPushButton(QStringLiteral("追加(&A)"));
    auto *replace = new QPushButton(QStringLiteral("修正(&R)"));
    auto *remove = new QPushButton(QStringLiteral("削除(&D)"));
    QHBoxLayout *buttons = makePageButtonRow({add, replace, remove});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addWidget(label);
    layout->addWidget(m_editor);
    layout->addLayout(buttons);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            m_editor->setPlainText(m_templates.templates().value(current.row()).join(u'\n'));
    });
    connect(add, &QPushButton::clicked, this, guarded(m_questions, [this] {
                m_templates.add(editorLines());
                m_view->reload(int(m_templates.templates().size()) - 1);
            }));
    connect(replace, &QPushButton::clicked, this, guarded(m_questions, [this] {
                const int row = m_view->currentRow();
                if (row < 0)
                    return;
                m_templates.replace(row, editorLines());
                m_view->reload(row);
            }));
    connect(remove, &QPushButton::clicked, this, guarded(m_questions, [this] {
                const int row = m_view->currentRow();
                if (row < 0)
                    return;
                m_templates.remove(row);
                m_view->reload(std::min(row, int(m_templates.templates().size()) - 1));
            }));
    m_view->reload(0);
}

void MemoTemplatesPage::reload()
{
    m_templates.load();
    m_view->reload(0);
}

QStringList MemoTemplatesPage::editorLines() const
{
    return m_editor->toPlainText().split(u'\n');
}

} // namespace vendara
