#include "settings/settings.h"
#include "clicommand.h"
#include "common/error.h"
#include "slip/sliprecord.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

namespace vendara::cli {

namespace {

// "1,2,9" -> {1, 2, 9}; each number once, in the order given.
QList<int> sectionList(const QString &text)
{
    QList<int> sections;
    for (const QString &part : text.split(u',')) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > kSectionCount)
            throw Error(QStringLiteral("セクション番号は 1～9 で指定してください: %1").arg(part));
        if (!sections.contains(n))
            sections.append(n);
    }
    return sections;
}

} // namespace

// vendara-cli check IN.pvq [--close 1,2,...] [--write OUT.pvq]: closes the
// given sections (default all nine) the way the section buttons do, after
// the totals have run, and prints each one's status and colour. --write
// saves the result as IN's file (its other keys included) at OUT.
int runCheck(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, {QStringLiteral("--close"), QStringLiteral("--write")});
    const QString in = reader.requirePositional(0, QStringLiteral("入力の伝票ファイル"));
    if (reader.positional().size() > 1)
        throw Error(QStringLiteral("引数が多すぎます: %1").arg(reader.positional().at(1)));
    const QList<int> sections =
        sectionList(reader.value(QStringLiteral("--close")).value_or(QStringLiteral("1,2,3,4,5,6,7,8,9")));

    SlipDocument slip;
    slip.setAcquisitionRatio(slipAcquisitionRatio(context.data));
    readSlip(slip, in, UnreadableSlip::Raise);
    slip.setEventsOn(true);
    slip.recalcTotals();
    for (int n : sections) {
        slip.setSectionOpen(n, false); // as the header button: an open section is checked here
        slip.checkSection(n);          // and a closed one is checked all the same
        const size_t i = size_t(n - 1);
        context.out << n << '\t' << slip.record().idx.label[i] << '\t' << slip.record().idx.labelColour[i] << '\n';
    }
    if (const auto out = reader.value(QStringLiteral("--write")))
        writeSlipOver(slip, in, *out, SlipWrite::Save);
    return 0;
}

} // namespace vendara::cli
