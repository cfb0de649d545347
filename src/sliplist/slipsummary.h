#pragma once

#include "printsettings/defaultprintsettings.h"

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>

// One slip file as the slip list shows it and as the customer look-up takes
// its customer: a handful of keys read straight from the file, without
// reading the whole slip or computing it. The total to pay is the one the
// file holds (Price.Last), which every save writes after recalculating.
namespace vendara {

// A file's size and modification time: a row read earlier stays good while
// its file still has both.
struct FileStamp
{
    qint64 size = -1;
    qint64 modifiedMs = 0; // milliseconds since the epoch
    bool operator==(const FileStamp &) const = default;
};
FileStamp fileStampOf(const QString &path);

struct SlipSummary
{
    QString path;     // absolute path of the file
    QString fileName; // its name within its folder
    FileStamp stamp;
    // Why the file could not be read as a slip ("読み込めません", ...); the
    // fields below are then empty. Empty for a slip that was read.
    QString error;

    QString slipCode;                            // No.SlipCode (伝票番号)
    DocumentKind kind = DocumentKind::Estimate;  // from No.SlipDiv (種類)
    QDate issueDate;                             // No.SlipDate (発行日); invalid when not set
    QString staff;                               // No.Charge (担当者)
    QString carName;                             // Car.Name (車名)
    qint64 total = 0;                            // Price.Last (総お支払い額)
    QString customerName;                        // Cust.Name (お客様)
    QString customerTitle;                       // Cust.Title ("様", "御中")
    QString zip1, zip2;                          // Cust.Zip1, Cust.Zip2
    QString prefecture;                          // Cust.City
    QString address1, address2;                  // Cust.Add1, Cust.Add2
    QString tel;                                 // Cust.Tel

    bool isReadable() const { return error.isEmpty(); }
    QDateTime modified() const { return QDateTime::fromMSecsSinceEpoch(stamp.modifiedMs); }
    QString postalCode() const;
    QString address() const;
    bool operator==(const SlipSummary &) const = default;
};

// "100-0001"; the parts given when one of them is missing.
QString joinedPostalCode(const QString &zip1, const QString &zip2);
// Prefecture, address and building as one line.
QString joinedAddress(const QString &prefecture, const QString &address1, const QString &address2);

// Files larger than this are not slips (a slip file is a few kilobytes).
inline constexpr qint64 kLargestSlipFile = 4 * 1024 * 1024;

// Reads the summary of the slip file at path. Never throws: a file that
// cannot be read, or is no slip, gives a summary with its error set.
SlipSummary readSlipSummary(const QString &path);

// The keys of a slip file's bytes (Shift-JIS) into summary; sets
// summary.error when the bytes are no slip file.
void summarizeSlipBytes(QByteArrayView bytes, SlipSummary &summary);

} // namespace vendara
