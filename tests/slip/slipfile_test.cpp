#include "slip/slipcalc.h"
#include "slip/slipdocument.h"
#include "slip/slipfield.h"
#include "slip/slipfile.h"
#include "support/slipsamples.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "support/testdata.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

const QDate kToday(2026, 12, 7);

// The document a read of these lines gives.
SlipRecord readLines(const QStringList &lines)
{
    return readSlipProfile(IniProfile::fromText(lines.join(QStringLiteral("\r\n"))), kToday);
}

IniProfile written(const SlipRecord &slip)
{
    IniProfile ini;
    writeSlipProfile(slip, ini);
    return ini;
}

QStringList keysOf(const IniProfile &ini, const QString &section)
{
    QStringList keys;
    for (const auto &entry : ini.sectionEntries(section))
        keys.append(entry.first);
    return keys;
}

QStringList numberedKeys(const QString &prefix, int count, const QString &suffix = {})
{
    QStringList keys;
    for (int n = 1; n <= count; ++n)
        keys.append(prefix + QString::number(n) + suffix);
    return keys;
}

} // namespace

TEST(SlipFile, fullyFilledSlip_survivesWriteAndRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.pvq"));
    SlipDocument doc;
    doc.loadRecord(test::fullyFilledSlip());
    doc.setEventsOn(true);
    doc.setText(SlipField::CustTel, QStringLiteral("03-0000-0000"));
    writeSlip(doc, path);
    EXPECT_FALSE(doc.isModified());

    SlipDocument back;
    readSlip(back, path);
    EXPECT_FALSE(back.isModified());
    EXPECT_EQ(back.record(), doc.record());
    // The inputs came through as given, and the totals were computed first.
    EXPECT_EQ(back.record().car.lineA[8].name, "マット,バイザー");
    EXPECT_EQ(back.record().car.lineB[8].name, "\"引用\" 付き");
    EXPECT_EQ(back.record().car.grade, "G \"X\"");
    EXPECT_EQ(back.record().car.lineB[8].price, "abc");
    EXPECT_FALSE(back.record().pay[PlanRow::Month].isEmpty());
    EXPECT_EQ(back.record().pay[PlanRow::Deb], "150000");
}

TEST(SlipFile, newFile_hasEverySectionAndKeyInWritingOrder)
{
    const IniProfile ini = written(test::fullyFilledSlip());
    EXPECT_EQ(ini.sectionNames(), QStringList({"Idx", "No", "Cust", "Tax", "Car", "Cost", "Trade", "Price", "Pay",
                                               "Note", "Print"}));
    EXPECT_EQ(keysOf(ini, "Idx"), numberedKeys("Btn", 9) + numberedKeys("Label", 9) + numberedKeys("Label", 9, "c"));
    EXPECT_EQ(keysOf(ini, "No"), QStringList({"SlipCode", "SlipDiv", "SlipDate", "Charge"}));
    EXPECT_EQ(keysOf(ini, "Cust"),
              QStringList({"Name", "Title", "Zip1", "Zip2", "City", "Add1", "Add2", "City_Add1", "Tel"}));
    EXPECT_EQ(keysOf(ini, "Tax"), QStringList({"Rate", "Cut"}));
    const QStringList vehicle{"Name", "Grade", "First", "Check", "NoCheck", "NoFirst", "Kiro", "ESize", "Outer",
                              "Inner", "TypeCode", "Accessory", "Memo1", "Memo2"};
    EXPECT_EQ(keysOf(ini, "Car"), vehicle + QStringList({"Price", "Tax", "Disc", "DiscBtn", "NewOld", "Left"})
                                      + numberedKeys("LineA", 9) + numberedKeys("LineB", 9));
    EXPECT_EQ(keysOf(ini, "Cost"),
              QStringList({"Tax", "WTax", "Ins", "GTax"}) + numberedKeys("LineA", 7) + numberedKeys("LineB", 9));
    EXPECT_EQ(keysOf(ini, "Trade"), vehicle + QStringList({"Price", "Trade", "Tax", "Ins", "Deb"}));
    EXPECT_EQ(keysOf(ini, "Price"),
              QStringList({"DisTitle", "Car", "Dis", "Obj", "ObjTx", "Acc", "AccTx", "Spc", "SpcTx", "Prc", "PrcTx",
                           "TxCst", "PrCst", "PrCstTx", "ExCst", "Cost", "CostTx", "CarAmt", "CarAmtTx", "TaxInc",
                           "Last"}));
    EXPECT_EQ(keysOf(ini, "Pay"), QStringList({"Method", "Down", "Rate", "Time", "BTime", "BPlus", "Head", "All",
                                               "Int", "Bonus1", "Bonus2", "First", "Month", "Total"}));
    EXPECT_EQ(keysOf(ini, "Note"), QStringList({"Memo1", "Memo2", "Memo3"}));
    EXPECT_EQ(keysOf(ini, "Print"),
              QStringList({"PriceTitle", "DisTitle", "PayMethod", "CarCheck", "TrCheck", "CarFirst", "TrCarFirst"}));
}

