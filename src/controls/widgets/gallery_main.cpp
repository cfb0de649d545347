// vendara-controls-gallery: every input control in its states beside Qt's
// own line edit and spin box, for looking at them.
//
//   vendara-controls-gallery [--calendar] [--calendar-colours] [--screenshot FILE.png]
//
// --calendar opens the calendar of the first date edit; --screenshot grabs
// the window (and an open calendar) into a PNG and quits.

#include "controls/widgets/floatedit.h"
#include "controls/widgets/spinfloatedit.h"
#include "controls/widgets/formattedtextedit.h"
#include "controls/widgets/formattedamountedit.h"
#include "controls/widgets/warekidateedit.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace vendara;

namespace {

void addRow(QFormLayout *form, const QString &label, QWidget *field)
{
    form->addRow(label, field);
    field->setAccessibleName(label);
}

QGroupBox *dateGroup(WarekiDateEdit **first)
{
    auto *box = new QGroupBox(QStringLiteral("日付（WarekiDateEdit）"));
    auto *form = new QFormLayout(box);
    const QDate date(2024, 5, 17);

    auto *plain = new QLineEdit(QStringLiteral("令和06/05/17"));
    addRow(form, QStringLiteral("比較: QLineEdit"), plain);

    auto *issue = new WarekiDateEdit;
    issue->setDate(date);
    addRow(form, QStringLiteral("発行日（和暦）"), issue);
    *first = issue;

    auto *registration = new WarekiDateEdit;
    registration->setDayEnabled(false);
    registration->setDate(date);
    addRow(form, QStringLiteral("初度登録年月（和暦）"), registration);

    auto *western = new WarekiDateEdit;
    western->setDateType(DateType::Western);
    western->setDate(date);
    addRow(form, QStringLiteral("発行日（西暦）"), western);

    auto *westernMonth = new WarekiDateEdit;
    westernMonth->setDateType(DateType::Western);
    westernMonth->setDayEnabled(false);
    westernMonth->setDate(date);
    addRow(form, QStringLiteral("初度登録年月（西暦）"), westernMonth);

    auto *disabled = new WarekiDateEdit;
    disabled->setDate(QDate(1989, 1, 7));
    disabled->setEnabled(false);
    addRow(form, QStringLiteral("車検満了日（車検なし）"), disabled);

    // Typed and not yet left: 06/02/30 stays as typed, the date is 02/29.
    auto *typed = new WarekiDateEdit;
    typed->setDate(date);
    typed->digitsBox()->setCursorPosition(0);
    for (QChar c : QStringLiteral("060230")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key(c.unicode()), Qt::NoModifier, QString(c));
        QApplication::sendEvent(typed->digitsBox(), &press);
    }
    addRow(form, QStringLiteral("入力中（02/30 → 02/29）"), typed);

    auto *old = new WarekiDateEdit;
    old->setDate(QDate(1912, 7, 10));
    addRow(form, QStringLiteral("大正の日付"), old);
    return box;
}

