#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Text as the slip list searches it: what a user types matches however the
// slip spells it.
namespace vendara {

// Full-width letters, digits and signs become ASCII, half-width katakana
// full-width (with their voiced marks joined), hiragana katakana, letters
// lower case, the full-width space a space (compatibility normalisation,
// NFKC, with hiragana and case folded as well).
QString foldForSearch(QStringView text);

// The words of a typed query, folded: split at blanks (the full-width space
// among them); empty for a query of blanks.
QStringList searchWords(QStringView query);

} // namespace vendara
