#include "print/formatfile.h"

#include "support/testdata.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

struct FormatFolder
{
    QTemporaryDir dir;
    DataFolder data{dir.path()};
    FormatFolder() { QDir().mkpath(data.datPath(QStringLiteral("Fmt"))); }
    void add(const QString &fileName, const QString &type, const QString &name, const char *section = "Global")
    {
        test::writeSjisLines(data.datPath(QStringLiteral("Fmt/") + fileName),
                             {QStringLiteral("[%1]").arg(QString::fromLatin1(section)), "FormatType=" + type,
                              "FormatName=" + name});
    }
};

IniProfile format(std::initializer_list<const char *> lines)
{
    QStringList text;
    for (const char *l : lines)
        text.append(QString::fromUtf8(l));
    return IniProfile::fromText(text.join(u'\n'), IniProfile::Quotes::DoubleOrSingle);
}

const QString kEstimate = QStringLiteral("見積書");
const QString kOrder = QStringLiteral("注文書");

} // namespace

TEST(FormatListing, folderOfFormats_listsExactTypeAndNameMatchesSortedByName)
{
    FormatFolder f;
    f.add(QStringLiteral("Plan.fmt"), kEstimate, QStringLiteral("plan"));   // name differs in case
    f.add(QStringLiteral("B.fmt"), kEstimate, QStringLiteral("B"));
    f.add(QStringLiteral("A.fmt"), kEstimate, QStringLiteral("A"), "GLOBAL"); // listing reads any case
    f.add(QStringLiteral("Order.fmt"), kOrder, QStringLiteral("Order"));
    f.add(QStringLiteral("Copy.fmt"), QStringLiteral("見積書(控)"), QStringLiteral("Copy"));
    f.add(QStringLiteral("Quoted.fmt"), "'" + kEstimate + "'", QStringLiteral("\"Quoted\""));
    f.add(QStringLiteral("Upper.FMT"), kEstimate, QStringLiteral("Upper"));
    f.add(QStringLiteral("Other.txt"), kEstimate, QStringLiteral("Other"));
    QDir().mkpath(f.data.datPath(QStringLiteral("Fmt/Dir.fmt")));

    EXPECT_EQ(listFormats(f.data, kEstimate), (QStringList{"A", "B", "Quoted"}));
    EXPECT_EQ(listFormats(f.data, kOrder), QStringList{"Order"});

    f.add(QStringLiteral("Plan.fmt"), kEstimate, QStringLiteral("Plan"));
    EXPECT_EQ(listFormats(f.data, kEstimate), (QStringList{"A", "B", "Plan", "Quoted"}));
    EXPECT_EQ(listFormats(f.data, kOrder), QStringList{"Order"}) << "listed for its own kind only";
}

TEST(FormatListing, missingFolder_listsNothing)
{
    QTemporaryDir dir;
    EXPECT_EQ(listFormats(DataFolder(dir.path()), kEstimate), QStringList());
}

TEST(FormatGlobal, globalKeys_readHexAndFallBackToDefaultsWhenMissingOrText)
{
    const FormatGlobal empty = FormatGlobal::read(IniProfile());
    EXPECT_EQ(empty.font, FormatFont{});
    EXPECT_EQ(empty.font.face, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(empty.font.size, 10);
    EXPECT_EQ(empty.brush.style, 16777215);
    EXPECT_EQ(empty.brush.color, 16777215);

    const FormatGlobal g = FormatGlobal::read(format({"[global]", "FontColor=0xFF", "BrushColor=red",
                                                      "FontName='ＭＳ 明朝'", "FontSize=35", "FontSize=99",
                                                      "FontStyle=0X3", "PageHeight=2970", "Repeat=2"}));
    EXPECT_EQ(g.font.color, 255);
    EXPECT_EQ(g.brush.color, 16777215) << "text that is no integer reads as the default";
    EXPECT_EQ(g.font.face, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(g.font.size, 35) << "the first of two keys is read";
    EXPECT_EQ(g.font.style, 3);
    EXPECT_EQ(g.pageHeight, 2970);
    EXPECT_EQ(g.repeat, 2);
}

TEST(FormatSections, sectionNameAndType_decideTheKind)
{
    const IniProfile f = format({"[Global]", "[GLOBAL2]", "[sliptitle]", "[LogoImage]", "[Script]", "[Cust,Name]",
                                 "Type=STRING", "[Car,LineA]", "Type=line", "[Car,LineB,extra]", "Type=LINE",
                                 "[Memo]", "[Cust,Title]"});
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("Global")), FormatSectionKind::DocumentSettings);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("GLOBAL")), FormatSectionKind::None);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("sliptitle")), FormatSectionKind::Title);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("LogoImage")), FormatSectionKind::CompanyBlock);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("Script")), FormatSectionKind::Script);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("Cust,Name")), FormatSectionKind::Item);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("Cust,Title")), FormatSectionKind::Item);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("Car,LineA")), FormatSectionKind::List);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("Car,LineB,extra")), FormatSectionKind::List);
    EXPECT_EQ(formatSectionKind(f, QStringLiteral("Memo")), FormatSectionKind::None);
}

TEST(FormatSections, sectionNames_splitLikeCommaTextIntoAtMostTwoParts)
{
    EXPECT_EQ(formatSectionParts(QStringLiteral("Car,LineA")), (QStringList{"Car", "LineA"}));
    EXPECT_EQ(formatSectionParts(QStringLiteral(" Car , LineA ")), (QStringList{"Car", "LineA"}));
    EXPECT_EQ(formatSectionParts(QStringLiteral("Car LineA extra")), (QStringList{"Car", "LineA"}));
    EXPECT_EQ(formatSectionParts(QStringLiteral("\"My Sec\",Key")), (QStringList{"My Sec", "Key"}));
    EXPECT_EQ(formatSectionParts(QStringLiteral("Script")), QStringList{"Script"});
    EXPECT_TRUE(formatSectionParts(QString()).isEmpty());
}

TEST(FormatSections, columnKeys_areNumberedOnlyWithSeveralColumns)
{
    EXPECT_EQ(formatColumnKey(QStringLiteral("Left"), 1, 1), QStringLiteral("Left"));
    EXPECT_EQ(formatColumnKey(QStringLiteral("Left"), 1, 2), QStringLiteral("Left1"));
    EXPECT_EQ(formatColumnKey(QStringLiteral("Digit"), 12, 12), QStringLiteral("Digit12"));
}

TEST(FormatFile, missingFile_readsEmptyAndANameMapsToItsFmtPath)
{
    QTemporaryDir dir;
    EXPECT_TRUE(loadFormatFile(dir.filePath(QStringLiteral("none.fmt"))).sectionNames().isEmpty());
    const DataFolder data(dir.path());
    EXPECT_EQ(formatFilePath(data, QStringLiteral("見積書_A4")), data.datPath(QStringLiteral("Fmt/見積書_A4.fmt")));
    EXPECT_EQ(formatFilePath(data, QString()), data.datPath(QStringLiteral("Fmt/.fmt")));
}
