#include "carmasterframe.h"

#include "carlistmodel.h"
#include "gridview.h"

#include "closingwrites.h"

#include "common/error.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vendara {

CarMasterFrame::CarMasterFrame(const QString &folder, Questions &questions, QWidget *parent)
    : QWidget(parent), m_master(folder), m_questions(questions),
      m_makers(new CarListModel(m_master, CarListModel::Side::Makers, this)),
      m_cars(new CarListModel(m_master, CarListModel::Side::Cars, this)), m_makerView(new QTableView),
      m_carView(new QTableView)
{
    auto *addMaker = new QPushButton(QStringLiteral("メーカー追加(&M)"));
    auto *deleteMaker = new QPushButton(QStringLiteral("選択削除(&D)"));
    auto *sortMakers = new QPushButton(QStringLiteral("ソート(&S)"));
    auto *addCar = new QPushButton(QStringLiteral("車種追加(&C)"));
    auto *deleteCar = new QPushButton(QStringLiteral("選択削除(&L)"));
    auto *sortCars = new QPushButton(QStringLiteral("ソート(&S)"));
    // Two buttons share a caption: their names say which list they act on.
    deleteMaker->setAccessibleName(QStringLiteral("メーカーの選択削除"));
    sortMakers->setAccessibleName(QStringLiteral("メーカーのソート"));
    deleteCar->setAccessibleName(QStringLiteral("車種の選択削除"));
    sortCars->setAccessibleName(QStringLiteral("車種のソート"));
    m_buttons = {addMaker, deleteMaker, sortMakers, addCar, deleteCar, sortCars};

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeSide(QStringLiteral("メーカー"), m_makerView, {addMaker, deleteMaker, sortMakers}));
    layout->addWidget(makeSide(QStringLiteral("車種名"), m_carView, {addCar, deleteCar, sortCars}));

    m_makerView->setModel(m_makers);
    m_carView->setModel(m_cars);
    showMakers();

    connect(m_makerView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_loading && current.isValid())
                    makerRowEntered(current.row());
            });
    connect(m_carView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_master.setCurrentCarRow(current.row());
            });
    // The reason is shown once the editor has closed: a message box opened
    // while the cell commits would take the editor's focus and commit again.
    connect(m_makers, &CarListModel::refused, this, [this] {
            if (const QString refusal = m_makers->takeRefusal(); !refusal.isEmpty())
                m_questions.error(refusal);
        }, Qt::QueuedConnection);

    // After each action the lists show what the master holds, also when the
    // action failed part way.
    // A new row is typed into at once.
    const auto makerAction = [this](std::function<void()> action, bool typeNext = false) {
        return [this, action = std::move(action), typeNext] {
            const bool done = runGuarded(m_questions, action);
            showMakers();
            if (done && typeNext)
                m_makerView->setFocus();
        };
    };
    const auto carAction = [this](std::function<void()> action, bool typeNext = false) {
        return [this, action = std::move(action), typeNext] {
            const bool done = runGuarded(m_questions, action);
            showCars();
            if (done && typeNext)
                m_carView->setFocus();
        };
    };
    connect(addMaker, &QPushButton::clicked, this, makerAction([this] { m_master.addMaker(); }, true));
    connect(deleteMaker, &QPushButton::clicked, this, makerAction([this] {
                m_master.deleteCurrentMaker(m_questions);
            }));
    connect(sortMakers, &QPushButton::clicked, this, makerAction([this] { m_master.sortMakers(); }));
    connect(addCar, &QPushButton::clicked, this, carAction([this] { m_master.addCar(); }, true));
    connect(deleteCar, &QPushButton::clicked, this, carAction([this] { m_master.deleteCurrentCar(); }));
    connect(sortCars, &QPushButton::clicked, this, carAction([this] { m_master.sortCars(); }));
}

CarMasterFrame::~CarMasterFrame()
{
    deleteViewsFirst(this);
}

QWidget *CarMasterFrame::makeSide(const QString &title, QTableView *view, const QList<QPushButton *> &buttons)
{
    auto *side = new QWidget;
    auto *column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(title);
    label->setBuddy(view);
    column->addWidget(label);
    setUpGridView(view);
    view->setAccessibleName(title);
    view->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(view, 1);
    // Add and delete side by side, sort below: the frame fits a narrow page.
    auto *grid = new QGridLayout;
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setAutoDefault(false);
        grid->addWidget(buttons[i], i / 2, i % 2);
    }
    column->addLayout(grid);
    return side;
}

void CarMasterFrame::setEditable(bool on)
{
    m_editable = on;
    m_makers->setEditable(on);
    m_cars->setEditable(on);
    setGridEditable(m_makerView, on);
    setGridEditable(m_carView, on);
    for (QPushButton *button : m_buttons)
        button->setEnabled(on);
}

void CarMasterFrame::writeBack()
{
    commitOpenEditors(this);
    // A name typed a moment ago and refused is reported now, while the
    // window that is closing can still stay open for it.
    if (const QString refusal = m_makers->takeRefusal(); !refusal.isEmpty())
        throw Error(refusal);
    m_master.save();
}

ClosingWrite CarMasterFrame::closingWrite()
{
    return masterClosingWrite(this, m_master, [this] { writeBack(); }, [this] { showMakers(); });
}

void CarMasterFrame::makerRowEntered(int row)
{
    // Leaving the row writes its cars; when another desk changed them the
    // user overwrites them or takes that desk's cars and stays on the row.
    writeResolvingConflicts(m_questions, {[this, row] { m_master.moveToMaker(row); },
                                          [this, row] {
                                              m_master.writeCarList(Overwrite::Force);
                                              m_master.moveToMaker(row);
                                          },
                                          [this] { m_master.loadCars(); }});
    // A maker whose cars could not be written stays current.
    if (m_master.currentMakerRow() != row)
        showMakers();
    else
        showCars();
}

void CarMasterFrame::showMakers()
{
    m_loading = true;
    m_makers->reload();
    m_makerView->setCurrentIndex(m_makers->index(m_master.currentMakerRow()));
    m_loading = false;
    showCars();
}

void CarMasterFrame::showCars()
{
    m_cars->reload();
    m_carView->setCurrentIndex(m_cars->index(m_master.currentCarRow()));
}

} // namespace vendara
