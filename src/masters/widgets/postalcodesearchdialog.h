#pragma once

#include "masters/postalcodeindex.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace Ui {
class PostalCodeSearchDialog;
}

namespace vendara {

class Questions;
class PostalCodeResultModel;

// "郵便番号検索": searches every installed postal-code dictionary for a
// keyword and lets the user pick one entry. The dictionaries are read in the
// background from the dialog's start; the search runs on the user-interface
// thread over what has been read and lets pending input run between blocks
// of lines, so results appear while they are found and the stop button works.
class PostalCodeSearchDialog : public QDialog
{
    Q_OBJECT

public:

    // dictionaryFolder: Dat/Mst/Zip/ of the data root. The list of usable
    // dictionaries is read once, here, and their reading begins.
    PostalCodeSearchDialog(const QString &dictionaryFolder, Questions &questions, QWidget *parent = nullptr);
    ~PostalCodeSearchDialog() override;

    // The keyword of the search that runs when the dialog is first activated;
    // also put into the keyword field.
    void setKeyword(const QString &keyword);

    // The picked entry; empty while no result is selected.
    QString postalCode() const { return m_picked.postalCode; }
    QString prefecture() const { return m_picked.prefecture; }
    QString address() const { return m_picked.address; }

    bool isSearching() const { return m_searching; }

    // Closing is refused while a search runs (OK and cancel are disabled
    // then; this also covers Esc and the window's close button).
    void done(int result) override;

signals:
    void helpRequested(int context);
    // A search has ended (normally, stopped or failed) and the dialog is idle.
    void searchFinished();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pressSearchButton();
    void search(const QString &keyword);
    bool afterBlock(const std::shared_ptr<bool> &alive);
    void flushFound();
    void activated();
    void showPrompt();
    void updatePicked();

    std::unique_ptr<Ui::PostalCodeSearchDialog> m_ui;
    Questions &m_questions;
    PostalCodeResultModel *m_model;
    QStringList m_dictionaryPaths;
    QString m_listFailure; // "ziplist" could not be read
    PostalCodeEntry m_picked;
    QString m_initialKeyword;
    QList<PostalCodeEntry> m_pending; // found, not yet in the model
    static constexpr int kRepaintIntervalMs = 16;
    QElapsedTimer m_sinceRepaint;
    bool m_initialSearchDone = false;
    bool m_dictionaryShown = false; // the current dictionary's results are in the view
    bool m_searching = false;
    bool m_stopRequested = false;
    bool m_ignoreNextActivation = false;
    // Cleared by the destructor, so that a search whose dialog went away
    // during its event processing ends without touching it.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace vendara
