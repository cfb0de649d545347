// Every key, alone and with each modifier, on every composite control of the
// program in each of its states: nothing crashes or hangs, and what the
// control holds afterwards still keeps the control's own rules.
#include "controls/widgets/floatedit.h"
#include "controls/widgets/spinfloatedit.h"
#include "controls/widgets/formattedtextedit.h"
#include "controls/widgets/formattedamountedit.h"
#include "controls/widgets/warekidateedit.h"
#include "masters/widgets/listmasterframe.h"
#include "masters/widgets/taxgridframe.h"
#include "masters/widgets/cellgridmodel.h"
#include "slip/slipdocument.h"
#include "slip/widgets/memoedit.h"
#include "slip/widgets/sliptablemodel.h"
#include "slip/widgets/sliptableview.h"
#include "support/fakequestions.h"
#include "support/keystorm.h"
#include "support/shippeddata.h"

#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace vendara;
using namespace vendara::test;

namespace {

QString keyName(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    return QKeySequence(int(key) | int(modifiers)).toString();
}

// A number field keeps its value inside its limits and its decimals.
void checkFloatRules(const FloatEdit &edit, const QString &state)
{
    const double value = edit.value();
    const double scaled = value * std::pow(10.0, edit.digits());
    QVERIFY2(value >= edit.minimum() && value <= edit.maximum(),
             qPrintable(state + QStringLiteral(": %1 outside its limits").arg(value)));
    QVERIFY2(std::abs(scaled - std::round(scaled)) < 1e-6,
             qPrintable(state + QStringLiteral(": %1 has too many decimals").arg(value)));
}

// Amount cells hold a whole number or nothing.
void checkAmountCells(const QAbstractItemModel &model, int amountRole, const QString &state)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]*$"));
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            if (!index.data(amountRole).toBool())
                continue;
            const QString text = index.data(Qt::DisplayRole).toString().remove(u',').trimmed();
            QVERIFY2(wholeNumber.match(text).hasMatch(),
                     qPrintable(state + QStringLiteral(": amount cell (%1,%2) holds \"%3\"").arg(row).arg(column).arg(text)));
        }
    }
}

// Storms `control` in the state `prepare` puts it in, checking `rules` after
// every key and once more after the focus has left it.
void stormInState(QWidget *control, const QString &state, const std::function<void()> &rules)
{
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    keyStorm(control, [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        rules();
        if (QTest::currentTestFailed())
            qWarning("%s, after %s", qPrintable(state), qPrintable(keyName(key, modifiers)));
    });
    control->clearFocus();
    closeWhatKeysOpened();
    rules();
}

} // namespace

class KeyStormTest : public QObject
{
    Q_OBJECT

private slots:
    void numberFields_keepTheirLimitsUnderEveryKey()
    {
        const struct
        {
            double min, max;
            int digits;
            bool readOnly;
        } states[] = {{0, 999999999, 0, false}, {-50, 50, 1, false}, {0, 100, 2, true}};
        for (const auto &s : states) {
            QWidget window;
            auto *edit = new FloatEdit(&window);
            edit->setRange(s.min, s.max);
            edit->setDigits(s.digits);
            edit->setReadOnly(s.readOnly);
            stormInState(edit, QStringLiteral("FloatEdit %1..%2").arg(s.min).arg(s.max),
                         [&] { checkFloatRules(*edit, QStringLiteral("FloatEdit")); });
            if (QTest::currentTestFailed())
                return;
        }
    }

    void spinFields_keepTheirLimitsUnderEveryKey()
    {
        // The printer dialog's corrections, then the editor switched off, then read-only.
        for (int state = 0; state < 3; ++state) {
            QWidget window;
            auto *spin = new SpinFloatEdit(&window);
            spin->floatEdit()->setRange(-50, 50);
            spin->floatEdit()->setDigits(1);
            spin->setIncrement(0.1);
            spin->setEditorEnabled(state != 1);
            spin->setReadOnly(state == 2);
            stormInState(spin, QStringLiteral("SpinFloatEdit state %1").arg(state),
                         [&] { checkFloatRules(*spin->floatEdit(), QStringLiteral("SpinFloatEdit")); });
            if (QTest::currentTestFailed())
                return;
        }
    }

