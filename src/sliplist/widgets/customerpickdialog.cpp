#include "customerpickdialog.h"

#include "sliplist/slipcolumns.h"
#include "sliplist/slipindex.h"
#include "ui_customerpickdialog.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

namespace vendara {

CustomerPickDialog::CustomerPickDialog(const SlipIndex &index, const QString &typed, const QString &datePattern,
                                       QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CustomerPickDialog>()), m_index(index), m_datePattern(datePattern)
{
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    QTableWidget *table = m_ui->customerTable;
    table->setColumnCount(6);
    table->setHorizontalHeaderLabels({QStringLiteral("お客様"), QStringLiteral("郵便番号"), QStringLiteral("住所"),
                                      QStringLiteral("電話番号"), QStringLiteral("最終発行日"), QStringLiteral("伝票数")});
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("山田自動車販売 様")) + 16);
    table->setColumnWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("東京都千代田区千代田1-1")) + 16);
    connect(table, &QAbstractItemView::doubleClicked, this, &QDialog::accept);

    m_ui->searchEdit->setText(typed);
    m_ui->searchEdit->installEventFilter(this);
    connect(m_ui->searchEdit, &QLineEdit::textChanged, this, &CustomerPickDialog::showMatches);

    // The index hands rows over in batches: the list is made again once a
    // batch has come, not once per row.
    auto *again = new QTimer(this);
    again->setSingleShot(true);
    again->setInterval(0);
    connect(again, &QTimer::timeout, this, &CustomerPickDialog::readCustomers);
    const auto later = [again] { again->start(); };
    connect(&index, &SlipIndex::rowsAdded, this, later);
    connect(&index, &SlipIndex::rowChanged, this, later);
    connect(&index, &SlipIndex::rowRemoved, this, later);
    connect(&index, &SlipIndex::loadingFinished, this, later);
    readCustomers();
    m_ui->searchEdit->setFocus();
}

CustomerPickDialog::~CustomerPickDialog() = default;

int CustomerPickDialog::shownCount() const
{
    return int(m_shown.size());
}

void CustomerPickDialog::readCustomers()
{
    m_entries = distinctCustomers(m_index);
    showMatches();
}

void CustomerPickDialog::showMatches()
{
    QTableWidget *table = m_ui->customerTable;
    const CustomerEntry *current =
        table->currentRow() >= 0 && table->currentRow() < int(m_shown.size()) ? m_shown[size_t(table->currentRow())] : nullptr;
    const QString currentName = current ? current->name : QString();
    m_shown = filterCustomers(m_entries, m_ui->searchEdit->text());
    table->setRowCount(int(m_shown.size()));
    int keep = 0;
    for (int row = 0; row < int(m_shown.size()); ++row) {
        const CustomerEntry &c = *m_shown[size_t(row)];
        const QString texts[] = {c.title.isEmpty() ? c.name : c.name + QLatin1Char(' ') + c.title, c.postalCode(),
                                 c.address(), c.tel, formatIssueDate(c.lastIssueDate, m_datePattern),
                                 QString::number(c.slipCount)};
        for (int column = 0; column < 6; ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            if (column == 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
        if (!currentName.isEmpty() && c.name == currentName && keep == 0)
            keep = row;
    }
    if (!m_shown.empty())
        table->setCurrentCell(keep, 0);
    m_ui->statusLabel->setText(QStringLiteral("%1 件 / 全 %2 件%3")
                                   .arg(m_shown.size())
                                   .arg(m_entries.size())
                                   .arg(m_index.isLoading() ? QStringLiteral("　読み込み中...") : QString()));
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!m_shown.empty());
}

void CustomerPickDialog::accept()
{
    const int row = m_ui->customerTable->currentRow();
    if (row < 0 || row >= int(m_shown.size()))
        return;
    m_picked = *m_shown[size_t(row)];
    QDialog::accept();
}

bool CustomerPickDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Up and Down in the search box move through the list.
    if (watched == m_ui->searchEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            QCoreApplication::sendEvent(m_ui->customerTable, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vendara
