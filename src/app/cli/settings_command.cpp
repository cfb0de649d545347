#include "app/settings.h"
#include "clicommand.h"

namespace vendara::cli {

// Prints what a main window would take from the settings file at start.
int runSettings(CliContext &context, const QStringList &args)
{
    ArgReader reader(args, {});
    Q_UNUSED(reader);
    const LoadedSettings s = Settings(context.data.settingsPath()).load(true);
    QTextStream &out = context.out;
    out << "file\t" << context.data.settingsPath() << '\n'
        << "date_form\t" << (s.eraDates ? "和暦" : "西暦") << '\n'
        << "date_pattern\t" << s.defaultDatePattern << '\n'
        << "next_slip\t" << s.nextSlipCode << '\n'
        << "tax_rate\t" << s.taxRate << '\n'
        << "rounding\t" << s.rounding << '\n'
        << "annual_rate\t" << s.annualRate << '\n'
        << "start_folder\t" << s.startFolder << '\n'
        << "acquisition_ratio\t" << s.acquisitionRatio << '\n'
        << "correction\t" << s.correctionX << ',' << s.correctionY << '\n';
    return 0;
}

} // namespace vendara::cli
