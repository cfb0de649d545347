#include "clicommand.h"

#include "app/datafoldercheck.h"
#include "common/error.h"

namespace vendara::cli {

// What checkDataFolder finds, one line each: OK or NG, the subject, the
// detail. The status is 1 when anything is wrong.
int runDoctor(CliContext &context, const QStringList &args)
{
    ArgReader reader(args, {});
    if (!reader.positional().isEmpty())
        throw Error(QStringLiteral("余分な引数があります: %1").arg(reader.positional().first()));
    bool allOk = true;
    for (const DataFolderCheck &check : checkDataFolder(context.data)) {
        context.out << (check.ok ? "OK" : "NG") << '\t' << check.subject << '\t' << check.detail << '\n';
        allOk = allOk && check.ok;
    }
    return allOk ? 0 : 1;
}

} // namespace vendara::cli
