#include "generationoptions.h"

#include "settings/settings.h"
#include "print/printroad.h"

#include "common/error.h"
#include "print/printdatagenerator.h"
#include "printsettings/companyblock.h"
#include "printsettings/defaultprintsettings.h"


namespace vendara::cli {
namespace {

// A value naming a file directly rather than by its name in Dat/.
bool looksLikePath(const QString &value, const QString &extension)
{
    return value.contains(u'/') || value.endsWith(extension, Qt::CaseInsensitive);
}

CopyTitles parseTitles(const QString &value)
{
    const QStringList parts = value.split(u',');
    if (parts.size() > kCopyCount)
        throw Error(QStringLiteral("--titles に指定できる表題は %1 つまでです").arg(kCopyCount));
    CopyTitles titles;
    for (qsizetype i = 0; i < parts.size(); ++i)
        titles[size_t(i)] = parts[i];
    return titles;
}

CopySwitches parseCopies(const QString &value)
{
    CopySwitches copies{};
    if (value.trimmed().isEmpty())
        return copies;
    for (const QString &part : value.split(u',')) {
        bool ok = false;
        const int copy = part.trimmed().toInt(&ok);
        if (!ok || copy < 1 || copy > kCopyCount)
            throw Error(QStringLiteral("--copies には 1 から %1 の部数を指定してください: %2").arg(kCopyCount).arg(part));
        copies[size_t(copy - 1)] = true;
    }
    return copies;
}

} // namespace

PrintDataRequest generationRequestFrom(const CliContext &context, const ArgReader &reader, DocumentKind slipKind)
{
    const DataFolder &data = context.data;
    DocumentKind kind = slipKind;
    if (const auto name = reader.value(QStringLiteral("--kind"))) {
        const auto chosen = documentKindFromName(*name);
        if (!chosen)
            throw Error(QStringLiteral("--kind には 見積書 か 注文書 を指定してください: %1").arg(*name));
        kind = *chosen;
    }
    Settings settings(data);
    settings.load();
    PrintDataRequest request = printDataRequestFor(
        CurrentPrintSettings::from(data, settings.defaultPrint(), 0, 0), kind, settings.datePattern());
    if (const auto format = reader.value(QStringLiteral("--format")))
        request.formatPath = looksLikePath(*format, QStringLiteral(".fmt")) ? *format : formatFilePath(data, *format);
    if (const auto logo = reader.value(QStringLiteral("--logo")))
        request.setPath = looksLikePath(*logo, QStringLiteral(".Dat")) ? *logo : companyblock::setFilePath(data, *logo);
    if (const auto titles = reader.value(QStringLiteral("--titles")))
        request.titles = parseTitles(*titles);
    if (const auto copies = reader.value(QStringLiteral("--copies")))
        request.copies = parseCopies(*copies);
    return request;
}

// Print-data generation alone: the slip file as it stands against a format,
// with the default print settings and the settings' date style unless the
// options say otherwise.
int runPrintdata(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, kGenerationOptions + QStringList{"-o"});
    const QString slipPath = reader.requireInputFile(0, QStringLiteral("伝票ファイル"));
    const QString output = reader.requireOutput(QStringLiteral("-o"));

    const int slipDiv = IniProfile::load(slipPath).readInt(QStringLiteral("No"), QStringLiteral("SlipDiv"), 0);
    PrintDataRequest request = generationRequestFrom(context, reader, documentKindOfSlipDiv(slipDiv));
    request.slipPath = slipPath;

    PrintDataGenerator generator;
    generator.generate(request, output);
    return 0;
}

} // namespace vendara::cli
