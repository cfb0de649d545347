#include "ordercopy.h"

#include "common/error.h"
#include "common/iniprofile.h"
#include "slipsummary.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vendara {

QString orderCopyFileName(const QString &slipCode, const QDate &issueDate)
{
    QString name = slipCode;
    if (issueDate.isValid() && issueDate != kZeroDate)
        name += issueDate.toString(QStringLiteral("-yy-MM-dd"));
    return name + QStringLiteral(".pvq");
}

QString writeOrderCopy(const QString &estimatePath, const QString &slipCode)
{
    const SlipSummary summary = readSlipSummary(estimatePath);
    if (!summary.isReadable())
        throw Error(QStringLiteral("%1: %2").arg(QFileInfo(estimatePath).fileName(), summary.error));
    if (summary.kind == DocumentKind::Order)
        throw Error(QStringLiteral("%1 はすでに注文書です").arg(summary.fileName));
    const QString path =
        QFileInfo(estimatePath).absoluteDir().filePath(orderCopyFileName(slipCode, summary.issueDate));
    if (QFileInfo::exists(path))
        throw Error(QStringLiteral("%1 はすでにあります").arg(path));
    IniProfile profile = IniProfile::load(estimatePath);
    profile.writeInt(QStringLiteral("No"), QStringLiteral("SlipDiv"), 1);
    profile.writeString(QStringLiteral("No"), QStringLiteral("SlipCode"), slipCode);
    profile.save(path);
    return path;
}

std::optional<QDate> parseFilterDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate();
    static const QRegularExpression form(QStringLiteral("^(\\d{4})([/-])(\\d{1,2})\\2(\\d{1,2})$"));
    const QRegularExpressionMatch m = form.match(trimmed);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace vendara
