#include "clicommand.h"

#include "common/error.h"
#include "settings/settings.h"
#include "sliplist/slipcolumns.h"
#include "sliplist/slipexport.h"
#include "sliplist/slipfilter.h"
#include "sliplist/slipfolderscan.h"
#include "sliplist/slipindexcache.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace vendara::cli {

namespace {

struct ListRequest
{
    QStringList folders;
    SlipFilter filter;
    SlipExportFormat format = SlipExportFormat::Tsv;
};

QDate parseDateOption(const QString &option, const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})([/-])(\\d{1,2})\\2(\\d{1,2})$"));
    const QRegularExpressionMatch m = form.match(text);
    const QDate date = m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt()) : QDate();
    if (!date.isValid())
        throw Error(QStringLiteral("%1 の日付が正しくありません (YYYY/MM/DD または YYYY-MM-DD): %2").arg(option, text));
    return date;
}

ListRequest parseRequest(const QStringList &args)
{
    const ArgReader reader(args, {QStringLiteral("--query"), QStringLiteral("--kind"), QStringLiteral("--staff"),
                                  QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--format")});
    ListRequest request;
    request.folders = reader.positional();
    request.filter.query = reader.value(QStringLiteral("--query")).value_or(QString());
    request.filter.staff = reader.value(QStringLiteral("--staff")).value_or(QString());
    if (const auto kind = reader.value(QStringLiteral("--kind"))) {
        if (*kind == QLatin1String("estimate") || *kind == QStringLiteral("見積書"))
            request.filter.kind = DocumentKind::Estimate;
        else if (*kind == QLatin1String("order") || *kind == QStringLiteral("注文書"))
            request.filter.kind = DocumentKind::Order;
        else
            throw Error(QStringLiteral("--kind には estimate か order を指定してください: %1").arg(*kind));
    }
    if (const auto from = reader.value(QStringLiteral("--from")))
        request.filter.from = parseDateOption(QStringLiteral("--from"), *from);
    if (const auto to = reader.value(QStringLiteral("--to")))
        request.filter.to = parseDateOption(QStringLiteral("--to"), *to);
    if (request.filter.from.isValid() && request.filter.to.isValid() && request.filter.from > request.filter.to)
        throw Error(QStringLiteral("--from の日付が --to の日付より後です"));
    if (const auto format = reader.value(QStringLiteral("--format"))) {
        const auto named = slipExportFormatNamed(*format);
        if (!named)
            throw Error(QStringLiteral("--format には tsv、csv、json のいずれかを指定してください: %1").arg(*format));
        request.format = *named;
    }
    return request;
}

// Where the slips are saved when no folder is named: the folder the file
// dialogs start in, as a window has it (the home folder until one is set).
QString savedSlipsFolder(const DataFolder &data)
{
    const QString folder = Settings(data).startFolder();
    return folder.isEmpty() ? QDir::homePath() : folder;
}

} // namespace

// Lists the slip files of folders as the slip list shows them, filtered and
// newest first, as TSV, CSV or JSON. A file that cannot be read is listed
// with its error. A wrong argument ends with exit status 2, a folder that
// cannot be listed with 1 (after the rows of the other folders).
int runList(CliContext &context, const QStringList &args)
{
    ListRequest request;
    try {
        request = parseRequest(args);
    } catch (const Error &e) {
        QTextStream err(stderr);
        err.setEncoding(QStringConverter::Utf8);
        err << "vendara-cli: " << e.message() << '\n';
        return 2;
    }
    if (request.folders.isEmpty())
        request.folders.append(savedSlipsFolder(context.data));
    for (QString &folder : request.folders)
        folder = QDir(folder).absolutePath();

    std::vector<SlipRow> rows;
    QStringList failures;
    SlipScanOptions options;
    options.cacheFolder = slipcache::defaultFolder();
    SlipScanCallbacks callbacks;
    callbacks.rows = [&rows](std::vector<SlipRow> &&batch) {
        rows.insert(rows.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
    };
    callbacks.folderFailed = [&failures](const QString &, const QString &message) { failures.append(message); };
    const std::atomic<bool> never = false;
    scanSlipFolders(request.folders, options, never, callbacks);

    const SlipMatcher matcher(request.filter);
    std::vector<const SlipSummary *> shown;
    for (const SlipRow &row : rows)
        if (matcher.matches(row))
            shown.push_back(&row.summary);
    const SlipOrder order(SlipColumn::Modified, true);
    std::sort(shown.begin(), shown.end(), [&order](const SlipSummary *a, const SlipSummary *b) { return order(*a, *b); });
    // The bytes as they are: the text stream would drop the CSV's byte-order mark.
    const QByteArray bytes = exportSlips(shown, request.format);
    context.out.flush();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    if (!failures.isEmpty())
        throw Error(failures.join(QStringLiteral("\nvendara-cli: ")));
    return 0;
}

} // namespace vendara::cli
