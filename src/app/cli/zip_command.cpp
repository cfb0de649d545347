#include "clicommand.h"

#include "common/error.h"
#include "masters/zipdictionarylist.h"
#include "masters/zipsearch.h"

namespace vendara::cli {

// Searches the installed postal-code dictionaries like the search dialog:
// one result a line (postal code, prefecture, address), then the end line.
int runZip(CliContext &context, const QStringList &args)
{
    ArgReader reader(args, {});
    const QString keyword = reader.requirePositional(0, QStringLiteral("キーワード"));
    const ZipDictionaryList dictionaries(context.data.postalCodesDir());
    ZipSearcher searcher;
    const ZipSearchResult result = searcher.search(keyword, dictionaries.paths());
    QTextStream &out = context.out;
    for (const ZipEntry &e : result.entries)
        out << e.postalCode << '\t' << e.prefecture << '\t' << e.address << '\n';
    out << zipsearchtext::finished(result.entries.size()) << '\n';
    if (!result.failure.isEmpty())
        throw Error(result.failure);
    return 0;
}

} // namespace vendara::cli
