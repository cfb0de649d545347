#pragma once

#include "printingservice.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>

namespace vendara {

class PrinterSelection;

// One setting of the printer properties: the names to choose from, the
// position in effect (-1: none of them) and whether the printer lets it be
// chosen at all.
struct PropertyChoice
{
    QStringList names;
    int current = -1;
    bool enabled = false;

    bool operator==(const PropertyChoice &) const = default;
};

// What the printer properties dialog shows and hands back: the current
// printer's paper, source, orientation, two-sided printing, colour mode and
// resolution, as its queue offers them.
struct PrinterProperties
{
    QString printer;
    PropertyChoice paper;
    PropertyChoice source;
    bool orientationEnabled = false;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    PropertyChoice duplex;
    PropertyChoice colorMode;
    PropertyChoice resolution;

    PropertyChoice &choiceOf(JobOption option);
    const PropertyChoice &choiceOf(JobOption option) const;
    bool operator==(const PrinterProperties &) const = default;

    // The settings of the current printer as they are now (its settings
    // copy, so a choice not yet applied shows too). A setting the printer
    // does not let be chosen is disabled and empty.
    static PrinterProperties of(PrinterSelection &printer);

    // Makes the values chosen here the printer's and applies them: only the
    // enabled settings with a position in their list; the others stay as
    // they are. Throws vendara::Error when the current printer is no longer
    // the one these properties were read from.
    void applyTo(PrinterSelection &printer) const;
};

} // namespace vendara
