#include "settings/settings.h"
#include "clicommand.h"
#include "common/error.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

namespace vendara::cli {

// vendara-cli recalc IN.pvq [OUT.pvq]: reads a slip, recalculates its totals
// and payment plan, and writes it the way a save does: in place without OUT,
// else as IN's file (its other keys included) at OUT.
int runRecalc(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, {});
    const QString in = reader.requirePositional(0, QStringLiteral("入力の伝票ファイル"));
    if (reader.positional().size() > 2)
        throw Error(QStringLiteral("引数が多すぎます: %1").arg(reader.positional().at(2)));
    const QString out = reader.positional().size() > 1 ? reader.positional().at(1) : in;

    SlipDocument slip;
    slip.setAcquisitionRatio(slipAcquisitionRatio(context.data));
    readSlip(slip, in, UnreadableSlip::Raise);
    slip.setEventsOn(true);
    writeSlipOver(slip, in, out, SlipWrite::Save);
    return 0;
}

} // namespace vendara::cli
