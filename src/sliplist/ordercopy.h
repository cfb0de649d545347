#pragma once

#include <QDate>
#include <QString>

#include <optional>

// "注文書として複製": an estimate's file copied as an order under the next
// slip number, beside the estimate.
namespace vendara {

// "00000012-26-12-07.pvq": the slip number, then the issue date as
// "-yy-MM-dd", as a slip's first save names it; the number alone when the
// slip has no issue date.
QString orderCopyFileName(const QString &slipCode, const QDate &issueDate);

// The order copy of the estimate at estimatePath: every key of the file as
// it is, the kind (No.SlipDiv) made an order and the slip number slipCode.
// Written atomically into the estimate's folder; the estimate stays as it
// was. Returns the new file's path. Throws vendara::Error when the file is
// no slip, is an order already, a file of the copy's name is there, or the
// copy cannot be written.
QString writeOrderCopy(const QString &estimatePath, const QString &slipCode);

// A date typed into the list's date filter: yyyy/m/d or yyyy-m-d, blanks
// around it ignored. An empty text is an invalid QDate (no bound); nothing
// for a text that is no date.
std::optional<QDate> parseFilterDate(const QString &text);

} // namespace vendara
