#include "appinfo.h"

#include <QDir>
#include <QFileInfo>

#ifndef VENDARA_VERSION
#error "VENDARA_VERSION must be defined by the build"
#endif
#ifndef VENDARA_PRODUCT_URL
#error "VENDARA_PRODUCT_URL must be defined by the build"
#endif

namespace vendara::appinfo {

QString version()
{
    return QStringLiteral(VENDARA_VERSION);
}

QString description()
{
    return QStringLiteral("車両販売の見積書・注文書の作成と印刷");
}

QString productPageUrl()
{
    return QStringLiteral(VENDARA_PRODUCT_URL);
}

QString windowTitle(const QString &slipPath, bool modified, bool readOnly)
{
    QString title = (slipPath.isEmpty() ? kNewSlipName : slipPath);
    if (readOnly && !slipPath.isEmpty())
        title += kReadOnlyMark;
    title += QStringLiteral(" - ") + kApplicationTitle;
    if (modified)
        title += kModifiedMark;
    return title;
}

QString installedShareFolder(const QString &executableDir, const QString &name, const QString &builtIn)
{
    const QFileInfo beside(QDir(executableDir).filePath(QStringLiteral("../share/") + name));
    if (beside.isDir())
        return beside.canonicalFilePath();
    return builtIn;
}

} // namespace vendara::appinfo
