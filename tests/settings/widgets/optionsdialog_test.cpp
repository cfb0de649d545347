#include "settings/widgets/basicsettingspage.h"
#include "settings/widgets/defaultprintsettingspage.h"
#include "settings/widgets/optionsdialog.h"

#include "support/shellfakes.h"
#include "common/datafolder.h"
#include "common/error.h"
#include "common/iniprofile.h"
#include "common/textfile.h"
#include "controls/widgets/floatedit.h"
#include "masters/widgets/carmasterframe.h"
#include "masters/widgets/closingwrites.h"
#include "masters/widgets/equipmentpage.h"
#include "masters/widgets/listmasterframe.h"
#include "masters/widgets/memotemplatespage.h"
#include "masters/widgets/taxgridframe.h"
#include "masters/widgets/postalcodedictionarypage.h"
#include "support/fakequestions.h"
#include "support/widgettesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace vendara;
using namespace vendara::testing;

namespace {

QStringList linesOf(const QString &path)
{
    return textfile::readLines(path).value_or(QStringList{QStringLiteral("<missing>")});
}

QPushButton *buttonNamed(QWidget *parent, const QString &text)
{
    for (QPushButton *button : parent->findChildren<QPushButton *>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// A data root with two list masters, the equipment list, memo templates and
// one table of each tax kind, each kind with a category of its own name.
struct DataRoot
{
    QTemporaryDir dir;
    QString root = dir.path() + QStringLiteral("/");
    DataFolder data{root};
    Settings settings{data};
    QString mst = data.datPath(QStringLiteral("Mst/"));
    QString tax = data.datPath(QStringLiteral("Tax/"));

    DataRoot()
    {
        QDir().mkpath(mst + QStringLiteral("Mk"));
        QDir().mkpath(mst + QStringLiteral("Zip"));
        QDir().mkpath(tax);
        QDir().mkpath(data.datPath(QStringLiteral("Etc")));
        textfile::writeLines(mst + QStringLiteral("Mk/Maker.dat"), {QStringLiteral("トヨタ")});
        textfile::writeLines(mst + QStringLiteral("色"), {QStringLiteral("ブラック"), QStringLiteral("ホワイト")});
        textfile::writeLines(mst + QStringLiteral("付属品"), {QStringLiteral("フロアマット,25000")});
        textfile::writeLines(mst + QStringLiteral("Accdata.dat"), {QStringLiteral("エアコン,AC")});
        textfile::writeLines(mst + QStringLiteral("MemoOpt.Dat"), {QString(), QStringLiteral("納車時,全額,現金")});
        writeTax(QStringLiteral("AqTax"), QStringLiteral("AQT"), QStringLiteral("自家用"));
        writeTax(QStringLiteral("CompIns"), QStringLiteral("CIN"), QStringLiteral("本土"));
        writeTax(QStringLiteral("WtTax"), QStringLiteral("WTT"), QStringLiteral("新規"));
    }

    void writeTax(const QString &list, const QString &prefix, const QString &category)
    {
        textfile::writeLines(tax + list, {category});
        textfile::writeLines(tax + prefix + category, {QStringLiteral("区分,金額"), QStringLiteral("A,1000")});
    }

    QString settingsPath() const { return data.settingsPath(); }
    IniProfile settingsFile() const { return IniProfile::load(settingsPath()); }
};

QStringList childTexts(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}

// The title of the estimate's first copy on the print settings page.
void setFirstTitle(OptionsDialog &dialog, const QString &title)
{
    auto *titles = dialog.printSettingsPage()->findChild<QTableWidget *>();
    QVERIFY(titles);
    titles->item(0, 0)->setText(title);
    QVERIFY(dialog.printSettingsPage()->isChanged());
}

// Types into the current cell of a grid through its real in-place editor and
// commits with Enter.
void typeIntoCell(QTableView *view, int row, int column, const QString &text)
{
    view->setCurrentIndex(view->model()->index(row, column));
    typeIntoCurrentCell(view, text);
}

// The answers of a user who says Yes to everything but closing without
// saving, types the same name into every input box, and picks the same
// file; everything asked and every error is recorded.
class YesQuestions final : public FakeQuestions
{
public:
    QString typed = QStringLiteral("テスト");
    QString file;
    int inputsLeft = 0;

    bool confirm(const QString &text, bool = false) override
    {
        asked.append(text);
        return text != kCloseWithoutSavingQuestion;
    }
    // "設定が変更されています 保存しますか？": No, close without saving.
    Answer confirmOrCancel(const QString &text, bool = false) override
    {
        asked.append(text);
        return Answer::No;
    }
    std::optional<QString> inputText(const QString &, const QString &prompt, const QString &) override
    {
        asked.append(prompt);
        if (inputsLeft <= 0)
            return std::nullopt;
        --inputsLeft;
        return typed;
    }
    QString chooseFileToOpen(const QString &, const QString &, const QString &) override { return file; }
    QString chooseFileToSave(const QString &, const QString &, const QString &, Overwrite) override { return file; }
};

// Until stopped: a modal dialog opened over `owner` gets its empty fields
// filled and its default button pressed; one still open at the next look
// is cancelled.
class ModalCloser
{
public:
    explicit ModalCloser(QWidget *owner)
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this, owner] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog == owner)
                return;
            if (dialog == m_pressed) {
                dialog->reject();
                return;
            }
            m_pressed = dialog;
            ++opened;
            for (QLineEdit *field : dialog->findChildren<QLineEdit *>())
                if (field->isEnabled() && !field->isReadOnly() && field->text().isEmpty())
                    field->setText(QStringLiteral("テスト"));
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (button->isDefault() && button->isEnabled()) {
                    button->click();
                    return;
                }
            }
            dialog->reject();
        });
        m_timer.start(20);
    }

    int opened = 0;

