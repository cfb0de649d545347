#pragma once

#include "slip/slipdocument.h"
#include "sliptablemodel.h"

#include <QHash>
#include <QSet>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTimer;
class QToolButton;

namespace vendara {

class Questions;
class FloatEdit;
class FormGrid;
class MemoEdit;
class SectionPanel;
class SlipCodeEdit;
class SlipFieldBinder;
class SlipLookups;
class SlipTableView;
class WarekiDateEdit;
enum class MasterList;

// The slip entry frame: the slip header, the nine sections as collapsible
// panels in one scrolling page, and the foot buttons. Every control is bound
// to the SlipDocument, whose rules decide what a change sets off; the frame
// runs the 800 ms totals and plan timers the document asks for, opens the
// look-up dialogs and shows the sections' states.
class SlipFrame : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kComputeDelayMs = 800;
    static constexpr int kWheelStepPixels = 30;

    SlipFrame(SlipDocument &document, SlipLookups &lookups, Questions &questions, QWidget *parent = nullptr);
    ~SlipFrame() override;

    // The foot buttons "印刷(&P)...", "上書き保存(&S)" and "終了(&X)" trigger these.
    void setFootActions(QAction *print, QAction *save, QAction *exit);
    // The five date fields in era or western form.
    void setDateDisplay(bool era);
    // "すべてのセクションを開く/閉じる": totals, every section opened or closed
    // (closing one that was open checks it), the focus to the slip number.
    void openAllSections(bool open);

    SectionPanel *section(int n) const { return m_sections.at(size_t(n - 1)); }
    QScrollArea *page() const { return m_page; }
    SlipCodeEdit *slipCodeEdit() const { return m_slipCode; }
    QTimer *totalsTimer() const { return m_totalsTimer; }
    QTimer *planTimer() const { return m_planTimer; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildHeader();
    void placeHeader(bool oneRow);
    QWidget *buildCustomer();
    QWidget *buildTax();
    QWidget *buildCar();
    QWidget *buildItems();
    QWidget *buildCosts();
    QWidget *buildTrade();
    QWidget *buildTotals();
    QWidget *buildPlan();
    QWidget *buildNotes();
    QWidget *buildFoot();

    // The fields the vehicle sold and the trade-in share, from the name to
    // the remarks.
    struct VehicleKeys
    {
        SlipField name, grade;
        SlipField first, noFirst; // first registration (初度登録) and its 不明 box
        SlipField check, noCheck; // inspection expiry (車検期限) and its 車検なし box
        SlipField kiro;           // odometer reading in km (走行距離)
        SlipField eSize;          // engine displacement in cc (排気量)
        SlipField outer, inner;   // exterior and interior colour
        SlipField typeCode;       // model code (型式)
        SlipField accessory;      // equipment abbreviations (装備)
        SlipDocument::Memo memo;  // the vehicle's two remark lines (備考)
    };
    // `leading` (the new/used choice) comes first when given; section is 3 or 6.
    void addVehicleFields(FormGrid &form, const VehicleKeys &keys, QWidget *leading, int section);

    // Control makers: each control named for screen readers after its label.
    QLineEdit *textField(SlipField field, const QString &label, bool japaneseInput = true);
    FloatEdit *numberField(SlipField field, const QString &label, const QString &hint);
    FloatEdit *displayField(const QString &label, std::function<double(const SlipRecord &)> value);
    WarekiDateEdit *dateField(SlipField field, const QString &label, bool withDay);
    SlipTableView *table(SlipTableModel::Table kind, const QString &name);
    QToolButton *lookupButton(const QString &hint, QWidget *field, std::function<void()> lookup);
    QPushButton *deleteRowButton(SlipTableView *view);
    QWidget *inputTable(SlipTableModel::Table kind, const QString &title, const QString &pickHint,
                        MasterList list, SlipTableView **created = nullptr);
    // Ctrl+Space in `field` runs `lookup`.
    void onCtrlSpace(QWidget *field, std::function<void()> lookup);

    // Look-ups.
    void pickIntoField(QWidget *field, SlipField target, MasterList list);
    void pickIntoTable(SlipTableView *view, MasterList list);
    void pickTax(FloatEdit *field, SlipField target, int kind);
    void computeAcquisitionTax();
    void pickEquipment(QLineEdit *field, SlipField target);
    void pickMemo();
    void searchPostal(QWidget *field, const QString &keyword);
    void pickPastCustomer(QLineEdit *name);

    void toggleSection(int n, bool open);
    void focusFirstInput(int n);
    void showDocument();
    void runTimer(bool totals);
    void scrollPage(int steps);

    SlipDocument &m_document;
    SlipLookups &m_lookups;
    Questions &m_questions;
    SlipFieldBinder *m_binder;
    QTimer *m_totalsTimer;
    QTimer *m_planTimer;

    QScrollArea *m_page = nullptr;
    std::array<SectionPanel *, kSectionCount> m_sections{};
    std::array<QWidget *, kSectionCount> m_firstInputs{};
    QHash<QObject *, std::function<void()>> m_ctrlSpace;
    QSet<QObject *> m_wheelScrollsPage; // the page's viewport and the tables'
    int m_wheelRemainder = 0;
    QList<WarekiDateEdit *> m_dates;

    QGridLayout *m_headerGrid = nullptr;
    QList<QPair<QWidget *, QWidget *>> m_headerCells; // label, field
    bool m_headerInOneRow = true;
    SlipCodeEdit *m_slipCode = nullptr;
    QPushButton *m_discountButton = nullptr;
    QLabel *m_discountLabel = nullptr;
    FloatEdit *m_discount = nullptr;
    QButtonGroup *m_payMethod = nullptr;
    QWidget *m_instalments = nullptr;
    std::array<QPushButton *, 3> m_footButtons{};
};

} // namespace vendara
