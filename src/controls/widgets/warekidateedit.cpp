#include "controls/widgets/warekidateedit.h"

#include "controls/widgets/accessiblename.h"
#include "controls/widgets/datedigitsbox.h"
#include "controls/widgets/erabuttons.h"
#include "controls/widgets/messagepopup.h"
#include "controls/widgets/warekidateeditaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFrame>
#include <QToolButton>

namespace vendara {

namespace {

// Only one calendar is open in the whole program at a time.
QPointer<WarekiDateEdit> s_calendarOwner;

} // namespace

WarekiDateEdit::WarekiDateEdit(QWidget *parent)
    : QWidget(parent)
    , m_model(QDate::currentDate())
    , m_eraBox(new QLineEdit(this))
    , m_eraButtons(new EraButtons(this))
    , m_digits(new DateDigitsBox(this))
    , m_dropButton(new QToolButton(this))
{
    WarekiDateEditAccessible::install();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Tab enters the digits box; the era-name box is reached with the arrow
    // keys or a click.
    setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_digits);
    setAttribute(Qt::WA_InputMethodEnabled, false);

    m_eraBox->setReadOnly(true);
    m_eraBox->setFocusPolicy(Qt::ClickFocus);
    m_eraBox->setFrame(false);
    m_eraBox->setAlignment(Qt::AlignCenter);
    m_eraBox->setContextMenuPolicy(Qt::NoContextMenu);
    m_eraBox->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_eraBox->installEventFilter(this);

    m_digits->installEventFilter(this);
    connect(m_digits, &QLineEdit::textEdited, this, &WarekiDateEdit::onDigitsEdited);
    connect(m_digits, &DateDigitsBox::focusEntered, this, &WarekiDateEdit::onDigitsFocusIn);
    connect(m_digits, &DateDigitsBox::focusLeft, this,
            [this](Qt::FocusReason reason) { onFocusOut(m_digits, reason); });

    connect(m_eraButtons, &EraButtons::upClicked, this, [this] { apply(m_model.eraUp(), Select::Keep); });
    connect(m_eraButtons, &EraButtons::downClicked, this,
            [this] { apply(m_model.eraDown(), Select::Keep); });

    m_dropButton->setArrowType(Qt::DownArrow);
    m_dropButton->setAutoRaise(true);
    m_dropButton->setFocusPolicy(Qt::NoFocus);
    connect(m_dropButton, &QToolButton::clicked, this, &WarekiDateEdit::toggleCalendar);
    // A top-most calendar must not stay over other programs.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            cancelCalendar();
    });

    sync(Select::Keep);
}

WarekiDateEdit::~WarekiDateEdit()
{
    if (s_calendarOwner == this)
        s_calendarOwner = nullptr;
}

QLineEdit *WarekiDateEdit::eraBox() const
{
    return m_eraBox;
}

QLineEdit *WarekiDateEdit::digitsBox() const
{
    return m_digits;
}

void WarekiDateEdit::setDate(const QDate &date)
{
    apply(m_model.setDate(date), Select::Part);
}

void WarekiDateEdit::setDateType(DateType type)
{
    apply(m_model.setDateType(type), Select::Part);
}

void WarekiDateEdit::setDayEnabled(bool enabled)
{
    apply(m_model.setDayEnabled(enabled), Select::Part);
}

void WarekiDateEdit::setCalColors(const CalendarColors &colors)
{
    m_colors = colors;
    if (m_popup)
        m_popup->setColors(colors);
}

bool WarekiDateEdit::addEra(const QString &name, const QString &firstDayText)
{
    if (const std::optional<QString> refused = m_model.addEra(name, firstDayText)) {
        showControlWarning(this, *refused);
        return false;
    }
    if (m_popup)
        m_popup->setRange(m_model.eras().earliestDate(), m_model.eras().latestDate());
    return true;
}

QString WarekiDateEdit::displayText() const
{
    if (m_model.dateType() == DateType::Era)
        return m_model.eraNameText() + m_model.digitsText();
    return m_model.digitsText();
}

CalendarPopup *WarekiDateEdit::calendarPopup()
{
    if (!m_popup) {
        m_popup = new CalendarPopup(this);
        m_popup->setRange(m_model.eras().earliestDate(), m_model.eras().latestDate());
        m_popup->setColors(m_colors);
        connect(m_popup, &CalendarPopup::dayClicked, this,
                [this](const QDate &day) { apply(m_model.calendarDayClicked(day), Select::Part); });
        connect(m_popup, &CalendarPopup::pageMoved, this, [this](int year, int month) {
            m_popup->showDate(m_model.calendarPageMoved(year, month));
        });
    }
    return m_popup;
}

