// The slip frame's controls, section by section, top to bottom: the order of
// creation is the Tab order.
#include "slipframe.h"

#include "formgrid.h"
#include "memoedit.h"
#include "sectionpanel.h"
#include "slipcodeedit.h"
#include "slipfieldbinder.h"
#include "sliplookups.h"
#include "sliptableview.h"
#include "controls/widgets/actionguard.h"
#include "controls/widgets/accessiblename.h"
#include "common/questions.h"
#include "controls/widgets/floatedit.h"
#include "controls/widgets/inputmethodguard.h"
#include "controls/widgets/warekidateedit.h"
#include "slip/prefectures.h"
#include "slip/slippicks.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace vendara {

namespace {

constexpr double kShownAmount = 100000000; // the totals shown, never typed

QFont enlarged(QFont font, int points)
{
    font.setPointSizeF(font.pointSizeF() + points);
    return font;
}

QWidget *row(std::initializer_list<QWidget *> widgets, bool stretch = true)
{
    auto *box = new QWidget;
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (QWidget *w : widgets)
        layout->addWidget(w);
    if (stretch)
        layout->addStretch(1);
    return box;
}

QWidget *fieldWithButtons(QWidget *field, std::initializer_list<QWidget *> buttons)
{
    auto *box = new QWidget;
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(field, 1);
    for (QWidget *w : buttons)
        layout->addWidget(w);
    return box;
}

// Enter moves on to the next field, as Tab does.
void moveFocusOn(QWidget *field)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &tab);
}

// Blocks of a section placed next to each other.
QHBoxLayout *sideBySide(QWidget *content, int topMargin = 6)
{
    auto *layout = new QHBoxLayout(content);
    layout->setContentsMargins(8, topMargin, 8, 6);
    layout->setSpacing(12);
    return layout;
}

} // namespace

// --- control makers ---

QLineEdit *SlipFrame::textField(SlipField field, const QString &label, bool japaneseInput)
{
    auto *edit = new QLineEdit;
    edit->setAccessibleName(label);
    if (!japaneseInput)
        takeAsciiNumbers(edit);
    connect(edit, &QLineEdit::returnPressed, edit, [edit] { moveFocusOn(edit); });
    m_binder->bindText(edit, field);
    return edit;
}

// Every number of the slip starts at 0; whole amounts are grouped by
// thousands, rates and counts with decimals are not.
static FloatEdit *numberEdit(const QString &label, int digits, double maximum)
{
    auto *edit = new FloatEdit;
    edit->setAccessibleName(label);
    edit->setDigits(digits);
    edit->setRange(0, maximum);
    edit->setSupportsThousandSeparator(digits == 0);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000,000")) + 12);
    edit->setMaximumWidth(edit->minimumWidth() + 40);
    return edit;
}

FloatEdit *SlipFrame::numberField(SlipField field, const QString &label, const QString &hint)
{
    const NumberInput input = numberInput(field).value();
    FloatEdit *edit = numberEdit(label, input.decimals, input.maximum);
    edit->setStatusTip(hint);
    edit->setToolTip(hint);
    switchInputMethodOff(edit);
    connect(edit, &FloatEdit::enterPressed, edit, [edit] { moveFocusOn(edit); });
    m_binder->bindNumber(edit, field);
    return edit;
}

FloatEdit *SlipFrame::displayField(const QString &label, std::function<double(const SlipRecord &)> value)
{
    FloatEdit *edit = numberEdit(label, 0, kShownAmount);
    edit->setFocusPolicy(Qt::ClickFocus);
    m_binder->bindDisplay(edit, std::move(value));
    return edit;
}

WarekiDateEdit *SlipFrame::dateField(SlipField field, const QString &label, bool withDay)
{
    auto *edit = new WarekiDateEdit;
    edit->setAccessibleName(label);
    edit->setDayEnabled(withDay);
    m_dates.append(edit);
    m_binder->bindDate(edit, field);
    return edit;
}

SlipTableView *SlipFrame::table(SlipTableModel::Table kind, const QString &name)
{
    auto *view = new SlipTableView(new SlipTableModel(m_document, kind), name);
    // The wheel over a table scrolls the page, not the table.
    view->viewport()->installEventFilter(this);
    m_wheelScrollsPage.insert(view->viewport());
    return view;
}

