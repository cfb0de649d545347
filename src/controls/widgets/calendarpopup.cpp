#include "controls/widgets/calendarpopup.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

namespace vendara {

CalendarPopup::CalendarPopup(QWidget *owner)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                        | Qt::WindowDoesNotAcceptFocus)
    , m_calendar(new QCalendarWidget(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(false);
    m_calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    // Nothing in the calendar takes the focus from the form.
    m_calendar->setFocusPolicy(Qt::NoFocus);
    for (QWidget *child : m_calendar->findChildren<QWidget *>())
        child->setFocusPolicy(Qt::NoFocus);

    connect(m_calendar, &QCalendarWidget::clicked, this, &CalendarPopup::dayClicked);
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, [this](int year, int month) {
        if (!m_settingDate)
            emit pageMoved(year, month);
    });
}

void CalendarPopup::setRange(const QDate &minimum, const QDate &maximum)
{
    m_settingDate = true;
    m_calendar->setDateRange(minimum, maximum);
    m_settingDate = false;
}

void CalendarPopup::showDate(const QDate &date)
{
    m_settingDate = true;
    m_calendar->setSelectedDate(date);
    m_calendar->setCurrentPage(date.year(), date.month());
    m_settingDate = false;
}

void CalendarPopup::popUp(const QPoint &topLeft)
{
    adjustSize();
    QPoint pos = topLeft;
    // Kept on the screen, as far as it fits.
    if (const QScreen *screen = QGuiApplication::screenAt(topLeft)) {
        const QRect area = screen->availableGeometry();
        pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - width() + 1)));
        pos.setY(std::min(pos.y(), std::max(area.top(), area.bottom() - height() + 1)));
    }
    move(pos);
    show();
    raise();
}

void CalendarPopup::setColors(const CalendarColors &colors)
{
    QPalette palette = m_calendar->palette();
    if (colors.background.isValid())
        palette.setColor(QPalette::Window, colors.background);
    if (colors.monthBackground.isValid())
        palette.setColor(QPalette::Base, colors.monthBackground);
    // The calendar draws the days of the months before and after in the
    // disabled text colour.
    if (colors.text.isValid()) {
        palette.setColor(QPalette::Active, QPalette::Text, colors.text);
        palette.setColor(QPalette::Inactive, QPalette::Text, colors.text);
    }
    if (colors.trailingText.isValid())
        palette.setColor(QPalette::Disabled, QPalette::Text, colors.trailingText);
    m_calendar->setPalette(palette);

    if (auto *bar = m_calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_navigationbar"))) {
        QPalette barPalette = bar->palette();
        if (colors.titleBackground.isValid()) {
            barPalette.setColor(QPalette::Window, colors.titleBackground);
            barPalette.setColor(QPalette::Highlight, colors.titleBackground);
        }
        if (colors.titleText.isValid()) {
            barPalette.setColor(QPalette::WindowText, colors.titleText);
            barPalette.setColor(QPalette::ButtonText, colors.titleText);
            barPalette.setColor(QPalette::HighlightedText, colors.titleText);
        }
        bar->setPalette(barPalette);
        for (QToolButton *button : bar->findChildren<QToolButton *>())
            button->setPalette(barPalette);
    }
    if (colors.text.isValid()) {
        QTextCharFormat weekday;
        weekday.setForeground(colors.text);
        for (Qt::DayOfWeek day : {Qt::Monday, Qt::Tuesday, Qt::Wednesday, Qt::Thursday, Qt::Friday})
            m_calendar->setWeekdayTextFormat(day, weekday);
    }
}

} // namespace vendara
