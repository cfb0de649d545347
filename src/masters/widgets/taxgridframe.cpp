#include "taxgridframe.h"

#include "gridcelldelegate.h"
#include "gridview.h"
#include "taxgridmodel.h"

#include "common/error.h"
#include "closingwrites.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace vendara {

namespace {

constexpr int kHeadingColumnWidth = 100;

} // namespace

TaxGridFrame::TaxGridFrame(const QString &tableFolder, Questions &questions, QWidget *parent)
    : QWidget(parent),
      m_editor(tableFolder),
      m_questions(questions),
      m_title(new QLabel(this)),
      m_categoryBox(new QComboBox(this)),
      m_buttonBar(new QWidget(this)),
      m_view(new QTableView(this)),
      m_model(new TaxGridModel(m_editor, this))
{
    auto *top = new QHBoxLayout;
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    top->addWidget(m_title);
    m_categoryBox->setObjectName(QStringLiteral("categoryBox"));
    m_categoryBox->setAccessibleName(QStringLiteral("分類"));
    m_categoryBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_categoryBox->setMinimumContentsLength(12);
    top->addWidget(m_categoryBox, 1);
    connect(m_categoryBox, &QComboBox::activated, this,
            guarded(m_questions, [this](int index) { pickCategory(index); }));

    struct EditingButton
    {
        QString caption;
        QString hint;
        std::function<void()> action;
    };
    const auto shape = [this](void (TaxTableEditor::*change)()) { return [this, change] { changeShape(change); }; };
    const EditingButton buttons[] = {
        {QStringLiteral("行+"), QStringLiteral("行の追加"), shape(&TaxTableEditor::addRow)},
        {QStringLiteral("行−"), QStringLiteral("最終行削除"), shape(&TaxTableEditor::removeLastRow)},
        {QStringLiteral("列+"), QStringLiteral("列の追加"), shape(&TaxTableEditor::addColumn)},
        {QStringLiteral("列−"), QStringLiteral("最終列削除"), shape(&TaxTableEditor::removeLastColumn)},
        {QStringLiteral("分類+"), QStringLiteral("分類の追加"), [this] { addCategory(); }},
        {QStringLiteral("分類−"), QStringLiteral("現在の分類を削除"), [this] { deleteCategory(); }},
        {QStringLiteral("分類名"), QStringLiteral("分類名の変更"), [this] { renameCategory(); }},
    };
    auto *bar = new QHBoxLayout(m_buttonBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    for (const EditingButton &entry : buttons) {
        auto *button = new QToolButton(m_buttonBar);
        button->setText(entry.caption);
        button->setToolTip(entry.hint);
        button->setAccessibleName(entry.hint);
        // Just wide enough for the caption, so that the row fits the pick
        // dialog at its smallest.
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(entry.caption) + 10);
        connect(button, &QToolButton::clicked, this, guarded(m_questions, entry.action));
        bar->addWidget(button);
        if (entry.hint == QStringLiteral("最終列削除"))
            bar->addSpacing(4); // the category buttons apart from the shape buttons
    }
    bar->addStretch(1);
    m_buttonBar->setVisible(false);

    m_view->setObjectName(QStringLiteral("taxGrid"));
    m_view->setModel(m_model);
    setUpGridView(m_view);
    m_view->setFont(amountFont(font()));
    m_view->horizontalHeader()->setMinimumSectionSize(1);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Fixed headings are disabled cells; they keep the colours of a heading.
    QPalette palette = m_view->palette();
    for (QPalette::ColorRole role : {QPalette::Button, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    m_view->setPalette(palette);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_editor.setCurrentCell(current.column(), current.row());
            });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_buttonBar);
    layout->addWidget(m_view, 1);
    refresh();
}

TaxGridFrame::~TaxGridFrame()
{
    deleteViewsFirst(this);
}

void TaxGridFrame::selectKind(int kind)
{
    commitOpenEditor();
    // The table on show is written first; another desk's change of it is
    // resolved before the grid shows another table.
    if (writeResolvingConflicts(m_questions, closingWrite()) != WriteOutcome::Written) {
        refresh();
        return;
    }
    attempt([&] { m_editor.selectKind(kind); });
    m_view->setAccessibleName(m_editor.title());
}

