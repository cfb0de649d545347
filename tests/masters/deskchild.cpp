// One desk of the two-desk test: deskchild MSTFOLDER TEXT
// Reads the colour master, adds TEXT as a row, prints "read" and saves once a
// line arrives on stdin, so that the parent can let two desks save after both
// have read. Exit 0: saved; 3: refused because the other desk saved first
// (the message on stdout); 1: any other failure; 2: wrong use.

#include "masters/simplemaster.h"

#include "common/error.h"
#include "common/fileversion.h"

#include <QCoreApplication>

#include <cstdio>

using namespace vendara;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    try {
        SimpleMaster master(QString::fromLocal8Bit(argv[1]));
        master.selectMaster(QStringLiteral("色"));
        master.addRow();
        master.setCellText(0, master.grid().rowCount() - 1, QString::fromLocal8Bit(argv[2]));
        std::puts("read");
        std::fflush(stdout);
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            return 2;
        master.save();
        return 0;
    } catch (const FileChangedError &e) {
        std::puts(e.message().toLocal8Bit().constData());
        return 3;
    } catch (const Error &e) {
        std::fputs(e.message().toLocal8Bit().constData(), stderr);
        return 1;
    }
}
