#include "slip/sectioncheck.h"
#include "slip/slipdocument.h"
#include "support/slipsamples.h"

#include "common/error.h"

#include <gtest/gtest.h>

using namespace vendara;
using Table = SlipDocument::InputTable;

namespace {

// Counts the document's signals.
struct Signals
{
    explicit Signals(SlipDocument &d)
    {
        QObject::connect(&d, &SlipDocument::changed, [this] { ++changed; });
        QObject::connect(&d, &SlipDocument::valuesChanged, [this] { ++values; });
        QObject::connect(&d, &SlipDocument::totalsScheduled, [this] { ++totals; });
        QObject::connect(&d, &SlipDocument::planScheduled, [this] { ++plan; });
        QObject::connect(&d, &SlipDocument::modifiedChanged, [this](bool m) { modifiedChanges.append(m); });
    }
    int changed = 0;
    int values = 0;
    int totals = 0;
    int plan = 0;
    QList<bool> modifiedChanges;
};

// A document holding the worked example, totals up to date, events on, unchanged.
void loadWorkedExample(SlipDocument &d)
{
    SlipRecord s = test::workedTotalsSlip();
    s.car.newOld = 1; // keeps Car.Left as given
    d.loadRecord(s);
    d.recalcTotals();
    d.setModified(false);
    d.setEventsOn(true);
}

} // namespace

TEST(SlipDocument, newSlip_takesTheSettingsDefaults)
{
    SlipDocument d;
    const QDate today(2026, 12, 7);
    d.startNew({QStringLiteral("00000042"), 10, 1, 3.9}, today);
    const SlipRecord &s = d.record();
    EXPECT_EQ(s.no.slipCode, "00000042");
    EXPECT_EQ(s.no.slipDiv, 0);
    for (const QDate &date : {s.no.slipDate, s.car.first, s.car.check, s.trade.first, s.trade.check})
        EXPECT_EQ(date, today);
    EXPECT_EQ(s.cust.title, "様");
    EXPECT_EQ(s.tax.rate, 10);
    EXPECT_EQ(s.tax.cut, 1);
    EXPECT_EQ(s.pay.rate, 3.9);
    EXPECT_TRUE(s.pay.method);
    EXPECT_EQ(s.car.price, 0);
    EXPECT_EQ(s.price.last, 0);
    for (int n = 1; n <= kSectionCount; ++n) {
        EXPECT_FALSE(d.isSectionOpen(n));
        EXPECT_EQ(s.idx.label[size_t(n - 1)], "未設定");
    }
    EXPECT_EQ(s.idx.labelColour[0], kButtonTextColour);
    EXPECT_EQ(d.computation().rateE4, 100000);
    EXPECT_FALSE(d.isModified());
    EXPECT_FALSE(d.eventsOn());
    EXPECT_FALSE(d.totalsDue());
}

TEST(SlipDocument, eachEdit_marksModifiedWithOneNotification)
{
    SlipDocument d;
    d.setEventsOn(true);
    Signals sig(d);
    d.setText(SlipField::CustName, QStringLiteral("山田"));
    EXPECT_TRUE(d.isModified());
    EXPECT_EQ(sig.changed, 1);
    EXPECT_EQ(sig.modifiedChanges, QList<bool>{true});
    d.setDate(SlipField::CarFirst, QDate(2020, 1, 1));
    d.setFlag(SlipField::CarNoCheck, true);
    d.setChoice(SlipField::SlipDiv, 1);
    d.setNumber(SlipField::CarKiro, 100);
    EXPECT_EQ(sig.changed, 5);
    EXPECT_EQ(sig.modifiedChanges.size(), 1);
    EXPECT_EQ(sig.totals + sig.plan, 0);
    // The same value again is no change.
    d.setText(SlipField::CustName, QStringLiteral("山田"));
    EXPECT_EQ(sig.changed, 5);
    EXPECT_EQ(d.text(SlipField::CustName), "山田");
}