void WarekiDateEdit::apply(const DateEditEffect &effect, Select select)
{
    sync(select);
    if (effect.feedback.beep) {
        QApplication::beep();
        emit beeped();
    }
    if (effect.feedback.hasMessage())
        showControlError(this, effect.feedback.message);
    if (effect.changed)
        emit changed();
}

void WarekiDateEdit::sync(Select select)
{
    const bool era = m_model.dateType() == DateType::Era;
    m_updating = true;
    const QString mask = WarekiDateModel::digitsInputMask(m_model.dateType(), m_model.dayEnabled());
    if (mask != m_mask) {
        m_mask = mask;
        m_digits->setInputMask(mask);
    }
    if (m_digits->displayText() != m_model.digitsText())
        m_digits->setText(m_model.digitsText());
    if (m_eraBox->text() != m_model.eraNameText())
        m_eraBox->setText(m_model.eraNameText());
    m_updating = false;
    m_eraBox->setVisible(era);
    m_eraButtons->setVisible(era);

    if (select == Select::Part && m_digits->hasFocus()) {
        const auto [start, length] = m_model.selection();
        m_digits->setSelection(start, length);
    }

    if (m_model.calendarOpen()) {
        CalendarPopup *popup = calendarPopup();
        popup->showDate(m_model.calendarDate());
        if (!popup->isVisible()) {
            if (s_calendarOwner && s_calendarOwner != this)
                s_calendarOwner->cancelCalendar();
            popup->popUp(mapToGlobal(QPoint(0, height())));
            followAncestors(true);
        }
        s_calendarOwner = this;
    } else if (m_popup && m_popup->isVisible()) {
        m_popup->hide();
        followAncestors(false);
        if (s_calendarOwner == this)
            s_calendarOwner = nullptr;
    }

    updateGeometry();
    placeParts();
    if (displayText() != m_reportedText) {
        m_reportedText = displayText();
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent event(this, m_reportedText);
            QAccessible::updateAccessibility(&event);
        }
    }
}

DateEditLayout WarekiDateEdit::currentLayout() const
{
    // Measured with the blanks of a part being typed as digits, so the
    // control keeps its size while the user types.
    QString digits = m_model.digitsText();
    digits.replace(u' ', u'0');
    const QFontMetrics fm = m_digits->fontMetrics();
    return WarekiDateModel::layout(m_model.dateType(), fm.horizontalAdvance(m_model.eraNameText()),
                                   fm.horizontalAdvance(digits), fm.height());
}

void WarekiDateEdit::placeParts()
{
    const DateEditLayout l = currentLayout();
    const int f = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    m_eraBox->setGeometry(l.eraBox.translated(f, f));
    m_eraButtons->setGeometry(l.spin.translated(f, f));
    m_digits->setGeometry(l.digitsBox.translated(f, f));
    m_dropButton->setGeometry(l.dropButton.translated(f, f));
}

QSize WarekiDateEdit::sizeHint() const
{
    const int f = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    return currentLayout().size + QSize(2 * f, 2 * f);
}

QSize WarekiDateEdit::minimumSizeHint() const
{
    return sizeHint();
}

void WarekiDateEdit::followAncestors(bool on)
{
    // The calendar stays under the control when a scrolling page or the
    // window moves it.
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (on)
            w->installEventFilter(this);
        else
            w->removeEventFilter(this);
    }
}

bool WarekiDateEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_digits && watched != m_eraBox) {
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && m_popup
            && m_popup->isVisible())
            m_popup->move(mapToGlobal(QPoint(0, height())));
        return QWidget::eventFilter(watched, event);
    }
    if (watched == m_digits) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return digitsKey(static_cast<QKeyEvent *>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            digitsMouse(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            return true; // no drag selection: a click selects a part
        default:
            break;
        }
    } else if (watched == m_eraBox) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return eraKey(static_cast<QKeyEvent *>(event));
        case QEvent::FocusIn:
            onEraFocusIn(static_cast<QFocusEvent *>(event)->reason());
            break;
        case QEvent::FocusOut:
            onFocusOut(m_eraBox, static_cast<QFocusEvent *>(event)->reason());
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool WarekiDateEdit::digitsKey(QKeyEvent *event)
{
    if (m_model.calendarOpen()) {
        if (event->key() == Qt::Key_Escape) {
            cancelCalendar();
            return true;
        }
        apply(m_model.keyInDigits(), Select::Part);
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        apply(m_model.digitsUp(), Select::Part);
        return true;
    case Qt::Key_Down:
        apply(m_model.digitsDown(), Select::Part);
        return true;
    case Qt::Key_Left:
        if (modifiers != Qt::NoModifier)
            return false;
        m_model.digitsLeft();
        break;
    case Qt::Key_Right:
        m_model.digitsRight();
        break;
    default:
        return false;
    }
    if (m_model.focus() == WarekiDateModel::Focus::EraBox)
        m_eraBox->setFocus(Qt::OtherFocusReason);
    else
        sync(Select::Part);
    return true;
}

