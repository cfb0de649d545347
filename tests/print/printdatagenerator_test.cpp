#include "print/printdatagenerator.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "controls/datepattern.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

// Readable failure output.
static void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

QString lines(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *l : list)
        out.append(QString::fromUtf8(l));
    return out.join(u'\n');
}

PrintDataRequest request(CopySwitches copies = {true, false, false, false})
{
    PrintDataRequest r;
    r.titles = {QStringLiteral("見積書"), QStringLiteral("見積書(控)"), QStringLiteral("見積書(写)"), QString()};
    r.copies = copies;
    r.setPath = QStringLiteral("/data/Dat/Etc/本社.Dat");
    r.defaultDatePattern = kWesternDatePattern;
    return r;
}

QStringList generate(const QString &format, const QString &slip, const PrintDataRequest &r = request())
{
    PrintDataGenerator generator;
    return generator.makeLines(IniProfile::fromText(slip), IniProfile::fromText(format, IniProfile::Quotes::DoubleOrSingle),
                               r);
}

QString errorOf(const QString &format, const QString &slip)
{
    try {
        generate(format, slip);
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

const QString kSlip = lines({"[Cust]", "Name=山田太郎", "[Car]", "Price=0", "Tax=1500", "LineA1=ナビ,150000,1",
                             "LineA2=,,", "LineA3=\"マット,バイザー\",12000,", "[No]", "SlipDate=2008/04/01"});

} // namespace

TEST(PrintDataGeneration, workedExample_writesExactlyTheLinesOfTheExample)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("1234PrTmpDat"));
    PrintDataRequest r = request();
    r.slipPath = test::fixturePath(QStringLiteral("print/generation/example.pvq"));
    r.formatPath = test::fixturePath(QStringLiteral("print/generation/Mitsumori1.fmt"));
    r.setPath = dir.filePath(QStringLiteral("Dat/Etc/本社.Dat"));
    ASSERT_FALSE(r.setPath.contains(u' '));

    PrintDataGenerator generator;
    ASSERT_EQ(generator.generate(r, out), out);
    const QString expected = QStringLiteral("font,\"ＭＳ ゴシック\",80,1,0\r\n"
                                            "ctext,見積書,1050,150\r\n"
                                            "font,\"ＭＳ ゴシック\",35,0,0\r\n"
                                            "brush,16777215,16777215\r\n"
                                            "text,山田太郎,200,400\r\n"
                                            "text,平成20年04月01日,1500,300\r\n"
                                            "rtext,\"1,234,567\",1900,900\r\n"
                                            "text,ナビ,200,1200\r\n"
                                            "rtext,\"150,000\",1900,1200\r\n"
                                            "text,ETC,200,1250\r\n"
                                            "rtext,\"20,000\",1900,1250\r\n"
                                            "logo,1200,2400,2000,2733,")
        + r.setPath
        + QStringLiteral("\r\n"
                         "lbox,100,380,2000,460\r\n"
                         "line,100,1180,2000,1180\r\n");
    EXPECT_EQ(test::readBytes(out), cp932::encode(expected)) << "Shift-JIS with CR LF";

    // With copy 2 as well: one page line, then the whole format again with
    // its own title, the document font written again after the title's font.
    r.copies = {true, true, false, false};
    generator.generate(r, out);
    const QStringList both = cp932::decode(test::readBytes(out)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(both.size(), 28);
    EXPECT_EQ(both[14], QStringLiteral("page"));
    EXPECT_EQ(both[15], QStringLiteral("font,\"ＭＳ ゴシック\",80,1,0"));
    EXPECT_EQ(both[16], QStringLiteral("ctext,見積書(控),1050,150"));
    EXPECT_EQ(both[17], QStringLiteral("font,\"ＭＳ ゴシック\",35,0,0"));
    EXPECT_EQ(both[18], QStringLiteral("text,山田太郎,200,400")) << "the brush was written in copy 1 already";
    EXPECT_EQ(both.mid(18), both.mid(4, 10));
}

