#include "slipdocument.h"

#include "amount.h"
#include "sectioncheck.h"
#include "slipcalc.h"

#include <stdexcept>
#include <utility>

namespace vendara {

// --- Batch ---

SlipDocument::Batch::Batch(SlipDocument &document)
    : m_document(document)
{
    if (m_document.m_batchDepth++ == 0)
        m_document.m_modifiedAtBatchStart = m_document.m_modified;
}

SlipDocument::Batch::~Batch()
{
    if (--m_document.m_batchDepth == 0)
        m_document.flushSignals();
}

void SlipDocument::flushSignals()
{
    const bool values = std::exchange(m_pendingValues, false);
    const bool changedNow = std::exchange(m_pendingChanged, false);
    const bool totals = std::exchange(m_pendingTotals, false);
    const bool plan = std::exchange(m_pendingPlan, false);
    if (values)
        emit valuesChanged();
    if (m_modified != m_modifiedAtBatchStart)
        emit modifiedChanged(m_modified);
    if (changedNow)
        emit changed();
    if (totals)
        emit totalsScheduled();
    if (plan)
        emit planScheduled();
}

// --- lifecycle and flags ---

SlipDocument::SlipDocument(QObject *parent)
    : QObject(parent)
{
    startNew(NewSlipDefaults{}, QDate::currentDate());
}

SlipComputation SlipDocument::computation() const
{
    return SlipComputation::of(m_record.tax, m_acquisitionRatio);
}

void SlipDocument::startNew(const NewSlipDefaults &defaults, const QDate &today)
{
    Batch batch(*this);
    const bool wasOn = std::exchange(m_eventsOn, false);
    m_record = SlipRecord::newSlip(defaults, today);
    m_pendingValues = true;
    prepare();
    m_eventsOn = wasOn;
}

void SlipDocument::prepare()
{
    Batch batch(*this);
    recalcTotals();
    setStatus(7, kStatusNotSet);
    setModified(false);
}

void SlipDocument::loadRecord(const SlipRecord &slip)
{
    Batch batch(*this);
    m_record = slip;
    if (m_record.car.newOld == 0)
        m_record.car.left = computation().acquisitionBase(m_record.car.price);
    m_totalsDue = false;
    m_planDue = false;
    m_pendingValues = true;
    setModified(false);
}

void SlipDocument::setModified(bool modified)
{
    Batch batch(*this);
    m_modified = modified;
}

void SlipDocument::markChanged()
{
    Batch batch(*this);
    markModified();
}

void SlipDocument::markModified()
{
    if (!m_eventsOn)
        return;
    m_modified = true;
    m_pendingChanged = true;
}

void SlipDocument::scheduleTotals()
{
    if (!m_eventsOn)
        return;
    m_totalsDue = true;
    m_pendingTotals = true;
}

void SlipDocument::schedulePlan()
{
    if (!m_eventsOn)
        return;
    m_planDue = true;
    m_pendingPlan = true;
}

void SlipDocument::runDueTotals()
{
    if (!m_totalsDue)
        return;
    m_totalsDue = false; // a failing run is reported once, not at every timer
    recalcTotals();
}

void SlipDocument::runDuePlan()
{
    if (!m_planDue)
        return;
    m_planDue = false;
    recalcPlan();
}

// --- single-value inputs ---

namespace {

template<typename T>
T *refAs(SlipRecord &slip, SlipField field)
{
    const FieldRef ref = fieldRef(slip, field);
    T *const *target = std::get_if<T *>(&ref);
    if (!target)
        throw std::invalid_argument("slip field accessed with the wrong type");
    return *target;
}

} // namespace

template<typename T>
bool SlipDocument::assign(SlipField field, const T &value)
{
    T *target = refAs<T>(m_record, field);
    if (*target == value)
        return false;
    *target = value;
    m_pendingValues = true;
    return true;
}

QString SlipDocument::text(SlipField field) const
{
    return *refAs<QString>(const_cast<SlipRecord &>(m_record), field);
}

double SlipDocument::number(SlipField field) const
{
    return *refAs<double>(const_cast<SlipRecord &>(m_record), field);
}

int SlipDocument::choice(SlipField field) const
{
    return *refAs<int>(const_cast<SlipRecord &>(m_record), field);
}

bool SlipDocument::flag(SlipField field) const
{
    return *refAs<bool>(const_cast<SlipRecord &>(m_record), field);
}

QDate SlipDocument::date(SlipField field) const
{
    return *refAs<QDate>(const_cast<SlipRecord &>(m_record), field);
}

void SlipDocument::setText(SlipField field, const QString &value)
{
    Batch batch(*this);
    if (assign(field, value))
        afterEdit(field);
}

void SlipDocument::setNumber(SlipField field, double value)
{
    Batch batch(*this);
    if (assign(field, value))
        afterEdit(field);
}

void SlipDocument::setChoice(SlipField field, int value)
{
    Batch batch(*this);
    if (assign(field, value))
        afterEdit(field);
}

void SlipDocument::setFlag(SlipField field, bool value)
{
    Batch batch(*this);
    if (assign(field, value))
        afterEdit(field);
}

void SlipDocument::setDate(SlipField field, const QDate &value)
{
    Batch batch(*this);
    if (assign(field, value))
        afterEdit(field);
}

const QList<SlipField> &SlipDocument::memoFields(Memo memo)
{
    static const QList<SlipField> carKeys{SlipField::CarMemo1, SlipField::CarMemo2};
    static const QList<SlipField> tradeKeys{SlipField::TradeMemo1, SlipField::TradeMemo2};
    static const QList<SlipField> noteKeys{SlipField::NoteMemo1, SlipField::NoteMemo2, SlipField::NoteMemo3};
    return memo == Memo::Car ? carKeys : memo == Memo::Trade ? tradeKeys : noteKeys;
}

void SlipDocument::setMemo(Memo memo, const QStringList &lines)
{
    Batch batch(*this);
    const QList<SlipField> &keys = memoFields(memo);
    for (qsizetype i = 0; i < keys.size(); ++i)
        setText(keys[i], i < lines.size() ? lines[i] : QString());
}

QStringList SlipDocument::memoLines(Memo memo) const
{
    QStringList lines;
    for (SlipField key : memoFields(memo))
        lines.append(text(key));
    return lines;
}

void SlipDocument::applyNewOldRule()
{
    SlipCar &car = m_record.car;
    car.left = car.newOld == 0 ? computation().acquisitionBase(car.price) : 0;
}

// What an edit sets off. The Car.Left rule and the computation rate follow
// their inputs even while events are off; everything else only with events on.
void SlipDocument::afterEdit(SlipField field)
{
    if (field == SlipField::CarNewOld || (field == SlipField::CarPrice && m_record.car.newOld == 0))
        applyNewOldRule();
    if (!m_eventsOn)
        return;

    switch (field) {
    case SlipField::TaxRate:
    case SlipField::CarPrice:
    case SlipField::CarDisc:
    case SlipField::CarLeft:
    case SlipField::CostTax:
    case SlipField::CostWTax:
    case SlipField::CostIns:
    case SlipField::CostGTax:
    case SlipField::TradeTrade:
    case SlipField::TradeTax:
    case SlipField::TradeIns:
        markModified();
        scheduleTotals();
        break;
    case SlipField::TradeDeb:
    case SlipField::PayDown:
    case SlipField::PayRate:
    case SlipField::PayTime:
    case SlipField::PayBTime:
    case SlipField::PayBPlus:
        markModified();
        schedulePlan();
        break;
    case SlipField::TaxCut:
        // The rounding is stored with the slip, so the change itself marks it.
        markModified();
        recalcTotals();
        break;
    case SlipField::CarDiscBtn:
        markModified();
        if (!m_record.car.discBtn) {
            m_record.car.disc = 0;
            recalcTotals();
        }
        break;
    case SlipField::PriceLast:
        backCalcDiscount(m_record.price.last);
        break;
    default:
        markModified();
        break;
    }
}

// --- input tables ---

int SlipDocument::rowCount(InputTable table)
{
    switch (table) {
    case InputTable::Accessories:
    case InputTable::Special:
        return kItemRowCount;
    case InputTable::SalesCosts:
        return kSalesCostRowCount;
    case InputTable::OtherCosts:
        return kOtherCostRowCount;
    }
    return 0;
}

int SlipDocument::columnCount(InputTable table)
{
    return table == InputTable::Accessories || table == InputTable::Special ? kItemRowCells : kCostRowCells;
}

ItemRow *SlipDocument::itemRow(InputTable table, int row)
{
    if (row < 0 || row >= rowCount(table))
        throw std::out_of_range("slip table row out of range");
    if (table == InputTable::Accessories)
        return &m_record.car.lineA[size_t(row)];
    if (table == InputTable::Special)
        return &m_record.car.lineB[size_t(row)];
    return nullptr;
}

CostRow *SlipDocument::costRow(InputTable table, int row)
{
    if (row < 0 || row >= rowCount(table))
        throw std::out_of_range("slip table row out of range");
    if (table == InputTable::SalesCosts)
        return &m_record.cost.lineA[size_t(row)];
    if (table == InputTable::OtherCosts)
        return &m_record.cost.lineB[size_t(row)];
    return nullptr;
}

QString *SlipDocument::cellRef(InputTable table, int row, int column)
{
    if (column < 0 || column >= columnCount(table))
        throw std::out_of_range("slip table column out of range");
    if (ItemRow *item = itemRow(table, row))
        return column == 0 ? &item->name : column == 1 ? &item->price : &item->mark;
    CostRow *cost = costRow(table, row);
    return column == 0 ? &cost->name : &cost->amount;
}

QString SlipDocument::cell(InputTable table, int row, int column) const
{
    return *const_cast<SlipDocument *>(this)->cellRef(table, row, column);
}

void SlipDocument::setCell(InputTable table, int row, int column, const QString &text)
{
    Batch batch(*this);
    QString *target = cellRef(table, row, column);
    if (isMarkColumn(table, column)) {
        const QString mark = text.isEmpty() ? QString() : QStringLiteral("1");
        if (*target != mark) {
            *target = mark;
            m_pendingValues = true;
            markModified(); // the mark does not enter the totals
        }
        return;
    }
    // An amount is a whole number or nothing; blanks around it mean nothing
    // and would only have it quoted in the file.
    const QString value = !isAmountColumn(table, column) ? text
        : amount::wholeNumber(text)                      ? text.trimmed()
                                                         : QString();
    if (*target == value)
        return;
    *target = value;
    m_pendingValues = true;
    markModified();
    scheduleTotals();
}

void SlipDocument::toggleMark(InputTable table, int row)
{
    ItemRow *item = itemRow(table, row);
    if (!item)
        throw std::invalid_argument("only item tables have marks");
    setCell(table, row, 2, item->mark.isEmpty() ? QStringLiteral("1") : QString());
}

void SlipDocument::deleteRow(InputTable table, int row)
{
    if (row < 0 || row >= rowCount(table))
        throw std::out_of_range("slip table row out of range");
    Batch batch(*this);
    const auto shiftUp = [row](auto &rows) {
        const auto before = rows;
        for (size_t i = size_t(row); i + 1 < rows.size(); ++i)
            rows[i] = rows[i + 1];
        rows.back() = {};
        return rows != before;
    };
    bool moved = false;
    switch (table) {
    case InputTable::Accessories: moved = shiftUp(m_record.car.lineA); break;
    case InputTable::Special: moved = shiftUp(m_record.car.lineB); break;
    case InputTable::SalesCosts: moved = shiftUp(m_record.cost.lineA); break;
    case InputTable::OtherCosts: moved = shiftUp(m_record.cost.lineB); break;
    }
    if (moved) {
        // A deleted row is a change of the slip even when no total moves.
        m_pendingValues = true;
        markModified();
    }
    recalcTotals();
}

// --- computations ---

void SlipDocument::recalcTotals()
{
    Batch batch(*this);
    const double taxIncBefore = m_record.price.taxInc;
    const bool changedTotals = vendara::recalcTotals(m_record, computation());
    m_totalsDue = false;
    m_planDue = false;
    m_pendingValues = true;
    if (changedTotals)
        setStatus(7, kStatusTotalsUpdated);
    if (m_record.price.taxInc != taxIncBefore)
        markModified();
}

void SlipDocument::recalcPlan()
{
    Batch batch(*this);
    vendara::recalcPlan(m_record);
    m_planDue = false;
    m_pendingValues = true;
}

void SlipDocument::backCalcDiscount(double totalToPay)
{
    Batch batch(*this);
    const double discount = discountForTotalToPay(m_record, computation(), totalToPay);
    if (discount == m_record.car.disc)
        return;
    m_record.car.disc = discount;
    m_record.car.discBtn = discount != 0;
    m_pendingValues = true;
    markModified();
    scheduleTotals();
}

// --- sections ---

int SlipDocument::checkedSection(int n)
{
    if (n < 1 || n > kSectionCount)
        throw std::out_of_range("slip section number out of range");
    return n - 1;
}

void SlipDocument::checkSection(int n)
{
    checkedSection(n);
    setStatus(n, sectionStatus(m_record, n));
}

void SlipDocument::setStatus(int n, const QString &text)
{
    Batch batch(*this);
    const size_t i = size_t(checkedSection(n));
    const bool differs = m_record.idx.label[i] != text;
    const int colour = statusColour(text);
    if (differs || m_record.idx.labelColour[i] != colour)
        m_pendingValues = true;
    m_record.idx.label[i] = text;
    m_record.idx.labelColour[i] = colour;
    // The status is stored with the slip.
    if (differs && !m_modified)
        markModified();
}

bool SlipDocument::isSectionOpen(int n) const
{
    return m_record.idx.btn[size_t(checkedSection(n))];
}

void SlipDocument::setSectionOpen(int n, bool open)
{
    Batch batch(*this);
    bool &state = m_record.idx.btn[size_t(checkedSection(n))];
    const bool wasOpen = std::exchange(state, open);
    if (wasOpen == open)
        return;
    m_pendingValues = true;
    if (!open && m_eventsOn)
        checkSection(n);
}

void SlipDocument::openAllSections(bool open)
{
    Batch batch(*this);
    recalcTotals();
    for (int n = 1; n <= kSectionCount; ++n) {
        const bool wasOpen = std::exchange(m_record.idx.btn[size_t(n - 1)], open);
        if (!open && wasOpen)
            checkSection(n);
    }
    m_pendingValues = true;
}

QList<SlipDocument::AcquisitionItem> SlipDocument::acquisitionTaxItems() const
{
    QList<AcquisitionItem> items;
    items.append({QStringLiteral("車両本体課税額"), amount::cellText(m_record.car.left, QStringLiteral("Car.Left"))});
    for (const auto *rows : {&m_record.car.lineA, &m_record.car.lineB})
        for (const ItemRow &row : *rows)
            if (!row.mark.isEmpty() && !row.name.isEmpty())
                items.append({row.name, row.price});
    return items;
}

} // namespace vendara
