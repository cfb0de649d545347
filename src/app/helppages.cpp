#include "helppages.h"
#include "common/helptopic.h"

#include <QFileInfo>

namespace vendara {

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

const QString kContents = QStringLiteral("index.html");
const QString kKeywords = QStringLiteral("keywords.html");

} // namespace

HelpPages::HelpPages(const QString &folder) : m_folder(withSlash(folder)) {}

HelpPages HelpPages::locate(const QString &executableDir, const QString &installedHelpDir)
{
    const QString beside = withSlash(executableDir) + QStringLiteral("help/");
    if (QFileInfo::exists(beside + kContents))
        return HelpPages(beside);
    return HelpPages(installedHelpDir);
}

QList<int> HelpPages::topics()
{
    return {std::begin(help::kAllTopics), std::end(help::kAllTopics)};
}

QUrl HelpPages::contents() const
{
    return page(kContents);
}

QUrl HelpPages::keywords() const
{
    return page(kKeywords);
}

QUrl HelpPages::topic(int number) const
{
    if (!topics().contains(number))
        return contents();
    return page(QStringLiteral("topic%1.html").arg(number));
}

QUrl HelpPages::page(const QString &fileName) const
{
    return QUrl::fromLocalFile(m_folder + fileName);
}

} // namespace vendara
