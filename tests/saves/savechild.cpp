// Saves a slip, a master file and the settings file into a folder, in one of
// two versions, once or over and over until it is killed:
//   savechild DIR A|B             one save of each file by its own writer
//   savechild DIR loop REFA REFB  the files of REFB, then of REFA, ... saved
//                                 over and over the way every writer saves
//                                 them, so that a kill lands inside a save
#include "settings/settings.h"
#include "masters/memotemplates.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"
#include "support/slipsamples.h"

#include "common/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace vendara;

namespace {

void saveVersion(const QString &dir, bool second)
{
    const QString mark = second ? QStringLiteral("版B") : QStringLiteral("版A");
    SlipRecord record = test::fullyFilledSlip();
    record.cust.name = mark + QStringLiteral(" 山田商会");
    // Long enough that a save takes more than an instant.
    record.note.memo1 = QString(4000, second ? u'甲' : u'乙');
    SlipDocument slip;
    slip.loadRecord(record);
    writeSlip(slip, dir + QStringLiteral("/slip.pvq"));

    MemoTemplates memos(dir + QStringLiteral("/Mst/"), 0);
    while (!memos.templates().isEmpty())
        memos.remove(0);
    for (int i = 0; i < 2000; ++i)
        memos.add({mark + QString::number(i), QStringLiteral("よろしくお願いします"), QString()});
    memos.save();

    BasicSettings basic;
    basic.standardTaxRate = second ? 10 : 8;
    basic.creditRate = second ? 3.9 : 2.5;
    Settings(DataFolder(dir)).saveBasic(basic);
}

const char *const kFiles[] = {"slip.pvq", "Mst/MemoOpt.Dat", "vendara.ini"};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

[[noreturn]] void saveForever(const QString &dir, const QString &refA, const QString &refB)
{
    QList<QByteArray> versions[2];
    for (const char *name : kFiles) {
        versions[0].append(contentOf(refA + u'/' + QLatin1String(name)));
        versions[1].append(contentOf(refB + u'/' + QLatin1String(name)));
    }
    for (int v = 1;; v = 1 - v)
        for (int i = 0; i < 3; ++i)
            saveFileAtomically(dir + u'/' + QLatin1String(kFiles[i]), versions[v][i]);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QByteArray mode = argv[2];
    QDir().mkpath(dir + QStringLiteral("/Mst"));
    if (mode == "loop" && argc == 5)
        saveForever(dir, QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]));
    saveVersion(dir, mode == "B");
    return 0;
}
