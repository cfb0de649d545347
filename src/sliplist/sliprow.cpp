#include "sliprow.h"

#include "searchfold.h"

namespace vendara {

QString searchTextOf(const SlipSummary &s)
{
    QString text;
    text.reserve(160);
    auto add = [&text](const QString &column) {
        text += column;
        text += u'\n';
    };
    if (!s.isReadable()) {
        add(s.fileName);
        add(s.error);
        return foldForSearch(text);
    }
    add(s.slipCode);
    add(documentKindName(s.kind));
    add(s.issueDate.isValid() ? s.issueDate.toString(QStringLiteral("yyyy/MM/dd")) : QString());
    add(s.customerName);
    add(s.carName);
    add(QString::number(s.total));
    add(s.staff);
    add(s.fileName);
    add(s.postalCode());
    add(s.address());
    add(s.tel);
    return foldForSearch(text);
}

} // namespace vendara
