#include "clicommand.h"

#include "common/error.h"
#include "settings/settings.h"

namespace vendara::cli {

// Takes slip numbers for scripts that make slips, each exactly as a window's
// first save of a new slip takes its number, so that neither ever gets one
// the other took. With --count each number is a step of its own: other
// processes may take numbers in between.
int runNumber(CliContext &context, const QStringList &args)
{
    ArgReader reader(args, {QStringLiteral("--count")});
    if (!reader.positional().isEmpty())
        throw Error(QStringLiteral("余分な引数があります: %1").arg(reader.positional().first()));
    int count = 1;
    if (const auto text = reader.value(QStringLiteral("--count"))) {
        bool valid = false;
        count = text->toInt(&valid);
        if (!valid || count < 1)
            throw Error(QStringLiteral("--count には 1 以上の整数を指定してください: %1").arg(*text));
    }
    Settings settings(context.data);
    for (int i = 0; i < count; ++i) {
        context.out << Settings::formatSlipCode(settings.takeSlipNumber()) << '\n';
        // A number taken is the caller's even when a later one fails.
        context.out.flush();
    }
    return 0;
}

} // namespace vendara::cli
