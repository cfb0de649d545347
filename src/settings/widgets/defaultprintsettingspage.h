#pragma once

#include "common/datafolder.h"
#include "printsettings/defaultprintsettings.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QListWidget;

namespace Ui {
class DefaultPrintSettingsPage;
}

namespace vendara {

class Questions;
class Settings;

// The options dialog's page 印刷設定: the default titles, copies and formats
// of a print (Dat/Mst/DefPrDat) and the company block sets. The defaults are
// written only by save(); the company block actions write their set files
// at once.
class DefaultPrintSettingsPage : public QWidget
{
    Q_OBJECT

public:
    DefaultPrintSettingsPage(Settings &settings, Questions &questions, QWidget *parent = nullptr);
    ~DefaultPrintSettingsPage() override;

    // Fills the page from DefPrDat (defaults for a missing file or key),
    // the format lists and the set list, creating the set list and the
    // first set's file when they are missing.
    void load();
    // True when save() would write something other than what load() read.
    bool isChanged() const;
    // Writes the fifteen keys of DefPrDat: titles, copies, formats, set.
    // Throws vendara::Error when the file can't be written.
    // Writes the default print settings file; another desk's change since
    // load() is refused (FileChangedError) unless overwrite is Force.
    void save(Overwrite overwrite = Overwrite::IfUnchanged);

    // The settings as the page shows them.
    DefaultPrintSettings settings() const;
    // The selected set, or an empty string.
    QString selectedSetName() const;
    // The 23 values of the company block being shown.
    const QStringList &workingBlock() const { return m_block; }

private:
    void fillFormats(QListWidget *list, DocumentKind kind, const QString &selected);
    void fillSetBox(const QString &selected);
    void writeSet(const QString &name, const FileVersion &expected, Overwrite overwrite);
    void selectSet();
    void generateSet();
    void deleteSet();
    void editBlock();
    void saveSetAs();
    void setSavedState(bool saved);
    void redrawPreview();

    std::unique_ptr<::Ui::DefaultPrintSettingsPage> m_ui;
    Settings &m_settings;
    const DataFolder m_data;
    Questions &m_questions;
    DefaultPrintSettings m_loaded;
    QStringList m_block;
    // The set the working block was read from, and what its file held then.
    QString m_blockSetName;
    FileVersion m_blockVersion;
};

} // namespace vendara
