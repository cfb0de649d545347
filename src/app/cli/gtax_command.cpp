#include "clicommand.h"

#include "settings/settings.h"
#include "common/error.h"
#include "common/iniprofile.h"
#include "masters/acquisitiontax.h"

namespace vendara::cli {

// The acquisition-tax dialog's computation over the given amounts, at the
// settings file's rate unless --rate is given.
int runGtax(CliContext &context, const QStringList &args)
{
    ArgReader reader(args, {QStringLiteral("--rate")});
    Settings settings(context.data);
    settings.loadBasic();
    double rate = settings.basic().acquisitionTaxRate;
    if (const auto text = reader.value(QStringLiteral("--rate"))) {
        const auto parsed = IniProfile::parseFloat(*text);
        if (!parsed)
            throw Error(QStringLiteral("税率が数値ではありません: %1").arg(*text));
        rate = *parsed;
    }
    QList<AcquisitionTaxItem> items;
    for (const QString &amount : reader.positional())
        items.append({QString(), amount});
    if (items.isEmpty())
        reader.requirePositional(0, QStringLiteral("対象額"));
    const AcquisitionTax tax = computeAcquisitionTax(items, rate);
    context.out << "total\t" << tax.total << '\n' << "tax\t" << tax.tax << '\n';
    return 0;
}

} // namespace vendara::cli
