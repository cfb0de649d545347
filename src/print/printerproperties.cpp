#include "printerproperties.h"

#include "printerselection.h"

#include "common/error.h"

#include <functional>

namespace vendara {
namespace {

constexpr JobOption kJobOptions[] = {JobOption::Duplex, JobOption::ColorMode, JobOption::Resolution};

PrinterField fieldOf(JobOption option)
{
    switch (option) {
    case JobOption::Duplex:
        return PrinterField::Duplex;
    case JobOption::ColorMode:
        return PrinterField::Color;
    case JobOption::Resolution:
        break;
    }
    return PrinterField::PrintQuality;
}

// A list the printer lets be chosen from; the current position is -1 when
// the printer's value is not in it.
PropertyChoice listed(const std::function<QStringList()> &names, const std::function<int()> &current)
{
    PropertyChoice choice;
    choice.names = names();
    choice.enabled = !choice.names.isEmpty();
    try {
        choice.current = current();
    } catch (const PrinterError &e) {
        if (e.kind() != PrinterErrorKind::PaperSizeError && e.kind() != PrinterErrorKind::SourceError)
            throw;
        choice.current = -1;
    }
    return choice;
}

bool chosen(const PropertyChoice &choice)
{
    return choice.enabled && choice.current >= 0 && choice.current < choice.names.size();
}

} // namespace

PropertyChoice &PrinterProperties::choiceOf(JobOption option)
{
    return const_cast<PropertyChoice &>(std::as_const(*this).choiceOf(option));
}

const PropertyChoice &PrinterProperties::choiceOf(JobOption option) const
{
    return perJobOption(option, duplex, colorMode, resolution);
}

PrinterProperties PrinterProperties::of(PrinterSelection &printer)
{
    PrinterProperties properties;
    properties.printer = printer.printerNames().value(printer.index());
    const int lists = printer.infoFlags();
    if (printer.supports(PrinterField::PaperSize) && (lists & PrinterSelection::PaperSizesInfo)) {
        properties.paper = listed([&] { return printer.paperSizeNames(); }, [&] { return printer.paperSizeIndex(); });
    }
    if (printer.supports(PrinterField::DefaultSource) && (lists & PrinterSelection::SourcesInfo))
        properties.source = listed([&] { return printer.sourceNames(); }, [&] { return printer.sourceIndex(); });
    properties.orientationEnabled = printer.supports(PrinterField::Orientation);
    if (properties.orientationEnabled)
        properties.orientation = printer.orientation();
    for (JobOption option : kJobOptions) {
        if (printer.supports(fieldOf(option)) && !printer.driverInfo().choicesOf(option).isEmpty()) {
            properties.choiceOf(option) =
                listed([&] { return printer.choiceNames(option); }, [&] { return printer.choiceIndex(option); });
        }
    }
    return properties;
}

void PrinterProperties::applyTo(PrinterSelection &printer) const
{
    const QString current = printer.printerNames().value(printer.index());
    if (current != this->printer) {
        throw Error(QStringLiteral("プリンタが %1 から %2 に変わったため、設定できません").arg(this->printer, current));
    }
    if (chosen(paper))
        printer.setPaperSizeIndex(paper.current);
    if (chosen(source))
        printer.setSourceIndex(source.current);
    if (orientationEnabled)
        printer.setOrientation(orientation);
    for (JobOption option : kJobOptions) {
        if (chosen(choiceOf(option)))
            printer.setChoiceIndex(option, choiceOf(option).current);
    }
    printer.apply();
}

} // namespace vendara