TEST(SlipDocument, eventsOff_storesValuesWithoutChangeHandling)
{
    SlipDocument d;
    Signals sig(d);
    d.setText(SlipField::CustName, QStringLiteral("山田"));
    d.setNumber(SlipField::CostTax, 39500);
    d.setNumber(SlipField::TaxRate, 8);
    EXPECT_FALSE(d.isModified());
    EXPECT_FALSE(d.totalsDue());
    EXPECT_EQ(sig.changed, 0);
    EXPECT_EQ(sig.values, 3);
    // The rate still becomes the computation rate.
    EXPECT_EQ(d.computation().rateE4, 80000);
    // The body price still drives a new car's acquisition base.
    d.setNumber(SlipField::CarPrice, 1234567);
    EXPECT_EQ(d.record().car.left, 1111000);
}

TEST(SlipDocument, amountEdits_scheduleTheTotalsOncePerBurst)
{
    SlipDocument d;
    d.setEventsOn(true);
    Signals sig(d);
    d.setNumber(SlipField::CarPrice, 1);
    d.setNumber(SlipField::CarPrice, 12);
    d.setNumber(SlipField::CarPrice, 123);
    EXPECT_EQ(sig.totals, 3); // the timer is restarted each time
    EXPECT_TRUE(d.totalsDue());
    EXPECT_EQ(d.record().price[TotalsRow::Car].amount, "0"); // not run yet
    d.runDueTotals();
    EXPECT_EQ(d.record().price[TotalsRow::Car].amount, "123");
    EXPECT_FALSE(d.totalsDue());
    const SlipRecord after = d.record();
    d.runDueTotals(); // nothing due: nothing runs
    EXPECT_EQ(d.record(), after);

    for (SlipField f : {SlipField::CarDisc, SlipField::CarLeft, SlipField::CostTax, SlipField::CostWTax,
                        SlipField::CostIns, SlipField::CostGTax, SlipField::TradeTrade, SlipField::TradeTax,
                        SlipField::TradeIns, SlipField::TaxRate}) {
        d.runDueTotals();
        d.setNumber(f, 77);
        EXPECT_TRUE(d.totalsDue()) << fieldName(f).toStdString();
        EXPECT_FALSE(d.planDue()) << fieldName(f).toStdString();
    }
}

TEST(SlipDocument, planInputs_scheduleOnlyThePlan)
{
    SlipDocument d;
    d.setEventsOn(true);
    for (SlipField f : {SlipField::PayDown, SlipField::PayRate, SlipField::PayTime, SlipField::PayBPlus,
                        SlipField::TradeDeb}) {
        d.setNumber(f, 3);
        EXPECT_TRUE(d.planDue()) << fieldName(f).toStdString();
        EXPECT_FALSE(d.totalsDue());
        d.runDuePlan();
        EXPECT_FALSE(d.planDue());
    }
    d.setChoice(SlipField::PayBTime, 2);
    EXPECT_TRUE(d.planDue());
    // A totals run includes the plan.
    d.setNumber(SlipField::CarPrice, 1000000);
    d.runDueTotals();
    EXPECT_FALSE(d.planDue());
    EXPECT_FALSE(d.record().pay[PlanRow::Month].isEmpty());
}

TEST(SlipDocument, acquisitionBase_followsNewCarsOnly)
{
    SlipDocument d;
    d.setEventsOn(true);
    d.setAcquisitionRatio(85);
    d.setNumber(SlipField::CarPrice, 1000000);
    EXPECT_EQ(d.record().car.left, 850000);
    d.setChoice(SlipField::CarNewOld, 1);
    EXPECT_EQ(d.record().car.left, 0);
    d.setNumber(SlipField::CarLeft, 400000);
    d.setNumber(SlipField::CarPrice, 2000000);
    EXPECT_EQ(d.record().car.left, 400000);
    d.setChoice(SlipField::CarNewOld, 0);
    EXPECT_EQ(d.record().car.left, 1700000);
}

TEST(SlipDocument, changedRounding_recomputesAtOnce)
{
    SlipDocument d;
    loadWorkedExample(d);
    d.setText(SlipField::CarMemo1, QStringLiteral("x"));
    d.setNumber(SlipField::CarPrice, 1501250); // body tax 70,062.5
    d.runDueTotals();
    EXPECT_EQ(d.record().price[TotalsRow::Obj].tax, "70063");
    d.setModified(false);
    Signals sig(d);
    d.setChoice(SlipField::TaxCut, 1);
    EXPECT_EQ(d.record().price[TotalsRow::Obj].tax, "70062");
    EXPECT_EQ(d.record().car.tax, 70062);
    EXPECT_TRUE(d.isModified());
    EXPECT_EQ(sig.changed, 1);
}