private:
    QTimer m_timer;
    QPointer<QDialog> m_pressed;
};

// What a data root holds, file by file, with each file's bytes.
QStringList contentsOf(const QString &root)
{
    QStringList all;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        all.append(path + u'=' + (file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().toHex()) : QString()));
    }
    all.sort();
    return all;
}

} // namespace

class OptionsDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void tree_hasTheNodesInOrderExpandedAndOpensOnBasicSettings();
    void sharedPages_areSwitchedByTheNodeText();
    void help_followsTheSelectedNode();
    void okAfterRateChange_savesWithoutQuestion();
    void cancelAfterRateChange_asksAndFollowsTheAnswer();
    void cancelAfterPrintTitleChange_closesWithoutQuestionOrWrite();
    void basicPageValues_areComparedWithAndSavedToTheSettingsFile();
    void ok_writesPrintEquipmentAndMemoPages();
    void okOverEquipmentChangedOnAnotherDesk_asksAndNoShowsThatList();
    void okOverOptionsChangedOnAnotherDesk_asksForEachFile();
    void savedOptions_reachDateFormAndPrintDefaultsButNotTheSlip();
    void closingByAnyButton_writesMasterPagesOrStaysOpenOnFailure();
    void everyButtonOverAnUnusableDataFolder_showsAnErrorOrDoesNoHarm();
};

