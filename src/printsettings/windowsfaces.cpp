#include "windowsfaces.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QStringList>

#include <cmath>

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

bool hasBoldFace(const QFont &font)
{
    const QString family = QFontInfo(font).family();
    // Asked for every bold text drawn; the installed faces don't change
    // while the program runs.
    static QMutex mutex;
    static QHash<QString, bool> known;
    const QMutexLocker lock(&mutex);
    if (const auto it = known.constFind(family); it != known.constEnd())
        return *it;
    bool bold = false;
    for (const QString &style : QFontDatabase::styles(family))
        bold = bold || QFontDatabase::weight(family, style) >= QFont::DemiBold;
    known.insert(family, bold);
    return bold;
}

TextFace textFaceFor(const QFont &font)
{
    TextFace face{font, 0};
    if (!font.bold() || hasBoldFace(font))
        return face;
    face.font.setBold(false);
    const qreal em = font.pixelSize() > 0 ? qreal(font.pixelSize()) : QFontInfo(font).pixelSize();
    face.boldPenWidth = em * kEmboldeningPerEm;
    return face;
}

void strokeEmboldened(QPainter &painter, const QPointF &baseline, const QString &text, const TextFace &face,
                      const QColor &color, qreal grid)
{
    if (!face.emboldened() || text.isEmpty())
        return;
    QPainterPath outlines;
    outlines.addText(baseline, face.font, text);
    if (grid > 0) {
        for (int i = 0; i < outlines.elementCount(); ++i) {
            const QPainterPath::Element e = outlines.elementAt(i);
            outlines.setElementPositionAt(i, std::round(e.x / grid) * grid, std::round(e.y / grid) * grid);
        }
    }
    // Round joins: a mitred pen would grow spikes at the sharp corners of
    // brush strokes and serifs.
    painter.setPen(QPen(color, face.boldPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outlines);
}

} // namespace vendara