    void formattedFields_keepTheirLengthUnderEveryKey()
    {
        const FormatStyle styles[] = {FormatStyle::None, FormatStyle::Comma, FormatStyle::Date,
                                      FormatStyle::Time};
        for (FormatStyle style : styles) {
            for (EntryMode method : {EntryMode::Full, EntryMode::Easy}) {
                QWidget window;
                auto *edit = new FormattedTextEdit(&window);
                FormatOptions option;
                option.editStyle = style;
                option.maxLength = 8;
                option.decLength = style == FormatStyle::Comma ? 2 : 0;
                option.entryMode = method;
                option.moveByEnter = true;
                edit->setEditOption(option);
                const QString state = QStringLiteral("FormattedTextEdit style %1").arg(int(style));
                stormInState(edit, state, [&] {
                    QVERIFY2(formattededit::unformat(edit->text(), style).size() <= option.maxLength,
                             qPrintable(state + QStringLiteral(": \"%1\" too long").arg(edit->text())));
                });
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    void amountFields_keepAWholeAmountUnderEveryKey()
    {
        QWidget window;
        auto *edit = new FormattedAmountEdit(&window);
        FormatOptions option;
        option.editStyle = FormatStyle::Money;
        option.maxLength = 11;
        edit->setEditOption(option);
        edit->setValue(Money::fromScaled(1500000 * Money::kScale));
        stormInState(edit, QStringLiteral("FormattedAmountEdit"), [&] {
            const QString digits = formattededit::unformat(edit->text(), FormatStyle::Money);
            QVERIFY2(digits.size() <= option.maxLength, qPrintable(edit->text()));
        });
    }

    void dateEdits_keepAValidDateUnderEveryKey()
    {
        const struct
        {
            DateType type;
            bool day;
        } states[] = {{DateType::Era, true}, {DateType::Western, true}, {DateType::Era, false}};
        for (const auto &s : states) {
            QWidget window;
            auto *edit = new WarekiDateEdit(&window);
            edit->setDateType(s.type);
            edit->setDayEnabled(s.day);
            edit->setDate(QDate(2026, 12, 10));
            const QString state = QStringLiteral("WarekiDateEdit type %1 day %2").arg(int(s.type)).arg(s.day);
            stormInState(edit, state, [&] {
                QVERIFY2(edit->date().isValid(), qPrintable(state));
                QVERIFY2(edit->date().year() >= 1868 && edit->date().year() <= 9999,
                         qPrintable(state + edit->date().toString(Qt::ISODate)));
            });
            // The digits part takes the storm itself too.
            stormInState(edit->digitsBox(), state + QStringLiteral(" (digits)"),
                         [&] { QVERIFY2(edit->date().isValid(), qPrintable(state)); });
            if (QTest::currentTestFailed())
                return;
        }
    }

    void memos_keepTheirLineCountUnderEveryKey()
    {
        for (int lines : {2, 3}) {
            QWidget window;
            auto *memo = new MemoEdit(lines, &window);
            memo->setLines({QStringLiteral("一行目"), QStringLiteral("二行目")});
            stormInState(memo, QStringLiteral("MemoEdit(%1)").arg(lines), [&] {
                QVERIFY2(memo->lines().size() <= lines, qPrintable(memo->lines().join(u'|')));
                QVERIFY2(memo->document()->blockCount() <= lines, qPrintable(memo->toPlainText()));
            });
            if (QTest::currentTestFailed())
                return;
        }
    }

    void slipTables_keepWholeAmountsUnderEveryKey()
    {
        using Table = SlipTableModel::Table;
        for (Table kind : {Table::Accessories, Table::SalesCosts, Table::Totals, Table::Plan}) {
            SlipDocument document;
            document.startNew({}, QDate(2026, 12, 10));
            document.setEventsOn(true);
            QWidget window;
            auto *model = new SlipTableModel(document, kind, &window);
            auto *view = new SlipTableView(model, QStringLiteral("表"), &window);
            view->setCurrentIndex(model->index(0, 0));
            const int rows = model->rowCount();
            stormInState(view, QStringLiteral("SlipTableView %1").arg(int(kind)), [&] {
                QCOMPARE(model->rowCount(), rows);
                checkAmountCells(*model, SlipTableModel::AmountRole, QStringLiteral("table %1").arg(int(kind)));
            });
            if (QTest::currentTestFailed())
                return;
        }
    }

    void masterGrids_keepWholeAmountsUnderEveryKey()
    {
        QTemporaryDir dir;
        copyShippedData(dir.path());
        testing::FakeQuestions questions;
        const QString dat = dir.path() + QStringLiteral("/Dat/");
        std::vector<std::unique_ptr<QWidget>> frames;
        frames.push_back(std::make_unique<TaxGridFrame>(dat + QStringLiteral("Tax/"), questions));
        frames.push_back(std::make_unique<ListMasterFrame>(dat + QStringLiteral("Mst/"), questions));
        for (const auto &frame : frames) {
            auto *grid = frame->findChild<QTableView *>();
            QVERIFY(grid);
            grid->setCurrentIndex(grid->model()->index(1, 1));
            const QString state = QString::fromLatin1(frame->metaObject()->className());
            stormInState(grid, state, [&] { checkAmountCells(*grid->model(), CellGridModel::AmountCellRole, state); });
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(KeyStormTest)
#include "keystorm_test.moc"
