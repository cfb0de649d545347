#include "support/testdata.h"

#include "common/cp932codec.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <cstdio>

namespace vendara::test {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void writeSjisLines(const QString &path, const QStringList &lines)
{
    writeBytes(path, cp932::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

QString fixturePath(const QString &relative)
{
    return QStringLiteral(VENDARA_TEST_FIXTURES "/") + relative;
}

CliResult runCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VENDARA_CLI), args);
    CliResult r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString cliProgram()
{
    return QStringLiteral(VENDARA_CLI);
}

qint64 deadProcessId()
{
    QProcess child;
    child.start(QStringLiteral("true"), {});
    if (!child.waitForStarted())
        return 0;
    const qint64 pid = child.processId();
    child.waitForFinished();
    return pid;
}

quint32 randomSeed()
{
    bool given = false;
    quint32 seed = qEnvironmentVariable("VENDARA_TEST_SEED").toUInt(&given);
    if (!given)
        seed = QRandomGenerator::system()->generate();
    std::fprintf(stderr, "random seed %u (VENDARA_TEST_SEED=%u repeats it)\n", seed, seed);
    return seed;
}

} // namespace vendara::test
