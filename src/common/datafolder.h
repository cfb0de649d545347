#pragma once

#include <QString>

namespace vendara {

// The data root: the folder that holds Dat/ and the settings file. Every
// Dat/ path of the program is relative to it.
class DataFolder
{
public:
    // Takes root as given (the CLI's --data-dir, tests); creates Dat/Tmp.
    explicit DataFolder(const QString &root);

    // The executable's folder when it holds Dat/ and is writable (portable use,
    // the build tree); otherwise $XDG_DATA_HOME/vendara, seeded from the
    // installed shared data (Dat/ and the settings file) without overwriting.
    static DataFolder locate(const QString &executableDir, const QString &installedDataDir);

    // With a trailing separator.
    QString root() const { return m_root; }
    // root + "Dat/" + relative
    QString datPath(const QString &relative) const;
    QString tmpDir() const { return datPath(QStringLiteral("Tmp/")); }
    // The folders of Dat/, each with a trailing separator.
    QString mastersDir() const { return datPath(QStringLiteral("Mst/")); }
    QString carMastersDir() const { return datPath(QStringLiteral("Mst/Mk/")); }
    QString postalCodesDir() const { return datPath(QStringLiteral("Mst/Zip/")); }
    QString taxTablesDir() const { return datPath(QStringLiteral("Tax/")); }
    QString layoutsDir() const { return datPath(QStringLiteral("Fmt/")); }
    QString companyBlocksDir() const { return datPath(QStringLiteral("Etc/")); }
    // The list of company block sets and the default print settings.
    QString companyBlockListPath() const { return datPath(QStringLiteral("Mst/LogoList")); }
    QString defaultPrintSettingsPath() const { return datPath(QStringLiteral("Mst/DefPrDat")); }
    QString settingsPath() const { return m_root + settingsFileName(); }

    // The settings file is named after the GUI executable; the CLI shares it.
    static QString settingsFileName() { return QStringLiteral("vendara.ini"); }

    // Copies every file of source into target that target does not have yet.
    static void copyMissing(const QString &source, const QString &target);

private:
    QString m_root;
};

// True when name can be used as one file name inside a folder: not empty, no
// "/" or NUL, not "." or "..". Names typed by users become file names.
bool isSafeFileName(const QString &name);
// Throws vendara::Error with a clear message when the name is not safe.
void requireSafeFileName(const QString &name);

} // namespace vendara
