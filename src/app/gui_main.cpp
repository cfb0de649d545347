#include "app/widgets/mainwindow.h"
#include "print/printfonts.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Parvex 自動車販売"));
    // Layouts name Windows faces; they are drawn with the IPA fonts.
    vendara::installFontSubstitutions();

    const QStringList args = QApplication::arguments();
    const vendara::DataFolder data = vendara::DataFolder::locate(
        QApplication::applicationDirPath(), QStringLiteral(VENDARA_SHARE_DIR));
    vendara::MainWindow window(data, args.size() > 1 ? args.at(1) : QString());
    window.show();
    return app.exec();
}