TEST(SlipDocument, totalsRunThatChangesATotal_flagsSectionSeven)
{
    SlipDocument d;
    loadWorkedExample(d);
    d.checkSection(7);
    EXPECT_EQ(d.record().idx.label[6], "確認済み");
    EXPECT_EQ(d.record().idx.labelColour[6], kStatusDoneColour);
    d.setModified(false);

    d.recalcTotals(); // nothing changes
    EXPECT_EQ(d.record().idx.label[6], "確認済み");
    EXPECT_FALSE(d.isModified());

    d.setNumber(SlipField::CarPrice, 1600000);
    d.setModified(false);
    Signals sig(d);
    d.runDueTotals();
    EXPECT_EQ(d.record().idx.label[6], "合計が更新されました");
    EXPECT_EQ(d.record().idx.labelColour[6], kStatusOpenColour);
    EXPECT_TRUE(d.isModified());
    EXPECT_EQ(sig.changed, 1); // status and total together: one notification
}

TEST(SlipDocument, statusChange_marksAnUnchangedSlip)
{
    SlipDocument d;
    d.setEventsOn(true);
    Signals sig(d);
    d.setStatus(3, QStringLiteral("設定完了"));
    EXPECT_TRUE(d.isModified());
    EXPECT_EQ(sig.changed, 1);
    EXPECT_EQ(d.record().idx.labelColour[2], kStatusDoneColour);
    d.setStatus(3, QStringLiteral("型式が未設定です"));
    EXPECT_EQ(sig.changed, 1); // already modified
    EXPECT_EQ(d.record().idx.labelColour[2], kStatusOpenColour);
    d.setModified(false);
    d.setStatus(3, QStringLiteral("型式が未設定です"));
    EXPECT_FALSE(d.isModified());
    EXPECT_THROW(d.setStatus(10, QStringLiteral("x")), std::out_of_range);
}

TEST(SlipDocument, typedTotalToPay_worksTheDiscountBack)
{
    SlipDocument d;
    loadWorkedExample(d);
    Signals sig(d);
    d.setNumber(SlipField::PriceLast, 1491480); // the computed value
    EXPECT_EQ(d.record().car.disc, 100000);
    EXPECT_FALSE(d.isModified());
    EXPECT_FALSE(d.totalsDue());

    d.setNumber(SlipField::PriceLast, 1481480);
    EXPECT_EQ(d.record().car.disc, 109524);
    EXPECT_TRUE(d.record().car.discBtn);
    EXPECT_TRUE(d.isModified());
    EXPECT_TRUE(d.totalsDue());
    EXPECT_EQ(sig.changed, 1);
    d.runDueTotals();
    EXPECT_EQ(d.record().price.last, 1481480);
    EXPECT_EQ(d.record().price[TotalsRow::Dis].amount, "109524");

    // Typing the total of an undiscounted slip hides the discount.
    d.setNumber(SlipField::PriceLast, 1691480 - 200000 + 105000);
    EXPECT_EQ(d.record().car.disc, 0);
    EXPECT_FALSE(d.record().car.discBtn);
}

TEST(SlipDocument, releasingTheDiscountButton_clearsTheDiscountAtOnce)
{
    SlipDocument d;
    loadWorkedExample(d);
    Signals sig(d);
    d.setFlag(SlipField::CarDiscBtn, false);
    EXPECT_EQ(d.record().car.disc, 0);
    EXPECT_EQ(d.record().price[TotalsRow::Obj].amount, "1500000");
    EXPECT_EQ(d.record().price.disTitle, "");
    EXPECT_FALSE(d.totalsDue());
    EXPECT_EQ(sig.changed, 1);
    d.setModified(false);
    d.setFlag(SlipField::CarDiscBtn, true);
    EXPECT_TRUE(d.isModified());
    EXPECT_EQ(d.record().car.disc, 0);
}

