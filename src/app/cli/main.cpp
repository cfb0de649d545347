// vendara-cli: the headless face of the core. Output is UTF-8; any failure
// ends with a one-line message on stderr and a non-zero exit status.
#include "clicommand.h"

#include "app/appinfo.h"

#include "common/error.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

using namespace vendara;
using namespace vendara::cli;

namespace {

void printHelp(QTextStream &out)
{
    out << "使い方: vendara-cli [--data-dir DIR] SUBCOMMAND [ARGS...]\n\n"
        << "  --data-dir DIR  データフォルダ (Dat/ と vendara.ini を置くフォルダ) を指定します"
           " (サブコマンドの後にも置けます)\n\n"
        << "サブコマンド:\n";
    for (const CliCommand &c : allCommands()) {
        out << "  " << c.name;
        if (*c.usage)
            out << ' ' << QString::fromUtf8(c.usage);
        out << "\n      " << QString::fromUtf8(c.summary) << '\n';
    }
}

const CliCommand *findCommand(const QString &name)
{
    for (const CliCommand &c : allCommands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    QTextStream err(stderr);
    err.setEncoding(QStringConverter::Utf8);

    QString dataDir;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--help")) {
            printHelp(out);
            return 0;
        }
        if (option == QLatin1String("--data-dir") && !args.isEmpty()) {
            dataDir = args.takeFirst();
            continue;
        }
        err << "vendara-cli: 不明なオプション: " << option << '\n';
        return 2;
    }
    if (args.isEmpty() || args.first() == QLatin1String("help")) {
        printHelp(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    const CliCommand *command = findCommand(args.first());
    if (!command) {
        err << "vendara-cli: 不明なサブコマンド: " << args.first() << '\n';
        return 2;
    }
    args.removeFirst();
    // The data root may also follow the subcommand: "vendara-cli number --data-dir DIR".
    for (qsizetype i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--data-dir")) {
            dataDir = args[i + 1];
            args.remove(i, 2);
            --i;
        }
    }

    std::unique_ptr<QCoreApplication> app;
    if (command->needsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    try {
        const QString exeDir = QCoreApplication::applicationDirPath();
        const QString installed =
            appinfo::installedShareFolder(exeDir, QStringLiteral("vendara"), QStringLiteral(VENDARA_SHARE_DIR));
        CliContext context{dataDir.isEmpty() ? DataFolder::locate(exeDir, installed) : DataFolder(dataDir),
                           out};
        const int rc = command->run(context, args);
        out.flush();
        return rc;
    } catch (const Error &e) {
        out.flush();
        err << "vendara-cli: " << e.message() << '\n';
        return 1;
    } catch (const std::exception &e) {
        out.flush();
        err << "vendara-cli: " << e.what() << '\n';
        return 1;
    }
}
