#include "printsettings/companyblock.h"
#include "printsettings/generatedset.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QSet>
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
    EXPECT_THROW(cb::saveSetAs(data, QStringLiteral(".."), cb::newSetValues(), {}), Error);
    EXPECT_THROW(cb::saveSetAs(data, QString(), cb::newSetValues(), {}), Error);
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
    cb::saveSetAs(data, QStringLiteral("本社"), v, {});

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

// The editor shows a set through the same decoding the block is drawn and
// printed with, so its switches and sliders never disagree with the print.
TEST(CompanyBlockEditorValues, styleSwitches_readTheStyleCodeAsItPrints)
{
    QStringList v = cb::newSetValues();
    const struct
    {
        const char *code;
        bool bold;
        bool italic;
    } cases[] = {{"0", false, false}, {"1", true, false}, {"2", false, true}, {"3", true, true},
                 {"03", true, true},  {" 1 ", true, false}, {"7", false, false}, {"x", false, false},
                 {"", false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        v[cb::AddressStyle] = QString::fromLatin1(c.code);
        const cb::BlockFont font = cb::fontAt(v, cb::AddressFace);
        EXPECT_EQ(font.bold(), c.bold);
        EXPECT_EQ(font.italic(), c.italic);
        const cb::BlockFont printed = cb::textLayout(v).at(2).font;
        EXPECT_EQ(printed.bold(), font.bold()) << "the editor's font is the printed one";
        EXPECT_EQ(printed.italic(), font.italic());
    }
}

TEST(CompanyBlockEditorValues, styleCode_isOneForBoldPlusTwoForItalicAndReadsBack)
{
    EXPECT_EQ(cb::styleCode(false, false), 0);
    EXPECT_EQ(cb::styleCode(true, false), 1);
    EXPECT_EQ(cb::styleCode(false, true), 2);
    EXPECT_EQ(cb::styleCode(true, true), 3);
    QStringList v = cb::newSetValues();
    for (bool bold : {false, true}) {
        for (bool italic : {false, true}) {
            v[cb::NameStyle] = QString::number(cb::styleCode(bold, italic));
            EXPECT_EQ(cb::fontAt(v, cb::NameFace).bold(), bold);
            EXPECT_EQ(cb::fontAt(v, cb::NameFace).italic(), italic);
        }
    }
}

TEST(CompanyBlockEditorValues, fontAt_readsFaceColourAndHeightOfItsGroup)
{
    QStringList v = cb::newSetValues();
    v[cb::AddressFace] = QStringLiteral("ＭＳ 明朝");
    v[cb::AddressColor] = QStringLiteral("255");
    v[cb::AddressSize] = QStringLiteral("12");
    v[cb::NameSize] = QStringLiteral("big");
    const cb::BlockFont address = cb::fontAt(v, cb::AddressFace);
    EXPECT_EQ(address.face, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(address.color(), QColor(255, 0, 0));
    EXPECT_EQ(address.height, 16);
    EXPECT_EQ(cb::fontAt(v, cb::NameFace).height, 13) << "a size that is no number draws at 10 pt";
    EXPECT_EQ(cb::fontAt(v, cb::NameFace).face, QStringLiteral("ＭＳ ゴシック"));
}

TEST(CompanyBlockEditorValues, imageRanges_areTheBlockLeftTopFromZeroSizesFromOne)
{
    EXPECT_EQ(cb::editorRange(cb::ImageLeft).minimum, 0);
    EXPECT_EQ(cb::editorRange(cb::ImageLeft).maximum, 425);
    EXPECT_EQ(cb::editorRange(cb::ImageTop).minimum, 0);
    EXPECT_EQ(cb::editorRange(cb::ImageTop).maximum, 177);
    EXPECT_EQ(cb::editorRange(cb::ImageWidth).minimum, 1);
    EXPECT_EQ(cb::editorRange(cb::ImageWidth).maximum, 425);
    EXPECT_EQ(cb::editorRange(cb::ImageHeight).minimum, 1);
    EXPECT_EQ(cb::editorRange(cb::ImageHeight).maximum, 177);
    EXPECT_THROW(cb::editorRange(cb::NameSize), Error);
}

TEST(CompanyBlockEditorValues, sliderValue_isTheDrawnValueHeldToItsRange)
{
    QStringList v = cb::newSetValues();
    v[cb::ImageLeft] = QStringLiteral("abc");
    v[cb::ImageTop] = QStringLiteral("03");
    v[cb::ImageWidth] = QStringLiteral("abc");
    v[cb::ImageHeight] = QString();
    EXPECT_EQ(cb::editorValue(v, cb::ImageLeft), 0);
    EXPECT_EQ(cb::editorValue(v, cb::ImageTop), 3);
    EXPECT_EQ(cb::editorValue(v, cb::ImageWidth), 100) << "a width that is no number draws, and shows, at 100";
    EXPECT_EQ(cb::editorValue(v, cb::ImageHeight), 100);
    EXPECT_EQ(cb::imageRect(v), QRect(0, 3, 100, 100));

    v[cb::ImageLeft] = QStringLiteral("-5");
    v[cb::ImageTop] = QStringLiteral("500");
    v[cb::ImageWidth] = QStringLiteral("900");
    v[cb::ImageHeight] = QStringLiteral("0");
    EXPECT_EQ(cb::editorValue(v, cb::ImageLeft), 0);
    EXPECT_EQ(cb::editorValue(v, cb::ImageTop), 177);
    EXPECT_EQ(cb::editorValue(v, cb::ImageWidth), 425);
    EXPECT_EQ(cb::editorValue(v, cb::ImageHeight), 1);
    v[cb::ImageWidth] = QStringLiteral("2147483648");
    EXPECT_EQ(cb::editorValue(v, cb::ImageWidth), 100) << "beyond int is no number either";
}

TEST(CompanyBlockEditorValues, typedNumber_isRoundedAndTextThatIsNoFiniteNumberIsIgnored)
{
    EXPECT_EQ(cb::typedEditorValue(QStringLiteral("60")), 60);
    EXPECT_EQ(cb::typedEditorValue(QStringLiteral(" 7 ")), 7);
    EXPECT_EQ(cb::typedEditorValue(QStringLiteral("12.5")), 13);
    EXPECT_EQ(cb::typedEditorValue(QStringLiteral("-2.4")), -2);
    EXPECT_EQ(cb::typedEditorValue(QStringLiteral("1e12")), 1000000000);
    EXPECT_EQ(cb::typedEditorValue(QStringLiteral("-1e12")), -1000000000);
    for (const char *text : {"", "-", "abc", "12abc", "inf", "nan"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(cb::typedEditorValue(QString::fromLatin1(text)).has_value());
    }
}

TEST(CompanyBlockFiles, setList_nameIsAddedOnceAndOnlyWhenNoLineEqualsItExactly)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    QDir().mkpath(data.datPath(QStringLiteral("Mst")));
    EXPECT_FALSE(cb::hasSetList(data));
    EXPECT_EQ(cb::defaultSetName(), QStringLiteral("デフォルト"));

    cb::addToSetList(data, QStringLiteral("本店"));
    EXPECT_TRUE(cb::hasSetList(data));
    EXPECT_EQ(test::readBytes(data.datPath(QStringLiteral("Mst/LogoList"))), cp932::encode(QStringLiteral("本店\r\n")));

    test::writeSjisLines(data.datPath(QStringLiteral("Mst/LogoList")),
                         {QStringLiteral("デフォルト"), QString(), QStringLiteral("支店")});
    cb::addToSetList(data, QStringLiteral("支店"));
    EXPECT_EQ(test::readBytes(data.datPath(QStringLiteral("Mst/LogoList"))),
              cp932::encode(QStringLiteral("デフォルト\r\n\r\n支店\r\n")))
        << "a listed name leaves the file as it was";
    cb::addToSetList(data, QStringLiteral("支店 "));
    EXPECT_EQ(test::readBytes(data.datPath(QStringLiteral("Mst/LogoList"))),
              cp932::encode(QStringLiteral("デフォルト\r\n支店\r\n支店 \r\n")))
        << "another name is appended and the list written without its blank lines";

    EXPECT_EQ(cb::otherSetNames(data, QStringLiteral("支店")),
              (QStringList{QStringLiteral("デフォルト"), QStringLiteral("支店 ")}));
    EXPECT_EQ(cb::otherSetNames(data, QStringLiteral("新店")).size(), 3);
}

TEST(CompanyBlockFiles, setsAndListChangedOnAnotherDesk_areNeverReplacedSilently)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    QDir().mkpath(data.datPath(QStringLiteral("Etc")));
    QDir().mkpath(data.datPath(QStringLiteral("Mst")));
    const QString path = cb::setFilePath(data, QStringLiteral("本店"));
    cb::saveSetAs(data, QStringLiteral("本店"), cb::newSetValues(), {});
    cb::addToSetList(data, QStringLiteral("本店"));

    FileVersion mine;
    QStringList edited = *cb::readSet(path, &mine);
    edited[cb::NameLine1] = QStringLiteral("こちらの社名");
    QStringList theirs = cb::newSetValues();
    theirs[cb::NameLine1] = QStringLiteral("あちらの社名");
    cb::writeSet(path, theirs); // the other desk
    cb::addToSetList(data, QStringLiteral("支店"));

    try {
        cb::saveSetAs(data, QStringLiteral("本店"), edited, mine);
        ADD_FAILURE() << "another desk's set was replaced";
    } catch (const FileChangedError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("本店.Dat"))) << e.message().toStdString();
    }
    EXPECT_EQ(cb::readSet(path), theirs);

    cb::saveSetAs(data, QStringLiteral("本店"), edited, mine, Overwrite::Force);
    EXPECT_EQ(cb::readSet(path), edited);

    // Deleting a set takes its files and its line; what another desk added stays.
    cb::deleteSet(data, QStringLiteral("本店"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(cb::setPictureFilePath(data, QStringLiteral("本店"))));
    EXPECT_EQ(cb::readSetList(data), QStringList{QStringLiteral("支店")});
    // A hand-edited line that names no file only leaves the list.
    cb::addToSetList(data, QStringLiteral("../x"));
    cb::deleteSet(data, QStringLiteral("../x"));
    EXPECT_EQ(cb::readSetList(data), QStringList{QStringLiteral("支店")});
}