bool WarekiDateEdit::eraKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        apply(m_model.eraUp(), Select::Keep);
        return true;
    case Qt::Key_Down:
        apply(m_model.eraDown(), Select::Keep);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_model.eraBoxToDigits();
        m_digits->setFocus(Qt::OtherFocusReason);
        sync(Select::Part);
        return true;
    default:
        return false;
    }
}

void WarekiDateEdit::digitsMouse(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!m_digits->hasFocus())
        m_digits->setFocus(Qt::MouseFocusReason);
    const QFontMetrics fm = m_digits->fontMetrics();
    const auto [yearText, yearMonthText] = WarekiDateModel::partMeasureTexts(m_model.dateType());
    const int x = int(event->position().x()) - m_digits->textLeft();
    apply(m_model.clickDigits(x, fm.horizontalAdvance(yearText), fm.horizontalAdvance(yearMonthText)),
          Select::Part);
}

void WarekiDateEdit::onDigitsEdited()
{
    if (m_updating)
        return;
    apply(m_model.editDigits(m_digits->displayText()), Select::Keep);
}

void WarekiDateEdit::onDigitsFocusIn(Qt::FocusReason reason)
{
    update();
    passNameOn();
    if (reason == Qt::ActiveWindowFocusReason && m_model.focus() != WarekiDateModel::Focus::Outside) {
        sync(Select::Part);
        return;
    }
    const bool fromOutside = m_model.focus() == WarekiDateModel::Focus::Outside;
    if (m_model.focus() != WarekiDateModel::Focus::Digits)
        m_model.enterDigits();
    sync(Select::Part);
    if (fromOutside)
        emit entered();
}

void WarekiDateEdit::onEraFocusIn(Qt::FocusReason reason)
{
    update();
    passNameOn();
    if (reason == Qt::ActiveWindowFocusReason && m_model.focus() != WarekiDateModel::Focus::Outside)
        return;
    const bool fromOutside = m_model.focus() == WarekiDateModel::Focus::Outside;
    m_model.enterEraBox();
    if (fromOutside)
        emit entered();
}

void WarekiDateEdit::onFocusOut(QWidget *part, Qt::FocusReason reason)
{
    update();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    QWidget *now = QApplication::focusWidget();
    if (now && isAncestorOf(now)) {
        if (part == m_digits)
            apply(m_model.digitsLostFocus(), Select::Keep);
        return;
    }
    apply(m_model.leave(), Select::Keep);
    emit exited();
}

void WarekiDateEdit::toggleCalendar()
{
    if (!m_model.calendarOpen() && !m_digits->hasFocus())
        m_digits->setFocus(Qt::OtherFocusReason);
    m_model.toggleCalendar();
    sync(Select::Part);
}

void WarekiDateEdit::cancelCalendar()
{
    if (!m_model.calendarOpen())
        return;
    m_model.cancelCalendar();
    sync(Select::Keep);
}

void WarekiDateEdit::passNameOn()
{
    const QString name = effectiveAccessibleName(this);
    nameInnerPart(m_digits, name);
    nameInnerPart(m_eraBox, name, QStringLiteral("年号"));
    nameInnerPart(m_eraButtons, name, QStringLiteral("年号の切り替え"));
    nameInnerPart(m_dropButton, name, QStringLiteral("カレンダー"));
}

bool WarekiDateEdit::event(QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Polish)
        passNameOn();
    return QWidget::event(event);
}

void WarekiDateEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        placeParts();
    } else if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        cancelCalendar();
    }
    QWidget::changeEvent(event);
}

void WarekiDateEdit::resizeEvent(QResizeEvent *event)
{
    placeParts();
    QWidget::resizeEvent(event);
}

void WarekiDateEdit::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    if (m_digits->hasFocus() || m_eraBox->hasFocus())
        frame.state |= QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
}

void WarekiDateEdit::hideEvent(QHideEvent *event)
{
    cancelCalendar();
    QWidget::hideEvent(event);
}

} // namespace vendara
