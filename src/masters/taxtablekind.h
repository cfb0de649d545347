#pragma once

#include <QString>

namespace vendara {

// The three levies looked up in tables. The number is what the slip's
// reference buttons and the options dialog pass in.
enum class TaxTableKind { AutomobileTax = 0, LiabilityInsurance = 1, WeightTax = 2 };
inline constexpr int kTaxTableKindCount = 3;

struct TaxTableKindInfo
{
    QString title;        // the editor's title label
    QString categoryList; // the category-list file in Dat/Tax/
    QString tablePrefix;  // table file = prefix + category name
};

// Throws vendara::Error for a number outside 0-2.
const TaxTableKindInfo &taxTableKindInfo(int kind);

} // namespace vendara
