#include "app/appinfo.h"
#include "app/documentsession.h"
#include "app/helppages.h"
#include "app/platform/desktopservices.h"
#include "app/platform/localinstanceregistry.h"
#include "app/recentfiles.h"
#include "controls/widgets/guifileworkwaiter.h"
#include "controls/widgets/messageboxquestions.h"
#include "app/widgets/guisetup.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/printcommands.h"
#include "common/questions.h"
#include "print/cupsprintingservice.h"
#include "print/printerselection.h"
#include "print/printfonts.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScopeGuard>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Only the application name: a display name would be appended to every
    // window title, and other processes read the titles as they are.
    QApplication::setApplicationName(vendara::appinfo::kApplicationTitle);
    QApplication::setApplicationVersion(vendara::appinfo::version());
    QApplication::setDesktopFileName(QStringLiteral("vendara"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vendara"), QIcon(QStringLiteral(":/icons/vendara.svg"))));

    vendara::setUpGui(app);

    const QStringList args = QApplication::arguments();
    const QString argument = args.size() > 1 ? args.at(1) : QString();

    // A file another process shows: that window comes forward, this process ends.
    vendara::LocalInstanceRegistry instances;
    if (!argument.isEmpty()) {
        const QString canonical = QFileInfo(argument).canonicalFilePath();
        if (!canonical.isEmpty() && instances.activate(canonical))
            return 0;
    }

    // Layouts name Windows faces; they are drawn with the IPA fonts.
    vendara::installFontSubstitutions();

    const QString exeDir = QApplication::applicationDirPath();
    using vendara::appinfo::installedShareFolder;
    const vendara::DataFolder data = vendara::DataFolder::locate(
        exeDir, installedShareFolder(exeDir, QStringLiteral("vendara"), QStringLiteral(VENDARA_SHARE_DIR)));
    const vendara::HelpPages help = vendara::HelpPages::locate(
        exeDir, installedShareFolder(exeDir, QStringLiteral("vendara-help"), QStringLiteral(VENDARA_HELP_DIR)));
    vendara::MessageBoxQuestions questions;
    // File work of this thread waits for a slow share without freezing the window.
    vendara::GuiFileWorkWaiter fileWorkWaiter;
    vendara::setFileWorkWaiter(&fileWorkWaiter);
    const auto noWaiterAtExit = qScopeGuard([] { vendara::setFileWorkWaiter(nullptr); });
    vendara::DetachedLauncher launcher(data.root());
    vendara::DesktopHelpBrowser browser;
    vendara::RecentFiles recent(vendara::RecentFiles::defaultListPath());

    vendara::DocumentSession session(data, questions, instances, launcher, recent);
    if (!session.start(argument))
        return 0;

    vendara::MainWindow window(session, questions, browser, help, recent);
    // The printer choice lives as long as the window: it is never stored.
    vendara::CupsPrintingService printingService;
    vendara::PrinterSelection printer(printingService);
    vendara::XdgMailSender mail;
    auto *printCommands = new vendara::PrintCommands(window, session, printer, questions, mail, browser, help);
    window.setPrintCommands(printCommands);
    window.show();
    return app.exec();
}
