#pragma once

#include "sliprecord.h"

#include <optional>

namespace vendara {

// The computation state of one slip: the consumption-tax rate as a
// fixed-point number with four decimals, the rounding mode of every tax
// amount, and the share of a new car's price subject to acquisition tax.
// Taxes and the acquisition-tax base are computed exactly on amounts held to
// four decimals, so that a truncation never lands one yen (or 1000 yen) low
// through a binary fraction.
struct SlipComputation
{
    double rateE4 = 0;         // Tax.Rate × 10000 rounded to nearest (5 % is 50000)
    int rounding = 0;          // Tax.Cut: 0 half away from zero, 1 toward zero, 2 up
    int acquisitionRatio = 90; // percent, settings [Tax] Std

    // The state that goes with a slip's section 2 values.
    static SlipComputation of(const SlipTax &tax, int acquisitionRatio);

    // Rounding by mode; any mode other than 1 and 2 rounds half away from zero.
    double roundAmount(double v) const;
    // Consumption tax of an amount excluding tax.
    double taxOf(double x) const;
    // Consumption tax contained in an amount including tax.
    double taxIncluded(double x) const;
    // Acquisition-tax base of a new car: the price times the ratio, cut down
    // to a multiple of 1000 yen.
    double acquisitionBase(double price) const;

    bool operator==(const SlipComputation &) const = default;

private:
    // The rate × 10000 as an integer; nothing when it is beyond any amount.
    std::optional<qint64> rateScaled() const;
};

} // namespace vendara