TEST(SlipFile, everyKindOfValue_isWrittenInTheFilesEncoding)
{
    SlipRecord s = test::fullyFilledSlip();
    s.car.kiro = 12345.9;
    s.car.price = -200.7;
    s.car.lineA[0] = {QStringLiteral("ナビ"), QStringLiteral("150000"), QStringLiteral("1")};
    s.car.lineA[1] = {QStringLiteral("フロア マット"), QStringLiteral("12000"), {}};
    s.car.lineA[2] = {};
    s.cost.lineA[0] = {};
    const IniProfile ini = written(s);
    EXPECT_EQ(ini.value("Car", "Kiro"), "12345");
    EXPECT_EQ(ini.value("Car", "Price"), "-200");
    EXPECT_EQ(ini.value("Car", "NoCheck"), "1");
    EXPECT_EQ(ini.value("Car", "NoFirst"), "0");
    EXPECT_EQ(ini.value("Car", "First"), "2020/04/01");
    EXPECT_EQ(ini.value("Tax", "Rate"), "8");
    EXPECT_EQ(ini.value("Pay", "Rate"), "3.9");
    EXPECT_EQ(ini.value("Car", "LineA1"), "ナビ,150000,1");
    EXPECT_EQ(ini.value("Car", "LineA2"), "\"フロア マット\",12000,");
    EXPECT_EQ(ini.value("Car", "LineA3"), ",,");
    EXPECT_EQ(ini.value("Car", "LineA9"), "\"マット,バイザー\",12000,1");
    EXPECT_EQ(ini.value("Cost", "LineA1"), ",");
    EXPECT_EQ(ini.value("Cust", "City_Add1"), "東京都千代田区千代田1-1");
    EXPECT_EQ(ini.value("Print", "PriceTitle"), "ご注文金額");
    EXPECT_EQ(ini.value("Print", "PayMethod"), "分割");
    EXPECT_EQ(ini.value("Print", "CarCheck"), "1899/12/30"); // NoCheck
    EXPECT_EQ(ini.value("Car", "Check"), "2027/03/31");
    EXPECT_EQ(ini.value("Print", "TrCarFirst"), "1899/12/30"); // NoFirst
    EXPECT_EQ(ini.value("Print", "TrCheck"), "2025/05/31");

    s.cust.city.clear();
    s.no.slipDiv = 0;
    s.pay.method = true;
    const IniProfile second = written(s);
    EXPECT_EQ(second.value("Cust", "City_Add1"), "千代田区千代田1-1");
    EXPECT_EQ(second.value("Print", "PriceTitle"), "お見積金額");
    EXPECT_EQ(second.value("Print", "PayMethod"), "現金");
}

