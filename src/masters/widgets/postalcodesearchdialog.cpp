#include "postalcodesearchdialog.h"

#include "postalcoderesultmodel.h"
#include "ui_postalcodesearchdialog.h"

#include "common/error.h"
#include "common/questions.h"
#include "masters/postalcodedictionarylist.h"
#include "masters/postalcodesearch.h"
#include "common/helptopic.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>

namespace vendara {

PostalCodeSearchDialog::PostalCodeSearchDialog(const QString &dictionaryFolder, Questions &questions, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::PostalCodeSearchDialog>())
    , m_questions(questions)
    , m_model(new PostalCodeResultModel(this))
{
    try {
        m_dictionaryPaths = PostalCodeDictionaryList(dictionaryFolder).paths();
    } catch (const Error &e) {
        m_listFailure = e.message(); // reported by every search, which finds nothing
    }
    // Reading the dictionaries takes longer than typing a keyword: it starts
    // now, in the background, and the search follows it.
    PostalCodeSearcher::processWide().preload(m_dictionaryPaths);
    m_ui->setupUi(this);
    setAccessibleName(windowTitle());
    // The two lines keep their height while empty, so the list does not jump.
    m_ui->fileLabel->setMinimumHeight(m_ui->fileLabel->fontMetrics().height());
    m_ui->statusLabel->setMinimumHeight(m_ui->statusLabel->fontMetrics().height()
                                        + 2 * m_ui->statusLabel->frameWidth());

    QTreeView *view = m_ui->resultView;
    view->setModel(m_model);
    const QFontMetrics metrics = view->fontMetrics();
    const int padding = metrics.horizontalAdvance(u'0') * 3;
    view->header()->resizeSection(PostalCodeResultModel::PostalCodeColumn,
                                  metrics.horizontalAdvance(QStringLiteral("0000000")) + padding);
    view->header()->resizeSection(PostalCodeResultModel::PrefectureColumn,
                                  metrics.horizontalAdvance(QStringLiteral("神奈川県")) + padding);
    view->header()->setStretchLastSection(true);

    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PostalCodeSearchDialog::updatePicked);
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && m_ui->okButton->isEnabled())
            accept();
    });
    connect(m_ui->searchButton, &QPushButton::clicked, this, &PostalCodeSearchDialog::pressSearchButton);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->helpButton, &QPushButton::clicked, this, [this] { emit helpRequested(help::PostalCodes); });
    m_ui->keywordEdit->installEventFilter(this);
}

PostalCodeSearchDialog::~PostalCodeSearchDialog()
{
    *m_alive = false;
}

void PostalCodeSearchDialog::setKeyword(const QString &keyword)
{
    m_initialKeyword = keyword;
    m_ui->keywordEdit->setText(keyword);
}

void PostalCodeSearchDialog::done(int result)
{
    if (!m_searching)
        QDialog::done(result);
}

bool PostalCodeSearchDialog::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        activated();
    return handled;
}