void OptionsDialogTest::tree_hasTheNodesInOrderExpandedAndOpensOnBasicSettings()
{
    DataRoot d;
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("オプション設定"));
    QVERIFY(showActive(&dialog));

    QTreeWidget *tree = dialog.tree();
    QStringList top;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        top.append(tree->topLevelItem(i)->text(0));
        QCOMPARE(tree->topLevelItem(i)->flags() & Qt::ItemIsEditable, Qt::ItemFlags{});
    }
    QCOMPARE(top, (QStringList{QStringLiteral("基本設定"), QStringLiteral("印刷設定"), QStringLiteral("備考欄"),
                               QStringLiteral("郵便番号辞書"), QStringLiteral("ガイド機能")}));
    QTreeWidgetItem *guide = tree->topLevelItem(4);
    QCOMPARE(childTexts(guide),
             (QStringList{QStringLiteral("メーカー・車名"), QStringLiteral("色"), QStringLiteral("装備"),
                          QStringLiteral("付属品"), QStringLiteral("特別仕様"), QStringLiteral("販売諸費用"),
                          QStringLiteral("その他諸費用"), QStringLiteral("担当者"), QStringLiteral("自動車税"),
                          QStringLiteral("自賠責"), QStringLiteral("重量税")}));
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        QCOMPARE(tree->topLevelItem(i)->childCount(), i == 4 ? 11 : 0);
    QVERIFY(guide->isExpanded());
    QCOMPARE(tree->editTriggers(), QAbstractItemView::NoEditTriggers);

    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("基本設定"));
    QVERIFY(tree->currentItem()->isSelected());
    QCOMPARE(dialog.currentPage(), static_cast<QWidget *>(dialog.basicSettingsPage()));
    QVERIFY(dialog.basicSettingsPage()->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(tree));

    // Each own page by its node; the other pages are hidden.
    const QList<QPair<QString, QWidget *>> own = {
        {QStringLiteral("印刷設定"), static_cast<QWidget *>(dialog.printSettingsPage())},
        {QStringLiteral("備考欄"), dialog.memoPage()},
        {QStringLiteral("郵便番号辞書"), static_cast<QWidget *>(dialog.postalCodePage())},
        {QStringLiteral("メーカー・車名"), static_cast<QWidget *>(dialog.carPage())},
        {QStringLiteral("装備"), dialog.equipmentPage()},
    };
    for (const auto &[text, page] : own) {
        QVERIFY(dialog.selectNode(text));
        QCOMPARE(dialog.currentPage(), page);
        QVERIFY(page->isVisible());
        QVERIFY(!dialog.basicSettingsPage()->isVisible());
    }
}

void OptionsDialogTest::sharedPages_areSwitchedByTheNodeText()
{
    DataRoot d;
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QVERIFY(showActive(&dialog));

    QVERIFY(dialog.selectNode(QStringLiteral("色")));
    ListMasterFrame *list = dialog.listMasterPage();
    QCOMPARE(dialog.currentPage(), static_cast<QWidget *>(list));
    QCOMPARE(list->master().name(), QStringLiteral("色"));
    QVERIFY(list->isEditable());
    QCOMPARE(list->view()->model()->rowCount(), 2);

    QVERIFY(dialog.selectNode(QStringLiteral("付属品")));
    QCOMPARE(dialog.currentPage(), static_cast<QWidget *>(list));
    QCOMPARE(list->master().name(), QStringLiteral("付属品"));
    QCOMPARE(list->view()->model()->rowCount(), 1);

    // "ガイド機能" hides the page and shows none.
    QVERIFY(dialog.selectNode(QStringLiteral("ガイド機能")));
    QCOMPARE(dialog.currentPage(), nullptr);
    QVERIFY(!list->isVisible());

    // The three tax nodes share one page, switched to the node's kind and
    // always in edit mode.
    TaxGridFrame *tax = dialog.taxPage();
    const QList<QPair<QString, QString>> kinds = {
        {QStringLiteral("重量税"), QStringLiteral("新規")},
        {QStringLiteral("自動車税"), QStringLiteral("自家用")},
        {QStringLiteral("自賠責"), QStringLiteral("本土")},
    };
    for (const auto &[node, category] : kinds) {
        QVERIFY(dialog.selectNode(node));
        QCOMPARE(dialog.currentPage(), static_cast<QWidget *>(tax));
        QCOMPARE(tax->currentCategory(), category);
        QVERIFY(tax->editMode());
    }
    QVERIFY(dialog.selectNode(QStringLiteral("担当者")));
    QCOMPARE(dialog.currentPage(), static_cast<QWidget *>(list));
    QCOMPARE(list->master().name(), QStringLiteral("担当者"));
}

void OptionsDialogTest::help_followsTheSelectedNode()
{
    DataRoot d;
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QSignalSpy spy(&dialog, &OptionsDialog::helpRequested);
    QPushButton *help = buttonNamed(&dialog, QStringLiteral("ヘルプ(&H)"));
    QVERIFY(help);

    const QList<QPair<QString, int>> topics = {
        {QStringLiteral("基本設定"), 25}, {QStringLiteral("印刷設定"), 26},     {QStringLiteral("備考欄"), 42},
        {QStringLiteral("郵便番号辞書"), 27}, {QStringLiteral("メーカー・車名"), 28}, {QStringLiteral("色"), 28},
        {QStringLiteral("装備"), 36},     {QStringLiteral("担当者"), 28},     {QStringLiteral("重量税"), 37},
    };
    for (const auto &[node, topic] : topics) {
        QVERIFY(dialog.selectNode(node));
        help->click();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.takeFirst().value(0).toInt(), topic);
    }
    QVERIFY(dialog.selectNode(QStringLiteral("ガイド機能")));
    help->click();
    QCOMPARE(spy.size(), 0);
}

