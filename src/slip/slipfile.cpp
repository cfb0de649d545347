#include "slipfile.h"

#include "common/cp932codec.h"

#include "amount.h"
#include "common/commatext.h"
#include "common/error.h"
#include "slipdocument.h"

#include <QFile>
#include <QFileInfo>

#include <type_traits>

namespace vendara {

namespace {

QString numbered(const char *prefix, int n, const char *suffix = "")
{
    return QLatin1String(prefix) + QString::number(n) + QLatin1String(suffix);
}

// Writes the keys of one section. Every value is one line: a line break in a
// value would otherwise start new keys or sections of its own.
class KeyWriter
{
public:
    KeyWriter(IniProfile &ini, const char *section) : m_ini(ini), m_section(QLatin1String(section)) {}

    void text(const QString &key, const QString &value)
    {
        QString line = value;
        line.replace(u'\r', u' ').replace(u'\n', u' ');
        m_ini.writeString(m_section, key, line);
    }
    void integer(const QString &key, qint64 value) { m_ini.writeInt(m_section, key, value); }
    // Amounts and counts held as floating values are truncated toward zero.
    void amount(const QString &key, double value)
    {
        integer(key, amount::truncated(value, m_section + u'.' + key));
    }
    // A totals or plan cell: its integer, 0 when it is not a whole number.
    void cell(const QString &key, const QString &value) { integer(key, amount::cellValue(value)); }
    void flag(const QString &key, bool value) { m_ini.writeBool(m_section, key, value); }
    void rate(const QString &key, double value) { m_ini.writeFloat(m_section, key, value); }
    void date(const QString &key, const QDate &value) { m_ini.writeDate(m_section, key, value); }
    void row(const QString &key, const QStringList &cells) { text(key, commatext::join(cells)); }

private:
    IniProfile &m_ini;
    QString m_section;
};

class KeyReader
{
public:
    KeyReader(const IniProfile &ini, const char *section) : m_ini(ini), m_section(QLatin1String(section)) {}

