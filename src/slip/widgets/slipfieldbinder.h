#pragma once

#include "slip/slipdocument.h"

#include <QObject>

#include <functional>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QWidget;

namespace vendara {

class Questions;
class FloatEdit;
class MemoEdit;
class WarekiDateEdit;

// Ties the entry controls to the slip's fields: what the user changes goes
// to the SlipDocument at once (whose rules decide what follows), and
// refresh() shows the record in every control. Changes the controls report
// while refresh() writes them are not the user's and are ignored. An error of
// a change (a total out of range) is shown in an error box.
class SlipFieldBinder : public QObject
{
    Q_OBJECT

public:
    SlipFieldBinder(SlipDocument &document, Questions &questions, QWidget *owner);

    void bindText(QLineEdit *edit, SlipField field);
    // An editable choice: the text is the value.
    void bindEditableText(QComboBox *box, SlipField field);
    // A fixed choice: the index is the value.
    void bindChoice(QComboBox *box, SlipField field);
    // Radio buttons whose ids are the values; a flag field takes 1 as true.
    void bindButtons(QButtonGroup *group, SlipField field);
    void bindFlag(QAbstractButton *box, SlipField field);
    void bindNumber(FloatEdit *edit, SlipField field);
    // A computed amount, shown only.
    void bindDisplay(FloatEdit *edit, std::function<double(const SlipRecord &)> value);
    void bindDate(WarekiDateEdit *edit, SlipField field);
    void bindMemo(MemoEdit *edit, SlipDocument::Memo memo);
    // Any further control: `show` writes the record into it.
    void addView(std::function<void()> show);

    void refresh();
    // Runs a change of the controls' own (a date form switched) that is not
    // the user's.
    void withoutUserChanges(const std::function<void()> &change);
    bool isRefreshing() const { return m_refreshing; }
    // Runs a change of the user's: nothing while refreshing, errors shown.
    void userChange(const std::function<void()> &change);

private:
    SlipDocument &m_document;
    Questions &m_questions;
    std::vector<std::function<void()>> m_views;
    bool m_refreshing = false;
};

} // namespace vendara
