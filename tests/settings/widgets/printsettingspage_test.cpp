// The print settings page and the company block dialogs over a copy of the
// shipped data, the modal dialogs answered from timers.
#include "settings/settings.h"
#include "settings/widgets/autocompanyblockdialog.h"
#include "settings/widgets/blockpictureview.h"
#include "settings/widgets/companyblockeditor.h"
#include "settings/widgets/companyblocksavedialog.h"
#include "settings/widgets/defaultprintsettingspage.h"

#include "common/textfile.h"
#include "controls/widgets/floatedit.h"
#include "printsettings/companyblock.h"
#include "printsettings/generatedset.h"
#include "printsettings/windowsfaces.h"
#include "support/fakequestions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using vendara::CompanyBlockEditor;
using vendara::DataFolder;
using vendara::DefaultPrintSettingsPage;
using vendara::Settings;
using vendara::testing::FakeQuestions;
namespace block = vendara::companyblock;

namespace {

const QString kDefaultSet = QStringLiteral("デフォルト");

template<typename T>
T *part(QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

// Runs `action` on the modal dialog of type T as soon as it is shown. The
// action must close the dialog.
template<typename T>
void whenModal(std::function<void(T *)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        }
    });
    timer->start();
}

void click(QWidget *window, const char *button)
{
    QTest::mouseClick(part<QPushButton>(window, button), Qt::LeftButton);
}

struct Fixture
{
    QTemporaryDir dir;
    FakeQuestions questions;
    std::unique_ptr<DataFolder> data;
    std::unique_ptr<Settings> settings;

    Fixture()
    {
        const QString source = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat");
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = dir.path() + QStringLiteral("/Dat/") + QDir(source).relativeFilePath(file);
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(file, target);
            QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        data = std::make_unique<DataFolder>(dir.path());
        settings = std::make_unique<Settings>(*data);
    }
    QString dat(const QString &relative) const { return data->datPath(relative); }
    QByteArray bytes(const QString &relative) const
    {
        QFile f(dat(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList lines(const QString &relative) const
    {
        return vendara::textfile::readLines(dat(relative)).value_or(QStringList{QStringLiteral("<missing>")});
    }
    std::unique_ptr<DefaultPrintSettingsPage> page()
    {
        auto p = std::make_unique<DefaultPrintSettingsPage>(*settings, questions);
        p->load();
        p->resize(480, 400);
        p->show();
        return p;
    }
};

QStringList generatedEmpty()
{
    const QString face = QStringLiteral("ＭＳ ゴシック");
    return {face, "0", "0", "20", "", "", face, "0", "0", "12", "-", "", "", "TEL ", "FAX ",
            "", "", "", "", "0", "0", "100", "100"};
}

} // namespace

class PrintSettingsPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vendara::installFontSubstitutions(); }

    void firstRun_showsDefaultsAndWritesFifteenKeys()
    {
        Fixture f;
        QFile::remove(f.dat("Mst/DefPrDat"));
        QFile::remove(f.dat("Mst/LogoList"));
        QFile::remove(f.dat("Etc/デフォルト.Dat"));
        auto page = f.page();

        auto *table = part<QTableWidget>(page.get(), "titleTable");
        QStringList titles;
        for (int kind = 0; kind < 2; ++kind)
            for (int row = 0; row < 4; ++row)
                titles << table->item(row, kind)->text();
        QCOMPARE(titles, (QStringList{"見積書", "見積書(控)", "", "", "注文書", "注文書(控)", "", ""}));
        QVERIFY(part<QCheckBox>(page.get(), "copy1Box")->isChecked());
        QVERIFY(part<QCheckBox>(page.get(), "copy2Box")->isChecked());
        QVERIFY(!part<QCheckBox>(page.get(), "copy3Box")->isChecked());
        QVERIFY(!part<QCheckBox>(page.get(), "copy4Box")->isChecked());
        QCOMPARE(part<QListWidget>(page.get(), "estimateFormatList")->count(), 1);
        QVERIFY(part<QListWidget>(page.get(), "estimateFormatList")->selectedItems().isEmpty());
        QVERIFY(part<QListWidget>(page.get(), "orderFormatList")->selectedItems().isEmpty());
        QCOMPARE(part<QComboBox>(page.get(), "setBox")->currentIndex(), -1);
        QVERIFY(part<vendara::BlockPictureView>(page.get(), "preview")->isEmpty());
        // The set list and its first set come into being with the page.
        QCOMPARE(f.lines("Mst/LogoList"), QStringList{kDefaultSet});
        QCOMPARE(f.lines("Etc/デフォルト.Dat"), block::newSetValues());
        QVERIFY(part<QPushButton>(page.get(), "saveAsButton")->isEnabled());
        QVERIFY(part<QPushButton>(page.get(), "deleteButton")->isEnabled());

        page->save();
        QCOMPARE(f.lines("Mst/DefPrDat"),
                 (QStringList{"[Mit]", "1=見積書", "2=見積書(控)", "3=", "4=", "[Tyu]", "1=注文書", "2=注文書(控)",
                              "3=", "4=", "[Fuk]", "0=1", "1=1", "2=0", "3=0", "[Def]", "FomatM=", "FomatT=",
                              "Logo="}));
    }

