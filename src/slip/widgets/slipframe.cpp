#include "slipframe.h"

#include "sectionpanel.h"
#include "slipcodeedit.h"
#include "slipfieldbinder.h"
#include "sliplookups.h"
#include "sliptableview.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"
#include "controls/widgets/floatedit.h"
#include "controls/widgets/warekidateedit.h"
#include "controls/widgets/wheelguard.h"
#include "slip/slippicks.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace vendara {

namespace {

const QStringList kSectionCaptions{
    QStringLiteral("お客様の設定(&1)"),         QStringLiteral("消費税の設定(&2)"),
    QStringLiteral("販売車両の設定(&3)"),       QStringLiteral("付属品・特別仕様の設定(&4)"),
    QStringLiteral("税金・諸費用の設定(&5)"),   QStringLiteral("下取車の設定(&6)"),
    QStringLiteral("合計金額(&7)"),             QStringLiteral("お支払いプラン(&8)"),
    QStringLiteral("備考欄(&9)"),
};

} // namespace

SlipFrame::SlipFrame(SlipDocument &document, SlipLookups &lookups, Questions &questions, QWidget *parent)
    : QWidget(parent), m_document(document), m_lookups(lookups), m_questions(questions),
      m_binder(new SlipFieldBinder(document, questions, this)), m_totalsTimer(new QTimer(this)),
      m_planTimer(new QTimer(this))
{
    setAccessibleName(QStringLiteral("伝票"));
    installWheelGuard(); // a wheel over an input scrolls the page
    for (QTimer *timer : {m_totalsTimer, m_planTimer}) {
        timer->setSingleShot(true);
        timer->setInterval(kComputeDelayMs);
    }
    connect(m_totalsTimer, &QTimer::timeout, this, [this] { runTimer(true); });
    connect(m_planTimer, &QTimer::timeout, this, [this] { runTimer(false); });
    connect(&m_document, &SlipDocument::totalsScheduled, m_totalsTimer, qOverload<>(&QTimer::start));
    connect(&m_document, &SlipDocument::planScheduled, m_planTimer, qOverload<>(&QTimer::start));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(buildHeader());

    auto *sheet = new QWidget;
    auto *sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->setSpacing(2);
    const std::array<QWidget *, kSectionCount> contents{buildCustomer(), buildTax(),    buildCar(),
                                                        buildItems(),    buildCosts(),  buildTrade(),
                                                        buildTotals(),   buildPlan(),   buildNotes()};
    for (int n = 1; n <= kSectionCount; ++n) {
        auto *panel = new SectionPanel(kSectionCaptions.at(n - 1), contents.at(size_t(n - 1)));
        m_sections.at(size_t(n - 1)) = panel;
        sheetLayout->addWidget(panel);
        connect(panel, &SectionPanel::toggledByUser, this, [this, n](bool open) { toggleSection(n, open); });
    }
    sheetLayout->addStretch(1);

    m_page = new QScrollArea;
    m_page->setAccessibleName(QStringLiteral("伝票の入力欄"));
    m_page->setFocusPolicy(Qt::NoFocus); // a field given the focus is scrolled into view
    m_page->setWidget(sheet);
    m_page->setWidgetResizable(true);
    m_page->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_page->setFrameShape(QFrame::NoFrame);
    m_page->viewport()->installEventFilter(this);
    m_wheelScrollsPage.insert(m_page->viewport());
    layout->addWidget(m_page, 1);
    layout->addWidget(buildFoot());

    connect(&m_document, &SlipDocument::valuesChanged, this, &SlipFrame::showDocument);
    showDocument();
}

SlipFrame::~SlipFrame() = default;

void SlipFrame::setFootActions(QAction *print, QAction *save, QAction *exit)
{
    const std::array<QAction *, 3> actions{print, save, exit};
    for (size_t i = 0; i < actions.size(); ++i) {
        QAction *action = actions[i];
        QPushButton *button = m_footButtons[i];
        disconnect(button, &QPushButton::clicked, nullptr, nullptr);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        button->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    }
}

void SlipFrame::setDateDisplay(bool era)
{
    m_binder->withoutUserChanges([&] {
        for (WarekiDateEdit *edit : std::as_const(m_dates))
            edit->setDateType(era ? DateType::Era : DateType::Western);
    });
}

void SlipFrame::openAllSections(bool open)
{
    setUpdatesEnabled(false);
    runGuarded(m_questions, [&] { m_document.openAllSections(open); });
    setUpdatesEnabled(true);
    m_slipCode->setFocus(Qt::OtherFocusReason);
}

void SlipFrame::toggleSection(int n, bool open)
{
    runGuarded(m_questions, [&] { m_document.setSectionOpen(n, open); });
    if (open && m_document.eventsOn())
        focusFirstInput(n);
}

void SlipFrame::focusFirstInput(int n)
{
    QWidget *first = m_firstInputs.at(size_t(n - 1));
    if (n == 8)
        first = m_payMethod->checkedButton();
    if (!first)
        return;
    first->setFocus(Qt::OtherFocusReason);
    // Once the opened section is laid out: as much of it as fits, and its
    // first input in any case.
    QTimer::singleShot(0, this, [this, panel = QPointer<QWidget>(section(n)), first = QPointer<QWidget>(first)] {
        if (panel)
            m_page->ensureWidgetVisible(panel, 0, 0);
        if (first)
            m_page->ensureWidgetVisible(first);
    });
}