void OptionsDialogTest::okAfterRateChange_savesWithoutQuestion()
{
    DataRoot d;
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QVERIFY(showActive(&dialog));

    dialog.basicSettingsPage()->taxRateEdit()->setValue(8);
    buttonNamed(&dialog, QStringLiteral("OK"))->click();

    QVERIFY(questions.asked.isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(d.settingsFile().readFloat(QStringLiteral("Tax"), QStringLiteral("SRate"), -1), 8.0);
}

void OptionsDialogTest::cancelAfterRateChange_asksAndFollowsTheAnswer()
{
    using Answer = Questions::Answer;
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        DataRoot d;
        FakeQuestions questions;
        OptionsDialog dialog(d.settings, questions);
        QVERIFY(showActive(&dialog));
        // The equipment page's edit is dropped whatever the answer.
        dialog.equipmentPage()->nameField()->setText(QStringLiteral("ナビ"));
        dialog.equipmentPage()->abbreviationField()->setText(QStringLiteral("NV"));
        buttonNamed(dialog.equipmentPage(), QStringLiteral("追加(&A)"))->click();
        dialog.basicSettingsPage()->taxRateEdit()->setValue(8);

        // Cancel keeps the dialog open with the edit in place.
        questions.answers = {Answer::Cancel};
        buttonNamed(&dialog, QStringLiteral("キャンセル"))->click();
        QCOMPARE(questions.askedWithCancel, QStringList{QStringLiteral("設定が変更されています\n保存しますか？")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.basicSettingsPage()->taxRateEdit()->value(), 8.0);
        QVERIFY(!d.settingsFile().hasKey(QStringLiteral("Tax"), QStringLiteral("SRate")));

        // The close box asks too.
        questions.answers = {answer};
        dialog.close();
        QCOMPARE(questions.askedWithCancel.size(), 2);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(d.settingsFile().readFloat(QStringLiteral("Tax"), QStringLiteral("SRate"), -1),
                 answer == Answer::Yes ? 8.0 : -1.0);
        QCOMPARE(linesOf(d.mst + QStringLiteral("Accdata.dat")), QStringList{QStringLiteral("エアコン,AC")});
    }
}

void OptionsDialogTest::cancelAfterPrintTitleChange_closesWithoutQuestionOrWrite()
{
    DataRoot d;
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QVERIFY(showActive(&dialog));
    const QString defaults = DefaultPrintSettings::filePath(d.data);
    const QStringList before = linesOf(defaults);
    QVERIFY(dialog.selectNode(QStringLiteral("印刷設定")));
    setFirstTitle(dialog, QStringLiteral("御見積書"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(linesOf(defaults), before);
    QVERIFY(!dialog.isVisible());
    QVERIFY(questions.asked.isEmpty());
    QVERIFY(!QFile::exists(d.settingsPath()));
}

void OptionsDialogTest::basicPageValues_areComparedWithAndSavedToTheSettingsFile()
{
    DataRoot d;
    {
        IniProfile ini;
        ini.writeInt(QStringLiteral("Date"), QStringLiteral("Date"), 2);
        ini.writeFloat(QStringLiteral("Tax"), QStringLiteral("SRate"), 10);
        ini.writeInt(QStringLiteral("Tax"), QStringLiteral("Hasu"), 2);
        ini.writeFloat(QStringLiteral("Tax"), QStringLiteral("Gtax"), 3);
        ini.writeFloat(QStringLiteral("Tax"), QStringLiteral("Std"), 85.5);
        ini.writeFloat(QStringLiteral("Credit"), QStringLiteral("Rate"), 4.5);
        ini.writeInt(QStringLiteral("Slip"), QStringLiteral("No"), 41);
        ini.save(d.settingsPath());
    }
    BasicSettingsPage page(d.settings);
    QCOMPARE(page.dateFormBox()->currentText(), QStringLiteral("和暦")); // 2 counts as the era form
    QCOMPARE(page.taxRateEdit()->value(), 10.0);
    QCOMPARE(page.roundingBox()->currentText(), QStringLiteral("切り上げ"));
    QCOMPARE(page.acquisitionTaxRateEdit()->value(), 3.0);
    QCOMPARE(page.acquisitionRatioEdit()->value(), 85.5);
    QCOMPARE(page.creditRateEdit()->value(), 4.5);
    QVERIFY(!page.isChanged());

    // Each control on its own counts as a change.
    const QList<std::function<void(bool)>> edits = {
        [&](bool on) { page.dateFormBox()->setCurrentIndex(on ? 0 : 1); },
        [&](bool on) { page.taxRateEdit()->setValue(on ? 8 : 10); },
        [&](bool on) { page.roundingBox()->setCurrentIndex(on ? 1 : 2); },
        [&](bool on) { page.acquisitionTaxRateEdit()->setValue(on ? 2 : 3); },
        [&](bool on) { page.acquisitionRatioEdit()->setValue(on ? 90 : 85.5); },
        [&](bool on) { page.creditRateEdit()->setValue(on ? 6.25 : 4.5); },
    };
    for (const auto &edit : edits) {
        edit(true);
        QVERIFY(page.isChanged());
        edit(false);
        QVERIFY(!page.isChanged());
    }

    for (const auto &edit : edits)
        edit(true);
    page.save();
    QVERIFY(!page.isChanged());
    const IniProfile ini = IniProfile::load(d.settingsPath());
    QCOMPARE(ini.readInt(QStringLiteral("Date"), QStringLiteral("Date"), -1), 0);
    QCOMPARE(ini.readFloat(QStringLiteral("Tax"), QStringLiteral("SRate"), -1), 8.0);
    QCOMPARE(ini.readInt(QStringLiteral("Tax"), QStringLiteral("Hasu"), -1), 1);
    QCOMPARE(ini.readFloat(QStringLiteral("Tax"), QStringLiteral("Gtax"), -1), 2.0);
    QCOMPARE(ini.readFloat(QStringLiteral("Tax"), QStringLiteral("Std"), -1), 90.0);
    QCOMPARE(ini.readFloat(QStringLiteral("Credit"), QStringLiteral("Rate"), -1), 6.25);
    QCOMPARE(ini.readInt(QStringLiteral("Slip"), QStringLiteral("No"), -1), 41); // other keys stay

    // A missing file gives the defaults.
    QFile::remove(d.settingsPath());
    page.load();
    QCOMPARE(page.values(), BasicSettings{});
    QCOMPARE(page.taxRateEdit()->value(), 5.0);
    QCOMPARE(page.acquisitionRatioEdit()->value(), 90.0);
}

void OptionsDialogTest::ok_writesPrintEquipmentAndMemoPages()
{
    DataRoot d;
    FakeQuestions questions;
    {
        OptionsDialog dialog(d.settings, questions);
        QVERIFY(showActive(&dialog));
        QVERIFY(dialog.selectNode(QStringLiteral("印刷設定")));
        setFirstTitle(dialog, QStringLiteral("御見積書"));
        QVERIFY(dialog.selectNode(QStringLiteral("装備")));
        EquipmentPage *equipment = dialog.equipmentPage();
        equipment->nameField()->setText(QStringLiteral("ナビ"));
        equipment->abbreviationField()->setText(QStringLiteral("NV"));
        buttonNamed(equipment, QStringLiteral("追加(&A)"))->click();
        QVERIFY(dialog.selectNode(QStringLiteral("備考欄")));
        dialog.memoPage()->editor()->setPlainText(QStringLiteral("一\n二\n三"));
        buttonNamed(dialog.memoPage(), QStringLiteral("追加(&A)"))->click();
        QCOMPARE(linesOf(d.mst + QStringLiteral("Accdata.dat")).size(), 1); // not yet
        QVERIFY(!linesOf(d.mst + QStringLiteral("MemoOpt.Dat")).contains(QStringLiteral("一,二,三")));

        buttonNamed(&dialog, QStringLiteral("OK"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(linesOf(d.mst + QStringLiteral("Accdata.dat")),
             (QStringList{QStringLiteral("エアコン,AC"), QStringLiteral("ナビ,NV")}));
    const QStringList memo = linesOf(d.mst + QStringLiteral("MemoOpt.Dat"));
    QVERIFY(memo.contains(QStringLiteral("納車時,全額,現金")));
    QVERIFY(memo.contains(QStringLiteral("一,二,三")));
    QCOMPARE(DefaultPrintSettings::load(d.data).titles[0][0], QStringLiteral("御見積書"));
    QVERIFY2(questions.errors.isEmpty(), qPrintable(questions.errors.join(u'|')));
}

void OptionsDialogTest::okOverEquipmentChangedOnAnotherDesk_asksAndNoShowsThatList()
{
    DataRoot d;
    const QString path = d.mst + QStringLiteral("Accdata.dat");
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QVERIFY(showActive(&dialog));
    QVERIFY(dialog.selectNode(QStringLiteral("装備")));
    EquipmentPage *equipment = dialog.equipmentPage();
    equipment->nameField()->setText(QStringLiteral("ナビ"));
    equipment->abbreviationField()->setText(QStringLiteral("NV"));
    buttonNamed(equipment, QStringLiteral("追加(&A)"))->click();
    const QStringList theirs{QStringLiteral("エアコン,AC"), QStringLiteral("サンルーフ,SR")};
    textfile::writeLines(path, theirs); // the other desk

    questions.answers << Questions::Answer::No;
    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(questions.askedWithCancel.size(), 1);
    QVERIFY2(questions.askedWithCancel.first().contains(QStringLiteral("サンルーフ,SR")),
             qPrintable(questions.askedWithCancel.first()));
    QCOMPARE(linesOf(path), theirs);
    QCOMPARE(equipment->view()->topLevelItemCount(), 2);
    QCOMPARE(equipment->view()->topLevelItem(1)->text(1), QStringLiteral("SR"));

    buttonNamed(equipment, QStringLiteral("追加(&A)"))->click(); // ナビ again, over their list
    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(questions.askedWithCancel.size(), 1);
    QCOMPARE(linesOf(path), theirs + QStringList{QStringLiteral("ナビ,NV")});
    QVERIFY2(questions.errors.isEmpty(), qPrintable(questions.errors.join(u'|')));
}

void OptionsDialogTest::okOverOptionsChangedOnAnotherDesk_asksForEachFile()
{
    DataRoot d;
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QVERIFY(showActive(&dialog));
    dialog.basicSettingsPage()->taxRateEdit()->setValue(10);
    dialog.printSettingsPage()->findChild<QCheckBox *>(QStringLiteral("copy4Box"))->setChecked(true);

    Settings theirs(d.data); // the other desk
    theirs.load();
    BasicSettings basic = theirs.basic();
    basic.standardTaxRate = 8;
    theirs.saveBasic(basic);
    DefaultPrintSettings print = theirs.defaultPrint();
    print.titles[0][0] = QStringLiteral("御見積書");
    theirs.saveDefaultPrint(print);

    // Yes keeps this desk's print settings, No takes the other desk's rate.
    questions.answers << Questions::Answer::Yes << Questions::Answer::No;
    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(questions.askedWithCancel.size(), 2);
    QVERIFY2(questions.askedWithCancel[0].contains(QStringLiteral("DefPrDat")), qPrintable(questions.askedWithCancel[0]));
    QVERIFY2(questions.askedWithCancel[1].contains(QStringLiteral("SRate=8")), qPrintable(questions.askedWithCancel[1]));
    const DefaultPrintSettings written = DefaultPrintSettings::load(d.data);
    QVERIFY(written.copies[3]);
    QCOMPARE(written.titles[0][0], QStringLiteral("見積書"));
    QCOMPARE(dialog.basicSettingsPage()->taxRateEdit()->value(), 8.0);

    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(questions.askedWithCancel.size(), 2);
    theirs.load();
    QCOMPARE(theirs.basic().standardTaxRate, 8.0);
    QVERIFY2(questions.errors.isEmpty(), qPrintable(questions.errors.join(u'|')));
}

void OptionsDialogTest::savedOptions_reachDateFormAndPrintDefaultsButNotTheSlip()
{
    test::ShellFixture f;
    {
        IniProfile ini;
        ini.writeFloat(QStringLiteral("Tax"), QStringLiteral("SRate"), 8);
        ini.writeInt(QStringLiteral("Tax"), QStringLiteral("Hasu"), 1);
        ini.writeInt(QStringLiteral("Slip"), QStringLiteral("No"), 12);
        ini.writeFloat(QStringLiteral("Print"), QStringLiteral("Fix_X"), 1.5);
        ini.save(f.settingsPath());
    }
    QVERIFY(f.session->start(QString()));
    SlipDocument &slip = f.session->document();
    QCOMPARE(slip.number(SlipField::TaxRate), 8.0);
    QCOMPARE(slip.choice(SlipField::TaxCut), 1);
    const QString code = slip.text(SlipField::SlipCode);
    QCOMPARE(code, QStringLiteral("00000012"));

    // What the options dialog saves through the session's settings.
    BasicSettings basic;
    basic.dateForm = DateForm::Era;
    basic.standardTaxRate = 10;
    basic.rounding = 2;
    f.session->settings().saveBasic(basic);
    DefaultPrintSettings defaults = DefaultPrintSettings::defaults();
    defaults.titles[0][0] = QStringLiteral("御見積書");
    QDir().mkpath(f.data->datPath(QStringLiteral("Mst")));
    f.session->settings().saveDefaultPrint(defaults);

    QCOMPARE(f.session->settings().datePattern(), QStringLiteral("GGEE/MM/DD"));
    QCOMPARE(f.session->printSettings().titles[0][0], QStringLiteral("御見積書"));
    QCOMPARE(f.session->printSettings().correctionX, 1.5f); // kept from the start
    QCOMPARE(slip.number(SlipField::TaxRate), 8.0);
    QCOMPARE(slip.choice(SlipField::TaxCut), 1);
    QCOMPARE(slip.text(SlipField::SlipCode), code);
    QVERIFY(slip.eventsOn());
}

void OptionsDialogTest::closingByAnyButton_writesMasterPagesOrStaysOpenOnFailure()
{
    enum class Close { Ok, Cancel, Escape, CloseBox };
    for (const Close how : {Close::Ok, Close::Cancel, Close::Escape, Close::CloseBox}) {
        DataRoot d;
        textfile::writeLines(d.mst + QStringLiteral("Mk/トヨタ"), {QStringLiteral("カローラ")});
        FakeQuestions questions;
        OptionsDialog dialog(d.settings, questions);
        QVERIFY(showActive(&dialog));
        const auto close = [&] {
            switch (how) {
            case Close::Ok:
                buttonNamed(&dialog, QStringLiteral("OK"))->click();
                break;
            case Close::Cancel:
                buttonNamed(&dialog, QStringLiteral("キャンセル"))->click();
                break;
            case Close::Escape:
                QTest::keyClick(&dialog, Qt::Key_Escape);
                break;
            case Close::CloseBox:
                dialog.close();
                break;
            }
        };

        // An edit on each page that writes its own files; the tax cell is
        // left open in its editor.
        QVERIFY(dialog.selectNode(QStringLiteral("メーカー・車名")));
        typeIntoCell(dialog.carPage()->carView(), 0, 0, QStringLiteral("プリウス"));
        QVERIFY(dialog.selectNode(QStringLiteral("付属品")));
        typeIntoCell(dialog.listMasterPage()->view(), 0, 1, QStringLiteral("30,000"));
        QVERIFY(dialog.selectNode(QStringLiteral("自動車税")));
        QTableView *tax = dialog.taxPage()->gridView();
        tax->setFocus();
        tax->setCurrentIndex(tax->model()->index(1, 1));
        QTest::keyClick(tax, Qt::Key_F2);
        typeKeys(QApplication::focusWidget(), QStringLiteral("1,500"));
        QCOMPARE(linesOf(d.mst + QStringLiteral("Mk/トヨタ")), QStringList{QStringLiteral("カローラ")});

        // The car list can't be written: the dialog stays, saying why, and
        // offers to close without saving (answered No).
        const QString toyota = d.mst + QStringLiteral("Mk/トヨタ");
        QFile::remove(toyota);
        QVERIFY(QDir().mkdir(toyota));
        close();
        QVERIFY(dialog.isVisible());
        QCOMPARE(questions.errors.size(), 1);
        QVERIFY(questions.errors.first().contains(toyota));
        QCOMPARE(questions.asked, QStringList{kCloseWithoutSavingQuestion});
        // What could be written is.
        QCOMPARE(linesOf(d.mst + QStringLiteral("付属品")), QStringList{QStringLiteral("フロアマット,30000")});
        QCOMPARE(linesOf(d.tax + QStringLiteral("AQT自家用")),
                 (QStringList{QStringLiteral("区分,金額"), QStringLiteral("A,1500")}));

        // Put right (the file as the dialog read it), the same button closes
        // and writes.
        QVERIFY(QDir().rmdir(toyota));
        textfile::writeLines(toyota, {QStringLiteral("カローラ")});
        close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(how == Close::Ok ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(linesOf(toyota), QStringList{QStringLiteral("プリウス")});
        QCOMPARE(questions.errors.size(), 1);
    }

    // Closing without saving is the user's choice.
    DataRoot d;
    FakeQuestions questions;
    OptionsDialog dialog(d.settings, questions);
    QVERIFY(showActive(&dialog));
    QVERIFY(QDir().mkdir(d.mst + QStringLiteral("Mk/トヨタ")));
    questions.answer(true);
    buttonNamed(&dialog, QStringLiteral("キャンセル"))->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(questions.errors.size(), 1);
}

// Every button of every page, and of the dialog, over a data folder where
// nothing can be read or written (Dat is a plain file): each click shows
// what went wrong or does nothing, nothing is written anywhere, and the
// dialog stays open.
void OptionsDialogTest::everyButtonOverAnUnusableDataFolder_showsAnErrorOrDoesNoHarm()
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    {
        QFile dat(root + QStringLiteral("Dat"));
        QVERIFY(dat.open(QIODevice::WriteOnly));
        dat.write("not a folder");
    }
    QVERIFY(QFile::copy(QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/Mst/Zip/SAMPLE.CSV"), root + QStringLiteral("SAMPLE.CSV")));
    const QStringList before = contentsOf(root);
    DataFolder data(root);
    YesQuestions questions;
    questions.file = root + QStringLiteral("SAMPLE.CSV");
    Settings settings(data);
    QPointer<OptionsDialog> dialog = new OptionsDialog(settings, questions);
    QVERIFY(showActive(dialog));
    ModalCloser closer(dialog);

    int clicks = 0;
    int failures = 0;
    const auto clickEach = [&](const QList<QAbstractButton *> &buttons, const QString &where) {
        for (QAbstractButton *button : buttons) {
            if (!button->isVisible() || !button->isEnabled())
                continue;
            const QString what = where + u' ' + (button->accessibleName().isEmpty() ? button->text() : button->accessibleName());
            const qsizetype errors = questions.errors.size();
            questions.inputsLeft = 2;
            button->click();
            QCoreApplication::processEvents();
            ++clicks;
            failures += questions.errors.size() > errors ? 1 : 0;
            QVERIFY2(dialog && dialog->isVisible(), qPrintable(what));
            QCOMPARE(contentsOf(root), before);
        }
    };
    for (QTreeWidgetItemIterator it(dialog->tree()); *it; ++it) {
        dialog->tree()->setCurrentItem(*it);
        if (QWidget *page = dialog->currentPage())
            clickEach(page->findChildren<QAbstractButton *>(), (*it)->text(0));
        QVERIFY(dialog);
    }
    // The dialog's own buttons: OK and キャンセル must write and so fail.
    for (const QString &text : {QStringLiteral("OK"), QStringLiteral("キャンセル")}) {
        const qsizetype errors = questions.errors.size();
        clickEach({buttonNamed(dialog, text)}, text);
        QVERIFY2(questions.errors.size() > errors, qPrintable(text));
    }
    clickEach({buttonNamed(dialog, QStringLiteral("ヘルプ(&H)"))}, QStringLiteral("help"));
    dialog->close();
    QVERIFY(dialog->isVisible());

    QVERIFY2(clicks > 40, qPrintable(QString::number(clicks)));
    QVERIFY(failures > 10);
    QVERIFY(closer.opened >= 2); // 自動生成 and 名前を付けて保存
    QCOMPARE(contentsOf(root), before);
    delete dialog;
}

QTEST_MAIN(OptionsDialogTest)
#include "optionsdialog_test.moc"