    void discardedTitleChange_leavesTheFileAlone()
    {
        Fixture f;
        const QByteArray before = f.bytes("Mst/DefPrDat");
        {
            auto page = f.page();
            QVERIFY(!page->isChanged());
            QCOMPARE(page->selectedSetName(), kDefaultSet);
            QCOMPARE(part<QListWidget>(page.get(), "estimateFormatList")->currentItem()->text(),
                     QStringLiteral("見積書_A4"));
            auto *table = part<QTableWidget>(page.get(), "titleTable");
            table->item(0, 1)->setText(QStringLiteral("御注文書"));
            QVERIFY(page->isChanged());
            // The page goes away with the dialog's Cancel, unsaved.
        }
        QCOMPARE(f.bytes("Mst/DefPrDat"), before);
    }

    void clearedTitle_isSavedAndReadBackEmpty()
    {
        Fixture f;
        auto defaults = vendara::DefaultPrintSettings::load(*f.data);
        defaults.titles[0][2] = QStringLiteral("見積書(写)");
        defaults.save(*f.data, vendara::FileVersion::of(vendara::DefaultPrintSettings::filePath(*f.data)));

        auto page = f.page();
        auto *table = part<QTableWidget>(page.get(), "titleTable");
        QCOMPARE(table->item(2, 0)->text(), QStringLiteral("見積書(写)"));
        table->item(2, 0)->setText(QString());
        table->item(1, 0)->setText(QString());
        part<QCheckBox>(page.get(), "copy4Box")->setChecked(true);
        part<QListWidget>(page.get(), "orderFormatList")->clearSelection();
        page->save();
        QCOMPARE(f.lines("Mst/DefPrDat"),
                 (QStringList{"[Mit]", "1=見積書", "2=", "3=", "4=", "[Tyu]", "1=注文書", "2=注文書(控)", "3=",
                              "4=", "[Fuk]", "0=1", "1=1", "2=0", "3=1", "[Def]", "FomatM=見積書_A4", "FomatT=",
                              "Logo=デフォルト"}));

        auto again = f.page();
        auto *table2 = part<QTableWidget>(again.get(), "titleTable");
        QCOMPARE(table2->item(1, 0)->text(), QString()); // not the default 見積書(控)
        QCOMPARE(table2->item(2, 0)->text(), QString());
        QVERIFY(!again->isChanged());
    }