// The record into every control, the sections' states and what the slip's
// choices show or hide.
void SlipFrame::showDocument()
{
    const SlipRecord &slip = m_document.record();
    m_binder->refresh();
    const QColor buttonText = palette().color(QPalette::ButtonText);
    for (int n = 1; n <= kSectionCount; ++n) {
        SectionPanel *panel = section(n);
        const size_t i = size_t(n - 1);
        if (panel->isOpen() != slip.idx.btn[i])
            panel->setOpen(slip.idx.btn[i]);
        panel->setStatus(slip.idx.label[i], statusTextColour(slip.idx.labelColour[i], buttonText));
    }
    const bool carOpen = slip.idx.btn[2];
    m_discountLabel->setVisible(slip.car.discBtn);
    m_discount->setVisible(slip.car.discBtn);
    if (carOpen && slip.car.discBtn && m_document.eventsOn() && m_discountButton->hasFocus())
        m_discount->setFocus(Qt::OtherFocusReason);
    const bool instalments = !slip.pay.method;
    m_instalments->setVisible(instalments);
    m_instalments->setEnabled(instalments && slip.idx.btn[7]);
}

void SlipFrame::runTimer(bool totals)
{
    runGuarded(m_questions, [&] {
        if (totals)
            m_document.runDueTotals();
        else
            m_document.runDuePlan();
    });
}

void SlipFrame::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    int oneRowWidth = m_headerGrid->contentsMargins().left() + m_headerGrid->contentsMargins().right();
    for (const auto &[label, field] : std::as_const(m_headerCells))
        oneRowWidth += label->sizeHint().width() + field->sizeHint().width() + 2 * m_headerGrid->horizontalSpacing();
    const bool oneRow = width() >= oneRowWidth;
    if (oneRow != m_headerInOneRow)
        placeHeader(oneRow);
}

void SlipFrame::scrollPage(int steps)
{
    QScrollBar *bar = m_page->verticalScrollBar();
    bar->setValue(bar->value() - steps * kWheelStepPixels);
}

bool SlipFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        if (m_wheelScrollsPage.contains(watched)) {
            auto *wheel = static_cast<QWheelEvent *>(event);
            m_wheelRemainder += wheel->angleDelta().y();
            const int steps = m_wheelRemainder / QWheelEvent::DefaultDeltasPerStep;
            m_wheelRemainder -= steps * QWheelEvent::DefaultDeltasPerStep;
            scrollPage(steps);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::ControlModifier) {
            if (auto found = m_ctrlSpace.constFind(watched); found != m_ctrlSpace.constEnd()) {
                const std::function<void()> lookup = *found;
                lookup();
                return true; // the Space typed with Ctrl is consumed
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SlipFrame::onCtrlSpace(QWidget *field, std::function<void()> lookup)
{
    m_ctrlSpace.insert(field, guarded(m_questions, std::move(lookup)));
    field->installEventFilter(this);
}

// --- look-ups ---

void SlipFrame::pickIntoField(QWidget *field, SlipField target, MasterList list)
{
    field->setFocus(Qt::OtherFocusReason);
    const auto pick = m_lookups.pickFromList(window(), list);
    runGuarded(m_questions, [&] {
        if (pick)
            m_document.setText(target, pick->name);
        finishListPick(m_document, pick.has_value());
    });
}

void SlipFrame::pickIntoTable(SlipTableView *view, MasterList list)
{
    view->setFocus(Qt::OtherFocusReason);
    const int row = view->currentRow();
    const auto pick = m_lookups.pickFromList(window(), list);
    runGuarded(m_questions, [&] {
        if (pick)
            takeRowPick(m_document, view->slipModel()->inputTable(), row, pick->name, pick->price);
        finishListPick(m_document, pick.has_value());
    });
}

void SlipFrame::pickTax(FloatEdit *field, SlipField target, int kind)
{
    const std::optional<int> amount = m_lookups.pickTaxAmount(window(), kind);
    if (!amount)
        return;
    field->setFocus(Qt::OtherFocusReason);
    runGuarded(m_questions, [&] { takeLookedUpAmount(m_document, target, *amount); });
}

void SlipFrame::computeAcquisitionTax()
{
    QList<SlipLookups::AcquisitionItem> items;
    for (const SlipDocument::AcquisitionItem &item : m_document.acquisitionTaxItems())
        items.append({item.name, item.price});
    const std::optional<qint64> amount = m_lookups.computeAcquisitionTax(window(), items);
    if (amount)
        runGuarded(m_questions, [&] { takeLookedUpAmount(m_document, SlipField::CostGTax, *amount); });
}

void SlipFrame::pickEquipment(QLineEdit *field, SlipField target)
{
    const std::optional<QString> text = m_lookups.pickEquipment(window(), field->text());
    if (text)
        runGuarded(m_questions, [&] { m_document.setText(target, *text); });
}

void SlipFrame::pickMemo()
{
    const std::optional<QStringList> lines = m_lookups.pickMemoLines(window());
    if (lines)
        runGuarded(m_questions, [&] { m_document.setMemo(SlipDocument::Memo::Note, *lines); });
}

void SlipFrame::pickPastCustomer(QLineEdit *name)
{
    name->setFocus(Qt::OtherFocusReason);
    const auto pick = m_lookups.pickPastCustomer(window(), name->text());
    if (pick)
        runGuarded(m_questions, [&] { takeCustomerPick(m_document, *pick); });
}

void SlipFrame::searchPostal(QWidget *field, const QString &keyword)
{
    field->setFocus(Qt::OtherFocusReason);
    const auto pick = m_lookups.searchPostalCode(window(), keyword);
    if (pick)
        runGuarded(m_questions, [&] { takePostalPick(m_document, pick->postalCode, pick->prefecture, pick->address); });
}

} // namespace vendara
