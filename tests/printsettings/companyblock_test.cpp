#include "printsettings/companyblock.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "support/testdata.h"

#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTemporaryDir>
#include <QTextItem>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace vendara;
namespace cb = vendara::companyblock;

namespace {

// A paint device that keeps what a played picture draws: text baselines,
// image targets and stroked paths, in the order drawn.
struct Drawn
{
    enum Kind { Text, Image, Path } kind;
    QString text;
    QPointF baseline;
    QFont font;
    QColor color;
    QRectF target; // of an image; the bounds of a path
    qreal penWidth = 0;
    Qt::BrushStyle brush = Qt::NoBrush;
};

class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            m_pen = state.pen();
        if (state.state() & QPaintEngine::DirtyBrush)
            m_brush = state.brush().style();
    }
    void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override
    {
        drawn.push_back({Drawn::Image, {}, {}, {}, {}, r});
    }
    void drawImage(const QRectF &r, const QImage &, const QRectF &, Qt::ImageConversionFlags) override
    {
        drawn.push_back({Drawn::Image, {}, {}, {}, {}, r});
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        drawn.push_back({Drawn::Text, item.text(), p, item.font(), m_pen.color(), {}});
    }
    void drawPath(const QPainterPath &path) override
    {
        drawn.push_back({Drawn::Path, {}, {}, {}, m_pen.color(), path.boundingRect(), m_pen.widthF(), m_brush});
    }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }

    std::vector<Drawn> drawn;

private:
    QPen m_pen;
    Qt::BrushStyle m_brush = Qt::NoBrush;
};

class RecordingDevice : public QPaintDevice
{
public:
    QPaintEngine *paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return cb::kWidth;
        case PdmHeight:
            return cb::kHeight;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(m);
        }
    }
    mutable RecordingEngine engine;
};

// What a played picture drew. Text runs that font fallback split into
// several items on one baseline are joined back into one text.
std::vector<Drawn> play(const QPicture &picture)
{
    // The application maps the Windows faces to the IPA fonts; without it
    // fontconfig mixes fonts of different ascents within one line.
    static const bool mapped = [] {
        QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
        return true;
    }();
    Q_UNUSED(mapped);
    RecordingDevice device;
    QPainter painter(&device);
    painter.drawPicture(0, 0, picture);
    painter.end();
    std::vector<Drawn> joined;
    for (const Drawn &d : device.engine.drawn) {
        if (d.kind == Drawn::Text && !joined.empty() && joined.back().kind == Drawn::Text
            && joined.back().baseline.y() == d.baseline.y() && d.baseline.x() > joined.back().baseline.x()) {
            joined.back().text += d.text;
            continue;
        }
        joined.push_back(d);
    }
    return joined;
}

QString makeImage(const QString &path, QColor color, const char *format)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    image.save(path, format, 100);
    return path;
}

} // namespace