    void deletingSets_refusesTheDefaultSetOnly()
    {
        Fixture f;
        block::saveSetAs(*f.data, QStringLiteral("支店"), generatedEmpty(), {});
        block::writeSetList(*f.data, {kDefaultSet, QStringLiteral("支店")});
        auto page = f.page();
        auto *setBox = part<QComboBox>(page.get(), "setBox");

        click(page.get(), "deleteButton");
        QCOMPARE(f.questions.notices, QStringList{"デフォルト設定は削除できません"});
        QVERIFY(f.questions.asked.isEmpty());
        QVERIFY(QFile::exists(f.dat("Etc/デフォルト.Dat")));
        QCOMPARE(setBox->count(), 2);

        setBox->setCurrentIndex(1);
        QCOMPARE(page->workingBlock(), generatedEmpty());
        f.questions.answer(false);
        click(page.get(), "deleteButton");
        QVERIFY(QFile::exists(f.dat("Etc/支店.Dat")));

        f.questions.answer(true);
        click(page.get(), "deleteButton");
        QCOMPARE(f.questions.asked.last(), QStringLiteral("支店を削除しますか？"));
        QVERIFY(!QFile::exists(f.dat("Etc/支店.Dat")));
        QVERIFY(!QFile::exists(f.dat("Etc/支店.emf")));
        QCOMPARE(f.lines("Mst/LogoList"), QStringList{kDefaultSet});
        // The entry before it is selected and loaded.
        QCOMPARE(page->selectedSetName(), kDefaultSet);
        QCOMPARE(page->workingBlock(), *block::readSet(f.dat("Etc/デフォルト.Dat")));
    }

    void generateWithAllFieldsEmpty_writesAnEmptySet()
    {
        Fixture f;
        auto page = f.page();
        bool stayedOpen = false;
        whenModal<vendara::AutoCompanyBlockDialog>([&](vendara::AutoCompanyBlockDialog *dialog) {
            click(dialog, "okButton"); // no set name yet
            stayedOpen = dialog->isVisible();
            part<QComboBox>(dialog, "setNameBox")->setEditText(QStringLiteral("空の設定"));
            click(dialog, "okButton");
        });
        click(page.get(), "generateButton");

        QVERIFY(stayedOpen);
        QCOMPARE(f.questions.errors, QStringList{"設定名を入力してください"});
        QCOMPARE(f.lines("Etc/空の設定.Dat"), generatedEmpty());
        QVERIFY(!QFile::exists(f.dat("Etc/空の設定.emf")));
        QCOMPARE(f.lines("Mst/LogoList"), (QStringList{kDefaultSet, "空の設定"}));
        QCOMPARE(page->selectedSetName(), QStringLiteral("空の設定"));
        QCOMPARE(page->workingBlock(), generatedEmpty());
        QVERIFY(!part<QPushButton>(page.get(), "saveAsButton")->isEnabled());

        // The same name again: No keeps the file, Yes overwrites it.
        whenModal<vendara::AutoCompanyBlockDialog>([&](vendara::AutoCompanyBlockDialog *dialog) {
            part<QLineEdit>(dialog, "companyLine1Edit")->setText(QStringLiteral("株式会社テスト自動車"));
            part<QComboBox>(dialog, "setNameBox")->setEditText(QStringLiteral("空の設定"));
            f.questions.answer(false);
            click(dialog, "okButton");
            stayedOpen = dialog->isVisible();
            f.questions.answer(true);
            click(dialog, "okButton");
        });
        click(page.get(), "generateButton");
        QVERIFY(stayedOpen);
        QCOMPARE(f.questions.asked, (QStringList{"同名の設定があります\n上書きしますか？",
                                                 "同名の設定があります\n上書きしますか？"}));
        QCOMPARE(f.lines("Etc/空の設定.Dat").at(block::NameLine1), QStringLiteral("株式会社テスト自動車"));
        QCOMPARE(f.lines("Mst/LogoList").size(), 2);
    }

