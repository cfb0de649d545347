#pragma once

#include <QListView>

namespace vendara {

class MemoTemplates;

// The memo templates as rows of three lines each (rows 50 pixels high, the
// lines 2, 15 and 28 pixels below the row's top). reload() after the
// templates changed.
class MemoTemplateView : public QListView
{
    Q_OBJECT
public:
    explicit MemoTemplateView(const MemoTemplates &templates, QWidget *parent = nullptr);

    void reload(int current);
    int currentRow() const;

private:
    class Model;
    class Delegate;
    Model *m_model;
};

} // namespace vendara