TEST(CompanyBlockSet, newSet_hasTheTwentyThreeValuesOfANewBlock)
{
    const QStringList v = cb::newSetValues();
    ASSERT_EQ(v.size(), cb::kLineCount);
    EXPECT_EQ(v[cb::NameFace], QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(v[cb::NameSize], QStringLiteral("18"));
    EXPECT_EQ(v[cb::NameLine1], QStringLiteral("社名を入力してください"));
    EXPECT_EQ(v[cb::NameLine2], QStringLiteral("社名の2行目"));
    EXPECT_EQ(v[cb::AddressSize], QStringLiteral("10"));
    EXPECT_EQ(v[10], QStringLiteral("000-0000"));
    EXPECT_EQ(v[16], v[17]) << "the last two address lines share their placeholder";
    EXPECT_EQ(v[cb::ImagePath], QString());
    EXPECT_EQ(v.mid(cb::ImageLeft), (QStringList{"0", "0", "100", "100"}));
}

TEST(CompanyBlockSet, writeAndRead_keepTwentyThreeShiftJisLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.Dat"));
    QStringList values = cb::newSetValues();
    values.append(QStringLiteral("extra dropped"));
    cb::writeSet(path, values);

    const QByteArray bytes = test::readBytes(path);
    EXPECT_EQ(bytes.count("\r\n"), 23);
    EXPECT_TRUE(bytes.startsWith(cp932::encode(QStringLiteral("ＭＳ ゴシック\r\n0\r\n"))));
    const auto read = cb::readSet(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, cb::newSetValues());

    cb::writeSet(path, {QStringLiteral("only one")});
    const auto padded = cb::readSet(path);
    ASSERT_TRUE(padded.has_value()) << "a short list is written padded to 23 lines";
    EXPECT_EQ(padded->size(), 23);
}

TEST(CompanyBlockSet, missingOrShortFile_readsAsNoSet)
{
    QTemporaryDir dir;
    EXPECT_FALSE(cb::readSet(dir.filePath(QStringLiteral("none.Dat"))).has_value());
    const QString shortFile = dir.filePath(QStringLiteral("short.Dat"));
    test::writeSjisLines(shortFile, cb::newSetValues().mid(0, 22));
    EXPECT_FALSE(cb::readSet(shortFile).has_value());
}

TEST(CompanyBlockSet, numbersThatAreNoNumbers_readAsTheirLineDefaults)
{
    QStringList v(cb::kLineCount, QStringLiteral("x"));
    EXPECT_EQ(cb::intValue(v, cb::NameStyle), 0);
    EXPECT_EQ(cb::intValue(v, cb::NameColor), 0);
    EXPECT_EQ(cb::intValue(v, cb::NameSize), 10);
    EXPECT_EQ(cb::intValue(v, cb::AddressSize), 10);
    EXPECT_EQ(cb::imageRect(v), QRect(0, 0, 100, 100));
    v[cb::NameColor] = QStringLiteral("255");
    v[cb::ImageLeft] = QStringLiteral("-5");
    EXPECT_EQ(cb::intValue(v, cb::NameColor), 255);
    EXPECT_EQ(cb::intValue(v, cb::ImageLeft), -5);
    EXPECT_EQ(cb::intValue({}, cb::ImageHeight), 100) << "a missing line reads its default";
}

TEST(CompanyBlockLayout, characterHeights_arePointsAt96PerInchRounded)
{
    EXPECT_EQ(cb::characterHeight(10), 13);
    EXPECT_EQ(cb::characterHeight(18), 24);
    EXPECT_EQ(cb::characterHeight(11), 15);
    EXPECT_EQ(cb::characterHeight(8), 11);
}

TEST(CompanyBlockLayout, newSet_namesAtZeroAndHeightAddressesEveryThirteenFromFiftyFive)
{
    const auto texts = cb::textLayout(cb::newSetValues());
    ASSERT_EQ(texts.size(), 10);
    EXPECT_EQ(texts[0].text, QStringLiteral("社名を入力してください     "));
    EXPECT_EQ(texts[0].topLeft, QPoint(0, 0));
    EXPECT_EQ(texts[1].text, QStringLiteral("社名の2行目     "));
    EXPECT_EQ(texts[1].topLeft, QPoint(0, 24));
    EXPECT_EQ(texts[0].font.height, 24);
    EXPECT_EQ(texts[0].font.face, QStringLiteral("ＭＳ ゴシック"));
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(texts[2 + k].topLeft, QPoint(10, 55 + 13 * k));
        EXPECT_EQ(texts[2 + k].font.height, 13);
    }
    EXPECT_EQ(texts[9].topLeft.y(), 146);
}

TEST(CompanyBlockLayout, emptyAddressLine_keepsItsSlotAndStylesAndColoursAreRead)
{
    QStringList v = cb::newSetValues();
    v[11] = QString();
    v[cb::AddressStyle] = QStringLiteral("3");
    v[cb::AddressColor] = QStringLiteral("16711680"); // blue
    v[cb::NameStyle] = QStringLiteral("7");
    const auto texts = cb::textLayout(v);
    ASSERT_EQ(texts.size(), 9);
    EXPECT_EQ(texts[2].topLeft.y(), 55);
    EXPECT_EQ(texts[3].text, v[12]);
    EXPECT_EQ(texts[3].topLeft.y(), 55 + 2 * 13);
    EXPECT_TRUE(texts[3].font.bold());
    EXPECT_TRUE(texts[3].font.italic());
    EXPECT_EQ(texts[3].font.color(), QColor(0, 0, 255));
    EXPECT_FALSE(texts[0].font.bold()) << "an unknown style code draws regular";
    EXPECT_FALSE(texts[0].font.italic());
}

