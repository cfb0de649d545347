#pragma once

#include <QString>
#include <QStringView>

namespace vendara {

// Japanese input methods commit numbers in full-width forms (１２３，４５６．７).
// Numeric fields take them as the ASCII characters they stand for: the
// full-width digits, ＋ － ． ， ／ ： Ｅ ｅ, and the minus sign U+2212. Every
// other character is returned unchanged.
QChar foldFullWidthNumberChar(QChar c);
QString foldFullWidthNumber(QStringView text);

} // namespace vendara
