#include "slipfieldbinder.h"

#include "memoedit.h"
#include "controls/widgets/actionguard.h"
#include "controls/widgets/floatedit.h"
#include "controls/widgets/warekidateedit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace vendara {

SlipFieldBinder::SlipFieldBinder(SlipDocument &document, Questions &questions, QWidget *owner)
    : QObject(owner), m_document(document), m_questions(questions)
{
}

void SlipFieldBinder::userChange(const std::function<void()> &change)
{
    if (m_refreshing)
        return;
    runGuarded(m_questions, change);
}

void SlipFieldBinder::addView(std::function<void()> show)
{
    m_views.push_back(std::move(show));
}

void SlipFieldBinder::refresh()
{
    withoutUserChanges([this] {
        for (const auto &show : m_views)
            show();
    });
}

void SlipFieldBinder::withoutUserChanges(const std::function<void()> &change)
{
    QScopedValueRollback<bool> guard(m_refreshing, true);
    change();
}

void SlipFieldBinder::bindText(QLineEdit *edit, SlipField field)
{
    connect(edit, &QLineEdit::textChanged, this,
            [this, edit, field] { userChange([&] { m_document.setText(field, edit->text()); }); });
    addView([this, edit, field] {
        const QString value = m_document.text(field);
        if (edit->text() != value)
            edit->setText(value);
    });
}

void SlipFieldBinder::bindEditableText(QComboBox *box, SlipField field)
{
    connect(box, &QComboBox::currentTextChanged, this,
            [this, field](const QString &text) { userChange([&] { m_document.setText(field, text); }); });
    addView([this, box, field] {
        const QString value = m_document.text(field);
        if (box->currentText() != value)
            box->setCurrentText(value);
    });
}

void SlipFieldBinder::bindChoice(QComboBox *box, SlipField field)
{
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, field](int index) { userChange([&] { m_document.setChoice(field, index); }); });
    addView([this, box, field] {
        const int value = m_document.choice(field);
        if (box->currentIndex() != value)
            box->setCurrentIndex(value);
    });
}

void SlipFieldBinder::bindButtons(QButtonGroup *group, SlipField field)
{
    const bool isFlag = isFlagField(field);
    connect(group, &QButtonGroup::idToggled, this, [this, field, isFlag](int id, bool checked) {
        if (!checked)
            return;
        userChange([&] {
            if (isFlag)
                m_document.setFlag(field, id == 1);
            else
                m_document.setChoice(field, id);
        });
    });
    addView([this, group, field, isFlag] {
        const int id = isFlag ? int(m_document.flag(field)) : m_document.choice(field);
        if (QAbstractButton *button = group->button(id); button && !button->isChecked())
            button->setChecked(true);
    });
}

void SlipFieldBinder::bindFlag(QAbstractButton *box, SlipField field)
{
    connect(box, &QAbstractButton::toggled, this,
            [this, field](bool on) { userChange([&] { m_document.setFlag(field, on); }); });
    addView([this, box, field] {
        const bool value = m_document.flag(field);
        if (box->isChecked() != value)
            box->setChecked(value);
    });
}

void SlipFieldBinder::bindNumber(FloatEdit *edit, SlipField field)
{
    connect(edit, &QLineEdit::textChanged, this,
            [this, edit, field] { userChange([&] { m_document.setNumber(field, edit->value()); }); });
    addView([this, edit, field] {
        const double value = m_document.number(field);
        if (edit->value() != value)
            edit->setValue(value);
    });
}

void SlipFieldBinder::bindDisplay(FloatEdit *edit, std::function<double(const SlipRecord &)> value)
{
    edit->setReadOnly(true);
    addView([this, edit, value = std::move(value)] {
        const double shown = value(m_document.record());
        if (edit->value() != shown)
            edit->setValue(shown);
    });
}

void SlipFieldBinder::bindDate(WarekiDateEdit *edit, SlipField field)
{
    connect(edit, &WarekiDateEdit::changed, this,
            [this, edit, field] { userChange([&] { m_document.setDate(field, edit->date()); }); });
    addView([this, edit, field] {
        const QDate value = m_document.date(field);
        if (edit->date() != value)
            edit->setDate(value);
    });
}

void SlipFieldBinder::bindMemo(MemoEdit *edit, SlipDocument::Memo memo)
{
    connect(edit, &MemoEdit::textChanged, this,
            [this, edit, memo] { userChange([&] { m_document.setMemo(memo, edit->lines()); }); });
    addView([this, edit, memo] {
        const QStringList lines = m_document.memoLines(memo);
        if (edit->lines() != lines)
            edit->setLines(lines);
    });
}

} // namespace vendara
