#include "settings/settings.h"
#include "clicommand.h"

namespace vendara::cli {

// Prints what a main window would take from the settings file at start.
int runSettings(CliContext &context, const QStringList &args)
{
    ArgReader reader(args, {});
    Q_UNUSED(reader);
    Settings settings(context.data);
    settings.loadBasic();
    const BasicSettings &basic = settings.basic();
    QTextStream &out = context.out;
    out << "file\t" << settings.path() << '\n'
        << "date_form\t" << (basic.dateForm == DateForm::Era ? "和暦" : "西暦") << '\n'
        << "date_pattern\t" << settings.datePattern() << '\n'
        << "next_slip\t" << Settings::formatSlipCode(settings.nextSlipNumber()) << '\n'
        << "tax_rate\t" << basic.standardTaxRate << '\n'
        << "rounding\t" << basic.rounding << '\n'
        << "annual_rate\t" << basic.creditRate << '\n'
        << "start_folder\t" << settings.startFolder() << '\n'
        << "acquisition_ratio\t" << settings.slipAcquisitionRatio() << '\n'
        << "correction\t" << settings.correctionX() << ',' << settings.correctionY() << '\n';
    return 0;
}

} // namespace vendara::cli
