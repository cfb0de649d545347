#pragma once

#include <QString>

namespace vendara {

// Stable numbers for paper sizes and paper sources, so that a paper or a
// source keeps its number whichever printer offers it. The common sizes and
// sources have the codes printer drivers have long used (A4 = 9, A3 = 8,
// A5 = 11, JIS B4 = 12, JIS B5 = 13, Letter = 1, Legal = 5, postcard = 43;
// upper source 1, lower 2, manual 4, automatic 7); any other name gets a code
// from 256 up, the same one for the same name for the rest of the program run.

// The code of a standard media name (iso_a4_210x297mm).
int paperCodeOf(const QString &mediaName);
// The code of a paper source keyword (the PPD's InputSlot choice, such as
// Upper or Lower, or an IPP media-source value, such as top or manual).
int sourceCodeOf(const QString &keyword);

} // namespace vendara