namespace {

cb::GeneratedSetFields filledFields()
{
    cb::GeneratedSetFields f;
    f.nameLine1 = QStringLiteral("株式会社ベンダラ自動車");
    f.nameLine2 = QStringLiteral("本店営業部");
    f.zip1 = QStringLiteral("100");
    f.zip2 = QStringLiteral("0001");
    f.prefecture = QStringLiteral("東京都");
    f.address = QStringLiteral("千代田区千代田1-1");
    f.building = QStringLiteral("ベンダラビル3F");
    f.phone = QStringLiteral("03-1234-5678");
    f.fax = QStringLiteral("03-1234-5679");
    return f;
}

} // namespace

TEST(CompanyBlockGeneratedSet, fields_giveTheTwentyThreeLinesOfAGeneratedSet)
{
    const QString face = QStringLiteral("ＭＳ ゴシック");
    EXPECT_EQ(cb::generatedValues(filledFields()),
              (QStringList{face, "0", "0", "20", QStringLiteral("株式会社ベンダラ自動車"), QStringLiteral("本店営業部"),
                           face, "0", "0", "12", "100-0001", QStringLiteral("東京都千代田区千代田1-1"),
                           QStringLiteral("ベンダラビル3F"), "TEL 03-1234-5678", "FAX 03-1234-5679", "", "", "", "",
                           "0", "0", "100", "100"}));
}