TEST(SlipFile, file_isShiftJisWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.pvq"));
    SlipDocument doc;
    doc.loadRecord(test::workedTotalsSlip());
    writeSlip(doc, path);
    const QByteArray bytes = test::readBytes(path);
    EXPECT_TRUE(bytes.startsWith("[Idx]\r\nBtn1=0\r\n"));
    EXPECT_FALSE(bytes.contains("\n\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.contains(cp932::encode(u"Title=様\r\n")));
}

TEST(SlipFile, writingIntoAnotherSlipsFile_leavesNoOldValueAndKeepsForeignKeys)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.pvq"));
    SlipDocument old;
    old.loadRecord(test::fullyFilledSlip());
    writeSlip(old, path);
    QByteArray bytes = test::readBytes(path);
    bytes.replace("[Car]\r\n", "[Car]\r\nExtra=keep me\r\n");
    bytes.append("[Custom]\r\nOwn=1\r\n");
    test::writeBytes(path, bytes);

    SlipDocument fresh;
    fresh.startNew({}, kToday);
    writeSlip(fresh, path);

    const IniProfile onDisk = IniProfile::load(path);
    const IniProfile expected = written(fresh.record());
    for (const QString &section : expected.sectionNames())
        for (const auto &[key, value] : expected.sectionEntries(section))
            EXPECT_EQ(onDisk.value(section, key), value) << section.toStdString() << '.' << key.toStdString();
    EXPECT_EQ(onDisk.value("Car", "Memo1"), "");
    EXPECT_EQ(onDisk.value("Car", "Memo2"), "");
    EXPECT_EQ(onDisk.value("Note", "Memo3"), "");
    EXPECT_EQ(onDisk.value("Car", "Extra"), "keep me");
    EXPECT_EQ(onDisk.value("Custom", "Own"), "1");

    // Read back, the slip writes the same keys again (its plan cells now show
    // the stored zeros of cash payment).
    SlipDocument back;
    readSlip(back, path);
    EXPECT_EQ(written(back.record()).toText(), expected.toText());
}

TEST(SlipFile, writingOverItsOwnFileElsewhere_takesItsForeignKeysAlong)
{
    QTemporaryDir dir;
    const QString own = dir.filePath(QStringLiteral("own.pvq"));
    const QString other = dir.filePath(QStringLiteral("other.pvq"));
    test::writeSjisLines(own, {"; memo", "[Car]", "Extra=1", "Price=1000"});
    test::writeSjisLines(other, {"[Other]", "Gone=1"});
    const QByteArray ownBefore = test::readBytes(own);
    SlipDocument doc;
    readSlip(doc, own);
    writeSlipOver(doc, own, other);
    const IniProfile ini = IniProfile::load(other);
    EXPECT_EQ(ini.lines().first(), "; memo");
    EXPECT_EQ(ini.value("Car", "Extra"), "1");
    EXPECT_EQ(ini.value("Price", "Car"), "1000");
    EXPECT_FALSE(ini.hasSection("Other"));
    EXPECT_EQ(test::readBytes(own), ownBefore);
}

TEST(SlipFile, readsWithoutRegardToCaseAndFillsDefaults)
{
    const SlipRecord s = readLines({"[cust]", "NAME=山田", "[car]", "price=1500000", "lineA1=ナビ,150000",
                                    "[PAY]", "method=0", "rate=3.9"});
    EXPECT_EQ(s.cust.name, "山田");
    EXPECT_EQ(s.cust.title, "様");
    EXPECT_EQ(s.no.slipCode, "00000000");
    EXPECT_EQ(s.no.slipDate, kToday);
    EXPECT_EQ(s.car.first, kZeroDate);
    EXPECT_EQ(s.trade.check, kZeroDate);
    EXPECT_EQ(s.car.price, 1500000);
    EXPECT_EQ(s.car.lineA[0], (ItemRow{"ナビ", "150000", ""}));
    EXPECT_FALSE(s.pay.method);
    EXPECT_EQ(s.pay.rate, 3.9);
    for (int n = 0; n < kSectionCount; ++n) {
        EXPECT_FALSE(s.idx.btn[size_t(n)]);
        EXPECT_EQ(s.idx.label[size_t(n)], "未設定");
        EXPECT_EQ(s.idx.labelColour[size_t(n)], kButtonTextColour);
    }
    // Totals read as stored: missing amounts are 0, tax-free rows have no tax.
    EXPECT_EQ(s.price[TotalsRow::Car].amount, "0");
    EXPECT_EQ(s.price[TotalsRow::TxCst].tax, "");
    EXPECT_EQ(s.price[TotalsRow::Dis].amount, "");
}

TEST(SlipFile, rowLines_fillEveryCellOfTheirRow)
{
    const SlipRecord s = readLines({"[Car]", "LineA1=ナビ,150000", "LineA2=,,", "LineA3=\"マット,バイザー\",12000,1",
                                    "LineA4=a\tb\tc\td", "LineA5=  ,  ,1", "LineA6=\"\",\"x\"\"y\",1",
                                    "[Cost]", "LineA1=代行,20000,extra", "LineB1=\"預り 法定\""});
    EXPECT_EQ(s.car.lineA[0], (ItemRow{"ナビ", "150000", ""}));
    EXPECT_EQ(s.car.lineA[1], ItemRow{});
    EXPECT_EQ(s.car.lineA[2], (ItemRow{"マット,バイザー", "12000", "1"}));
    EXPECT_EQ(s.car.lineA[3], (ItemRow{"a", "b", "c"}));
    EXPECT_EQ(s.car.lineA[4], (ItemRow{"", "", "1"}));
    EXPECT_EQ(s.car.lineA[5], (ItemRow{"", "x\"y", "1"}));
    EXPECT_EQ(s.cost.lineA[0], (CostRow{"代行", "20000"}));
    EXPECT_EQ(s.cost.lineB[0], (CostRow{"預り 法定", ""}));

    // A row read over a document's row replaces every cell, the mark included.
    SlipDocument doc;
    SlipRecord marked;
    marked.car.lineA[0] = {"古い", "1", "1"};
    doc.loadRecord(marked);
    doc.loadRecord(s);
    EXPECT_EQ(doc.record().car.lineA[0].mark, "");
}

TEST(SlipFile, discountAmount_needsItsLabel)
{
    EXPECT_EQ(readLines({"[Price]", "Dis=5000"}).price[TotalsRow::Dis].amount, "");
    EXPECT_EQ(readLines({"[Price]", "DisTitle=", "Dis=5000"}).price[TotalsRow::Dis].amount, "");
    const SlipRecord s = readLines({"[Price]", "DisTitle=値引き", "Dis=5000", "Last=12.5", "TaxInc=99"});
    EXPECT_EQ(s.price.disTitle, "値引き");
    EXPECT_EQ(s.price[TotalsRow::Dis].amount, "5000");
    EXPECT_EQ(s.price.last, 0); // not a whole number
    EXPECT_EQ(s.price.taxInc, 99);
}

TEST(SlipFile, fileWithoutTaxSection_hasNoRateAndHalfRounding)
{
    const SlipRecord s = readLines({"[Car]", "Price=1000"});
    EXPECT_EQ(s.tax.rate, 0);
    EXPECT_EQ(s.tax.cut, 0);
    // Choices outside their range read as the first choice.
    const SlipRecord odd = readLines({"[Tax]", "Rate=abc", "Cut=5", "[Car]", "NewOld=3", "[Pay]", "BTime=-1"});
    EXPECT_EQ(odd.tax.rate, 0);
    EXPECT_EQ(odd.tax.cut, 0);
    EXPECT_EQ(odd.car.newOld, 0);
    EXPECT_EQ(odd.pay.bTime, 0);
}

TEST(SlipFile, unknownFirstRegistration_printsAsNotSet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nofirst.pvq"));
    test::writeSjisLines(path, {"[Car]", "First=2020/04/01", "NoFirst=1"});
    SlipDocument doc;
    readSlip(doc, path);
    EXPECT_TRUE(doc.record().car.noFirst);
    EXPECT_EQ(doc.record().car.first, QDate(2020, 4, 1));
    writeSlip(doc, path);
    const IniProfile ini = IniProfile::load(path);
    EXPECT_EQ(ini.value("Print", "CarFirst"), "1899/12/30");
    EXPECT_EQ(ini.value("Car", "First"), "2020/04/01");
}

TEST(SlipFile, cashPayment_writesZerosAndReadsBackOnlyTheDebt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cash.pvq"));
    SlipRecord s = test::fullyFilledSlip();
    s.pay.method = true; // the instalment inputs stay as they are
    SlipDocument doc;
    doc.loadRecord(s);
    writeSlip(doc, path);
    EXPECT_EQ(doc.record().pay.rate, 3.9);
    EXPECT_FALSE(doc.record().pay[PlanRow::Month].isEmpty()); // computed, not stored

    const IniProfile ini = IniProfile::load(path);
    for (const auto &[key, value] : ini.sectionEntries("Pay"))
        EXPECT_EQ(value, key == "Method" ? "1" : "0") << key.toStdString();

    SlipDocument back;
    readSlip(back, path);
    for (int row = 0; row < kPlanRowCount; ++row)
        EXPECT_EQ(back.record().pay.plan[size_t(row)], row == int(PlanRow::Deb) ? "150000" : "0");
}

TEST(SlipFile, reading_recomputesANewCarsAcquisitionBase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("left.pvq"));
    test::writeSjisLines(path, {"[Car]", "Price=1000000", "Left=5", "NewOld=0"});
    SlipDocument doc;
    doc.setAcquisitionRatio(85);
    readSlip(doc, path);
    EXPECT_EQ(doc.record().car.left, 850000);
    test::writeSjisLines(path, {"[Car]", "Price=1000000", "Left=5", "NewOld=1"});
    readSlip(doc, path);
    EXPECT_EQ(doc.record().car.left, 5);
}

