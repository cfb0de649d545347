#include "fuzzsupport.h"

#include "common/cp932codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The core runs without a display; tests and the CLI do the same.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return 0;
}

namespace vendara::fuzz {

void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "vendara-fuzz";
    static char *argv[] = {name, nullptr};
    // Never destroyed: Qt's globals are gone by the time static objects die.
    static QGuiApplication *app = nullptr;
    if (!app)
        app = new QGuiApplication(argc, argv);
}

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    return dir;
}

} // namespace

QString scratchDir()
{
    return scratch().path() + u'/';
}

void clearScratch()
{
    QDir dir(scratch().path());
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

QString textOf(const uint8_t *data, size_t size)
{
    return cp932::decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace vendara::fuzz
