#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace vendara {

// The help: HTML pages, one per help topic number, plus the contents page
// and the keyword page, shown by the desktop's browser.
class HelpPages
{
public:
    explicit HelpPages(const QString &folder);

    // The help folder beside the executable (build tree, portable copy) when
    // it has the contents page, otherwise the installed one.
    static HelpPages locate(const QString &executableDir, const QString &installedHelpDir);

    // Every topic number the windows of the program open.
    static QList<int> topics();

    // With a trailing separator.
    const QString &folder() const { return m_folder; }
    QUrl contents() const;
    QUrl keywords() const;
    // The page of a topic; the contents page for a number without one.
    QUrl topic(int number) const;

private:
    QUrl page(const QString &fileName) const;

    QString m_folder;
};

} // namespace vendara