TEST(SlipFile, reading_dropsPendingComputationsAndShowsStoredTotals)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stored.pvq"));
    test::writeSjisLines(path, {"[Car]", "Price=1000", "[Price]", "Car=7", "Last=3"});
    SlipDocument doc;
    doc.setEventsOn(true);
    doc.setNumber(SlipField::CarPrice, 5);
    ASSERT_TRUE(doc.totalsDue());
    readSlip(doc, path);
    EXPECT_FALSE(doc.totalsDue());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.record().price[TotalsRow::Car].amount, "7");
    EXPECT_EQ(doc.record().price.last, 3);
}

TEST(SlipFile, failedSave_leavesTheOldFileWholeAndTheSlipModified)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ro.pvq"));
    test::writeSjisLines(path, {"[Cust]", "Name=旧"});
    const QByteArray before = test::readBytes(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    SlipDocument doc;
    doc.setEventsOn(true);
    doc.setText(SlipField::CustName, QStringLiteral("新"));
    try {
        writeSlip(doc, path);
        FAIL() << "write succeeded";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), path + " に書き込めません");
    }
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_TRUE(doc.isModified());

    const QString missingFolder = dir.filePath(QStringLiteral("no/such/x.pvq"));
    EXPECT_THROW(writeSlip(doc, missingFolder), Error);
    EXPECT_TRUE(doc.isModified());
}