TEST(CompanyBlockPainter, picture_isBoundedTo425By177AndDrawsTextTopLeftInBlockUnits)
{
    CompanyBlockPainter logo;
    const QPicture &picture = logo.draw(cb::newSetValues());
    EXPECT_EQ(picture.boundingRect(), QRect(0, 0, 425, 177));

    const auto drawn = play(picture);
    ASSERT_EQ(drawn.size(), 10u);
    const int tops[] = {0, 24, 55, 68, 81, 94, 107, 120, 133, 146};
    for (size_t i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(drawn[i].kind, Drawn::Text);
        EXPECT_EQ(drawn[i].font.pixelSize(), i < 2 ? 24 : 13);
        const qreal ascent = QFontMetricsF(drawn[i].font).ascent();
        EXPECT_NEAR(drawn[i].baseline.y() - ascent, tops[i], 1.0);
        EXPECT_NEAR(drawn[i].baseline.x(), i < 2 ? 0 : 10, 0.5);
    }
    EXPECT_EQ(drawn[0].text, QStringLiteral("社名を入力してください     "));
}

TEST(CompanyBlockPainter, boldLinesOfAFaceWithoutBold_areTheRegularFaceWithItsOutlinesStroked)
{
    // The IPA faces have no bold: a preview and a PDF would embolden them
    // differently, so the picture itself carries the emboldening.
    QStringList values = cb::newSetValues();
    values[cb::NameFace] = QStringLiteral("ＭＳ 明朝");
    values[cb::NameStyle] = QStringLiteral("1");
    values[cb::NameColor] = QStringLiteral("255");
    values[cb::AddressStyle] = QStringLiteral("3");
    CompanyBlockPainter logo;
    const auto drawn = play(logo.draw(values));
    ASSERT_EQ(drawn.size(), 20u);
    for (size_t i = 0; i < drawn.size(); i += 2) {
        SCOPED_TRACE(i);
        const Drawn &text = drawn[i];
        const Drawn &stroke = drawn[i + 1];
        ASSERT_EQ(text.kind, Drawn::Text);
        ASSERT_EQ(stroke.kind, Drawn::Path);
        const bool name = i < 4;
        const int em = name ? 24 : 13;
        EXPECT_FALSE(text.font.bold());
        EXPECT_EQ(text.font.italic(), !name);
        EXPECT_EQ(QFontInfo(text.font).family(),
                  QFontInfo(QFont(name ? QStringLiteral("IPAMincho") : QStringLiteral("IPAGothic"))).family());
        EXPECT_NEAR(stroke.penWidth, em / 24.0, 1e-9);
        EXPECT_EQ(stroke.brush, Qt::NoBrush);
        EXPECT_EQ(stroke.color, name ? QColor(255, 0, 0) : QColor(0, 0, 0));
        // The outlines are those of the text just drawn, on its baseline.
        const qreal advance = QFontMetricsF(text.font).horizontalAdvance(text.text);
        EXPECT_GE(stroke.target.left(), text.baseline.x() - 1);
        EXPECT_LE(stroke.target.right(), text.baseline.x() + advance + 3);
        EXPECT_GT(stroke.target.width(), advance / 2);
        EXPECT_LT(stroke.target.top(), text.baseline.y() - em * 0.6);
        EXPECT_GT(stroke.target.bottom(), text.baseline.y() - em * 0.2);
        EXPECT_LE(stroke.target.bottom(), text.baseline.y() + em * 0.25);
    }
}

TEST(CompanyBlockPainter, image_isDrawnFirstIntoItsRectangleAndLeftOutWhenSwitchedOff)
{
    QTemporaryDir dir;
    QStringList v = cb::newSetValues();
    v[cb::ImagePath] = makeImage(dir.filePath(QStringLiteral("Logo.Jpeg")), Qt::red, "JPEG");
    v[cb::ImageLeft] = QStringLiteral("0");
    v[cb::ImageTop] = QStringLiteral("0");
    v[cb::ImageWidth] = QStringLiteral("425");
    v[cb::ImageHeight] = QStringLiteral("177");

    CompanyBlockPainter logo;
    auto drawn = play(logo.draw(v));
    ASSERT_EQ(drawn.size(), 11u);
    EXPECT_EQ(drawn[0].kind, Drawn::Image) << "mixed-case .Jpeg is accepted; the image lies under the text";
    EXPECT_EQ(drawn[0].target, QRectF(0, 0, 425, 177));
    EXPECT_EQ(drawn[1].kind, Drawn::Text);

    logo.setImageEnabled(false);
    drawn = play(logo.draw(v));
    EXPECT_EQ(drawn.size(), 10u);
    for (const Drawn &d : drawn)
        EXPECT_EQ(d.kind, Drawn::Text);
}