    QString text(const QString &key, const QString &def = {}) const { return m_ini.readString(m_section, key, def); }
    int integer(const QString &key, int def = 0) const { return m_ini.readInt(m_section, key, def); }
    // A choice index outside 0..last reads as the first choice.
    int choice(const QString &key, int last) const
    {
        const int v = integer(key);
        return v >= 0 && v <= last ? v : 0;
    }
    bool flag(const QString &key, bool def = false) const { return m_ini.readBool(m_section, key, def); }
    double rate(const QString &key) const { return m_ini.readFloat(m_section, key, 0); }
    QDate date(const QString &key, const QDate &def = kZeroDate) const { return m_ini.readDate(m_section, key, def); }
    QStringList row(const QString &key, int cells) const { return commatext::splitRowLine(text(key), cells); }

private:
    const IniProfile &m_ini;
    QString m_section;
};

QStringList cellsOf(const ItemRow &row)
{
    return {row.name, row.price, row.mark};
}

QStringList cellsOf(const CostRow &row)
{
    return {row.name, row.amount};
}

void fromCells(const QStringList &cells, ItemRow &row)
{
    row = {cells[0], cells[1], cells[2]};
}

void fromCells(const QStringList &cells, CostRow &row)
{
    row = {cells[0], cells[1]};
}

template<typename Row, size_t N>
void writeRows(KeyWriter &w, const char *prefix, const std::array<Row, N> &rows)
{
    for (size_t i = 0; i < N; ++i)
        w.row(numbered(prefix, int(i) + 1), cellsOf(rows[i]));
}

template<typename Row, size_t N>
void readRows(const KeyReader &r, const char *prefix, std::array<Row, N> &rows)
{
    const int cells = std::is_same_v<Row, ItemRow> ? kItemRowCells : kCostRowCells;
    for (size_t i = 0; i < N; ++i)
        fromCells(r.row(numbered(prefix, int(i) + 1), cells), rows[i]);
}

// The keys the vehicle sold and the trade-in share, in writing order.
void writeVehicle(KeyWriter &w, const VehicleFields &v)
{
    w.text(QStringLiteral("Name"), v.name);
    w.text(QStringLiteral("Grade"), v.grade);
    w.date(QStringLiteral("First"), v.first);
    w.date(QStringLiteral("Check"), v.check);
    w.flag(QStringLiteral("NoCheck"), v.noCheck);
    w.flag(QStringLiteral("NoFirst"), v.noFirst);
    w.amount(QStringLiteral("Kiro"), v.kiro);
    w.amount(QStringLiteral("ESize"), v.eSize);
    w.text(QStringLiteral("Outer"), v.outer);
    w.text(QStringLiteral("Inner"), v.inner);
    w.text(QStringLiteral("TypeCode"), v.typeCode);
    w.text(QStringLiteral("Accessory"), v.accessory);
    w.text(QStringLiteral("Memo1"), v.memo1);
    w.text(QStringLiteral("Memo2"), v.memo2);
}

void readVehicle(const KeyReader &r, VehicleFields &v)
{
    v.name = r.text(QStringLiteral("Name"));
    v.grade = r.text(QStringLiteral("Grade"));
    v.first = r.date(QStringLiteral("First"));
    v.check = r.date(QStringLiteral("Check"));
    v.noCheck = r.flag(QStringLiteral("NoCheck"));
    v.noFirst = r.flag(QStringLiteral("NoFirst"));
    v.kiro = r.integer(QStringLiteral("Kiro"));
    v.eSize = r.integer(QStringLiteral("ESize"));
    v.outer = r.text(QStringLiteral("Outer"));
    v.inner = r.text(QStringLiteral("Inner"));
    v.typeCode = r.text(QStringLiteral("TypeCode"));
    v.accessory = r.text(QStringLiteral("Accessory"));
    v.memo1 = r.text(QStringLiteral("Memo1"));
    v.memo2 = r.text(QStringLiteral("Memo2"));
}

// The Price keys after DisTitle, in writing order: the row and whether the
// key is its tax cell.
struct PriceKey
{
    const char *key;
    TotalsRow row;
    bool tax;
};
const PriceKey kPriceKeys[] = {
    {"Car", TotalsRow::Car, false},      {"Dis", TotalsRow::Dis, false},
    {"Obj", TotalsRow::Obj, false},      {"ObjTx", TotalsRow::Obj, true},
    {"Acc", TotalsRow::Acc, false},      {"AccTx", TotalsRow::Acc, true},
    {"Spc", TotalsRow::Spc, false},      {"SpcTx", TotalsRow::Spc, true},
    {"Prc", TotalsRow::Prc, false},      {"PrcTx", TotalsRow::Prc, true},
    {"TxCst", TotalsRow::TxCst, false},  {"PrCst", TotalsRow::PrCst, false},
    {"PrCstTx", TotalsRow::PrCst, true}, {"ExCst", TotalsRow::ExCst, false},
    {"Cost", TotalsRow::Cost, false},    {"CostTx", TotalsRow::Cost, true},
    {"CarAmt", TotalsRow::CarAmt, false}, {"CarAmtTx", TotalsRow::CarAmt, true},
};

// The Pay keys of the plan results and their rows (row Deb is Trade.Deb).
struct PlanKey
{
    const char *key;
    PlanRow row;
};
const PlanKey kPlanKeys[] = {
    {"Head", PlanRow::Head},     {"All", PlanRow::All},     {"Int", PlanRow::Int},
    {"Bonus1", PlanRow::Bonus1}, {"Bonus2", PlanRow::Bonus2}, {"First", PlanRow::First},
    {"Month", PlanRow::Month},   {"Total", PlanRow::Total},
};

void writeIdx(IniProfile &ini, const SlipIdx &idx)
{
    KeyWriter w(ini, "Idx");
    for (int n = 1; n <= kSectionCount; ++n)
        w.flag(numbered("Btn", n), idx.btn[size_t(n - 1)]);
    for (int n = 1; n <= kSectionCount; ++n)
        w.text(numbered("Label", n), idx.label[size_t(n - 1)]);
    for (int n = 1; n <= kSectionCount; ++n)
        w.integer(numbered("Label", n, "c"), idx.labelColour[size_t(n - 1)]);
}

void writeHeaderAndCustomer(IniProfile &ini, const SlipRecord &slip)
{
    KeyWriter no(ini, "No");
    no.text(QStringLiteral("SlipCode"), slip.no.slipCode);
    no.integer(QStringLiteral("SlipDiv"), slip.no.slipDiv);
    no.date(QStringLiteral("SlipDate"), slip.no.slipDate);
    no.text(QStringLiteral("Charge"), slip.no.charge);

    const SlipCust &c = slip.cust;
    KeyWriter cust(ini, "Cust");
    cust.text(QStringLiteral("Name"), c.name);
    cust.text(QStringLiteral("Title"), c.title);
    cust.text(QStringLiteral("Zip1"), c.zip1);
    cust.text(QStringLiteral("Zip2"), c.zip2);
    cust.text(QStringLiteral("City"), c.city);
    cust.text(QStringLiteral("Add1"), c.add1);
    cust.text(QStringLiteral("Add2"), c.add2);
    cust.text(QStringLiteral("City_Add1"), c.cityAdd1());
    cust.text(QStringLiteral("Tel"), c.tel);

    KeyWriter tax(ini, "Tax");
    tax.rate(QStringLiteral("Rate"), slip.tax.rate);
    tax.integer(QStringLiteral("Cut"), slip.tax.cut);
}

void writeCarCostTrade(IniProfile &ini, const SlipRecord &slip)
{
    const SlipCar &car = slip.car;
    KeyWriter w(ini, "Car");
    writeVehicle(w, car);
    w.amount(QStringLiteral("Price"), car.price);
    w.amount(QStringLiteral("Tax"), car.tax);
    w.amount(QStringLiteral("Disc"), car.disc);
    w.flag(QStringLiteral("DiscBtn"), car.discBtn);
    w.integer(QStringLiteral("NewOld"), car.newOld);
    w.amount(QStringLiteral("Left"), car.left);
    writeRows(w, "LineA", car.lineA);
    writeRows(w, "LineB", car.lineB);

    const SlipCost &cost = slip.cost;
    KeyWriter c(ini, "Cost");
    c.amount(QStringLiteral("Tax"), cost.tax);
    c.amount(QStringLiteral("WTax"), cost.wTax);
    c.amount(QStringLiteral("Ins"), cost.ins);
    c.amount(QStringLiteral("GTax"), cost.gTax);
    writeRows(c, "LineA", cost.lineA);
    writeRows(c, "LineB", cost.lineB);

    const SlipTrade &trade = slip.trade;
    KeyWriter t(ini, "Trade");
    writeVehicle(t, trade);
    t.amount(QStringLiteral("Price"), trade.price);
    t.amount(QStringLiteral("Trade"), trade.trade);
    t.amount(QStringLiteral("Tax"), trade.tax);
    t.amount(QStringLiteral("Ins"), trade.ins);
    t.amount(QStringLiteral("Deb"), trade.deb);
}

void writePricePayNotePrint(IniProfile &ini, const SlipRecord &slip)
{
    KeyWriter price(ini, "Price");
    price.text(QStringLiteral("DisTitle"), slip.price.disTitle);
    for (const PriceKey &k : kPriceKeys) {
        const TotalsLine &line = slip.price[k.row];
        price.cell(QLatin1String(k.key), k.tax ? line.tax : line.amount);
    }
    price.amount(QStringLiteral("TaxInc"), slip.price.taxInc);
    price.amount(QStringLiteral("Last"), slip.price.last);

    const SlipPay &pay = slip.pay;
    const bool cash = pay.method;
    KeyWriter w(ini, "Pay");
    w.flag(QStringLiteral("Method"), pay.method);
    // Under cash payment every other key is 0, whatever the inputs hold.
    w.integer(QStringLiteral("Down"), cash ? 0 : amount::truncated(pay.down, QStringLiteral("Pay.Down")));
    w.rate(QStringLiteral("Rate"), cash ? 0 : pay.rate);
    w.rate(QStringLiteral("Time"), cash ? 0 : pay.time);
    w.integer(QStringLiteral("BTime"), cash ? 0 : qBound(0, pay.bTime, 2));
    w.rate(QStringLiteral("BPlus"), cash ? 0 : pay.bPlus);
    for (const PlanKey &k : kPlanKeys)
        w.integer(QLatin1String(k.key), cash ? 0 : amount::cellValue(pay[k.row]));

    KeyWriter note(ini, "Note");
    note.text(QStringLiteral("Memo1"), slip.note.memo1);
    note.text(QStringLiteral("Memo2"), slip.note.memo2);
    note.text(QStringLiteral("Memo3"), slip.note.memo3);

    const SlipPrintValues v = printValuesOf(slip);
    KeyWriter print(ini, "Print");
    print.text(QStringLiteral("PriceTitle"), v.priceTitle);
    print.text(QStringLiteral("DisTitle"), v.disTitle);
    print.text(QStringLiteral("PayMethod"), v.payMethod);
    print.date(QStringLiteral("CarCheck"), v.carCheck);
    print.date(QStringLiteral("TrCheck"), v.trCheck);
    print.date(QStringLiteral("CarFirst"), v.carFirst);
    print.date(QStringLiteral("TrCarFirst"), v.trCarFirst);
}

} // namespace

void writeSlipProfile(const SlipRecord &slip, IniProfile &profile)
{
    // Written into a copy: an amount that does not fit stops the write with
    // the profile untouched.
    IniProfile ini = profile;
    writeIdx(ini, slip.idx);
    writeHeaderAndCustomer(ini, slip);
    writeCarCostTrade(ini, slip);
    writePricePayNotePrint(ini, slip);
    profile = std::move(ini);
}

SlipRecord readSlipProfile(const IniProfile &ini, const QDate &today)
{
    SlipRecord s;

    const KeyReader idx(ini, "Idx");
    for (int n = 1; n <= kSectionCount; ++n) {
        const size_t i = size_t(n - 1);
        s.idx.btn[i] = idx.flag(numbered("Btn", n));
        s.idx.label[i] = idx.text(numbered("Label", n), kStatusNotSet);
        s.idx.labelColour[i] = idx.integer(numbered("Label", n, "c"), kButtonTextColour);
    }

    const KeyReader no(ini, "No");
    s.no.slipCode = no.text(QStringLiteral("SlipCode"), QStringLiteral("00000000"));
    s.no.slipDiv = no.choice(QStringLiteral("SlipDiv"), 1);
    s.no.slipDate = no.date(QStringLiteral("SlipDate"), today);
    s.no.charge = no.text(QStringLiteral("Charge"));

    const KeyReader cust(ini, "Cust");
    s.cust.name = cust.text(QStringLiteral("Name"));
    s.cust.title = cust.text(QStringLiteral("Title"), QStringLiteral("様"));
    s.cust.zip1 = cust.text(QStringLiteral("Zip1"));
    s.cust.zip2 = cust.text(QStringLiteral("Zip2"));
    s.cust.city = cust.text(QStringLiteral("City"));
    s.cust.add1 = cust.text(QStringLiteral("Add1"));
    s.cust.add2 = cust.text(QStringLiteral("Add2"));
    s.cust.tel = cust.text(QStringLiteral("Tel"));

    const KeyReader tax(ini, "Tax");
    s.tax.rate = tax.rate(QStringLiteral("Rate"));
    s.tax.cut = tax.choice(QStringLiteral("Cut"), 2);

    const KeyReader car(ini, "Car");
    readVehicle(car, s.car);
    s.car.price = car.integer(QStringLiteral("Price"));
    s.car.tax = car.integer(QStringLiteral("Tax"));
    s.car.disc = car.integer(QStringLiteral("Disc"));
    s.car.discBtn = car.flag(QStringLiteral("DiscBtn"));
    s.car.newOld = car.choice(QStringLiteral("NewOld"), 1);
    s.car.left = car.integer(QStringLiteral("Left"));
    readRows(car, "LineA", s.car.lineA);
    readRows(car, "LineB", s.car.lineB);

    const KeyReader cost(ini, "Cost");
    s.cost.tax = cost.integer(QStringLiteral("Tax"));
    s.cost.wTax = cost.integer(QStringLiteral("WTax"));
    s.cost.ins = cost.integer(QStringLiteral("Ins"));
    s.cost.gTax = cost.integer(QStringLiteral("GTax"));
    readRows(cost, "LineA", s.cost.lineA);
    readRows(cost, "LineB", s.cost.lineB);

    const KeyReader trade(ini, "Trade");
    readVehicle(trade, s.trade);
    s.trade.price = trade.integer(QStringLiteral("Price"));
    s.trade.trade = trade.integer(QStringLiteral("Trade"));
    s.trade.tax = trade.integer(QStringLiteral("Tax"));
    s.trade.ins = trade.integer(QStringLiteral("Ins"));
    s.trade.deb = trade.integer(QStringLiteral("Deb"));

    const KeyReader price(ini, "Price");
    s.price.disTitle = price.text(QStringLiteral("DisTitle"));
    for (const PriceKey &k : kPriceKeys) {
        // The discount amount only goes with its label.
        if (k.row == TotalsRow::Dis && s.price.disTitle.isEmpty())
            continue;
        TotalsLine &line = s.price[k.row];
        (k.tax ? line.tax : line.amount) = QString::number(price.integer(QLatin1String(k.key)));
    }
    s.price.taxInc = price.integer(QStringLiteral("TaxInc"));
    s.price.last = price.integer(QStringLiteral("Last"));

    const KeyReader pay(ini, "Pay");
    s.pay.method = pay.flag(QStringLiteral("Method"), true);
    s.pay.down = pay.integer(QStringLiteral("Down"));
    s.pay.rate = pay.rate(QStringLiteral("Rate"));
    s.pay.time = pay.rate(QStringLiteral("Time"));
    s.pay.bTime = pay.choice(QStringLiteral("BTime"), 2);
    s.pay.bPlus = pay.rate(QStringLiteral("BPlus"));
    for (const PlanKey &k : kPlanKeys)
        s.pay[k.row] = QString::number(pay.integer(QLatin1String(k.key)));
    s.pay[PlanRow::Deb] = QString::number(int(s.trade.deb));

    const KeyReader note(ini, "Note");
    s.note.memo1 = note.text(QStringLiteral("Memo1"));
    s.note.memo2 = note.text(QStringLiteral("Memo2"));
    s.note.memo3 = note.text(QStringLiteral("Memo3"));
    return s;
}

void writeSlip(SlipDocument &document, const QString &path, SlipWrite kind)
{
    writeSlipOver(document, path, path, kind);
}

void writeSlipOver(SlipDocument &document, const QString &basePath, const QString &path, SlipWrite kind)
{
    document.recalcTotals();
    IniProfile profile = IniProfile::load(basePath);
    writeSlipProfile(document.record(), profile);
    profile.save(path);
    if (kind == SlipWrite::Save)
        document.setModified(false);
}

void readSlip(SlipDocument &document, const QString &path, UnreadableSlip unreadable)
{
    if (unreadable == UnreadableSlip::Raise) {
        const QFileInfo info(path);
        if (!info.exists())
            throw Error(QStringLiteral("%1 が見つかりません").arg(path));
        QFile file(path);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("%1 を読み込めません").arg(path));
    }
    document.loadRecord(readSlipProfile(IniProfile::load(path), QDate::currentDate()));
}

void readSlipBytes(SlipDocument &document, const QByteArray &bytes)
{
    document.loadRecord(readSlipProfile(IniProfile::fromText(cp932::decode(bytes)), QDate::currentDate()));
}

} // namespace vendara
