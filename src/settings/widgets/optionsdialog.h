#pragma once

#include <QDialog>

#include <memory>

class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class OptionsDialog;
}

namespace vendara {

class BasicSettingsPage;
class CarMasterFrame;
struct ClosingWrite;
class DefaultPrintSettingsPage;
class Questions;
class Settings;
class EquipmentPage;
class ListMasterFrame;
class MemoTemplatesPage;
class TaxGridFrame;
class PostalCodeDictionaryPage;

// "オプション設定": every setting and master list in one window, a tree of
// settings targets at the left and the page of the selected node at the
// right. All pages are built (and read their files) when the dialog is built.
// OK saves the print settings, basic settings, equipment and memo template
// pages; the other master editors write their files themselves as they go
// and as the dialog closes, whichever button closes it. Whenever the dialog
// is about to close with unsaved basic settings, it asks.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kCloseQuestion = QStringLiteral("設定が変更されています\n保存しますか？");

    // The pages edit `settings` and save through them; every question,
    // the close question included, goes through `questions`.
    OptionsDialog(Settings &settings, Questions &questions, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    QTreeWidget *tree() const;
    // The node with this text, or null.
    QTreeWidgetItem *node(const QString &text) const;
    // Selects the node with this text; false when there is none.
    bool selectNode(const QString &text);
    // The page on show; null when the selected node has none.
    QWidget *currentPage() const;
    // The help topic of the selected node's page; 0 when it has none.
    int currentHelpTopic() const;

    BasicSettingsPage *basicSettingsPage() const { return m_basic; }
    DefaultPrintSettingsPage *printSettingsPage() const { return m_print; }
    MemoTemplatesPage *memoPage() const { return m_memo; }
    PostalCodeDictionaryPage *postalCodePage() const { return m_postalCodes; }
    CarMasterFrame *carPage() const { return m_car; }
    EquipmentPage *equipmentPage() const { return m_equipment; }
    ListMasterFrame *listMasterPage() const { return m_listMaster; }
    TaxGridFrame *taxPage() const { return m_tax; }

    void done(int result) override;

signals:
    // The help button: the topic of the selected node's page.
    void helpRequested(int topic);

private:
    void buildPages(Settings &settings, Questions &questions);
    void buildTree();
    QWidget *pageOf(const QTreeWidgetItem *item) const;
    void showPage(QWidget *page);
    void nodeSelected(QTreeWidgetItem *current);
    void saveAndClose();
    // The basic page's write, with the way out of another desk's change.
    ClosingWrite basicWrite();

    std::unique_ptr<Ui::OptionsDialog> m_ui;
    Questions &m_questions;
    QString m_settingsPath;

    BasicSettingsPage *m_basic = nullptr;
    DefaultPrintSettingsPage *m_print = nullptr;
    MemoTemplatesPage *m_memo = nullptr;
    PostalCodeDictionaryPage *m_postalCodes = nullptr;
    CarMasterFrame *m_car = nullptr;
    EquipmentPage *m_equipment = nullptr;
    ListMasterFrame *m_listMaster = nullptr;
    TaxGridFrame *m_tax = nullptr;
};

} // namespace vendara
