#include "sectionpanel.h"

#include "controls/widgets/accessiblename.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vendara {

namespace {

const QColor kOpenBand(191, 217, 244);

QFont enlarged(QFont font, int points)
{
    font.setPointSizeF(font.pointSizeF() + points);
    return font;
}

} // namespace

SectionPanel::SectionPanel(const QString &caption, QWidget *content, QWidget *parent)
    : QFrame(parent), m_band(new QWidget(this)), m_button(new QPushButton(caption, m_band)),
      m_status(new QLabel(m_band)), m_content(content)
{
    setFrameShape(QFrame::Box);
    setLineWidth(0);
    m_band->setAutoFillBackground(true);
    m_band->setFixedHeight(kHeaderHeight);

    m_button->setCheckable(true);
    m_button->setFont(enlarged(m_button->font(), 2));
    m_button->setMinimumWidth(m_button->sizeHint().width() + 16);
    m_button->setAccessibleName(captionWithoutAccelerator(caption));
    m_status->setTextInteractionFlags(Qt::NoTextInteraction);

    auto *bandLayout = new QHBoxLayout(m_band);
    bandLayout->setContentsMargins(4, 2, 8, 2);
    bandLayout->addWidget(m_button);
    bandLayout->addSpacing(12);
    bandLayout->addWidget(m_status, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_band);
    m_content->setParent(this);
    layout->addWidget(m_content);

    // toggled, not clicked: a screen reader's "Toggle" action checks the
    // button without a click.
    connect(m_button, &QPushButton::toggled, this, [this](bool checked) {
        if (checked == m_open)
            return; // setOpen itself
        emit toggledByUser(checked);
        // The frame has decided; the button shows what it decided.
        if (m_button->isChecked() != m_open) {
            const QSignalBlocker quiet(m_button);
            m_button->setChecked(m_open);
        }
    });
    setOpen(false);
}

bool SectionPanel::isOpen() const
{
    return m_open;
}

void SectionPanel::setOpen(bool open)
{
    m_open = open;
    m_button->setChecked(open);
    m_content->setEnabled(open);
    m_content->setVisible(open);
    QPalette band = m_band->palette();
    band.setColor(QPalette::Window, open ? kOpenBand : QColor(Qt::white));
    m_band->setPalette(band);
}

void SectionPanel::setStatus(const QString &text, const QColor &colour)
{
    m_status->setText(text);
    // A label's accessible name hides its text from screen readers: the name
    // carries the status itself.
    m_status->setAccessibleName(m_button->accessibleName() + QStringLiteral(" の状態: ") + text);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_status->setPalette(palette);
}

} // namespace vendara