TEST(CompanyBlockPainter, pngMissingAndUndecodableImages_areSkippedSilently)
{
    QTemporaryDir dir;
    QStringList v = cb::newSetValues();
    CompanyBlockPainter logo;
    for (const QString &path : {makeImage(dir.filePath(QStringLiteral("logo.png")), Qt::red, "PNG"),
                                dir.filePath(QStringLiteral("missing.jpg")),
                                dir.filePath(QStringLiteral("dir.bmp"))}) {
        SCOPED_TRACE(path.toStdString());
        if (path.endsWith(QLatin1String("dir.bmp")))
            QDir().mkpath(path);
        v[cb::ImagePath] = path;
        EXPECT_EQ(play(logo.draw(v)).size(), 10u);
    }
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    test::writeBytes(broken, "not a jpeg");
    v[cb::ImagePath] = broken;
    EXPECT_EQ(play(logo.draw(v)).size(), 10u);
}

TEST(CompanyBlockPainter, samePathTwice_decodesOnceEvenWhenTheFileChanged)
{
    QTemporaryDir dir;
    const QString path = makeImage(dir.filePath(QStringLiteral("logo.bmp")), Qt::red, "BMP");
    QStringList v = cb::newSetValues();
    v[cb::ImagePath] = path;
    v[cb::ImageWidth] = QStringLiteral("425");
    v[cb::ImageHeight] = QStringLiteral("177");
    v[cb::NameLine1] = v[cb::NameLine2] = QString();

    auto pixelAfterDraw = [&](CompanyBlockPainter &logo) {
        QImage target(425, 177, QImage::Format_RGB32);
        target.fill(Qt::white);
        QPainter painter(&target);
        painter.drawPicture(0, 0, logo.draw(v));
        painter.end();
        return target.pixelColor(420, 170);
    };
    CompanyBlockPainter logo;
    EXPECT_EQ(pixelAfterDraw(logo), QColor(Qt::red));
    makeImage(path, Qt::green, "BMP");
    EXPECT_EQ(pixelAfterDraw(logo), QColor(Qt::red)) << "the decoded image is reused";
    CompanyBlockPainter fresh;
    EXPECT_EQ(pixelAfterDraw(fresh), QColor(Qt::green));
}

TEST(CompanyBlockFiles, setPaths_refuseNamesThatLeaveTheFolder)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    EXPECT_EQ(cb::setFilePath(data, QStringLiteral("本社")), data.datPath(QStringLiteral("Etc/本社.Dat")));
    EXPECT_EQ(cb::setPictureFilePath(data, QStringLiteral("本社")), data.datPath(QStringLiteral("Etc/本社.emf")));
    EXPECT_EQ(cb::setFilePath(data, QString()), data.datPath(QStringLiteral("Etc/.Dat")));
    EXPECT_THROW(cb::setFilePath(data, QStringLiteral("../x")), Error);
    EXPECT_THROW(cb::saveSetAs(data, QStringLiteral(".."), cb::newSetValues()), Error);
    EXPECT_THROW(cb::saveSetAs(data, QString(), cb::newSetValues()), Error);
}

