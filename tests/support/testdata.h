#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

namespace vendara::test {

// Raw bytes of a file, or an empty array.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
// Writes lines as Shift-JIS with CR LF, the way the program's files look.
void writeSjisLines(const QString &path, const QStringList &lines);
QString fixturePath(const QString &relative);

struct CliResult
{
    int exitCode = -1;
    QString out;
    QString err;
};
// Runs the built vendara-cli with the given arguments.
CliResult runCli(const QStringList &args);
// The built vendara-cli, for tests that run several at once.
QString cliProgram();
// The id of a process that has ended (0 when none could be started).
qint64 deadProcessId();

// The seed of a test that draws at random: VENDARA_TEST_SEED when set, so
// that a failure can be run again as it was, otherwise a fresh one. Either
// way it is printed on standard error.
quint32 randomSeed();

// While it lives, the user's cache and config folders (XDG_CACHE_HOME,
// XDG_CONFIG_HOME) are folders of a temporary folder: what a window keeps
// for the user stays out of the real home.
struct PrivateUserFolders
{
    QTemporaryDir home;
    PrivateUserFolders()
    {
        qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    }
    ~PrivateUserFolders()
    {
        qunsetenv("XDG_CACHE_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }
    PrivateUserFolders(const PrivateUserFolders &) = delete;
    PrivateUserFolders &operator=(const PrivateUserFolders &) = delete;
};

} // namespace vendara::test