bool PostalCodeSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the keyword field presses the search button (and must not
    // reach the default button).
    if (watched == m_ui->keywordEdit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            m_ui->searchButton->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PostalCodeSearchDialog::activated()
{
    // Activation during a search (the window comes back after the stop
    // question was answered No, or after the user switched away) keeps the
    // searching state: the stop caption and the disabled OK and cancel stay
    // until the search ends. Resetting them here would let the dialog close
    // under a running search and turn the stop button into a second search.
    if (m_searching) {
        m_ignoreNextActivation = false; // the comeback after a box has arrived
        return;
    }
    // The window also comes back when a box the search itself opened (the
    // stop question answered Yes, a read error) closes. That is not the user
    // returning to the dialog, and the prompt would wipe out the result count
    // the search has just reported.
    if (m_ignoreNextActivation) {
        m_ignoreNextActivation = false;
        return;
    }
    if (!m_initialSearchDone) {
        m_initialSearchDone = true;
        if (!m_initialKeyword.isEmpty()) {
            // Queued, so that the activation is finished before the search
            // starts processing events of its own.
            QMetaObject::invokeMethod(this, [this] {
                if (!m_searching)
                    search(m_initialKeyword);
            }, Qt::QueuedConnection);
            return;
        }
    }
    showPrompt();
}

void PostalCodeSearchDialog::showPrompt()
{
    m_ui->statusLabel->setText(postalcodesearchtext::kPrompt);
    m_ui->cancelButton->setEnabled(true);
    m_ui->searchButton->setText(postalcodesearchtext::kSearchCaption);
    m_ui->keywordEdit->setFocus();
}

void PostalCodeSearchDialog::pressSearchButton()
{
    // The button's presses arrive while a search runs only through the event
    // processing between blocks, where they request a stop; a search never
    // starts inside another.
    if (m_searching)
        m_stopRequested = true;
    else
        search(m_ui->keywordEdit->text());
}

void PostalCodeSearchDialog::updatePicked()
{
    const QModelIndexList rows = m_ui->resultView->selectionModel()->selectedRows();
    m_picked = rows.size() == 1 ? m_model->entry(rows.first().row()) : PostalCodeEntry{};
    m_ui->okButton->setEnabled(!m_searching && rows.size() == 1);
}

void PostalCodeSearchDialog::flushFound()
{
    m_model->append(m_pending);
    m_pending.clear();
}

void PostalCodeSearchDialog::search(const QString &keyword)
{
    m_searching = true;
    m_ui->okButton->setEnabled(false);
    m_ui->cancelButton->setEnabled(false);
    m_ui->searchButton->setText(postalcodesearchtext::kStopCaption);
    m_ui->searchButton->setFocus();
    m_stopRequested = false;
    m_pending.clear();
    m_model->clear();
    m_sinceRepaint.invalidate();
    updatePicked();

    const std::shared_ptr<bool> alive = m_alive;
    PostalCodeSearchObserver observer;
    observer.dictionaryStarted = [this](const QString &fileName) {
        flushFound();
        m_dictionaryShown = false;
        m_ui->fileLabel->setText(fileName);
        m_ui->statusLabel->setText(postalcodesearchtext::searching(0));
    };
    observer.progress = [this](qint64 lineCounter) {
        m_ui->statusLabel->setText(postalcodesearchtext::searching(lineCounter));
    };
    observer.found = [this](const PostalCodeEntry &entry) { m_pending.append(entry); };
    observer.stopConfirmed = [this, alive] { return afterBlock(alive); };
    const PostalCodeSearchResult result =
        PostalCodeSearcher::processWide().search(keyword, m_dictionaryPaths, observer);
    if (!*alive)
        return;

    flushFound();
    m_searching = false;
    m_stopRequested = false;
    m_ui->fileLabel->clear();
    m_ui->statusLabel->setText(postalcodesearchtext::finished(m_model->rowCount()));
    m_ui->cancelButton->setEnabled(true);
    updatePicked();
    m_ui->searchButton->setText(postalcodesearchtext::kSearchAgainCaption);
    if (m_model->rowCount() > 0)
        m_ui->resultView->setFocus();
    else
        m_ui->keywordEdit->setFocus();
    const QString failure = result.failure.isEmpty() ? m_listFailure : result.failure;
    if (!failure.isEmpty()) {
        const bool wasActive = isActiveWindow();
        m_questions.error(failure);
        if (!*alive)
            return;
        m_ignoreNextActivation = wasActive && !isActiveWindow();
    }
    emit searchFinished();
}

bool PostalCodeSearchDialog::afterBlock(const std::shared_ptr<bool> &alive)
{
    // Repainting after every block would cost more than the search itself:
    // the window catches up about sixty times a second, and at once when a
    // dictionary's first results come.
    const bool firstResults = !m_dictionaryShown && !m_pending.isEmpty();
    if (!firstResults && m_sinceRepaint.isValid() && m_sinceRepaint.elapsed() < kRepaintIntervalMs)
        return false;
    m_sinceRepaint.start();
    flushFound();
    if (firstResults) {
        m_dictionaryShown = true;
        // Laid out now, so that the events below paint the rows: the view
        // lays new rows out on a timer and would paint them only at the next
        // catching up, which may be the end of the search.
        m_ui->resultView->doItemsLayout();
    }
    QCoreApplication::processEvents();
    if (!*alive)
        return true;
    if (!m_stopRequested)
        return false;
    const bool wasActive = isActiveWindow();
    const bool stop = m_questions.confirm(postalcodesearchtext::kStopQuestion);
    if (!*alive)
        return true;
    // The window's activation when the box has gone may still be on its way.
    m_ignoreNextActivation = wasActive && !isActiveWindow();
    m_stopRequested = false;
    return stop;
}

} // namespace vendara
