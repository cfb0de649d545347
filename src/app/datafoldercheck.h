#pragma once

#include "common/datafolder.h"

#include <QList>
#include <QString>

namespace vendara {

// One finding about a data folder: what was looked at, whether it is in
// order, and what was found (or what is wrong).
struct DataFolderCheck
{
    QString subject;
    bool ok = true;
    QString detail;
};

// Looks at a data folder the way the program will use it, so that a desk
// pointed at a share learns what is wrong before a save fails: the folder
// and its Dat/ folders, writing (a file written and removed in the root and
// in Dat/Tmp/), the settings file's lock (taken, seen from a second open, and
// released), and the files, each read with the program's own reader: the
// settings file, the default print settings with the layouts and company
// block set they name, and the master lists. One finding per subject; every
// file problem names the file. The probes leave nothing behind but the lock
// file.
QList<DataFolderCheck> checkDataFolder(const DataFolder &data);

} // namespace vendara