QToolButton *SlipFrame::lookupButton(const QString &hint, QWidget *field, std::function<void()> lookup)
{
    auto *button = new QToolButton;
    button->setText(QStringLiteral("…"));
    button->setToolTip(hint + QStringLiteral(" (Ctrl+Space)"));
    button->setStatusTip(hint);
    button->setAccessibleName(hint);
    button->setFocusPolicy(Qt::NoFocus); // Ctrl+Space in the field opens it from the keyboard
    connect(button, &QToolButton::clicked, this, guarded(m_questions, lookup));
    onCtrlSpace(field, std::move(lookup));
    return button;
}

QPushButton *SlipFrame::deleteRowButton(SlipTableView *view)
{
    auto *button = new QPushButton(QStringLiteral("現在行の削除"));
    button->setAccessibleName(view->accessibleName() + QStringLiteral(" の現在行の削除"));
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, view] {
        const int current = view->currentRow();
        runGuarded(m_questions, [&] { m_document.deleteRow(view->slipModel()->inputTable(), current); });
        view->setFocus(Qt::OtherFocusReason);
    });
    return button;
}

// --- header and foot ---

QWidget *SlipFrame::buildHeader()
{
    auto *header = new QWidget;
    m_headerGrid = new QGridLayout(header);
    m_headerGrid->setContentsMargins(4, 2, 4, 2);
    m_headerGrid->setHorizontalSpacing(6);
    m_headerGrid->setVerticalSpacing(2);
    const QFont labelFont = enlarged(font(), 3);
    const QFont fieldFont = enlarged(font(), 2);
    auto addLabelled = [&](const QString &text, QWidget *field, QWidget *extra = nullptr) {
        auto *label = new QLabel(text);
        label->setFont(labelFont);
        label->setBuddy(field);
        field->setFont(fieldFont);
        field->setAccessibleName(text);
        field->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        m_headerCells.append({label, extra ? row({field, extra}, false) : field});
    };

    auto *kind = new QComboBox;
    kind->addItems({QStringLiteral("見積書"), QStringLiteral("注文書")});
    m_binder->bindChoice(kind, SlipField::SlipDiv);
    addLabelled(QStringLiteral("伝票の種類"), kind);

    m_slipCode = new SlipCodeEdit;
    m_slipCode->setFixedWidth(QFontMetrics(fieldFont).horizontalAdvance(QStringLiteral("00000000")) + 40);
    connect(m_slipCode, &SlipCodeEdit::codeEdited, this,
            [this](const QString &code) { m_binder->userChange([&] { m_document.setText(SlipField::SlipCode, code); }); });
    m_binder->addView([this] { m_slipCode->setCode(m_document.text(SlipField::SlipCode)); });
    addLabelled(QStringLiteral("伝票番号"), m_slipCode);

    addLabelled(QStringLiteral("発行日"), dateField(SlipField::SlipDate, QStringLiteral("発行日"), true));

    QLineEdit *charge = textField(SlipField::Charge, QStringLiteral("担当者"));
    charge->setFixedWidth(QFontMetrics(fieldFont).horizontalAdvance(QStringLiteral("山田 太郎太郎")) + 16);
    QToolButton *pick = lookupButton(QStringLiteral("担当者の参照"), charge, [this, charge] {
        pickIntoField(charge, SlipField::Charge, MasterList::Charge);
    });
    addLabelled(QStringLiteral("担当者"), charge, pick);
    // The header asks only for the width of its two rows: a narrower window
    // takes them instead of growing past the screen.
    placeHeader(false);
    header->setMinimumWidth(m_headerGrid->minimumSize().width());
    placeHeader(true);
    return header;
}

// One row when the window is wide enough, else two.
void SlipFrame::placeHeader(bool oneRow)
{
    for (const auto &[label, field] : std::as_const(m_headerCells)) {
        m_headerGrid->removeWidget(label);
        m_headerGrid->removeWidget(field);
    }
    const int perRow = oneRow ? 4 : 2;
    for (int i = 0; i < m_headerCells.size(); ++i) {
        const int r = i / perRow;
        const int c = (i % perRow) * 2;
        m_headerGrid->addWidget(m_headerCells[i].first, r, c);
        m_headerGrid->addWidget(m_headerCells[i].second, r, c + 1, Qt::AlignLeft);
    }
    // Whatever width is left stays to the right of the last column in use.
    m_headerGrid->setColumnStretch(4, oneRow ? 0 : 1);
    m_headerGrid->setColumnStretch(8, oneRow ? 1 : 0);
    m_headerInOneRow = oneRow;
}

