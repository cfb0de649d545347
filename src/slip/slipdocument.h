#pragma once

#include "slipcomputation.h"
#include "slipfield.h"
#include "sliprecord.h"

#include <QList>
#include <QObject>
#include <QStringList>

namespace vendara {

// The slip the data-entry frame sits on: the record, its computation state,
// the two unsaved flags (modified; events on, off while the slip is built or
// read) and the rules of what each edit sets off. The 800 ms deferral of the
// computations is a timer of the widget layer: an edit that schedules one
// emits totalsScheduled() or planScheduled() and raises totalsDue()/planDue();
// the timer (or a test) then calls runDueTotals()/runDuePlan().
//
// Each public operation emits at most one changed() (after it set the
// modified flag), one valuesChanged() (the record changed in any way) and
// one modifiedChanged(). Batch groups several operations into one.
class SlipDocument : public QObject
{
    Q_OBJECT

public:
    enum class InputTable { Accessories, Special, SalesCosts, OtherCosts };
    enum class Memo { Car, Trade, Note };

    // A new slip with the built-in defaults, events off.
    explicit SlipDocument(QObject *parent = nullptr);

    const SlipRecord &record() const { return m_record; }
    // The rate ×10000 and the rounding always follow the slip's Tax.Rate and
    // Tax.Cut; the acquisition ratio comes from the settings.
    SlipComputation computation() const;
    int acquisitionRatio() const { return m_acquisitionRatio; }
    void setAcquisitionRatio(int percent) { m_acquisitionRatio = percent; }

    // --- lifecycle ---
    // A new slip from the settings' defaults, prepared (totals run, section
    // 7 "未設定", not modified). Events stay as they were.
    void startNew(const NewSlipDefaults &defaults, const QDate &today);
    void prepare();
    // Takes a record read from a slip file: no change handling runs, a new
    // car's Car.Left is recomputed from its price, pending computations are
    // dropped (the stored totals stand until the next change) and the slip
    // is not modified.
    void loadRecord(const SlipRecord &slip);

    bool eventsOn() const { return m_eventsOn; }
    void setEventsOn(bool on) { m_eventsOn = on; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // A change the record does not show (a value picked again as it was):
    // marks the slip modified when events are on.
    void markChanged();

    bool totalsDue() const { return m_totalsDue; }
    bool planDue() const { return m_planDue; }
    // What the 800 ms timers run; nothing when nothing is due.
    void runDueTotals();
    void runDuePlan();

    // --- single-value inputs; the alternative of fieldRef must match ---
    QString text(SlipField field) const;
    double number(SlipField field) const;
    int choice(SlipField field) const;
    bool flag(SlipField field) const;
    QDate date(SlipField field) const;
    // Setting the value a field already has changes nothing.
    void setText(SlipField field, const QString &value);
    void setNumber(SlipField field, double value);
    void setChoice(SlipField field, int value);
    void setFlag(SlipField field, bool value);
    void setDate(SlipField field, const QDate &value);
    // A memo's lines go to its line keys; missing lines are empty, lines
    // beyond the keys are not kept.
    void setMemo(Memo memo, const QStringList &lines);
    QStringList memoLines(Memo memo) const;

    // --- the four input tables (rows and columns from 0) ---
    static int rowCount(InputTable table);
    static int columnCount(InputTable table);
    static bool isAmountColumn(InputTable table, int column) { return column == 1 && columnCount(table) > 1; }
    static bool isMarkColumn(InputTable table, int column) { return column == 2 && columnCount(table) == kItemRowCells; }
    QString cell(InputTable table, int row, int column) const;
    // An amount text that is not a whole number is emptied (blanks around a
    // whole number are dropped); a mark cell becomes "1" for any text and
    // empty for none.
    void setCell(InputTable table, int row, int column, const QString &text);
    void toggleMark(InputTable table, int row);
    // The rows below move up one, the last row is emptied, the totals run.
    void deleteRow(InputTable table, int row);

    // --- computations ---
    void recalcTotals();
    void recalcPlan();
    // The user typed totalToPay as 総お支払い額: the discount is worked
    // back; a changed discount is shown and schedules the totals.
    void backCalcDiscount(double totalToPay);

    // --- sections (n = 1..9) ---
    void checkSection(int n);
    void setStatus(int n, const QString &text);
    bool isSectionOpen(int n) const;
    // The header button: closing an open section runs its check when
    // events are on.
    void setSectionOpen(int n, bool open);
    // Totals first, then every section opened or closed; closing one that
    // was open runs its check.
    void openAllSections(bool open);

    // What the acquisition-tax dialog is offered: "車両本体課税額" with
    // Car.Left truncated, then every marked accessory and special-equipment
    // row that has a name, with its price text.
    struct AcquisitionItem
    {
        QString name;
        QString price;
        bool operator==(const AcquisitionItem &) const = default;
    };
    QList<AcquisitionItem> acquisitionTaxItems() const;

    // Groups operations: their signals come once, when the outermost batch ends.
    class Batch
    {
    public:
        explicit Batch(SlipDocument &document);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        SlipDocument &m_document;
    };

signals:
    // After a change that set the modified flag (the window title follows).
    void changed();
    void modifiedChanged(bool modified);
    // The record changed; views refresh.
    void valuesChanged();
    // (Re)start the 800 ms totals or plan timer.
    void totalsScheduled();
    void planScheduled();

private:
    template<typename T>
    bool assign(SlipField field, const T &value);
    void afterEdit(SlipField field);
    void applyNewOldRule();
    void markModified();
    void scheduleTotals();
    void schedulePlan();
    void flushSignals();
    ItemRow *itemRow(InputTable table, int row);
    CostRow *costRow(InputTable table, int row);
    QString *cellRef(InputTable table, int row, int column);
    static int checkedSection(int n);
    static const QList<SlipField> &memoFields(Memo memo);

    SlipRecord m_record;
    int m_acquisitionRatio = 90;
    bool m_eventsOn = false;
    bool m_modified = false;
    bool m_totalsDue = false;
    bool m_planDue = false;

    int m_batchDepth = 0;
    bool m_modifiedAtBatchStart = false;
    bool m_pendingChanged = false;
    bool m_pendingValues = false;
    bool m_pendingTotals = false;
    bool m_pendingPlan = false;
};

} // namespace vendara
