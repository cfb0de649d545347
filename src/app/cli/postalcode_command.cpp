#include "clicommand.h"

#include "common/error.h"
#include "masters/postalcodedictionarylist.h"
#include "masters/postalcodesearch.h"

namespace vendara::cli {

// vendara-cli postalcode KEYWORD (also under its former name zip): searches
// the installed postal-code dictionaries like the search dialog, one result a
// line (postal code, prefecture, address), then the end line.
int runPostalCode(CliContext &context, const QStringList &args)
{
    ArgReader reader(args, {});
    const QString keyword = reader.requirePositional(0, QStringLiteral("キーワード"));
    const PostalCodeDictionaryList dictionaries(context.data.postalCodesDir());
    PostalCodeSearcher searcher;
    const PostalCodeSearchResult result = searcher.search(keyword, dictionaries.paths());
    QTextStream &out = context.out;
    for (const PostalCodeEntry &e : result.entries)
        out << e.postalCode << '\t' << e.prefecture << '\t' << e.address << '\n';
    out << postalcodesearchtext::finished(result.entries.size()) << '\n';
    if (!result.failure.isEmpty())
        throw Error(result.failure);
    return 0;
}

} // namespace vendara::cli
