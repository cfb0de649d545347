#include "carmasterframe.h"

#include "carlistmodel.h"
#include "gridview.h"

#include "common/error.h"
#include "controls/widgets/dialogquestions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vendara {

CarMasterFrame::CarMasterFrame(const QString &folder, DialogQuestions &questions, QWidget *parent)
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
    connect(addMaker, &QPushButton::clicked, this, [this] {
        run([this] { m_master.addMaker(); });
        showMakers();
        m_makerView->setFocus();
    });
    connect(deleteMaker, &QPushButton::clicked, this, [this] {
        run([this] {
            m_master.deleteCurrentMaker([this](const QString &q) { return m_questions.confirm(this, q); });
        });
        showMakers();
    });
    connect(sortMakers, &QPushButton::clicked, this, [this] {
        run([this] { m_master.sortMakers(); });
        showMakers();
    });
    connect(addCar, &QPushButton::clicked, this, [this] {
        m_master.addCar();
        showCars();
        m_carView->setFocus();
    });
    connect(deleteCar, &QPushButton::clicked, this, [this] {
        m_master.deleteCurrentCar();
        showCars();
    });
    connect(sortCars, &QPushButton::clicked, this, [this] {
        m_master.sortCars();
        showCars();
    });
}

CarMasterFrame::~CarMasterFrame()
{
    try {
        m_master.save();
    } catch (const Error &) {
        // writeBack() has shown it when the window closed.
    }
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

bool CarMasterFrame::writeBack()
{
    return m_questions.attempt(this, [this] { m_master.save(); });
}

void CarMasterFrame::makerRowEntered(int row)
{
    run([this, row] { m_master.moveToMaker(row); });
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

void CarMasterFrame::run(const std::function<void()> &action)
{
    m_questions.attempt(this, action);
}

} // namespace vendara