    void generatedSet_takesEachFieldIntoItsLine()
    {
        Fixture f;
        auto page = f.page();
        QStringList offered;
        whenModal<vendara::AutoCompanyBlockDialog>([&](vendara::AutoCompanyBlockDialog *dialog) {
            auto *prefectures = part<QComboBox>(dialog, "prefectureBox");
            for (int i = 0; i < prefectures->count(); ++i)
                offered << prefectures->itemText(i);
            part<QLineEdit>(dialog, "companyLine1Edit")->setText(QStringLiteral("株式会社テスト自動車"));
            part<QLineEdit>(dialog, "companyLine2Edit")->setText(QStringLiteral("本店"));
            part<QLineEdit>(dialog, "zip1Edit")->setText(QStringLiteral("320"));
            part<QLineEdit>(dialog, "zip2Edit")->setText(QStringLiteral("0033"));
            prefectures->setCurrentIndex(7);
            part<QLineEdit>(dialog, "addressEdit")->setText(QStringLiteral("宇都宮市本町1-2"));
            part<QLineEdit>(dialog, "buildingEdit")->setText(QStringLiteral("テストビル"));
            part<QLineEdit>(dialog, "phoneEdit")->setText(QStringLiteral("028-000-0000"));
            part<QLineEdit>(dialog, "faxEdit")->setText(QStringLiteral("028-000-0001"));
            part<QComboBox>(dialog, "setNameBox")->setEditText(QStringLiteral("本店"));
            click(dialog, "okButton");
        });
        click(page.get(), "generateButton");

        QCOMPARE(offered, block::generationPrefectures());
        block::GeneratedSetFields fields;
        fields.nameLine1 = QStringLiteral("株式会社テスト自動車");
        fields.nameLine2 = QStringLiteral("本店");
        fields.zip1 = QStringLiteral("320");
        fields.zip2 = QStringLiteral("0033");
        fields.prefecture = QStringLiteral("栃木県");
        fields.address = QStringLiteral("宇都宮市本町1-2");
        fields.building = QStringLiteral("テストビル");
        fields.phone = QStringLiteral("028-000-0000");
        fields.fax = QStringLiteral("028-000-0001");
        QCOMPARE(f.lines("Etc/本店.Dat"), block::generatedValues(fields));
        QCOMPARE(f.lines("Mst/LogoList"), (QStringList{kDefaultSet, QStringLiteral("本店")}));
        QVERIFY(f.questions.errors.isEmpty());
    }

