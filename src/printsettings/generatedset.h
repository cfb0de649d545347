#pragma once

#include "common/datafolder.h"

#include <QString>
#include <QStringList>

namespace vendara {
namespace companyblock {

// What the dialog "社名ロゴの自動生成" asks for, as typed.
struct GeneratedSetFields
{
    QString nameLine1;
    QString nameLine2;
    QString zip1; // the three digits before "-"
    QString zip2; // the four after it
    QString prefecture;
    QString address;
    QString building;
    QString phone;
    QString fax;
};

// The prefectures the generation dialog offers, in the order it offers them.
const QStringList &generationPrefectures();

// The 23 values of a generated set: ＭＳ ゴシック at 20 pt for the name and
// 12 pt for the address, no image. "-", "TEL " and "FAX " stand even when
// the fields after them are empty, and the prefecture is joined to the
// address without a blank.
QStringList generatedValues(const GeneratedSetFields &fields);

// Throws vendara::Error("設定名を入力してください") for an empty set name.
void requireSetName(const QString &name);

// Writes Dat/Etc/<name>.Dat with the generated values and adds the name to
// the set list. No .emf is written: an older picture of that name stays.
// Throws vendara::Error.
void writeGeneratedSet(const DataFolder &data, const QString &name, const GeneratedSetFields &fields);

} // namespace companyblock
} // namespace vendara
