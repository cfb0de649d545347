#pragma once

#include "namerules.h"

#include "common/fileversion.h"

#include <QString>
#include <QStringList>

namespace vendara {

class Questions;

// The maker and car-name master behind the options page and the pick dialog:
// "Maker.dat" lists the makers, and each maker's car names are in a file
// named after the maker in the same folder. Lines are taken whole; a blank
// line is held (and written back) as a single space. The car list shown is
// the current maker's; it is written back whenever the user leaves that
// maker row, and the owner calls save() when it closes. Each write refuses to
// replace a file another desk changed since this master read it
// (FileChangedError); the owner then writes with Overwrite::Force or reads
// the other desk's lists with load().
class CarMaster
{
public:
    static inline const QString kMakerListFile = QStringLiteral("Maker.dat");
    static QString deleteMakerQuestion(const QString &maker);
    // Deleting a row whose car-name file another row also names.
    static QString deleteSharedMakerQuestion(const QString &maker);
    // Maker names: each one file of the folder, never "Maker.dat".
    static const EntryNames &makerNames();

    // folder: Dat/Mst/Mk/ of the data root. Reads the maker list and the car
    // list of the first maker.
    explicit CarMaster(const QString &folder);

    const QStringList &makers() const { return m_makers; }
    const QStringList &cars() const { return m_cars; }
    int currentMakerRow() const { return m_makerRow; }
    int currentCarRow() const { return m_carRow; }
    QString currentMakerName() const { return m_makers.value(m_makerRow); }
    QString currentCarName() const { return m_cars.value(m_carRow); }

    // Typing into a row. Renaming a maker takes effect when its cars are next
    // written: the old maker's file stays on disk and is no longer read. A
    // name that cannot be a car-name file, or whose file another row already
    // names, is refused with vendara::Error saying why; the row keeps its
    // name. A blank row is no maker and is always taken.
    void setMakerText(int row, const QString &text);
    void setCarText(int row, const QString &text);

    // Leaving the current maker row writes its cars, then the entered row's
    // car list is read. Moving to the same row does nothing.
    void moveToMaker(int row);
    void setCurrentCarRow(int row);

    void addMaker(); // an empty row at the end, moved to
    void addCar();   // an empty row at the end, made current
    // Asks deleteMakerQuestion; on Yes deletes the maker's car-name file and
    // row and shows the cars of the maker now current. A file that another
    // row also names stays (deleteSharedMakerQuestion is asked instead).
    // Returns false on No.
    bool deleteCurrentMaker(Questions &questions);
    void deleteCurrentCar(); // without asking
    // Writes the current cars back first; afterwards the current row shows
    // whichever maker sorted into it, with that maker's cars.
    void sortMakers();
    void sortCars();

    // A maker whose name is blank has no car-name file. Any other name must
    // be a storable file name (not "Maker.dat"), else vendara::Error. A car
    // list that could not be read is not written. The cars of a renamed
    // maker go to a file this master never read: whatever a maker of that
    // name once left there is no longer read by anyone, and is replaced.
    void writeCarList(Overwrite overwrite = Overwrite::IfUnchanged);
    void writeMakerList(Overwrite overwrite = Overwrite::IfUnchanged);
    void save(Overwrite overwrite = Overwrite::IfUnchanged); // both, as when the page closes
    // Reads both lists again, dropping what was not written; the current
    // maker row stays where the list still reaches.
    void load();
    // Reads the current maker's cars again, dropping what was not written.
    void loadCars() { readCarList(); }

    // The pick: maker, one space, car, trimmed (so an empty car leaves the
    // maker alone).
    QString selectedName() const;

    QString carFilePath(const QString &maker) const { return m_folder + maker; }

private:
    QStringList makersBut(int row) const;
    void readMakerList();
    void readCarList();
    static QStringList readRows(const QString &path, FileVersion &version);

    QString m_folder;
    QStringList m_makers;
    QStringList m_cars;
    int m_makerRow = 0;
    int m_carRow = 0;
    bool m_carsRead = false; // cars that could not be read are never written back
    // What the files held at the last reading or writing of them.
    FileVersion m_makerListVersion;
    QString m_carListPath;
    FileVersion m_carListVersion;
};

} // namespace vendara
