#pragma once

#include <QString>
#include <QStringView>
#include <QValidator>

namespace vendara {

// Japanese input methods commit numbers in full-width forms (１２３，４５６．７).
// Numeric fields take them as the ASCII characters they stand for: the
// full-width digits, ＋ － ． ， ／ ： Ｅ ｅ, and the minus sign U+2212. Every
// other character is returned unchanged.
QChar foldFullWidthNumberChar(QChar c);
QString foldFullWidthNumber(QStringView text);

// For fields that take numbers as text (postal codes, telephone numbers, the
// slip number, date digits): full-width numbers turn into ASCII however they
// arrive, typed, pasted or dropped. Every other text is left to the field's
// own rules.
class FullWidthNumberValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
};

} // namespace vendara