TEST(CompanyBlockFiles, ensureSetList_createsListAndFirstSetButKeepsWhatExists)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    QDir().mkpath(data.datPath(QStringLiteral("Mst")));
    QDir().mkpath(data.datPath(QStringLiteral("Etc")));

    cb::ensureSetList(data);
    EXPECT_EQ(cb::readSetList(data), QStringList{QStringLiteral("デフォルト")});
    EXPECT_EQ(test::readBytes(data.datPath(QStringLiteral("Mst/LogoList"))),
              cp932::encode(QStringLiteral("デフォルト\r\n")));
    EXPECT_EQ(cb::readSet(cb::setFilePath(data, QStringLiteral("デフォルト"))), cb::newSetValues());

    QStringList mine = cb::newSetValues();
    mine[cb::NameLine1] = QStringLiteral("株式会社ベンダラ");
    cb::writeSet(cb::setFilePath(data, QStringLiteral("デフォルト")), mine);
    cb::writeSetList(data, {QStringLiteral("デフォルト"), QStringLiteral("支店")});
    cb::ensureSetList(data);
    EXPECT_EQ(cb::readSetList(data).size(), 2);
    EXPECT_EQ(cb::readSet(cb::setFilePath(data, QStringLiteral("デフォルト")))->value(cb::NameLine1),
              QStringLiteral("株式会社ベンダラ"));
    EXPECT_FALSE(QFileInfo::exists(cb::setFilePath(data, QStringLiteral("支店")))) << "only the first set is made";
}

TEST(CompanyBlockFiles, saveSetAs_writesSetFileAndEnhancedMetafileBesideIt)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    QDir().mkpath(data.datPath(QStringLiteral("Etc")));
    QStringList v = cb::newSetValues();
    v[cb::ImagePath] = makeImage(dir.filePath(QStringLiteral("logo.jpg")), Qt::blue, "JPEG");
    cb::saveSetAs(data, QStringLiteral("本社"), v);

    EXPECT_EQ(cb::readSet(cb::setFilePath(data, QStringLiteral("本社"))), v);
    const QByteArray emf = test::readBytes(cb::setPictureFilePath(data, QStringLiteral("本社")));
    ASSERT_GT(emf.size(), 108);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
    int images = 0;
    int texts = 0;
    for (qsizetype at = 0; at + 8 <= emf.size();) {
        const quint32 type = qFromLittleEndian<quint32>(emf.constData() + at);
        const quint32 size = qFromLittleEndian<quint32>(emf.constData() + at + 4);
        images += type == 81 ? 1 : 0;
        texts += type == 84 ? 1 : 0;
        ASSERT_GE(size, 8u);
        at += size;
    }
    EXPECT_EQ(images, 1) << "the image is part of the set's picture";
    EXPECT_EQ(texts, 10);
}

// Found by fuzz/companyblock.cpp: an image top of 2147483647 plus its height
// overflowed int in imageRect. Values far beyond the block are cut, so the
// rectangle and the address lines' positions stay inside int.
TEST(CompanyBlockLayout, hugeNumbers_areCutInsteadOfOverflowing)
{
    const QByteArray crash = QByteArray::fromBase64(
        "gmyCciCWvg0yDQo1DQppbWFnZS5qcGdsZS5qcC8NCg0KDQoNCmFnaXBlLmppZwo1DQAAAHRwczovL3d3dy52ZW5kYXJhLmV4YW1wbGUuanAvDQoNCg0KDQpqcC8NCg0KDQoNCmFnaXBlLmplZwoyDQowcmEuDQoyMTQ3NDgzNjQ3DQoNCg0KYWdpcGUuamlnCjUNCjANCg0wMTAxCjAN");
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/crash.Dat");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(crash);
    file.close();
    const std::optional<QStringList> values = cb::readSet(path);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(cb::intValue(*values, cb::ImageTop), 2147483647);
    const QRect r = cb::imageRect(*values);
    EXPECT_GT(r.top(), 1000000);
    EXPECT_EQ(r.height(), 100);

    QStringList v = cb::newSetValues();
    v[cb::ImageTop] = QStringLiteral("-2147483648");
    v[cb::ImageHeight] = QStringLiteral("-2147483648");
    v[cb::AddressSize] = QStringLiteral("2147483647");
    v[cb::AddressLine1 + 7] = QStringLiteral("8行目");
    EXPECT_LT(cb::imageRect(v).top(), 0);
    EXPECT_GT(cb::characterHeight(2147483647), 0);
    EXPECT_LT(cb::characterHeight(-2147483647 - 1), 0);
    const QList<cb::TextPlacement> texts = cb::textLayout(v);
    EXPECT_GT(texts.last().topLeft.y(), texts.first().topLeft.y()) << "the eighth line is below the name";
}