TEST(CompanyBlockGeneratedSet, emptyFields_keepTheDashAndTheTelAndFaxHeads)
{
    const QString face = QStringLiteral("ＭＳ ゴシック");
    EXPECT_EQ(cb::generatedValues({}), (QStringList{face, "0", "0", "20", "", "", face, "0", "0", "12", "-", "", "",
                                                   "TEL ", "FAX ", "", "", "", "", "0", "0", "100", "100"}));
}

TEST(CompanyBlockGeneratedSet, write_givesShiftJisLinesListsTheNameOnceAndWritesNoPicture)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    QDir().mkpath(data.datPath(QStringLiteral("Mst")));
    QDir().mkpath(data.datPath(QStringLiteral("Etc")));
    cb::writeSetList(data, {QStringLiteral("デフォルト")});
    const QString picture = cb::setPictureFilePath(data, QStringLiteral("本店"));
    test::writeBytes(picture, QByteArray("old picture"));

    cb::writeGeneratedSet(data, QStringLiteral("本店"), filledFields());
    const QString expected = QStringLiteral(
        "ＭＳ ゴシック\r\n0\r\n0\r\n20\r\n株式会社ベンダラ自動車\r\n本店営業部\r\n"
        "ＭＳ ゴシック\r\n0\r\n0\r\n12\r\n100-0001\r\n東京都千代田区千代田1-1\r\nベンダラビル3F\r\n"
        "TEL 03-1234-5678\r\nFAX 03-1234-5679\r\n\r\n\r\n\r\n\r\n0\r\n0\r\n100\r\n100\r\n");
    EXPECT_EQ(test::readBytes(cb::setFilePath(data, QStringLiteral("本店"))), cp932::encode(expected));
    EXPECT_EQ(cb::readSetList(data), (QStringList{QStringLiteral("デフォルト"), QStringLiteral("本店")}));
    EXPECT_EQ(test::readBytes(picture), QByteArray("old picture")) << "an older picture of the name stays";

    cb::GeneratedSetFields again = filledFields();
    again.nameLine1 = QStringLiteral("新社名");
    cb::writeGeneratedSet(data, QStringLiteral("本店"), again);
    EXPECT_EQ(cb::readSet(cb::setFilePath(data, QStringLiteral("本店")))->at(cb::NameLine1), QStringLiteral("新社名"));
    EXPECT_EQ(cb::readSetList(data).size(), 2) << "written over, listed once";
    EXPECT_FALSE(QFileInfo::exists(cb::setPictureFilePath(data, QStringLiteral("デフォルト"))));
}