TEST(SlipDocument, inputTables_emptyBadAmountsAndToggleMarks)
{
    SlipDocument d;
    d.setEventsOn(true);
    d.setCell(Table::Accessories, 0, 1, QStringLiteral("150000x"));
    EXPECT_EQ(d.cell(Table::Accessories, 0, 1), "");
    d.setCell(Table::Accessories, 0, 0, QStringLiteral("ナビ"));
    EXPECT_TRUE(d.totalsDue());
    d.setCell(Table::SalesCosts, 6, 1, QStringLiteral(" -20 "));
    EXPECT_EQ(d.cell(Table::SalesCosts, 6, 1), "-20");
    d.setCell(Table::SalesCosts, 5, 1, QStringLiteral("2147483648")); // does not fit
    EXPECT_EQ(d.cell(Table::SalesCosts, 5, 1), "");
    d.setCell(Table::OtherCosts, 8, 0, QStringLiteral("1.5")); // names are free text
    EXPECT_EQ(d.cell(Table::OtherCosts, 8, 0), "1.5");
    d.runDueTotals();
    EXPECT_EQ(d.record().price[TotalsRow::PrCst].amount, "-20");

    d.setModified(false);
    d.toggleMark(Table::Special, 8);
    EXPECT_EQ(d.record().car.lineB[8].mark, "1");
    EXPECT_TRUE(d.isModified());
    EXPECT_FALSE(d.totalsDue()); // the mark does not enter the totals
    d.toggleMark(Table::Special, 8);
    EXPECT_EQ(d.record().car.lineB[8].mark, "");
    EXPECT_THROW(d.toggleMark(Table::SalesCosts, 0), std::invalid_argument);
    EXPECT_THROW(d.setCell(Table::SalesCosts, 7, 0, "x"), std::out_of_range);
    EXPECT_THROW(d.setCell(Table::SalesCosts, 0, 2, "x"), std::out_of_range);
}

TEST(SlipDocument, deletingARow_movesTheRowsBelowUp)
{
    SlipDocument d;
    d.setEventsOn(true);
    for (int r = 0; r < 3; ++r) {
        d.setCell(Table::Accessories, r, 0, QStringLiteral("品%1").arg(r));
        d.setCell(Table::Accessories, r, 1, QString::number(1000 * (r + 1)));
    }
    d.runDueTotals();
    d.setModified(false);
    d.deleteRow(Table::Accessories, 0);
    const auto &rows = d.record().car.lineA;
    EXPECT_EQ(rows[0].name, "品1");
    EXPECT_EQ(rows[1].name, "品2");
    EXPECT_EQ(rows[2], ItemRow{});
    EXPECT_EQ(rows[8], ItemRow{});
    EXPECT_EQ(d.record().price[TotalsRow::Acc].amount, "5000"); // run at once
    EXPECT_TRUE(d.isModified());

    // A deleted row without a price changes no total but still the slip.
    d.setCell(Table::OtherCosts, 8, 0, QStringLiteral("名のみ"));
    d.runDueTotals();
    d.setModified(false);
    d.deleteRow(Table::OtherCosts, 8);
    EXPECT_EQ(d.record().cost.lineB[8], CostRow{});
    EXPECT_TRUE(d.isModified());
    d.setModified(false);
    d.deleteRow(Table::OtherCosts, 8); // nothing there: nothing changes
    EXPECT_FALSE(d.isModified());
}

TEST(SlipDocument, closingSections_runsTheirChecks)
{
    SlipDocument d;
    d.setEventsOn(true);
    d.setSectionOpen(1, true);
    EXPECT_EQ(d.record().idx.label[0], "未設定"); // opening checks nothing
    d.setSectionOpen(1, false);
    EXPECT_EQ(d.record().idx.label[0], "顧客名が未設定です");

    d.setEventsOn(false);
    d.setSectionOpen(3, true);
    d.setSectionOpen(3, false);
    EXPECT_EQ(d.record().idx.label[2], "未設定");
}

TEST(SlipDocument, closingAll_checksOnlyTheSectionsThatWereOpen)
{
    SlipDocument d;
    d.setEventsOn(true);
    d.setSectionOpen(2, true);
    d.setSectionOpen(8, true);
    d.openAllSections(false);
    for (int n = 1; n <= kSectionCount; ++n) {
        EXPECT_FALSE(d.isSectionOpen(n));
        const QString expected = n == 2 ? QStringLiteral("設定完了")
            : n == 8                    ? QStringLiteral("設定完了 (現金)")
                                        : QStringLiteral("未設定");
        EXPECT_EQ(d.record().idx.label[size_t(n - 1)], expected) << n;
    }
    d.openAllSections(true);
    for (int n = 1; n <= kSectionCount; ++n)
        EXPECT_TRUE(d.isSectionOpen(n));
    d.openAllSections(false);
    EXPECT_EQ(d.record().idx.label[0], "顧客名が未設定です");
}

