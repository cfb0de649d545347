#pragma once

#include "common/datafolder.h"
#include "common/fileversion.h"
#include "printsettings/defaultprintsettings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace vendara {

class IniProfile;

// How dates are shown: western years or the Japanese era.
enum class DateForm { Western = 0, Era = 1 };

// The six values of the basic settings page.
struct BasicSettings
{
    DateForm dateForm = DateForm::Western;
    double standardTaxRate = 5;    // % a new slip's consumption tax starts at
    int rounding = 0;              // 0 四捨五入, 1 切り捨て, 2 切り上げ
    double acquisitionTaxRate = 5; // % the acquisition-tax guide starts at
    double acquisitionRatio = 90;  // % of a new car's price taken as its tax base
    double creditRate = 0;         // % a new slip's instalment plan starts at

    bool operator==(const BasicSettings &) const = default;
};

// The program's settings: what the options dialog edits (the basic settings
// in the settings file, the default print settings in Dat/Mst/DefPrDat) and
// what the program keeps between runs (the next slip number, the folders
// last used, the print corrections).
//
// load() reads both files; saveBasic() and saveDefaultPrint() write them.
// Whenever the options' values change, changed() is emitted, and the windows
// follow it. The values kept between runs are read from the file and written
// to it on every call, each write touching only its own keys, because several
// windows (one process each), and several desks sharing the data folder,
// share the file. Every write reads the file again and writes it back under
// the lock of lockPath(), so that no process loses what another wrote.
class Settings : public QObject
{
    Q_OBJECT

public:
    // Nothing is read until load().
    explicit Settings(const DataFolder &data, QObject *parent = nullptr);

    const DataFolder &data() const { return m_data; }
    const QString &path() const { return m_path; }

    // Reads both files: loadBasic(), then loadDefaultPrint(). Each emits
    // changed() when a value differs from what was read before; missing keys
    // (or files that are missing or cannot be read) read as their defaults.
    void load();
    // The settings file's basic values.
    void loadBasic();
    // The default print settings file.
    void loadDefaultPrint();

    const BasicSettings &basic() const { return m_basic; }
    const DefaultPrintSettings &defaultPrint() const { return m_defaultPrint; }

    // The pattern dates are shown in by default: "GGEE/MM/DD" or "YYYY/MM/DD".
    QString datePattern() const;
    // The acquisition ratio a new slip starts with: [Tax] Std as a whole
    // number (a fraction reads as 90, the default).
    int slipAcquisitionRatio() const { return m_slipAcquisitionRatio; }

    // True when any basic value differs from what was read last.
    bool isChanged(const BasicSettings &values) const { return values != m_basic; }
    // Writes the six basic keys (the file's other lines stay) and reads them
    // back. Another desk's basic values written since they were read here
    // (by loadBasic(); a write without one has nothing to compare) are
    // not replaced unless overwrite is Force: FileChangedError names the keys
    // and what they hold now, and nothing is written. The next slip number
    // and the other values kept between runs change all the time and are
    // never a conflict.
    void saveBasic(const BasicSettings &values, Overwrite overwrite = Overwrite::IfUnchanged);
    // Writes the default print settings file and reads it back; a file
    // another desk changed since it was read here is not replaced unless
    // overwrite is Force (FileChangedError, nothing written).
    void saveDefaultPrint(const DefaultPrintSettings &values, Overwrite overwrite = Overwrite::IfUnchanged);

    // The number a new slip is shown with; it is not taken until the save.
    int nextSlipNumber() const;
    void setNextSlipNumber(int number);
    // Takes the number of a new slip as one step under the lock, so that no
    // two processes take the same one: the file's next number, or proposed
    // when that is higher. write runs with the number while the lock is held;
    // only when it returns true does the file's next number become the one
    // after. Returns the number, or nothing when write returned false.
    std::optional<int> takeSlipNumber(std::optional<int> proposed, const std::function<bool(int)> &write);
    // The same with nothing to write: the file's next number, taken.
    int takeSlipNumber();
    // A slip saved under a number of its own (typed by the user, or that of
    // the file it was read from): the file's next number moves past it unless
    // it is beyond it already.
    void raiseSlipNumberPast(int number);
    // The folder of the last slip saved ([Init] Dir): where Open starts.
    QString startFolder() const;
    void setStartFolder(const QString &folder);
    // Where the last PDF was written ([Init] PdfDir).
    QString pdfFolder() const;
    void setPdfFolder(const QString &folder);
    // The printer dialog's corrections in millimetres ([Print] Fix_X, Fix_Y).
    double correctionX() const;
    double correctionY() const;
    void setCorrections(double x, double y);

    // "%.8d": at least eight digits, the sign before them.
    static QString formatSlipCode(int number);

    // The lock file beside the settings file that every write holds.
    QString lockPath() const;
    // How long a write waits while another process holds the lock
    // (FileLock::kDefaultTimeoutMs unless set).
    void setLockTimeout(int ms) { m_lockTimeoutMs = ms; }

signals:
    void changed();

private:
    void writeKey(const std::function<void(IniProfile &)> &write);
    // Under the lock: reads the file as it is now and saves it (atomically)
    // when change returns true.
    void update(const std::function<bool(IniProfile &)> &change);

    DataFolder m_data;
    QString m_path;
    BasicSettings m_basic;
    bool m_basicRead = false; // m_basic is what the file held, not the defaults
    DefaultPrintSettings m_defaultPrint = DefaultPrintSettings::defaults();
    FileVersion m_defaultPrintVersion; // what the default print settings file held when read
    int m_slipAcquisitionRatio = 90;
    int m_lockTimeoutMs;
};

} // namespace vendara
