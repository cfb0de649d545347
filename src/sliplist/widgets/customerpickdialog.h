#pragma once

#include "sliplist/customerlookup.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CustomerPickDialog;
}

namespace vendara {

class SlipIndex;

// "過去のお客様": the customers of the index's slips, each once, newest slip
// first, filtered as the user types (filterCustomers). Enter or a
// double-click takes the row chosen; while the index is still reading,
// the customers come as its rows do.
class CustomerPickDialog : public QDialog
{
    Q_OBJECT
public:
    // `typed` starts the search (what the name field holds); the last issue
    // date is shown in datePattern (Settings::datePattern()).
    CustomerPickDialog(const SlipIndex &index, const QString &typed, const QString &datePattern,
                       QWidget *parent = nullptr);
    ~CustomerPickDialog() override;

    // The customer taken with OK.
    const std::optional<CustomerEntry> &picked() const { return m_picked; }
    // Rows shown.
    int shownCount() const;

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readCustomers();
    void showMatches();

    std::unique_ptr<Ui::CustomerPickDialog> m_ui;
    const SlipIndex &m_index;
    QString m_datePattern;
    std::vector<CustomerEntry> m_entries;
    std::vector<const CustomerEntry *> m_shown;
    std::optional<CustomerEntry> m_picked;
};

} // namespace vendara