TEST(PrintDataGeneration, copies_areSeparatedByOnePageLineEachWithItsTitle)
{
    const QString format = lines({"[SLIPTITLE]", "Left=10", "Top=20"});
    EXPECT_EQ(generate(format, kSlip, request({true, false, true, false})),
              (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,見積書,10,20", "page", "text,見積書(写),10,20"}));
    EXPECT_EQ(generate(format, kSlip, request({false, false, false, true})), QStringList())
        << "an empty title writes nothing, and no page line stands before or after";
    EXPECT_EQ(generate(format, kSlip, request({false, false, false, false})), QStringList());
    EXPECT_EQ(generate(QString(), kSlip, request({true, true, false, true})), (QStringList{"page", "page"}))
        << "a missing format gives only the page lines between copies";
}

TEST(PrintDataGeneration, fontAndBrushLines_areWrittenOnlyWhenTheyChange)
{
    const QString format = lines({"[Global]", "FontName=ＭＳ 明朝", "FontSize=30", "BrushStyle=2", "BrushColor=0xFF",
                                  "[Cust,Name]", "Type=STRING", "Left=1", "Top=2", "FontName=ＭＳ Ｐゴシック",
                                  "FontStyle=0", "FontSize=40", "FontColor=255",
                                  "[Cust,Name,b]", "Type=String", "Left=3", "Top=4", "FontName=ＭＳ Ｐゴシック",
                                  "FontStyle=0", "FontSize=40", "FontColor=255",
                                  "[cust,NAME,c]", "Type=STRING", "Left=5", "Top=6",
                                  "[CUST,Name,d]", "Type=STRING", "Left=7", "Top=8"});
    EXPECT_EQ(generate(format, kSlip),
              (QStringList{"font,\"ＭＳ Ｐゴシック\",40,0,255",
                           "text,山田太郎,1,2", "text,山田太郎,3,4", "font,\"ＭＳ 明朝\",30,0,0", "brush,2,255",
                           "text,山田太郎,5,6", "text,山田太郎,7,8"}));
}

TEST(PrintDataGeneration, ownFontWithAKeyMissing_usesTheFontLastWritten)
{
    const QString format = lines({"[Cust,Name]", "Type=STRING", "Left=1", "Top=2", "FontName=ＭＳ 明朝",
                                  "FontStyle=1", "FontSize=50", "FontColor=0",
                                  "[No,SlipDate]", "Type=DATE", "Left=3", "Top=4", "FontName=ＭＳ ゴシック",
                                  "FontStyle=0", "FontSize=-1", "FontColor=0",
                                  "[Car,Tax]", "Type=CURRENCY", "Left=5", "Top=6", "Digit=%.0n", "FontName=x",
                                  "FontStyle=0", "FontColor=0"});
    EXPECT_EQ(generate(format, kSlip), (QStringList{"font,\"ＭＳ 明朝\",50,1,0", "text,山田太郎,1,2",
                                                   "text,2008/04/01,3,4", "text,\"1,500\",5,6"}));
}

TEST(PrintDataGeneration, globalSection_isReadEachTimeAndCarriedIntoTheNextCopy)
{
    const QString format = lines({"[Cust,Name]", "Type=STRING", "[Global]", "FontName=ＭＳ 明朝", "FontSize=45",
                                  "FontColor=0xFF", "FontStyle=2"});
    EXPECT_EQ(generate(format, kSlip, request({true, true, false, false})),
              (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,山田太郎,0,0", "page",
                           "font,\"ＭＳ 明朝\",45,2,255", "brush,16777215,16777215", "text,山田太郎,0,0"}));
}

TEST(PrintDataGeneration, globalInOtherCase_isNoDocumentSettingsAndPrintsNothing)
{
    const QString format = lines({"[GLOBAL]", "FontName=ＭＳ 明朝", "FontSize=45", "Type=STRING",
                                  "[Cust,Name]", "Type=STRING", "FontColor=red"});
    EXPECT_EQ(generate(format, kSlip), (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,山田太郎,0,0"}));
}

TEST(PrintDataGeneration, currencyZero_isBlankUnlessZeroDispAndWritesNoFontLine)
{
    const QString format = lines({"[Car,Price]", "Type=CURRENCY", "Digit=%.0n", "[Car,Price,nothing]",
                                  "[Car,Missing]", "Type=CURRENCY", "Digit=%.0n円", "Left=9"});
    EXPECT_EQ(generate(format, kSlip), QStringList());
    const QString shown = lines({"[Car,Missing]", "Type=CURRENCY", "Digit=%.0n円", "ZeroDisp=1", "Left=9",
                                 "[Car,Tax]", "Type=CURRENCY", "Digit=", "Left=8"});
    EXPECT_EQ(generate(shown, kSlip), (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,0円,9,0"}))
        << "an empty Digit pattern prints nothing";
}

TEST(PrintDataGeneration, itemSections_matchSlipNamesInAnyCaseAndAlignSelectsTheCommand)
{
    const QString format = lines({"[cust,name]", "Type=string", "Align=1", "[CUST,NAME,extra]", "Type=STRING",
                                  "Align=2", "[Cust \"Name\"]", "Type=STRING", "Align=7", "[Cust,Name,noType]",
                                  "[Cust,Name,other]", "Type=TEXT"});
    EXPECT_EQ(generate(format, kSlip), (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "rtext,山田太郎,0,0",
                                                   "ctext,山田太郎,0,0", "text,山田太郎,0,0"}))
        << "three parts count as two, a blank splits like a comma, no Type prints nothing";
}

TEST(PrintDataGeneration, singleDates_blankWhenMissingMalformedOrZero)
{
    const QString slip = lines({"[No]", "SlipDate=2008/04/01", "Zero=1899/12/30", "Bad=2008-04-01", "Day=2008/02/30"});
    const QString format = lines({"[No,SlipDate]", "Type=DATE", "[No,Zero]", "Type=DATE", "[No,Bad]", "Type=DATE",
                                  "[No,Day]", "Type=DATE", "[No,None]", "Type=DATE",
                                  "[No,SlipDate,own]", "Type=DATE", "DateFormat='yyyy\"年\"m\"月\"d\"日\"'"});
    PrintDataRequest era = request();
    era.defaultDatePattern = kEraDatePattern;
    PrintDataGenerator generator;
    EXPECT_EQ(generator.makeLines(IniProfile::fromText(slip),
                                  IniProfile::fromText(format, IniProfile::Quotes::DoubleOrSingle), era),
              (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text," + formatDatePattern(kEraDatePattern, QDate(2008, 4, 1)) + ",0,0",
                           "text,2008年4月1日,0,0"}));
}

TEST(PrintDataGeneration, listRows_followSlipOrderWithCaseSensitivePrefixAndKeepTheirPlace)
{
    const QString format = lines({"[Car,LineA]", "Type=line", "Column=3", "LineHeight=50", "Type1=STRING",
                                  "Left1=100", "Top1=1000", "Type2=CURRENCY", "Digit2=%.0n", "Left2=900",
                                  "Top2=1000", "Align2=1", "Type3=Mark", "Left3=950", "Top3=1000",
                                  "[Car,linea]", "Type=LINE", "Column=2", "Type1=STRING",
                                  "[Car,LineZ]", "Type=LINE", "Column=2", "Type1=STRING"});
    EXPECT_EQ(generate(format, kSlip),
              (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,ナビ,100,1000", "rtext,\"150,000\",900,1000",
                           "text,1,950,1000", "text,\"マット,バイザー\",100,1100", "rtext,\"12,000\",900,1100"}));
}

TEST(PrintDataGeneration, listWithOneColumn_printsNothing)
{
    EXPECT_EQ(generate(lines({"[Car,LineA]", "Type=LINE", "Left=5"}), kSlip), QStringList());
}

TEST(PrintDataGeneration, columnFields_convertDatesAndAmountsAndRefuseBadOnes)
{
    const QString slip = lines({"[Car]", "LineA1=2008/04/01,1.5,0,x", "LineA2=2008/13/01,1", "LineA3=a,abc"});
    const QString format = lines({"[Car,LineA1]", "Column=4", "Type1=DATE", "DateFormat1=yyyy.mm.dd", "Type2=CURRENCY",
                                  "Digit2=%.2f", "Type3=CURRENCY", "Digit3=%.0n", "Type4=STRING"});
    EXPECT_EQ(generate(format, slip),
              (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,2008.04.01,0,0", "text,1.50,0,0", "text,x,0,0"}));

    const QString badDate = lines({"[Car,LineA2]", "Column=2", "Type1=DATE"});
    const QString message = errorOf(badDate, slip);
    EXPECT_TRUE(message.contains(QStringLiteral("[Car,LineA2]"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("2008/13/01"))) << message.toStdString();

    const QString badAmount = lines({"[Car,LineA3]", "Column=2", "Type2=CURRENCY", "Digit2=%.0n"});
    EXPECT_TRUE(errorOf(badAmount, slip).contains(QStringLiteral("abc")));
}

TEST(PrintDataGeneration, badDigitPattern_stopsNamingTheSectionAndLeavesNoPrintData)
{
    QTemporaryDir dir;
    const QString format = dir.filePath(QStringLiteral("bad.fmt"));
    const QString slip = dir.filePath(QStringLiteral("slip.pvq"));
    test::writeSjisLines(format, {"[Cust,Name]", "Type=STRING", "[Car,Tax]", "Type=CURRENCY", "Digit=%d"});
    test::writeSjisLines(slip, {"[Car]", "Tax=1500"});
    const QString out = dir.filePath(QStringLiteral("PrTmpDat"));
    test::writeBytes(out, "text,old run,0,0\r\n");

    PrintDataRequest r = request();
    r.slipPath = slip;
    r.formatPath = format;
    PrintDataGenerator generator;
    try {
        generator.generate(r, out);
        ADD_FAILURE() << "a %d pattern must stop the generation";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("[Car,Tax]"))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(PrintDataGeneration, titleThatShiftJisCannotHold_failsClearlyAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString format = dir.filePath(QStringLiteral("title.fmt"));
    test::writeSjisLines(format, {"[SLIPTITLE]"});
    const QString out = dir.filePath(QStringLiteral("PrTmpDat"));
    test::writeBytes(out, "text,old run,0,0\r\n");
    PrintDataRequest r = request();
    r.slipPath = test::fixturePath(QStringLiteral("print/generation/example.pvq"));
    r.formatPath = format;
    r.titles[0] = QStringLiteral("見積書\U0001F600");
    PrintDataGenerator generator;
    EXPECT_THROW(generator.generate(r, out), Error);
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(PrintDataGeneration, onePartListSection_stopsOnlyWhenTheSlipSectionHasKeys)
{
    const QString message = errorOf(lines({"[Car]", "Type=LINE", "Column=2"}), kSlip);
    EXPECT_TRUE(message.contains(QStringLiteral("[Car]"))) << message.toStdString();
    EXPECT_EQ(generate(lines({"[Nothing]", "Type=LINE", "Column=2", "[SLIPTITLE]", "Type=LINE"}), kSlip),
              QStringList());
}

TEST(PrintDataGeneration, missingSlipFile_generatesNothing)
{
    QTemporaryDir dir;
    PrintDataRequest r = request();
    r.slipPath = dir.filePath(QStringLiteral("none.pvq"));
    PrintDataGenerator generator;
    EXPECT_EQ(generator.generate(r, dir.filePath(QStringLiteral("out"))), QString());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("out"))));
}

TEST(PrintDataGeneration, logoAndScriptSections_writeTheirLinesOnceAnyColumnCount)
{
    const QString format = lines({"[logoimage]", "Column=3", "Left=100", "Top=200", "Width=50", "Height=0x10",
                                  "[Script]", "Column=2", "1=text,\"A B\",100,200", "2=text,\"A,B\",100,200",
                                  "3=", "4=page", "5=line,1,,2,", "6=text\t\"say \"\"hi\"\"\" tail,1,2", "1=dup"});
    PrintDataRequest r = request();
    r.setPath = QStringLiteral("/a b/本社.Dat");
    PrintDataGenerator generator;
    EXPECT_EQ(generator.makeLines(IniProfile::fromText(kSlip),
                                  IniProfile::fromText(format, IniProfile::Quotes::DoubleOrSingle), r),
              (QStringList{"logo,100,200,150,216,\"/a b/本社.Dat\"", "2", "text,\"A B\",100,200",
                           "text,\"\"\"A\",\"B\"\"\",100,200", "", "page", "line,1,,2",
                           "text,\"say \"\"hi\"\"\",1,2", "text,\"A B\",100,200"}))
        << "every key line is a script line, Column included; a key given twice reads its first value";
    EXPECT_EQ(generate(lines({"[LogoImage]", "Column=0", "[Script]", "Column=-1", "1=page"}), kSlip), QStringList())
        << "Column 0 or less writes nothing";
}

TEST(PrintDataGeneration, rowOffsets_doNotOverflow)
{
    const QString format = lines({"[Car,LineA]", "Type=LINE", "Column=2", "Type1=STRING", "Top1=2147483647",
                                  "LineHeight=2147483647"});
    const QString slip = lines({"[Car]", "LineA1=a,", "LineA2=b,"});
    EXPECT_EQ(generate(format, slip).last(), QStringLiteral("text,b,0,4294967294"));
}

TEST(PrintDataGeneration, progress_runsFromZeroToFourTimesTheSectionsWithoutPassingIt)
{
    const QString format = lines({"[Global]", "[Cust,Name]", "Type=STRING", "[Script]", "1=page"});
    std::vector<std::pair<int, int>> reports;
    PrintDataGenerator generator;
    generator.setProgressCallback([&](int value, int maximum) { reports.emplace_back(value, maximum); });
    generator.makeLines(IniProfile::fromText(kSlip), IniProfile::fromText(format), request({true, false, true, false}));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front(), std::make_pair(0, 12));
    EXPECT_EQ(reports.back(), std::make_pair(12, 12));
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].first, reports[i - 1].first);
        EXPECT_LE(reports[i].first, 12);
    }
    EXPECT_EQ(reports.size(), 1u + 3 + 1 + 1 + 3 + 1 + 1) << "each section of a printed copy, each copy's end";
}