TEST(CompanyBlockGeneratedSet, setName_onlyAnEmptyOneIsRefusedHere)
{
    try {
        cb::requireSetName(QString());
        FAIL() << "an empty name was taken";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("設定名を入力してください"));
    }
    EXPECT_NO_THROW(cb::requireSetName(QStringLiteral("本店")));
    EXPECT_NO_THROW(cb::requireSetName(QStringLiteral(" "))) << "blank names are judged with the other set names";
}

TEST(CompanyBlockGeneratedSet, prefectures_allFortySevenWithTochigiBeforeIbarakiAndKoshinBeforeNiigata)
{
    const QStringList &list = cb::generationPrefectures();
    ASSERT_EQ(list.size(), 47);
    EXPECT_EQ(QSet<QString>(list.begin(), list.end()).size(), 47);
    EXPECT_EQ(list.first(), QStringLiteral("北海道"));
    EXPECT_EQ(list.last(), QStringLiteral("沖縄県"));
    EXPECT_EQ(list.mid(6, 4), (QStringList{QStringLiteral("福島県"), QStringLiteral("栃木県"), QStringLiteral("茨城県"),
                                           QStringLiteral("群馬県")}));
    EXPECT_EQ(list.mid(13, 8),
              (QStringList{QStringLiteral("神奈川県"), QStringLiteral("山梨県"), QStringLiteral("長野県"),
                           QStringLiteral("新潟県"), QStringLiteral("富山県"), QStringLiteral("石川県"),
                           QStringLiteral("福井県"), QStringLiteral("岐阜県")}));
    EXPECT_EQ(list.at(12), QStringLiteral("東京都"));
    EXPECT_EQ(list.at(26), QStringLiteral("大阪府"));
}