QGroupBox *numberGroup()
{
    auto *box = new QGroupBox(QStringLiteral("数値（FloatEdit / SpinFloatEdit）"));
    auto *form = new QFormLayout(box);

    auto *spin = new QSpinBox;
    spin->setRange(-50, 50);
    spin->setValue(3);
    addRow(form, QStringLiteral("比較: QSpinBox"), spin);

    auto *price = new FloatEdit;
    price->setDigits(0);
    price->setMaximum(1'000'000'000);
    price->setSupportsThousandSeparator(true);
    price->setValue(2'345'678);
    addRow(form, QStringLiteral("本体価格"), price);

    auto *rate = new FloatEdit;
    rate->setDigits(2);
    rate->setValue(10);
    addRow(form, QStringLiteral("消費税率"), rate);

    auto *count = new FloatEdit;
    count->setDigits(0);
    count->setMaximum(1000);
    count->setSupportsThousandSeparator(true);
    count->setValue(36);
    count->setEnabled(false);
    addRow(form, QStringLiteral("分割回数（無効）"), count);

    auto *offset = new SpinFloatEdit;
    offset->floatEdit()->setRange(-50, 50);
    offset->floatEdit()->setDigits(1);
    offset->setValue(2.5);
    addRow(form, QStringLiteral("補正X (mm)"), offset);

    auto *offsetFixed = new SpinFloatEdit;
    offsetFixed->floatEdit()->setRange(-50, 50);
    offsetFixed->floatEdit()->setDigits(1);
    offsetFixed->setValue(-50);
    offsetFixed->setEditorEnabled(false);
    addRow(form, QStringLiteral("補正Y（ボタンのみ）"), offsetFixed);
    return box;
}

QGroupBox *formattedGroup()
{
    auto *box = new QGroupBox(QStringLiteral("書式付き（FormattedTextEdit / FormattedAmountEdit）"));
    auto *form = new QFormLayout(box);

    auto *comma = new FormattedTextEdit;
    FormatOptions o;
    o.editStyle = FormatStyle::Comma;
    o.decLength = 2;
    comma->setEditOption(o);
    comma->setAlignment(Qt::AlignRight);
    comma->setText(QStringLiteral("1234567.5"));
    addRow(form, QStringLiteral("合計"), comma);

    auto *money = new FormattedAmountEdit;
    o.editStyle = FormatStyle::Money;
    o.decLength = 0;
    money->setEditOption(o);
    money->setAlignment(Qt::AlignRight);
    money->setValue(Money::fromScaled(1200 * Money::kScale));
    addRow(form, QStringLiteral("税額"), money);

    auto *date = new FormattedTextEdit;
    o.editStyle = FormatStyle::Date;
    o.entryMode = EntryMode::Easy;
    date->setEditOption(o);
    date->setText(QStringLiteral("20240515"));
    addRow(form, QStringLiteral("日付 (Date)"), date);

    auto *time = new FormattedTextEdit;
    o.editStyle = FormatStyle::Time;
    time->setEditOption(o);
    time->setText(QStringLiteral("093000"));
    addRow(form, QStringLiteral("時刻 (Time)"), time);

    // Invalid input: the text as typed, the invalid() message beside it.
    auto *invalid = new FormattedTextEdit;
    o.editStyle = FormatStyle::Comma;
    o.decLength = 2;
    invalid->setEditOption(o);
    invalid->setAlignment(Qt::AlignRight);
    invalid->setText(QString());
    invalid->setText(QStringLiteral("1.234"));
    auto *message = new QLabel(formattededit::leave(invalid->text(), o, QDateTime::currentDateTime()).message);
    message->setStyleSheet(QStringLiteral("color: #b00000"));
    QObject::connect(invalid, &FormattedTextEdit::invalid, message, &QLabel::setText);
    auto *row = new QWidget;
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->addWidget(invalid);
    rowLayout->addWidget(message);
    form->addRow(QStringLiteral("入力エラー"), row);
    invalid->setAccessibleName(QStringLiteral("入力エラー"));
    return box;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("入力コントロール"));
    QFont font = QApplication::font();
    font.setFamilies({font.family(), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    QApplication::setFont(font);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption calendar(QStringLiteral("calendar"), QStringLiteral("Open a calendar."));
    const QCommandLineOption shot(QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."),
                                  QStringLiteral("file"));
    const QCommandLineOption colours(QStringLiteral("calendar-colours"),
                                     QStringLiteral("Give the first date edit calendar colours."));
    parser.addOption(calendar);
    parser.addOption(colours);
    parser.addOption(shot);
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("vendara-controls-gallery"));
    auto *layout = new QHBoxLayout(&window);
    WarekiDateEdit *firstDate = nullptr;
    auto *left = new QVBoxLayout;
    left->addWidget(dateGroup(&firstDate));
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(numberGroup());
    right->addWidget(formattedGroup());
    right->addStretch();
    layout->addLayout(left);
    layout->addLayout(right);
    window.show();

    if (parser.isSet(colours)) {
        CalendarColors c;
        c.titleBackground = QColor(0x2f, 0x5d, 0x62);
        c.titleText = Qt::white;
        c.monthBackground = QColor(0xfb, 0xfa, 0xf5);
        c.text = QColor(0x20, 0x20, 0x20);
        c.trailingText = QColor(0xc8, 0xc8, 0xc8);
        firstDate->setCalColors(c);
    }
    if (parser.isSet(calendar))
        QTimer::singleShot(100, firstDate, [firstDate] { firstDate->dropButton()->click(); });
    if (parser.isSet(shot)) {
        const QString file = parser.value(shot);
        QTimer::singleShot(600, &app, [&window, firstDate, file] {
            // The window with an open calendar drawn where it stands.
            QPixmap pixmap = window.grab();
            if (firstDate->calendarOpen()) {
                QPainter painter(&pixmap);
                QWidget *popup = firstDate->calendarPopup();
                painter.drawPixmap(window.mapFromGlobal(popup->pos()), popup->grab());
            }
            pixmap.save(file);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
