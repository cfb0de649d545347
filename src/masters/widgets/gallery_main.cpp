// vendara-masters-gallery: one master editor or pick dialog over a copy of
// the shipped master data, for looking at it.
//
//   vendara-masters-gallery WINDOW [--edit] [--screenshot FILE.png]
//
// WINDOW is cars, list:<mode 1-6>, equipment, equipment-pick, memo,
// memo-pick, tax:<kind 0-2>, acquisition, postalcode[:KEYWORD],
// postalcode-page. --edit switches a pick dialog to edit mode; --screenshot
// grabs the window into a PNG and quits. Edits go to a temporary copy.

#include "masters/widgets/acquisitiontaxdialog.h"
#include "masters/widgets/equipmentpage.h"
#include "masters/widgets/equipmentpickdialog.h"
#include "masters/widgets/masterpickdialog.h"
#include "masters/widgets/memopickdialog.h"
#include "masters/widgets/memotemplatespage.h"
#include "masters/widgets/taxguidedialog.h"
#include "masters/widgets/postalcodedictionarypage.h"
#include "masters/widgets/postalcodesearchdialog.h"

#include "controls/widgets/messageboxquestions.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace vendara;

namespace {

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

std::unique_ptr<QWidget> makeWindow(const QString &name, const QString &dat, bool edit)
{
    MessageBoxQuestions questions;
    const QString mst = dat + QStringLiteral("Mst/");
    if (name.startsWith(QLatin1String("tax:"))) {
        auto dialog = std::make_unique<TaxGuideDialog>(dat + QStringLiteral("Tax/"), questions);
        dialog->selectKind(name.mid(4).toInt());
        if (edit)
            dialog->findChild<QPushButton *>(QStringLiteral("editButton"))->click();
        return dialog;
    }
    if (name == QLatin1String("acquisition")) {
        auto dialog = std::make_unique<AcquisitionTaxDialog>();
        dialog->setItems({{QStringLiteral("車両本体課税額"), QStringLiteral("2111000")},
                          {QStringLiteral("カーナビゲーション"), QStringLiteral("180000")}});
        dialog->setRate(3);
        return dialog;
    }
    if (name == QLatin1String("postalcode") || name.startsWith(QLatin1String("postalcode:"))) {
        auto dialog = std::make_unique<PostalCodeSearchDialog>(mst + QStringLiteral("Zip/"), questions);
        dialog->setKeyword(name.mid(11));
        return dialog;
    }
    if (name == QLatin1String("postalcode-page"))
        return std::make_unique<PostalCodeDictionaryPage>(mst + QStringLiteral("Zip/"), questions);
    if (name == QLatin1String("cars") || name.startsWith(QLatin1String("list:"))) {
        auto dialog = std::make_unique<MasterPickDialog>(mst, questions);
        dialog->selectList(name == QLatin1String("cars") ? 0 : name.mid(5).toInt());
        if (edit)
            dialog->findChild<QPushButton *>(QStringLiteral("editButton"))->click();
        return dialog;
    }
    if (name == QLatin1String("equipment"))
        return std::make_unique<EquipmentPage>(mst, questions);
    if (name == QLatin1String("equipment-pick")) {
        auto dialog = std::make_unique<EquipmentPickDialog>(mst);
        dialog->presetChecks(QStringLiteral("AC PS"));
        return dialog;
    }
    if (name == QLatin1String("memo"))
        return std::make_unique<MemoTemplatesPage>(mst, questions);
    if (name == QLatin1String("memo-pick"))
        return std::make_unique<MemoPickDialog>(mst);
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("window"), QStringLiteral("the window to show"));
    QCommandLineOption edit(QStringLiteral("edit"));
    QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("PNG file"), QStringLiteral("file"));
    parser.addOptions({edit, screenshot});
    parser.addHelpOption();
    parser.process(app);

    QTemporaryDir data;
    copyTree(QStringLiteral(VENDARA_SHIPPED_DATA "/Dat"), data.path());
    std::unique_ptr<QWidget> window = makeWindow(parser.positionalArguments().value(0), data.path() + u'/',
                                                 parser.isSet(edit));
    if (!window)
        parser.showHelp(1);
    window->show();
    if (parser.isSet(screenshot)) {
        QTimer::singleShot(300, &app, [&] {
            window->grab().save(parser.value(screenshot));
            app.quit();
        });
    }
    return app.exec();
}
