#include "sliplisttesting.h"

#include "sliplist/slipsummary.h"

#include "support/permissions.h"
#include "support/testdata.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

TEST(SlipSummary, writtenSlip_agreesWithTheFullReader)
{
    QTemporaryDir dir;
    for (const SlipRecord &sample : {test::workedTotalsSlip(), test::fullyFilledSlip()}) {
        const QString path = test::writeListSlip(dir.path(), QStringLiteral("s.pvq"), [&](SlipRecord &s) { s = sample; });
        SlipDocument full;
        readSlip(full, path);
        const SlipRecord &r = full.record();
        const SlipSummary s = readSlipSummary(path);
        ASSERT_TRUE(s.isReadable()) << s.error.toStdString();
        EXPECT_EQ(s.fileName, QStringLiteral("s.pvq"));
        EXPECT_EQ(s.slipCode, r.no.slipCode);
        EXPECT_EQ(s.kind, documentKindOfSlipDiv(r.no.slipDiv));
        EXPECT_EQ(s.issueDate, r.no.slipDate);
        EXPECT_EQ(s.staff, r.no.charge);
        EXPECT_EQ(s.customerName, r.cust.name);
        EXPECT_EQ(s.customerTitle, r.cust.title);
        EXPECT_EQ(s.carName, r.car.name);
        EXPECT_EQ(s.total, qint64(r.price.last));
        EXPECT_NE(s.total, 0);
        EXPECT_EQ(s.postalCode(), r.cust.zip1.isEmpty() ? QString() : r.cust.zip1 + u'-' + r.cust.zip2);
        EXPECT_EQ(s.prefecture + s.address1, r.cust.cityAdd1());
        EXPECT_EQ(s.address2, r.cust.add2);
        EXPECT_EQ(s.tel, r.cust.tel);
    }
}

// Files other programs or older versions left: the keys are read the way the
// slip reader reads them.
TEST(SlipSummary, handEditedKeys_readAsTheSlipReaderDoes)
{
    SlipSummary s;
    summarizeSlipBytes(QByteArray("  [no] \n SLIPCODE = \"00000042\" \r"
                                  "slipdiv=7\r\nSlipDate=1899/12/30\r\nSlipCode=99999999\r\n"
                                  "[Car]\r\nName=\"\"\r\n[Cust]\r\nName=first\r\n"
                                  "[No]\r\nCharge=from a second section\r\n"
                                  "[Price]\r\nLast=99999999999\r\n"),
                       s);
    ASSERT_TRUE(s.isReadable());
    EXPECT_EQ(s.slipCode, QStringLiteral("00000042"));
    EXPECT_EQ(s.kind, DocumentKind::Estimate); // a kind out of range is an estimate
    EXPECT_FALSE(s.issueDate.isValid());        // the zero date is no date
    EXPECT_EQ(s.staff, QString());              // a section named twice is read at its first
    EXPECT_EQ(s.customerName, QStringLiteral("first"));
    EXPECT_EQ(s.carName, QString());
    EXPECT_EQ(s.total, 0); // beyond 32 bits
    EXPECT_EQ(s.customerTitle, QStringLiteral("様"));

    SlipSummary sjis;
    summarizeSlipBytes(QByteArray("[No]\r\nCharge=\x8d\xb2\x93\xa1\r\n"), sjis); // 佐藤
    EXPECT_EQ(sjis.staff, QStringLiteral("佐藤"));
    EXPECT_EQ(sjis.slipCode, QStringLiteral("00000000"));
}

TEST(SlipSummary, filesThatAreNoSlips_giveRowsWithTheirError)
{
    QTemporaryDir dir;
    auto errorOf = [&](const char *name, const QByteArray &bytes) {
        const QString path = dir.filePath(QLatin1String(name));
        test::writeBytes(path, bytes);
        const SlipSummary s = readSlipSummary(path);
        EXPECT_EQ(s.fileName, QLatin1String(name));
        EXPECT_GE(s.stamp.size, 0);
        EXPECT_TRUE(s.slipCode.isEmpty() && s.customerName.isEmpty());
        return s.error;
    };
    EXPECT_EQ(errorOf("empty.pvq", {}), QStringLiteral("空のファイルです"));
    EXPECT_EQ(errorOf("binary.pvq", QByteArray("[No]\r\nSlipCode=1\0\x01", 17)), QStringLiteral("伝票ファイルではありません"));
    EXPECT_EQ(errorOf("other.pvq", "[Settings]\r\nDir=/tmp\r\n"), QStringLiteral("伝票ファイルではありません"));
    EXPECT_EQ(errorOf("huge.pvq", QByteArray(kLargestSlipFile + 1, 'x')), QStringLiteral("大きすぎます (伝票ファイルではありません)"));
    EXPECT_EQ(readSlipSummary(dir.filePath(QStringLiteral("gone.pvq"))).error, QStringLiteral("ファイルが見つかりません"));
}

TEST(SlipSummary, unreadableFile_givesItsError)
{
    const test::PermissionsBind bind;
    if (!bind.failure().isEmpty())
        GTEST_SKIP() << bind.failure().toStdString();
    QTemporaryDir dir;
    const QString path = test::writeListSlip(dir.path(), QStringLiteral("locked.pvq"));
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    const SlipSummary s = readSlipSummary(path);
    EXPECT_EQ(s.error, QStringLiteral("読み込めません"));
    EXPECT_EQ(s.fileName, QStringLiteral("locked.pvq"));
}

} // namespace