TEST(SlipFile, amountOutsideThirtyTwoBits_stopsTheSaveBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("range.pvq"));
    test::writeSjisLines(path, {"[Cust]", "Name=旧"});
    const QByteArray before = test::readBytes(path);
    SlipDocument doc;
    doc.setEventsOn(true);
    doc.setNumber(SlipField::CarKiro, 3e9);
    try {
        writeSlip(doc, path);
        FAIL() << "write succeeded";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains("Car.Kiro")) << e.message().toStdString();
    }
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_TRUE(doc.isModified());

    // The profile half alone leaves its profile untouched too.
    IniProfile ini = IniProfile::fromText(u"[Keep]\r\nA=1\r\n");
    EXPECT_THROW(writeSlipProfile(doc.record(), ini), Error);
    EXPECT_EQ(ini.toText(), "[Keep]\r\nA=1\r\n");
}

TEST(SlipFile, copyForPrinting_keepsTheModifiedFlag)
{
    QTemporaryDir dir;
    SlipDocument doc;
    doc.setEventsOn(true);
    doc.setNumber(SlipField::CarPrice, 1000);
    writeSlip(doc, dir.filePath(QStringLiteral("PrTmpDat2")), SlipWrite::Copy);
    EXPECT_TRUE(doc.isModified());
    // The copy was brought up to date before writing.
    EXPECT_EQ(IniProfile::load(dir.filePath(QStringLiteral("PrTmpDat2"))).value("Price", "Car"), "1000");
    EXPECT_FALSE(doc.totalsDue());

    SlipDocument unchanged;
    writeSlip(unchanged, dir.filePath(QStringLiteral("u")), SlipWrite::Copy);
    EXPECT_FALSE(unchanged.isModified());
}

