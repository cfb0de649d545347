#pragma once

#include "sliprow.h"

#include <QCollator>
#include <QString>

// The columns of the slip list: their titles, their text and their order.
namespace vendara {

enum class SlipColumn {
    SlipCode,  // 伝票番号
    Kind,      // 種類
    IssueDate, // 発行日
    Customer,  // お客様
    CarName,   // 車名
    Total,     // 総お支払い額
    Staff,     // 担当者
    Modified,  // 更新日時
    FileName,  // ファイル
};
inline constexpr int kSlipColumnCount = 9;

QString slipColumnTitle(SlipColumn column);

// "1,234,567": the total as the list shows it.
QString formatTotal(qint64 yen);
// The issue date with a date pattern of the settings (Settings::datePattern():
// "YYYY/MM/DD", "GGEE/MM/DD", ...); empty when the slip has none.
QString formatIssueDate(const QDate &date, const QString &pattern);
// "2026/12/07 14:05", local time.
QString formatModified(const SlipSummary &summary);

// The text of a cell. A file that was not read shows its name and its
// modification time, and its error in the customer column.
QString slipColumnText(const SlipSummary &summary, SlipColumn column, const QString &datePattern);

// Orders two rows by a column, ascending: numbers and dates by value, text
// in Japanese collation; an empty value and a file that was not read come
// last; rows equal in the column by file name, then path, so every order is
// total and the same on every run.
class SlipOrder
{
public:
    explicit SlipOrder(SlipColumn column, bool descending = false);
    SlipColumn column() const { return m_column; }
    bool descending() const { return m_descending; }
    bool operator()(const SlipSummary &a, const SlipSummary &b) const { return compare(a, b) < 0; }
    // <0, 0, >0
    int compare(const SlipSummary &a, const SlipSummary &b) const;

private:
    int compareText(const QString &a, const QString &b) const;

    SlipColumn m_column;
    bool m_descending;
    QCollator m_collator;
};

} // namespace vendara