    void editorOkWithoutChange_keepsTheSelection()
    {
        Fixture f;
        auto page = f.page();
        const QStringList before = page->workingBlock();
        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) { click(editor, "okButton"); });
        click(page.get(), "editButton");
        QCOMPARE(page->selectedSetName(), kDefaultSet);
        QCOMPARE(page->workingBlock(), before);
        QVERIFY(!part<QPushButton>(page.get(), "saveAsButton")->isEnabled());
        QVERIFY(part<QPushButton>(page.get(), "deleteButton")->isEnabled());
        QVERIFY(!QFile::exists(f.dat("Etc/Tmp.dat")));

        // キャンセル after a change keeps everything too.
        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) {
            part<QLineEdit>(editor, "nameLine1Edit")->setText(QStringLiteral("捨てる名前"));
            click(editor, "cancelButton");
        });
        click(page.get(), "editButton");
        QCOMPARE(page->workingBlock(), before);

        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) {
            part<QLineEdit>(editor, "nameLine1Edit")->setText(QStringLiteral("株式会社ベンダラ自動車"));
            click(editor, "okButton");
        });
        click(page.get(), "editButton");
        QCOMPARE(page->selectedSetName(), QString());
        QCOMPARE(page->workingBlock().at(block::NameLine1), QStringLiteral("株式会社ベンダラ自動車"));
        QCOMPARE(page->workingBlock().mid(block::NameLine2), before.mid(block::NameLine2));
        QVERIFY(part<QPushButton>(page.get(), "saveAsButton")->isEnabled());
        QVERIFY(!part<QPushButton>(page.get(), "deleteButton")->isEnabled());
        page->save();
        QVERIFY(f.lines("Mst/DefPrDat").contains(QStringLiteral("Logo=")));
    }

    void saveAsNamesLeavingTheSetFolder_areRefused()
    {
        Fixture f;
        auto page = f.page();
        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) {
            part<QLineEdit>(editor, "nameLine2Edit")->setText(QStringLiteral("本店営業部"));
            click(editor, "okButton");
        });
        click(page.get(), "editButton");
        const QStringList edited = page->workingBlock();

        bool stayedOpen = false;
        whenModal<vendara::CompanyBlockSaveDialog>([&](vendara::CompanyBlockSaveDialog *dialog) {
            part<QComboBox>(dialog, "nameBox")->setEditText(QStringLiteral("../evil"));
            click(dialog, "okButton");
            stayedOpen = dialog->isVisible();
            click(dialog, "cancelButton");
        });
        click(page.get(), "saveAsButton");
        QVERIFY(stayedOpen);
        QCOMPARE(f.questions.errors.size(), 1);
        QVERIFY(f.questions.errors.first().contains(QStringLiteral("../evil")));
        QVERIFY(!QFile::exists(f.dat("evil.Dat")));
        QVERIFY(!QFile::exists(f.dat("Etc/../evil.Dat")));
        QCOMPARE(f.lines("Mst/LogoList"), QStringList{kDefaultSet});
        QVERIFY(part<QPushButton>(page.get(), "saveAsButton")->isEnabled());

        // A plain name is saved, listed, selected; saving over it asks first.
        auto saveAs = [&](bool overwrite) {
            whenModal<vendara::CompanyBlockSaveDialog>([](vendara::CompanyBlockSaveDialog *dialog) {
                part<QComboBox>(dialog, "nameBox")->setEditText(QStringLiteral("本店"));
                click(dialog, "okButton");
            });
            f.questions.answers.clear(); // a name that is new is saved without a question
            f.questions.answer(overwrite);
            click(page.get(), "saveAsButton");
        };
        saveAs(false);
        QVERIFY(f.questions.asked.isEmpty());
        QCOMPARE(f.lines("Etc/本店.Dat"), edited);
        QVERIFY(!part<QPushButton>(page.get(), "saveAsButton")->isEnabled());
        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) {
            part<QLineEdit>(editor, "nameLine2Edit")->setText(QStringLiteral("第二営業部"));
            click(editor, "okButton");
        });
        click(page.get(), "editButton");
        saveAs(false);
        QCOMPARE(f.questions.asked, QStringList{"上書きしますか?"});
        QCOMPARE(f.lines("Etc/本店.Dat"), edited);
        saveAs(true);
        QCOMPARE(f.lines("Etc/本店.Dat"), page->workingBlock());
        QCOMPARE(page->workingBlock().at(block::NameLine2), QStringLiteral("第二営業部"));
        QVERIFY(!f.bytes("Etc/本店.emf").isEmpty());
        QCOMPARE(f.lines("Mst/LogoList"), (QStringList{kDefaultSet, "本店"}));
        QCOMPARE(page->selectedSetName(), QStringLiteral("本店"));
        QVERIFY(!part<QPushButton>(page.get(), "saveAsButton")->isEnabled());
    }

    void setSavedOverAnotherDesksChange_asksAndNoShowsThatSet()
    {
        Fixture f;
        auto page = f.page();
        QCOMPARE(page->selectedSetName(), kDefaultSet);
        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) {
            part<QLineEdit>(editor, "nameLine2Edit")->setText(QStringLiteral("本店営業部"));
            click(editor, "okButton");
        });
        click(page.get(), "editButton");
        QStringList theirs = block::newSetValues();
        theirs[block::NameLine1] = QStringLiteral("他の端末の社名");
        block::writeSet(f.dat("Etc/デフォルト.Dat"), theirs);

        auto saveAsDefault = [&](QList<vendara::Questions::Answer> answers) {
            whenModal<vendara::CompanyBlockSaveDialog>([](vendara::CompanyBlockSaveDialog *dialog) {
                part<QComboBox>(dialog, "nameBox")->setEditText(kDefaultSet);
                click(dialog, "okButton");
            });
            f.questions.answers = answers;
            click(page.get(), "saveAsButton");
        };
        // Yes to replacing the set, then Cancel: nothing changes.
        saveAsDefault({vendara::Questions::Answer::Yes, vendara::Questions::Answer::Cancel});
        QCOMPARE(f.questions.askedWithCancel.size(), 1);
        QVERIFY2(f.questions.askedWithCancel.first().contains(QStringLiteral("デフォルト.Dat は他の端末で変更されています")),
                 qPrintable(f.questions.askedWithCancel.first()));
        QCOMPARE(f.lines("Etc/デフォルト.Dat"), theirs);
        QCOMPARE(page->workingBlock().at(block::NameLine2), QStringLiteral("本店営業部"));
        QVERIFY(part<QPushButton>(page.get(), "saveAsButton")->isEnabled());

        // No: the other desk's set is read into the page.
        saveAsDefault({vendara::Questions::Answer::Yes, vendara::Questions::Answer::No});
        QCOMPARE(f.lines("Etc/デフォルト.Dat"), theirs);
        QCOMPARE(page->workingBlock(), theirs);
        QCOMPARE(page->selectedSetName(), kDefaultSet);

        // Read now, the set is saved over without another desk to fear.
        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) {
            part<QLineEdit>(editor, "nameLine2Edit")->setText(QStringLiteral("第二営業部"));
            click(editor, "okButton");
        });
        click(page.get(), "editButton");
        saveAsDefault({vendara::Questions::Answer::Yes});
        QCOMPARE(f.questions.askedWithCancel.size(), 2);
        QCOMPARE(f.lines("Etc/デフォルト.Dat").at(block::NameLine2), QStringLiteral("第二営業部"));
        QVERIFY(f.questions.errors.isEmpty());
    }

    void editorOk_storesWhatItsControlsSay()
    {
        Fixture f;
        const QString jpeg = f.dir.path() + QStringLiteral("/logo.JPG");
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        QVERIFY(image.save(jpeg, "JPEG"));
        QStringList values = block::newSetValues();
        values[block::NameStyle] = QStringLiteral("3");
        values[block::ImagePath] = jpeg;
        values[block::ImageLeft] = QStringLiteral("abc");
        values[block::ImageWidth] = QStringLiteral("900");
        const QString path = f.dat("Etc/Tmp.dat");
        block::writeSet(path, values);

        CompanyBlockEditor editor(f.questions);
        editor.loadFile(path);
        QCOMPARE(editor.values(), values); // the file's own lines until a change
        QVERIFY(part<QToolButton>(&editor, "nameBoldButton")->isChecked());
        QVERIFY(part<QToolButton>(&editor, "nameItalicButton")->isChecked());
        QVERIFY(part<QCheckBox>(&editor, "useImageBox")->isChecked());
        QCOMPARE(part<QSlider>(&editor, "widthSlider")->value(), 425);

        part<QToolButton>(&editor, "nameBoldButton")->click();
        QCOMPARE(editor.values().at(block::NameStyle), QStringLiteral("2"));
        part<QPlainTextEdit>(&editor, "addressEdit")->setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9"));
        QCOMPARE(editor.values().mid(block::AddressLine1, 8),
                 (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
        part<QSlider>(&editor, "heightSlider")->setValue(60);
        QCOMPARE(editor.values().at(block::ImageHeight), QStringLiteral("60"));
        QCOMPARE(part<vendara::FloatEdit>(&editor, "heightEdit")->text(), QStringLiteral("60"));
        auto *top = part<vendara::FloatEdit>(&editor, "topEdit");
        top->setFocus();
        top->selectAll();
        QTest::keyClicks(top, "150");
        QCOMPARE(editor.values().at(block::ImageTop), QStringLiteral("150"));
        QCOMPARE(part<QSlider>(&editor, "topSlider")->value(), 150);
        // A face counts only when it names a listed face.
        part<QComboBox>(&editor, "addressFaceBox")->setEditText(QStringLiteral("存在しない書体"));
        QCOMPARE(editor.values().at(block::AddressFace), QStringLiteral("ＭＳ ゴシック"));
        part<QComboBox>(&editor, "nameSizeBox")->setEditText(QStringLiteral("2x"));
        QCOMPARE(editor.values().at(block::NameSize), QStringLiteral("2x"));

        part<QCheckBox>(&editor, "useImageBox")->setChecked(false);
        QCOMPARE(editor.values().at(block::ImagePath), QString());
        QCOMPARE(part<QLineEdit>(&editor, "imagePathEdit")->text(), jpeg);
        part<QCheckBox>(&editor, "useImageBox")->setChecked(true);
        QCOMPARE(editor.values().at(block::ImagePath), jpeg);

        const QString bmp = f.dir.path() + QStringLiteral("/other.bmp");
        QVERIFY(image.save(bmp, "BMP"));
        f.questions.fileAnswers = {f.dir.path() + QStringLiteral("/missing.bmp"), bmp};
        part<QPushButton>(&editor, "browseButton")->click();
        QCOMPARE(editor.values().at(block::ImagePath), jpeg);
        part<QPushButton>(&editor, "browseButton")->click();
        QCOMPARE(editor.values().at(block::ImagePath), bmp);
        QVERIFY(f.questions.filters.first().contains(QStringLiteral("*.jpeg")));
        QVERIFY(f.questions.errors.isEmpty());

        // A file of another length leaves the editor empty, without a message.
        vendara::textfile::writeLines(path, values.mid(0, 22));
        CompanyBlockEditor empty(f.questions);
        empty.loadFile(path);
        QCOMPARE(empty.values(), QStringList(block::kLineCount, QString()));
        QVERIFY(f.questions.errors.isEmpty());
    }

    // A number box shows what the slider stored: a value beyond the slider's
    // range is clamped in the box too, as it is typed.
    void editorNumberBoxes_showTheClampedValue()
    {
        Fixture f;
        CompanyBlockEditor editor(f.questions);
        const QString path = f.dat("Etc/Tmp.dat");
        block::writeSet(path, block::newSetValues());
        editor.loadFile(path);
        editor.show();
        const struct
        {
            const char *box;
            const char *slider;
            int line;
            const char *typed;
            QString shown;
        } cases[] = {
            {"heightEdit", "heightSlider", block::ImageHeight, "0", QStringLiteral("1")},
            {"widthEdit", "widthSlider", block::ImageWidth, "0", QStringLiteral("1")},
            {"topEdit", "topSlider", block::ImageTop, "60", QStringLiteral("60")},
        };
        for (const auto &c : cases) {
            auto *box = part<vendara::FloatEdit>(&editor, c.box);
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, c.typed);
            QCOMPARE(box->text(), c.shown);
            QCOMPARE(QString::number(part<QSlider>(&editor, c.slider)->value()), c.shown);
            QCOMPARE(editor.values().at(c.line), c.shown);
        }
        // A number above the range pasted in is the maximum, in the box too.
        auto *height = part<vendara::FloatEdit>(&editor, "heightEdit");
        height->selectAll();
        height->pasteText(QStringLiteral("500"));
        QCOMPARE(height->text(), QStringLiteral("177"));
        QCOMPARE(editor.values().at(block::ImageHeight), QStringLiteral("177"));
    }

    // The switches and sliders show the set as it prints: style "03" is bold
    // italic, an image width that is no number is drawn 100 wide.
    void editor_showsTheStyleAndImageSizeThatPrint()
    {
        Fixture f;
        QStringList values = block::newSetValues();
        values[block::NameStyle] = QStringLiteral("03");
        values[block::AddressStyle] = QStringLiteral(" 2");
        values[block::ImageLeft] = QStringLiteral("abc");
        values[block::ImageTop] = QStringLiteral("012");
        values[block::ImageWidth] = QStringLiteral("abc");
        values[block::ImageHeight] = QStringLiteral("40x");
        const QString path = f.dat("Etc/Tmp.dat");
        block::writeSet(path, values);

        CompanyBlockEditor editor(f.questions);
        editor.loadFile(path);
        QCOMPARE(editor.values(), values);
        QVERIFY(part<QToolButton>(&editor, "nameBoldButton")->isChecked());
        QVERIFY(part<QToolButton>(&editor, "nameItalicButton")->isChecked());
        QVERIFY(!part<QToolButton>(&editor, "addressBoldButton")->isChecked());
        QVERIFY(part<QToolButton>(&editor, "addressItalicButton")->isChecked());
        const QRect printed = block::imageRect(values);
        QCOMPARE(part<QSlider>(&editor, "leftSlider")->value(), printed.left());
        QCOMPARE(part<QSlider>(&editor, "topSlider")->value(), 12);
        QCOMPARE(part<QSlider>(&editor, "widthSlider")->value(), 100);
        QCOMPARE(part<QSlider>(&editor, "widthSlider")->value(), printed.width());
        QCOMPARE(part<QSlider>(&editor, "heightSlider")->value(), printed.height());
        QCOMPARE(part<vendara::FloatEdit>(&editor, "widthEdit")->text(), QStringLiteral("100"));
        QCOMPARE(editor.values(), values); // showing changed nothing

        // A switch then stores the code of what the switches show.
        part<QToolButton>(&editor, "nameItalicButton")->click();
        QCOMPARE(editor.values().at(block::NameStyle), QStringLiteral("1"));
    }

    // A chosen picture the block could not draw is refused with a message;
    // the set keeps the picture it had.
    void editorPictureThatIsNoImage_isRefused()
    {
        Fixture f;
        const QString fake = f.dir.path() + QStringLiteral("/logo.jpg");
        {
            QFile file(fake);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("this is no picture");
        }
        const QString good = f.dir.path() + QStringLiteral("/logo.bmp");
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        QVERIFY(image.save(good, "BMP"));

        CompanyBlockEditor editor(f.questions);
        f.questions.fileAnswers = {good, fake};
        part<QPushButton>(&editor, "browseButton")->click();
        QCOMPARE(editor.values().at(block::ImagePath), good);
        part<QPushButton>(&editor, "browseButton")->click();
        QCOMPARE(f.questions.errors.size(), 1);
        QVERIFY(f.questions.errors.first().startsWith(QStringLiteral("画像ファイルを読み込めません")));
        QVERIFY(f.questions.errors.first().contains(fake));
        QCOMPARE(editor.values().at(block::ImagePath), good);
        QCOMPARE(part<QLineEdit>(&editor, "imagePathEdit")->text(), good);
    }

    // A set name is a file of its own: "tmp" would be the editor's work
    // file, "デフォルト " and "Honten." the file of a listed set; the dialogs
    // refuse them where they are typed and write nothing.
    void setNamesThatWouldShareAFile_areRefused()
    {
        Fixture f;
        block::saveSetAs(*f.data, QStringLiteral("Honten"), generatedEmpty(), {});
        block::writeSetList(*f.data, {kDefaultSet, QStringLiteral("Honten")});
        auto page = f.page();
        const auto snapshot = [&] {
            QStringList all;
            QDirIterator it(f.dat(QString()), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                QFile content(file);
                all << file + u'=' + QString::fromLatin1(content.open(QIODevice::ReadOnly) ? content.readAll().toHex() : "");
            }
            all.sort();
            return all;
        };
        const QStringList before = snapshot();
        // (A name differing from a listed one only in letter case becomes
        // that name as the box is left, and so is written over only after
        // the question.)
        const QStringList refused = {kDefaultSet + u' ', QStringLiteral("Honten."), QStringLiteral("tmp"),
                                     QStringLiteral("a\tb"), QStringLiteral("  ")};

        whenModal<CompanyBlockEditor>([](CompanyBlockEditor *editor) {
            part<QLineEdit>(editor, "nameLine2Edit")->setText(QStringLiteral("本店営業部"));
            click(editor, "okButton");
        });
        click(page.get(), "editButton");
        QStringList stayed;
        whenModal<vendara::CompanyBlockSaveDialog>([&](vendara::CompanyBlockSaveDialog *dialog) {
            for (const QString &name : refused) {
                part<QComboBox>(dialog, "nameBox")->setEditText(name);
                click(dialog, "okButton");
                if (dialog->isVisible())
                    stayed << name;
            }
            click(dialog, "cancelButton");
        });
        click(page.get(), "saveAsButton");
        QCOMPARE(stayed, refused);
        QCOMPARE(f.questions.errors.size(), refused.size());
        QCOMPARE(f.questions.errors.value(0), QStringLiteral("「デフォルト 」は設定「デフォルト」と区別できないため使えません。"));
        QCOMPARE(f.questions.errors.value(1), QStringLiteral("「Honten.」は設定「Honten」と区別できないため使えません。"));

        stayed.clear();
        whenModal<vendara::AutoCompanyBlockDialog>([&](vendara::AutoCompanyBlockDialog *dialog) {
            for (const QString &name : refused) {
                part<QComboBox>(dialog, "setNameBox")->setEditText(name);
                click(dialog, "okButton");
                if (dialog->isVisible())
                    stayed << name;
            }
            click(dialog, "cancelButton");
        });
        click(page.get(), "generateButton");
        QCOMPARE(stayed, refused);
        QCOMPARE(f.questions.errors.size(), 2 * refused.size());
        QVERIFY(f.questions.asked.isEmpty()); // never asked to write over a set
        QCOMPARE(snapshot(), before);
        QCOMPARE(f.lines("Mst/LogoList"), (QStringList{kDefaultSet, QStringLiteral("Honten")}));
    }
};

QTEST_MAIN(PrintSettingsPageTest)
#include "printsettingspage_test.moc"
