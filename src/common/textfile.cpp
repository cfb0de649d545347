#include "textfile.h"

#include "atomicfile.h"
#include "cp932codec.h"

#include <QFile>

namespace vendara::textfile {

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

std::optional<QStringList> readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitLines(cp932::decode(file.readAll()));
}

QString joinLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

void writeLines(const QString &path, const QStringList &lines)
{
    saveFileAtomically(path, cp932::encode(joinLines(lines)));
}

} // namespace vendara::textfile
