#include "clicommand.h"

#include "common/error.h"
#include "settings/settings.h"

#include <QFileInfo>

namespace vendara::cli {

ArgReader::ArgReader(const QStringList &args, const QStringList &valueOptions, const QStringList &flagOptions)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            if (flagOptions.contains(a)) {
                m_flags.append(a);
            } else if (valueOptions.contains(a)) {
                if (i + 1 >= args.size())
                    throw Error(QStringLiteral("%1 には値が必要です").arg(a));
                m_values.append({a, args[++i]});
            } else {
                throw Error(QStringLiteral("不明なオプション: %1").arg(a));
            }
        } else if (a == QLatin1String("-o") && valueOptions.contains(a)) {
            if (i + 1 >= args.size())
                throw Error(QStringLiteral("%1 には値が必要です").arg(a));
            m_values.append({a, args[++i]});
        } else {
            m_positional.append(a);
        }
    }
}

bool ArgReader::has(const QString &option) const
{
    return m_flags.contains(option) || value(option).has_value();
}

std::optional<QString> ArgReader::value(const QString &option) const
{
    for (const auto &[name, v] : m_values)
        if (name == option)
            return v;
    return std::nullopt;
}

QString ArgReader::requirePositional(qsizetype index, const QString &what) const
{
    if (index >= m_positional.size())
        throw Error(QStringLiteral("%1 を指定してください").arg(what));
    return m_positional[index];
}

QString ArgReader::requireInputFile(qsizetype index, const QString &what) const
{
    const QString path = requirePositional(index, what);
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("%1 がありません").arg(path));
    return path;
}

QString ArgReader::requireOutput(const QString &option) const
{
    const auto output = value(option);
    if (!output || output->isEmpty())
        throw Error(QStringLiteral("出力先を %1 で指定してください").arg(option));
    return *output;
}

} // namespace vendara::cli

namespace vendara::cli {

int slipAcquisitionRatio(const DataFolder &data)
{
    Settings settings(data);
    settings.loadBasic();
    return settings.slipAcquisitionRatio();
}

} // namespace vendara::cli
