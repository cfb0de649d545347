// The slip entry frame: opening a fully filled slip into the frame and
// showing it (budget 50 ms), and one keystroke in a field handled, the
// deferred totals run included (budget 5 ms).
#include "controls/widgets/messageboxquestions.h"
#include "controls/widgets/floatedit.h"
#include "slip/slipdocument.h"
#include "slip/widgets/sliplookups.h"
#include "slip/widgets/slipframe.h"
#include "support/slipsamples.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

// Benchmarks never ask: a question would be a fault they should show.
static vendara::MessageBoxQuestions boxQuestions;

using namespace vendara;

namespace {

struct NoLookups : SlipLookups
{
    std::optional<ListPick> pickFromList(QWidget *, MasterList) override { return {}; }
    std::optional<int> pickTaxAmount(QWidget *, int) override { return {}; }
    std::optional<qint64> computeAcquisitionTax(QWidget *, const QList<AcquisitionItem> &) override { return {}; }
    std::optional<QString> pickEquipment(QWidget *, const QString &) override { return {}; }
    std::optional<QStringList> pickMemoLines(QWidget *) override { return {}; }
    std::optional<PostalPick> searchPostalCode(QWidget *, const QString &) override { return {}; }
};

// A frame at 1280 × 1024 with every section open, events on.
struct ShownFrame
{
    SlipDocument document;
    NoLookups lookups;
    SlipFrame frame{document, lookups, boxQuestions};

    ShownFrame()
    {
        frame.resize(1280, 1024);
        frame.show();
        document.setEventsOn(true);
        frame.openAllSections(true);
        QApplication::processEvents();
    }
};

void BM_OpenFilledSlipIntoFrame(benchmark::State &state)
{
    ShownFrame shown;
    const SlipRecord filled = test::fullyFilledSlip();
    SlipRecord other = filled;
    other.cust.name = QStringLiteral("別の顧客");
    bool flip = false;
    for (auto _ : state) {
        shown.document.setEventsOn(false);
        shown.document.loadRecord((flip = !flip) ? filled : other);
        shown.document.setEventsOn(true);
        shown.frame.repaint(); // laid out and painted, as the user sees it
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenFilledSlipIntoFrame)->Unit(benchmark::kMillisecond);

// The same from nothing: the frame built, the slip read into it and shown
// with every section open, as at the start of the program with a file.
void BM_BuildFrameWithFilledSlip(benchmark::State &state)
{
    const SlipRecord filled = test::fullyFilledSlip();
    for (auto _ : state) {
        SlipDocument document;
        NoLookups lookups;
        SlipFrame frame(document, lookups, boxQuestions);
        frame.resize(1280, 1024);
        document.loadRecord(filled);
        document.setEventsOn(true);
        frame.openAllSections(true);
        frame.show();
        frame.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_BuildFrameWithFilledSlip)->Unit(benchmark::kMillisecond);

// A digit typed into the body price (or the customer name), then the
// totals the timer would run 800 ms later, and the repaint.
void keystroke(benchmark::State &state, const QString &fieldName, const QString &key)
{
    ShownFrame shown;
    shown.document.loadRecord(test::fullyFilledSlip());
    QLineEdit *field = nullptr;
    for (QLineEdit *edit : shown.frame.findChildren<QLineEdit *>())
        if (edit->accessibleName() == fieldName)
            field = edit;
    field->setFocus();
    for (auto _ : state) {
        field->selectAll();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, key);
        QApplication::sendEvent(field, &press);
        shown.document.runDueTotals();
        shown.frame.totalsTimer()->stop();
        shown.frame.repaint();
    }
}

void BM_KeystrokeInBodyPrice(benchmark::State &state)
{
    keystroke(state, QStringLiteral("車両本体価格"), QStringLiteral("1"));
}
BENCHMARK(BM_KeystrokeInBodyPrice)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInCustomerName(benchmark::State &state)
{
    keystroke(state, QStringLiteral("氏名"), QStringLiteral("山"));
}
BENCHMARK(BM_KeystrokeInCustomerName)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
