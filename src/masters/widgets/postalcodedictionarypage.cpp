#include "postalcodedictionarypage.h"

#include "ui_postalcodedictionarypage.h"

#include "common/error.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"

#include <QTimer>

namespace vendara {

QString PostalCodeDictionaryPage::openFilter()
{
    const QString filter = PostalCodeDictionaryList::kFileFilter;
    const qsizetype bar = filter.indexOf(u'|');
    const QString pattern = filter.mid(bar + 1);
    QString patterns = pattern;
    if (pattern.toLower() != pattern)
        patterns += u' ' + pattern.toLower();
    return filter.left(bar) + QStringLiteral(" (") + patterns + u')';
}

PostalCodeDictionaryPage::PostalCodeDictionaryPage(const QString &dictionaryFolder, Questions &questions,
                                                   QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::PostalCodeDictionaryPage>()), m_questions(questions)
{
    m_ui->setupUi(this);
    try {
        m_list.emplace(dictionaryFolder);
    } catch (const Error &e) {
        // Adding or deleting would overwrite a list that could not be read.
        m_ui->addButton->setEnabled(false);
        QTimer::singleShot(0, this, [this, message = e.message()] { m_questions.error(message); });
    }
    setAccessibleName(windowTitle());
    connect(m_ui->addButton, &QPushButton::clicked, this, guarded(m_questions, [this] { addDictionary(); }));
    connect(m_ui->removeButton, &QPushButton::clicked, this,
            guarded(m_questions, [this] { removeDictionary(); }));
    connect(m_ui->dictionaryList, &QListWidget::itemSelectionChanged, this, [this] {
        m_ui->removeButton->setEnabled(!m_ui->dictionaryList->selectedItems().isEmpty());
    });
    showList();
}

PostalCodeDictionaryPage::~PostalCodeDictionaryPage() = default;

void PostalCodeDictionaryPage::showList(const QString &current)
{
    QListWidget *list = m_ui->dictionaryList;
    list->clear();
    if (!m_list)
        return;
    list->addItems(m_list->names());
    const qsizetype row = current.isEmpty() ? -1 : m_list->names().indexOf(current);
    if (row >= 0)
        list->setCurrentRow(int(row));
    m_ui->removeButton->setEnabled(!list->selectedItems().isEmpty());
}

void PostalCodeDictionaryPage::reloadQuietly()
{
    // After a failed change the list shows what is on disk; the failure has
    // been reported already.
    try {
        m_list->reload();
    } catch (const Error &) {
    }
}

void PostalCodeDictionaryPage::addDictionary()
{
    const QString path = m_questions.chooseFileToOpen(QStringLiteral("辞書追加"), openFilter());
    if (path.isEmpty() || !m_list)
        return;
    try {
        showList(m_list->add(path));
    } catch (const Error &e) {
        m_questions.error(e.message());
        reloadQuietly();
        showList();
    }
}

void PostalCodeDictionaryPage::removeDictionary()
{
    const int row = m_ui->dictionaryList->currentRow();
    if (row < 0 || m_ui->dictionaryList->selectedItems().isEmpty() || !m_list)
        return;
    try {
        if (!m_list->remove(row, m_questions))
            return;
    } catch (const Error &e) {
        m_questions.error(e.message());
        reloadQuietly();
    }
    showList();
}

} // namespace vendara