namespace {

// A data root with the example format named in DefPrDat for both kinds.
struct CliData
{
    QTemporaryDir dir;
    DataFolder data{dir.path()};
    QString slip = dir.filePath(QStringLiteral("伝票.pvq"));
    QString out = dir.filePath(QStringLiteral("out.prn"));

    CliData(const QStringList &defPrDat = {})
    {
        QDir().mkpath(data.datPath(QStringLiteral("Fmt")));
        QDir().mkpath(data.datPath(QStringLiteral("Mst")));
        QFile::copy(test::fixturePath(QStringLiteral("print/generation/Mitsumori1.fmt")),
                    data.datPath(QStringLiteral("Fmt/Mitsumori1.fmt")));
        test::writeSjisLines(data.datPath(QStringLiteral("Fmt/Order.fmt")),
                             {"[SLIPTITLE]", "[Cust,Name]", "Type=STRING", "Left=7", "[LogoImage]"});
        test::writeSjisLines(data.datPath(QStringLiteral("Mst/DefPrDat")),
                             QStringList{"[Def]", "FomatM=Mitsumori1", "FomatT=Order", "Logo=本社"} + defPrDat);
        QFile::copy(test::fixturePath(QStringLiteral("print/generation/example.pvq")), slip);
    }
    test::CliResult run(const QStringList &args)
    {
        return test::runCli(QStringList{"--data-dir", dir.path(), "printdata", slip, "-o", out} + args);
    }
    QStringList outLines() const
    {
        return cp932::decode(test::readBytes(out)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

} // namespace

TEST(PrintdataCommand, defaults_comeFromDefPrDatAndTheSlipsKind)
{
    CliData d;
    const test::CliResult r = d.run({});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = d.outLines();
    ASSERT_EQ(lines.size(), 28) << "copies 1 and 2 are on by default";
    EXPECT_EQ(lines[1], QStringLiteral("ctext,見積書,1050,150"));
    EXPECT_EQ(lines[16], QStringLiteral("ctext,見積書(控),1050,150"));
    EXPECT_EQ(lines[11], "logo,1200,2400,2000,2733," + d.data.datPath(QStringLiteral("Etc/本社.Dat")));

    test::writeSjisLines(d.slip, {"[No]", "SlipDiv=1", "[Cust]", "Name=佐藤"});
    ASSERT_EQ(d.run({"--copies", "2"}).exitCode, 0);
    EXPECT_EQ(d.outLines(), (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,注文書(控),0,0", "text,佐藤,7,0",
                                         "logo,0,0,0,0," + d.data.datPath(QStringLiteral("Etc/本社.Dat"))}))
        << "SlipDiv 1 prints the order form with its titles";
}

TEST(PrintdataCommand, options_overrideKindFormatTitlesCopiesAndSet)
{
    CliData d({"[Fuk]", "0=0", "1=0"});
    const QString format = d.data.datPath(QStringLiteral("Fmt/Order.fmt"));
    test::CliResult r = d.run({"--kind", "注文書", "--titles", "A,,C", "--copies", "1,2,3", "--logo", "支店"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString logo = "logo,0,0,0,0," + d.data.datPath(QStringLiteral("Etc/支店.Dat"));
    EXPECT_EQ(d.outLines(), (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,A,0,0", "text,山田太郎,7,0", logo,
                                         "page", "text,山田太郎,7,0", logo, "page", "text,C,0,0",
                                         "text,山田太郎,7,0", logo}));

    r = d.run({"--format", format, "--copies", "4", "--titles", "x,y,z,w", "--logo", "/elsewhere/set.dat"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(d.outLines().value(1), QStringLiteral("text,w,0,0"));
    EXPECT_EQ(d.outLines().last(), QStringLiteral("logo,0,0,0,0,/elsewhere/set.dat"));

    r = d.run({"--copies", ""});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(test::readBytes(d.out).isEmpty()) << "no copy switched on: an empty print-data file";
}

TEST(PrintdataCommand, settingsDateStyle_isTheDefaultDatePattern)
{
    CliData d;
    test::writeSjisLines(d.data.datPath(QStringLiteral("Fmt/Dates.fmt")), {"[No,SlipDate]", "Type=DATE"});
    ASSERT_EQ(d.run({"--format", "Dates", "--copies", "1"}).exitCode, 0);
    EXPECT_EQ(d.outLines().value(1), QStringLiteral("text,2008/04/01,0,0"));
    test::writeSjisLines(d.dir.filePath(QStringLiteral("vendara.ini")), {"[Date]", "Date=1"});
    ASSERT_EQ(d.run({"--format", "Dates", "--copies", "1"}).exitCode, 0);
    EXPECT_EQ(d.outLines().value(1),
              "text," + formatDatePattern(kEraDatePattern, QDate(2008, 4, 1)) + ",0,0");
}

TEST(PrintdataCommand, badInputs_failWithOneLineAndWriteNothing)
{
    CliData d;
    for (const QStringList &args : {QStringList{"--kind", "請求書"}, QStringList{"--copies", "5"},
                                    QStringList{"--copies", "x"}, QStringList{"--titles", "a,b,c,d,e"}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const test::CliResult r = d.run(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(d.out));
    }
    test::writeSjisLines(d.data.datPath(QStringLiteral("Fmt/Bad.fmt")), {"[Car,Price]", "Type=CURRENCY", "Digit=%s"});
    test::CliResult r = d.run({"--format", "Bad"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("[Car,Price]"))) << r.err.toStdString();

    QFile::remove(d.slip);
    r = d.run({});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(d.slip)) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(d.out));
}

TEST(PrintDataGeneration, fullWidthSpacesInValuesAndColumns_arePrinted)
{
    const QString slip = lines({"[Car]", "LineA1=　ナビ,150000,1", "[Note]", "Memo1=　よろしくお願いします"});
    const QString format = lines({"[Car,LineA]", "Type=LINE", "Column=2", "Type1=STRING", "Left1=100", "Top1=1000",
                                  "[Note,Memo1]", "Type=STRING", "Left=100", "Top=2000"});
    EXPECT_EQ(generate(format, slip), (QStringList{"font,\"ＭＳ ゴシック\",10,0,0", "text,　ナビ,100,1000",
                                                   "text,150000,0,0", "text,　よろしくお願いします,100,2000"}));
}

TEST(PrintDataGeneration, columnCountBeyondASheet_isRefusedNamingTheSection)
{
    const QString slip = lines({"[Car]", "LineA1=a,b"});
    EXPECT_TRUE(errorOf(lines({"[Car,LineA1]", "Column=1000", "Type1=STRING"}), slip).isEmpty());
    for (const char *columns : {"Column=1001", "Column=3000000", "Column=2147483647"}) {
        const QString message = errorOf(lines({"[Car,LineA1]", columns, "Type1=STRING"}), slip);
        EXPECT_TRUE(message.contains(QStringLiteral("[Car,LineA1]"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("Column="))) << message.toStdString();
    }
}