TEST(SlipFile, lineBreakInAValue_cannotStartKeysOfItsOwn)
{
    SlipRecord s;
    s.cust.name = QStringLiteral("山田\r\n[Pay]\r\nMethod=0");
    s.car.lineA[0].name = QStringLiteral("a\nb");
    const IniProfile ini = IniProfile::fromText(written(s).toText());
    EXPECT_EQ(ini.sectionNames().count("Pay"), 1);
    EXPECT_EQ(ini.value("Pay", "Method"), "1");
    EXPECT_EQ(ini.value("Cust", "Name"), "山田  [Pay]  Method=0");
    EXPECT_EQ(readSlipProfile(ini, kToday).car.lineA[0].name, "a b");
}

TEST(SlipFile, unreadableFile_givesDefaultsOrAClearError)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.pvq"));
    SlipDocument doc;
    doc.setEventsOn(true);
    doc.setText(SlipField::CustName, QStringLiteral("x"));
    readSlip(doc, missing);
    EXPECT_EQ(doc.record().cust.name, "");
    EXPECT_EQ(doc.record().cust.title, "様");
    EXPECT_FALSE(doc.isModified());
    try {
        readSlip(doc, missing, UnreadableSlip::Raise);
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(missing));
    }
    EXPECT_THROW(readSlip(doc, dir.path(), UnreadableSlip::Raise), Error);
}

// Quotes, commas, blanks and full-width blanks at either end of a value must
// come back from the file exactly as they were typed.
TEST(SlipFile, textWithQuotesAndBlanksAtEitherEnd_survivesWriteAndRead)
{
    const QStringList awkward{QStringLiteral("\"山田商会\""), QStringLiteral("　よろしくお願いします"),
                              QStringLiteral("末尾に全角　"), QStringLiteral(" 前後に空白 "), QStringLiteral("\"左だけ"),
                              QStringLiteral("右だけ\""), QStringLiteral("a,\"b\",c"), QStringLiteral("''")};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quotes.pvq"));
    for (const QString &text : awkward) {
        SlipRecord record = test::fullyFilledSlip();
        for (int f = int(SlipField::SlipDiv); f <= int(SlipField::NoteMemo3); ++f) {
            FieldRef ref = fieldRef(record, SlipField(f));
            if (QString **value = std::get_if<QString *>(&ref))
                **value = text;
        }
        record.car.lineA[0] = {text, QStringLiteral("150000"), QStringLiteral("1")};
        record.car.lineB[8] = {text + text, QStringLiteral("abc"), QString()};
        // A master line with an empty amount hands over " ".
        record.cost.lineA[0] = {text, QStringLiteral(" ")};
        record.cost.lineB[0] = {QStringLiteral("車庫 証明"), QStringLiteral(" ")};
        SlipDocument doc;
        doc.loadRecord(record);
        writeSlip(doc, path);

        SlipDocument back;
        readSlip(back, path);
        const SlipRecord &r = back.record();
        EXPECT_EQ(r.cust.name, text);
        EXPECT_EQ(r.note.memo1, text);
        EXPECT_EQ(r.car.grade, text);
        EXPECT_EQ(r.car.lineA[0].name, text);
        EXPECT_EQ(r.car.lineB[8].name, text + text);
        EXPECT_EQ(r.cost.lineA[0].name, text);
        EXPECT_EQ(r.cost.lineB[0].name, QStringLiteral("車庫 証明"));
        // A cell of blanks only is read as empty.
        EXPECT_EQ(r.cost.lineB[0].amount, QString());
        // Every other text field as well.
        SlipRecord expected = doc.record();
        expected.cost.lineA[0].amount.clear();
        expected.cost.lineB[0].amount.clear();
        EXPECT_EQ(r, expected) << text.toStdString();

    }
}
