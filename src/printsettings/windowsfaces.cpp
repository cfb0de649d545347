#include "windowsfaces.h"

#include <QStringList>

namespace vendara {
namespace {

struct FaceMapping
{
    const char16_t *face;
    const char *family;
};

constexpr FaceMapping kFaceMappings[] = {
    {u"ＭＳ ゴシック", "IPAGothic"},   {u"MS Gothic", "IPAGothic"},
    {u"ＭＳ Ｐゴシック", "IPAPGothic"}, {u"MS PGothic", "IPAPGothic"},
    {u"ＭＳ 明朝", "IPAMincho"},       {u"MS Mincho", "IPAMincho"},
    {u"ＭＳ Ｐ明朝", "IPAPMincho"},     {u"MS PMincho", "IPAPMincho"},
};

// Japanese text in a face that is not installed, or that has no Japanese
// glyphs, is set in this family.
const QString kJapaneseFallback = QStringLiteral("IPAGothic");

} // namespace

void installFontSubstitutions()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (const FaceMapping &m : kFaceMappings)
        QFont::insertSubstitution(QString::fromUtf16(m.face), QString::fromLatin1(m.family));
}

QString ipaFamilyFor(const QString &windowsFace)
{
    for (const FaceMapping &m : kFaceMappings)
        if (windowsFace.compare(QString::fromUtf16(m.face), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(m.family);
    return {};
}

QFont fontForFace(const QString &face)
{
    installFontSubstitutions();
    QFont font;
    const QString ipaFamily = ipaFamilyFor(face);
    if (!ipaFamily.isEmpty()) {
        font.setFamilies({ipaFamily});
        font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferNoShaping));
        return font;
    }
    QStringList families{face};
    families += QFont::substitutes(face);
    families.append(kJapaneseFallback);
    font.setFamilies(families);
    return font;
}

} // namespace vendara