TEST(SlipDocument, batch_groupsEditsIntoOneNotification)
{
    SlipDocument d;
    d.setEventsOn(true);
    Signals sig(d);
    {
        SlipDocument::Batch batch(d);
        d.setText(SlipField::CustZip1, QStringLiteral("100"));
        d.setText(SlipField::CustZip2, QStringLiteral("0001"));
        d.setText(SlipField::CustCity, QStringLiteral("東京都"));
        EXPECT_EQ(sig.changed, 0);
    }
    EXPECT_EQ(sig.changed, 1);
    EXPECT_EQ(sig.values, 1);

    d.setMemo(SlipDocument::Memo::Note, {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"), QStringLiteral("四")});
    EXPECT_EQ(d.record().note.memo3, "三");
    d.setMemo(SlipDocument::Memo::Note, {QStringLiteral("一")});
    EXPECT_EQ(d.record().note.memo2, "");
    EXPECT_EQ(sig.changed, 3);
}

TEST(SlipDocument, wrongTypeForAField_isRefused)
{
    SlipDocument d;
    EXPECT_THROW(d.setText(SlipField::CarPrice, QStringLiteral("1")), std::invalid_argument);
    EXPECT_THROW(d.number(SlipField::CustName), std::invalid_argument);
    EXPECT_EQ(fieldName(SlipField::NoteMemo3), "Note.Memo3");
    EXPECT_EQ(fieldName(SlipField::SlipCode), "No.SlipCode");
}

TEST(SlipDocument, acquisitionTaxDialog_getsBodyAndMarkedNamedRows)
{
    SlipDocument d;
    SlipRecord s;
    s.car.newOld = 1;
    s.car.left = 1200000.9;
    s.car.lineA[0] = {QStringLiteral("ナビ"), QStringLiteral("150000"), QStringLiteral("1")};
    s.car.lineA[1] = {QStringLiteral("マット"), QStringLiteral("20000"), {}};
    s.car.lineA[2] = {{}, QStringLiteral("5000"), QStringLiteral("1")};
    s.car.lineB[4] = {QStringLiteral("エアロ"), {}, QStringLiteral("1")};
    d.loadRecord(s);
    const QList<SlipDocument::AcquisitionItem> expected{
        {QStringLiteral("車両本体課税額"), QStringLiteral("1200000")},
        {QStringLiteral("ナビ"), QStringLiteral("150000")},
        {QStringLiteral("エアロ"), QString()},
    };
    EXPECT_EQ(d.acquisitionTaxItems(), expected);
}

TEST(SlipDocument, failedTotalsRun_keepsTheRecord)
{
    SlipDocument d;
    loadWorkedExample(d);
    d.setNumber(SlipField::CarPrice, 5e9);
    const SlipRecord before = d.record();
    EXPECT_THROW(d.runDueTotals(), Error);
    EXPECT_EQ(d.record(), before);
    EXPECT_FALSE(d.totalsDue());
}

// Every number the user types has its limits, and each fits the slip file's
// 32-bit integers; no other field has any.
TEST(SlipFields, everyNumberFieldHasInputLimitsThatTheFileCanStore)
{
    SlipRecord probe;
    for (int f = int(SlipField::SlipCode); f <= int(SlipField::NoteMemo3); ++f) {
        const auto field = SlipField(f);
        const std::optional<NumberInput> input = numberInput(field);
        if (!std::holds_alternative<double *>(fieldRef(probe, field))) {
            EXPECT_FALSE(input) << qPrintable(fieldName(field));
            continue;
        }
        ASSERT_TRUE(input) << qPrintable(fieldName(field));
        EXPECT_GT(input->maximum, 0) << qPrintable(fieldName(field));
        EXPECT_LT(input->maximum, 2147483647.0) << qPrintable(fieldName(field));
        EXPECT_TRUE(input->decimals == 0 || input->decimals == 2) << qPrintable(fieldName(field));
    }
    EXPECT_EQ(numberInput(SlipField::TaxRate)->decimals, 2);
    EXPECT_EQ(numberInput(SlipField::CarPrice)->maximum, numberInput(SlipField::TradeTrade)->maximum);
}
