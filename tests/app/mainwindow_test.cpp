#include "app/widgets/mainwindow.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vendara;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void newWindow_showsNewSlipTitle()
    {
        QTemporaryDir dir;
        MainWindow window{DataFolder(dir.path())};
        QCOMPARE(window.windowTitle(), QStringLiteral("[新規] - Parvex 自動車販売"));
    }

    void title_namesPathAndModifiedMark()
    {
        QCOMPARE(MainWindow::windowTitleFor(QStringLiteral("/home/u/a.pvq"), true),
                 QStringLiteral("/home/u/a.pvq - Parvex 自動車販売 <更新>"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
