#pragma once

#include "masters/memotemplates.h"

#include <QDialog>

namespace vendara {

class MemoTemplateView;

// "備考欄テンプレート選択": the memo templates; OK or a double-click picks
// the current one.
class MemoPickDialog : public QDialog
{
    Q_OBJECT
public:

    // folder: Dat/Mst/ of the data root.
    explicit MemoPickDialog(const QString &folder, QWidget *parent = nullptr);

    // The three lines of the current template (blank lines included).
    QStringList selectedLines() const;
    MemoTemplateView *view() const { return m_view; }

signals:
    void helpRequested(int topic);

private:
    MemoTemplates m_templates;
    MemoTemplateView *m_view;
};

} // namespace vendara