QWidget *SlipFrame::buildFoot()
{
    const QStringList captions{QStringLiteral("印刷(&P)..."), QStringLiteral("上書き保存(&S)"), QStringLiteral("終了(&X)")};
    auto *foot = new QWidget;
    auto *layout = new QHBoxLayout(foot);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        auto *button = new QPushButton(captions.at(i));
        button->setAccessibleName(captionWithoutAccelerator(captions.at(i)));
        button->setEnabled(false); // until the window gives the actions
        m_footButtons[size_t(i)] = button;
        layout->addWidget(button);
    }
    return foot;
}

// --- the nine sections ---

QWidget *SlipFrame::buildCustomer()
{
    auto *content = new QWidget;
    FormGrid form(content);

    QLineEdit *name = textField(SlipField::CustName, QStringLiteral("氏名"));
    auto *title = new QComboBox;
    title->setEditable(true);
    title->addItems({QStringLiteral("様"), QStringLiteral("御中")});
    title->setAccessibleName(QStringLiteral("敬称"));
    title->lineEdit()->setAccessibleName(QStringLiteral("敬称"));
    title->setMinimumContentsLength(4);
    m_binder->bindEditableText(title, SlipField::CustTitle);
    QToolButton *pastCustomers =
        lookupButton(QStringLiteral("過去のお客様の参照"), name, [this, name] { pickPastCustomer(name); });
    form.add(QStringLiteral("氏名"), fieldWithButtons(name, {title, pastCustomers}), name, 0, 2);
    m_firstInputs[0] = name;

    QLineEdit *zip1 = textField(SlipField::CustZip1, QStringLiteral("郵便番号 上3桁"), false);
    QLineEdit *zip2 = textField(SlipField::CustZip2, QStringLiteral("郵便番号 下4桁"), false);
    zip1->setMaxLength(3);
    zip2->setMaxLength(4);
    for (QLineEdit *zip : {zip1, zip2})
        zip->setFixedWidth(zip->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    const auto fromCode = [this, zip1] { searchPostal(zip1, postalKeyword(m_document.record())); };
    QToolButton *zipSearch = lookupButton(QStringLiteral("郵便番号辞書の検索"), zip1, fromCode);
    onCtrlSpace(zip2, fromCode);
    form.add(QStringLiteral("郵便番号"), row({zip1, new QLabel(QStringLiteral("-")), zip2, zipSearch}), zip1);

    auto *city = new QComboBox;
    city->setEditable(true);
    city->addItems(prefectureNames());
    city->setCurrentIndex(-1);
    city->lineEdit()->setAccessibleName(QStringLiteral("都道府県"));
    city->setMaxVisibleItems(16);
    m_binder->bindEditableText(city, SlipField::CustCity);
    form.add(QStringLiteral("都道府県"), city, 1);

    QLineEdit *add1 = textField(SlipField::CustAdd1, QStringLiteral("住所"));
    QToolButton *addressSearch = lookupButton(QStringLiteral("郵便番号辞書の検索"), add1,
                                              [this, add1] { searchPostal(add1, add1->text()); });
    form.add(QStringLiteral("住所"), fieldWithButtons(add1, {addressSearch}), add1, 0, 2);
    QLineEdit *add2 = textField(SlipField::CustAdd2, QStringLiteral("建物名など"));
    form.add(QStringLiteral("建物名など"), add2, 0, 2);
    QLineEdit *tel = textField(SlipField::CustTel, QStringLiteral("電話番号"), false);
    tel->setInputMethodHints(Qt::ImhDialableCharactersOnly | Qt::ImhPreferLatin);
    form.add(QStringLiteral("電話番号"), tel);
    return content;
}

QWidget *SlipFrame::buildTax()
{
    auto *content = new QWidget;
    FormGrid form(content);
    FloatEdit *rate = numberField(SlipField::TaxRate, QStringLiteral("消費税率"),
                                  QStringLiteral("この伝票の消費税率を指定します"));
    form.add(QStringLiteral("消費税率"), row({rate, new QLabel(QStringLiteral("%"))}), rate);
    m_firstInputs[1] = rate;
    auto *cut = new QComboBox;
    cut->addItems({QStringLiteral("四捨五入"), QStringLiteral("切り捨て"), QStringLiteral("切り上げ")});
    m_binder->bindChoice(cut, SlipField::TaxCut);
    form.add(QStringLiteral("端数処理"), cut, 1);
    return content;
}

QWidget *SlipFrame::buildCar()
{
    auto *content = new QWidget;
    FormGrid form(content);

    auto *newCar = new QRadioButton(QStringLiteral("新車"));
    auto *usedCar = new QRadioButton(QStringLiteral("中古車"));
    newCar->setAccessibleName(newCar->text()); // the row's label names the group, not the first button
    usedCar->setAccessibleName(usedCar->text());
    auto *carKind = new QButtonGroup(content);
    carKind->addButton(newCar, 0);
    carKind->addButton(usedCar, 1);
    m_binder->bindButtons(carKind, SlipField::CarNewOld);
    QWidget *kinds = row({newCar, usedCar});
    kinds->setAccessibleName(QStringLiteral("新車・中古車"));

    addVehicleFields(form, {SlipField::CarName, SlipField::CarGrade, SlipField::CarFirst, SlipField::CarNoFirst,
                            SlipField::CarCheck, SlipField::CarNoCheck, SlipField::CarKiro, SlipField::CarESize,
                            SlipField::CarOuter, SlipField::CarInner, SlipField::CarTypeCode, SlipField::CarAccessory,
                            SlipDocument::Memo::Car},
                     kinds, 3);

    FloatEdit *price = numberField(SlipField::CarPrice, QStringLiteral("車両本体価格"),
                                   QStringLiteral("本体の税抜き価格を入力します"));
    m_discountButton = new QPushButton(QStringLiteral("値引表示切替"));
    m_discountButton->setCheckable(true);
    m_discountButton->setAccessibleName(QStringLiteral("値引表示切替"));
    m_binder->bindFlag(m_discountButton, SlipField::CarDiscBtn);
    connect(m_discountButton, &QPushButton::clicked, this, [this](bool pressed) {
        if (pressed && section(3)->isOpen() && m_document.eventsOn())
            m_discount->setFocus(Qt::OtherFocusReason);
    });
    onCtrlSpace(price, [this] { m_discountButton->click(); });
    form.add(QStringLiteral("車両本体価格"), row({price, m_discountButton}), price);
    m_discount = numberField(SlipField::CarDisc, QStringLiteral("値引き"),
                             QStringLiteral("値引金額を入力します"));
    m_discountLabel = form.add(QStringLiteral("値引き"), m_discount, 1);
    form.nextRow();
    form.add(QStringLiteral("消費税"), displayField(QStringLiteral("消費税"), [](const SlipRecord &s) { return s.car.tax; }));
    form.add(QStringLiteral("取得税対象額"),
             numberField(SlipField::CarLeft, QStringLiteral("取得税対象額"),
                         QStringLiteral("取得税の対象となる金額を入力します")),
             1);
    return content;
}

// Name, grade, the two dates with their boxes, mileage, displacement,
// colours, model code, equipment and remarks of a vehicle.
void SlipFrame::addVehicleFields(FormGrid &form, const VehicleKeys &keys, QWidget *leading, int section)
{
    QLineEdit *name = textField(keys.name, QStringLiteral("車名"));
    QToolButton *pick = lookupButton(QStringLiteral("メーカー・車名の参照"), name, [this, name, field = keys.name] {
        pickIntoField(name, field, MasterList::CarName);
    });
    if (leading)
        form.add(QStringLiteral("区分"), leading, leading->findChild<QRadioButton *>(), 0, 2);
    form.add(QStringLiteral("車名"), fieldWithButtons(name, {pick}), name, 0, 2);
    m_firstInputs[size_t(section - 1)] = name;
    form.add(QStringLiteral("グレード"), textField(keys.grade, QStringLiteral("グレード")), 0, 2);

    WarekiDateEdit *first = dateField(keys.first, QStringLiteral("初度登録"), false);
    auto *noFirst = new QCheckBox(QStringLiteral("不明"));
    noFirst->setAccessibleName(QStringLiteral("初度登録 不明"));
    m_binder->bindFlag(noFirst, keys.noFirst);
    m_binder->addView([this, first, field = keys.noFirst] { first->setEnabled(!m_document.flag(field)); });
    form.add(QStringLiteral("初度登録"), row({first, noFirst}), first);

    WarekiDateEdit *check = dateField(keys.check, QStringLiteral("車検期限"), true);
    auto *noCheck = new QCheckBox(QStringLiteral("車検なし"));
    noCheck->setAccessibleName(QStringLiteral("車検なし"));
    m_binder->bindFlag(noCheck, keys.noCheck);
    m_binder->addView([this, check, field = keys.noCheck] { check->setEnabled(!m_document.flag(field)); });
    form.add(QStringLiteral("車検期限"), row({check, noCheck}), check, 1);

    FloatEdit *kiro = numberField(keys.kiro, QStringLiteral("走行距離"),
                                  QStringLiteral("走行距離を入力します"));
    form.add(QStringLiteral("走行距離"), row({kiro, new QLabel(QStringLiteral("km"))}), kiro);
    FloatEdit *eSize = numberField(keys.eSize, QStringLiteral("排気量"),
                                   QStringLiteral("排気量を入力します"));
    form.add(QStringLiteral("排気量"), row({eSize, new QLabel(QStringLiteral("cc"))}), eSize, 1);

    for (const auto &[field, label, column] : {std::tuple{keys.outer, QStringLiteral("外装色"), 0},
                                               std::tuple{keys.inner, QStringLiteral("内装色"), 1}}) {
        QLineEdit *colour = textField(field, label);
        QToolButton *colourPick = lookupButton(QStringLiteral("カラーの参照"), colour, [this, colour, field] {
            pickIntoField(colour, field, MasterList::Colour);
        });
        form.add(label, fieldWithButtons(colour, {colourPick}), colour, column);
    }
    form.add(QStringLiteral("型式"), textField(keys.typeCode, QStringLiteral("型式"), false));
    QLineEdit *equipment = textField(keys.accessory, QStringLiteral("装備"), false);
    QToolButton *equipmentPick = lookupButton(QStringLiteral("装備の選択"), equipment,
                                              [this, equipment, field = keys.accessory] { pickEquipment(equipment, field); });
    form.add(QStringLiteral("装備"), fieldWithButtons(equipment, {equipmentPick}), equipment, 1);

    auto *memo = new MemoEdit(2);
    memo->setAccessibleName(QStringLiteral("備考"));
    m_binder->bindMemo(memo, keys.memo);
    form.add(QStringLiteral("備考"), memo, 0, 2);
}

// A titled input table with its pick and delete buttons beneath; the pick
// also answers Ctrl+Space in the table.
QWidget *SlipFrame::inputTable(SlipTableModel::Table kind, const QString &title, const QString &pickHint,
                               MasterList list, SlipTableView **created)
{
    SlipTableView *view = table(kind, title);
    auto *pick = new QPushButton(pickHint);
    pick->setAccessibleName(pickHint);
    pick->setStatusTip(pickHint);
    pick->setFocusPolicy(Qt::TabFocus);
    const auto lookup = [this, view, list] { pickIntoTable(view, list); };
    connect(pick, &QPushButton::clicked, this, guarded(m_questions, lookup));
    onCtrlSpace(view, lookup);

    auto *block = new QWidget;
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *caption = new QLabel(title);
    caption->setBuddy(view);
    layout->addWidget(caption);
    layout->addWidget(view);
    layout->addWidget(row({pick, deleteRowButton(view)}));
    if (created)
        *created = view;
    return block;
}

QWidget *SlipFrame::buildItems()
{
    auto *content = new QWidget;
    QHBoxLayout *layout = sideBySide(content);
    SlipTableView *accessories = nullptr;
    layout->addWidget(inputTable(SlipTableModel::Table::Accessories, QStringLiteral("① 付属品"),
                                 QStringLiteral("付属品の参照"), MasterList::Accessory, &accessories), 1);
    layout->addWidget(inputTable(SlipTableModel::Table::Special, QStringLiteral("② 特別仕様"),
                                 QStringLiteral("特別仕様の参照"), MasterList::SpecialEquipment), 1);
    m_firstInputs[3] = accessories;
    return content;
}

QWidget *SlipFrame::buildCosts()
{
    auto *content = new QWidget;
    auto *outer = new QVBoxLayout(content);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *fields = new QWidget;
    FormGrid form(fields);
    const struct
    {
        SlipField field;
        QString label;
        QString hint;
        QString pickHint;
        int kind; // tax table, or -1 for the acquisition-tax dialog
    } costs[] = {
        {SlipField::CostTax, QStringLiteral("自動車税"), QStringLiteral("自動車税の金額を入力します"),
         QStringLiteral("自動車税一覧の参照"), 0},
        {SlipField::CostWTax, QStringLiteral("重量税"), QStringLiteral("重量税の金額を入力します"),
         QStringLiteral("重量税一覧の参照"), 2},
        {SlipField::CostIns, QStringLiteral("自賠責"), QStringLiteral("自賠責の金額を入力します"),
         QStringLiteral("自賠責一覧の参照"), 1},
        {SlipField::CostGTax, QStringLiteral("取得税"), QStringLiteral("取得税の金額を入力します"),
         QStringLiteral("取得税計算ダイアログの表示"), -1},
    };
    int column = 0;
    for (const auto &c : costs) {
        FloatEdit *edit = numberField(c.field, c.label, c.hint);
        std::function<void()> lookup = c.kind < 0 ? std::function<void()>([this] { computeAcquisitionTax(); })
                                                  : [this, edit, field = c.field, kind = c.kind] { pickTax(edit, field, kind); };
        form.add(c.label, row({edit, lookupButton(c.pickHint, edit, lookup)}), edit, column);
        column = 1 - column;
        if (!m_firstInputs[4])
            m_firstInputs[4] = edit;
    }
    outer->addWidget(fields);

    auto *tables = new QWidget;
    QHBoxLayout *layout = sideBySide(tables, 0);
    layout->addWidget(inputTable(SlipTableModel::Table::SalesCosts, QStringLiteral("④ 販売諸費用 (課税)"),
                                 QStringLiteral("販売諸費用の参照"), MasterList::SalesCost), 1, Qt::AlignTop);
    layout->addWidget(inputTable(SlipTableModel::Table::OtherCosts, QStringLiteral("⑤ その他諸費用 (非課税)"),
                                 QStringLiteral("その他諸費用の参照"), MasterList::OtherCost), 1, Qt::AlignTop);
    outer->addWidget(tables);
    return content;
}

QWidget *SlipFrame::buildTrade()
{
    auto *content = new QWidget;
    FormGrid form(content);
    addVehicleFields(form, {SlipField::TradeName, SlipField::TradeGrade, SlipField::TradeFirst, SlipField::TradeNoFirst,
                            SlipField::TradeCheck, SlipField::TradeNoCheck, SlipField::TradeKiro, SlipField::TradeESize,
                            SlipField::TradeOuter, SlipField::TradeInner, SlipField::TradeTypeCode,
                            SlipField::TradeAccessory, SlipDocument::Memo::Trade},
                     nullptr, 6);
    form.add(QStringLiteral("査定額"), numberField(SlipField::TradePrice, QStringLiteral("査定額"),
                                                   QStringLiteral("査定金額を入力します")));
    form.add(QStringLiteral("下取額"), numberField(SlipField::TradeTrade, QStringLiteral("下取額"),
                                                   QStringLiteral("実際の下取額を入力します")),
             1);
    form.add(QStringLiteral("自動車税還付"), numberField(SlipField::TradeTax, QStringLiteral("自動車税還付"),
                                                         QStringLiteral("下取車の自動車税の還付額を入力します")));
    form.add(QStringLiteral("自賠責還付"), numberField(SlipField::TradeIns, QStringLiteral("自賠責還付"),
                                                       QStringLiteral("下取車の自賠責の還付額を入力します")),
             1);
    return content;
}

QWidget *SlipFrame::buildTotals()
{
    auto *content = new QWidget;
    QHBoxLayout *layout = sideBySide(content);
    SlipTableView *totals = table(SlipTableModel::Table::Totals, QStringLiteral("合計金額"));
    layout->addWidget(totals, 3, Qt::AlignTop);
    m_firstInputs[6] = totals;

    auto *fields = new QWidget;
    FormGrid form(fields);
    form.add(QStringLiteral("税込み合計"), displayField(QStringLiteral("税込み合計"),
                                                        [](const SlipRecord &s) { return s.price.taxInc; }), 0, 2);
    form.add(QStringLiteral("下取り額"), numberField(SlipField::TradeTrade, QStringLiteral("下取り額"),
                                                     QStringLiteral("下取額を入力します")),
             0, 2);
    FloatEdit *last = numberField(SlipField::PriceLast, QStringLiteral("総お支払い額"),
                                  QStringLiteral("総お支払い額を入力すると値引きを逆算します"));
    QFont bold = last->font();
    bold.setBold(true);
    last->setFont(bold);
    form.add(QStringLiteral("総お支払い額"), last, 0, 2);
    layout->addWidget(fields, 2, Qt::AlignTop);
    return content;
}

QWidget *SlipFrame::buildPlan()
{
    auto *content = new QWidget;
    auto *outer = new QVBoxLayout(content);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *cash = new QRadioButton(QStringLiteral("現金"));
    auto *instalments = new QRadioButton(QStringLiteral("分割"));
    cash->setAccessibleName(cash->text());
    m_payMethod = new QButtonGroup(content);
    m_payMethod->addButton(cash, 1);
    m_payMethod->addButton(instalments, 0);
    m_binder->bindButtons(m_payMethod, SlipField::PayMethod);
    auto *methodRow = new QWidget;
    FormGrid method(methodRow);
    QWidget *choices = row({cash, instalments});
    choices->setAccessibleName(QStringLiteral("お支払い方法"));
    method.add(QStringLiteral("お支払い方法"), choices, cash, 0, 2);
    instalments->setAccessibleName(instalments->text());
    outer->addWidget(methodRow);

    m_instalments = new QWidget;
    auto *layout = new QHBoxLayout(m_instalments);
    layout->setContentsMargins(0, 0, 8, 6);
    auto *inputs = new QWidget;
    FormGrid form(inputs);
    form.add(QStringLiteral("頭金"), numberField(SlipField::PayDown, QStringLiteral("頭金"),
                                                 QStringLiteral("頭金を入力します")), 0, 2);
    form.add(QStringLiteral("下取車残債"), numberField(SlipField::TradeDeb, QStringLiteral("下取車残債"),
                                                       QStringLiteral("下取車の残債を入力します")), 0, 2);
    FloatEdit *rate = numberField(SlipField::PayRate, QStringLiteral("実質年率"),
                                  QStringLiteral("実質年率を入力します"));
    form.add(QStringLiteral("実質年率"), row({rate, new QLabel(QStringLiteral("%"))}), rate, 0, 2);
    FloatEdit *count = numberField(SlipField::PayTime, QStringLiteral("分割回数"),
                                   QStringLiteral("分割回数を入力します"));
    form.add(QStringLiteral("分割回数"), row({count, new QLabel(QStringLiteral("回"))}), count, 0, 2);
    auto *bonusCount = new QComboBox;
    bonusCount->addItems({QStringLiteral("なし"), QStringLiteral("1"), QStringLiteral("2")});
    m_binder->bindChoice(bonusCount, SlipField::PayBTime);
    form.add(QStringLiteral("ボーナス回数"), row({bonusCount, new QLabel(QStringLiteral("回/年"))}), bonusCount, 0, 2);
    form.add(QStringLiteral("ボーナス加算額"), numberField(SlipField::PayBPlus, QStringLiteral("ボーナス加算額"),
                                                           QStringLiteral("ボーナス月の加算額を入力します")), 0, 2);
    layout->addWidget(inputs, 2, Qt::AlignTop);
    layout->addWidget(table(SlipTableModel::Table::Plan, QStringLiteral("お支払いプラン")), 3, Qt::AlignTop);
    outer->addWidget(m_instalments);
    return content;
}

QWidget *SlipFrame::buildNotes()
{
    auto *content = new QWidget;
    FormGrid form(content);
    auto *notes = new MemoEdit(3);
    m_binder->bindMemo(notes, SlipDocument::Memo::Note);
    QToolButton *templates = lookupButton(QStringLiteral("備考テンプレートの参照"), notes, [this] { pickMemo(); });
    form.add(QStringLiteral("備考"), fieldWithButtons(notes, {templates}), notes, 0, 2);
    m_firstInputs[8] = notes;
    return content;
}

} // namespace vendara
