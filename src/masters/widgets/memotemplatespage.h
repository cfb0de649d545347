#pragma once

#include "masters/memotemplates.h"

#include <QWidget>

class QPlainTextEdit;

namespace vendara {

class Questions;
class MemoTemplateView;

// The options page of the memo templates: the templates, the three-line
// editor "備考欄テンプレート" and "追加", "修正", "削除". Selecting a template
// loads it into the editor. Written only by save(), which the options
// dialog calls on OK; when another desk changed the file meanwhile the dialog
// asks, then saves with Overwrite::Force or calls reload().
class MemoTemplatesPage : public QWidget
{
    Q_OBJECT
public:
    // folder: Dat/Mst/ of the data root.
    MemoTemplatesPage(const QString &folder, Questions &questions, QWidget *parent = nullptr);

    const MemoTemplates &templates() const { return m_templates; }
    void save(Overwrite overwrite = Overwrite::IfUnchanged) { m_templates.save(overwrite); }
    // Shows the file as it is now; the edits on the page are dropped.
    void reload();

    MemoTemplateView *view() const { return m_view; }
    QPlainTextEdit *editor() const { return m_editor; }

private:
    QStringList editorLines() const;

    MemoTemplates m_templates;
    Questions &m_questions;
    MemoTemplateView *m_view;
    QPlainTextEdit *m_editor;
};

} // namespace vendara