void TaxGridFrame::setEditMode(bool on)
{
    commitOpenEditor();
    m_editor.setEditMode(on);
    m_buttonBar->setVisible(on);
    refresh();
}

void TaxGridFrame::writeBack()
{
    commitOpenEditor();
    m_editor.saveTable();
}

ClosingWrite TaxGridFrame::closingWrite()
{
    return {[this] { writeBack(); },
            [this] {
                commitOpenEditor();
                m_editor.saveTable(Overwrite::Force);
            },
            [this] {
                commitOpenEditor();
                attempt([this] { m_editor.loadTable(); });
            }};
}

void TaxGridFrame::pickCategory(int index)
{
    if (index == m_editor.currentCategoryIndex())
        return;
    commitOpenEditor();
    if (writeResolvingConflicts(m_questions, closingWrite()) != WriteOutcome::Written) {
        refresh();
        return;
    }
    attempt([&] { m_editor.selectCategory(index); });
}

void TaxGridFrame::changeShape(void (TaxTableEditor::*change)())
{
    commitOpenEditor();
    attempt([&] { (m_editor.*change)(); });
}

void TaxGridFrame::addCategory()
{
    askCategoryName(TaxTableEditor::kAddPrompt, QString(),
                    [this](const QString &name) { m_editor.addCategory(name); });
}

void TaxGridFrame::deleteCategory()
{
    attempt([&] { m_editor.deleteCurrentCategory(m_questions); });
}

void TaxGridFrame::renameCategory()
{
    if (m_editor.currentCategory().isEmpty())
        return;
    askCategoryName(TaxTableEditor::kRenamePrompt, m_editor.currentCategory(),
                    [this](const QString &name) { m_editor.renameCurrentCategory(name); });
}

void TaxGridFrame::askCategoryName(const QString &prompt, const QString &initial,
                                   const std::function<void(const QString &)> &take)
{
    // A refused name is asked again, as typed, until it is taken or the
    // input is cancelled.
    QString typed = initial;
    while (const std::optional<QString> name =
               m_questions.inputText(TaxTableEditor::kNameInputCaption, prompt, typed)) {
        if (attempt([&] { take(*name); }))
            return;
        typed = *name;
    }
}

bool TaxGridFrame::attempt(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const Error &e) {
        refresh();
        m_questions.error(e.message());
        return false;
    }
    refresh();
    return true;
}

void TaxGridFrame::refresh()
{
    m_title->setText(m_editor.title());
    {
        const QSignalBlocker blocker(m_categoryBox);
        m_categoryBox->clear();
        m_categoryBox->addItems(m_editor.categories());
        m_categoryBox->setCurrentIndex(m_editor.currentCategoryIndex());
    }
    m_model->reload();
    applyCellSizes();
    placeCurrentCell();
}

void TaxGridFrame::applyCellSizes()
{
    const QFontMetrics metrics(amountFont(m_view->font()));
    const int amountWidth =
        metrics.horizontalAdvance(QStringLiteral("0,000,000")) + GridCellDelegate::kLeftMargin
        + GridCellDelegate::kRightMargin;
    QHeaderView *columns = m_view->horizontalHeader();
    columns->setDefaultSectionSize(amountWidth);
    for (int c = 0; c < m_model->columnCount(); ++c)
        columns->resizeSection(c, c == 0 ? kHeadingColumnWidth : amountWidth);
}

void TaxGridFrame::placeCurrentCell()
{
    int column = m_editor.currentColumn();
    int row = m_editor.currentRow();
    if (!m_editor.editMode()) {
        // The current cell of pick mode lies in the body, below and right of
        // the headings.
        column = std::max(column, std::min(1, m_model->columnCount() - 1));
        row = std::max(row, std::min(1, m_model->rowCount() - 1));
    }
    const QModelIndex index = m_model->index(row, column);
    if (!(m_model->flags(index) & Qt::ItemIsEnabled)) {
        m_view->selectionModel()->clearCurrentIndex();
        return;
    }
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void TaxGridFrame::commitOpenEditor()
{
    // A cell being typed into keeps its text until the editor closes; take it
    // before anything is written.
    for (QLineEdit *editor : m_view->viewport()->findChildren<QLineEdit *>()) {
        if (!editor->isHidden()) {
            emit m_view->itemDelegate()->commitData(editor);
            emit m_view->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

} // namespace vendara
