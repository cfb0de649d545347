#include "carmaster.h"

#include "common/questions.h"
#include "common/blanks.h"
#include "celltext.h"
#include "japanesesort.h"
#include "masterfile.h"
#include "namerules.h"

#include "common/error.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vendara {

namespace {

bool isBlank(const QString &name)
{
    return trimBlanks(name).isEmpty();
}

// Rows are never fewer than one; a shortened list gets an empty row back.
void keepOneRow(QStringList &rows)
{
    if (rows.isEmpty())
        rows.append(QString());
}

} // namespace

QString CarMaster::deleteMakerQuestion(const QString &maker)
{
    return QStringLiteral("メーカー ") + maker + QStringLiteral(" を削除しますか?\r同時にこのメーカーの車名データも削除されます");
}

QString CarMaster::deleteSharedMakerQuestion(const QString &maker)
{
    return QStringLiteral("メーカー ") + maker
        + QStringLiteral(" の行を削除しますか?\r車名データは同じ名前の行が使っているので残ります");
}

const EntryNames &CarMaster::makerNames()
{
    static const EntryNames names(QStringLiteral("メーカー"), QString(), QString(), {kMakerListFile});
    return names;
}

CarMaster::CarMaster(const QString &folder) : m_folder(folder.endsWith(u'/') ? folder : folder + u'/')
{
    readMakerList();
    readCarList();
}

QStringList CarMaster::readRows(const QString &path, FileVersion &version)
{
    QStringList rows = masterfile::readLines(path, version);
    for (QString &row : rows)
        if (row.isEmpty())
            row = QStringLiteral(" ");
    keepOneRow(rows);
    return rows;
}

void CarMaster::readMakerList()
{
    m_makers = readRows(m_folder + kMakerListFile, m_makerListVersion);
    m_makerRow = 0;
}

void CarMaster::readCarList()
{
    m_cars = QStringList{QString()};
    m_carRow = 0;
    m_carsRead = false;
    m_carListPath.clear();
    const QString maker = currentMakerName();
    // A name that cannot be a file of this folder has no cars to read.
    if (!isBlank(maker) && makerNames().isStorable(maker)) {
        m_cars = readRows(carFilePath(maker), m_carListVersion);
        m_carListPath = carFilePath(maker);
    }
    m_carsRead = true;
}

QStringList CarMaster::makersBut(int row) const
{
    QStringList others = m_makers;
    others.removeAt(row);
    return others;
}

void CarMaster::setMakerText(int row, const QString &text)
{
    if (row < 0 || row >= m_makers.size() || text == m_makers[row])
        return;
    // A blank row is no maker and has no file; any other name must be a
    // file of its own, or the row's cars would be written over another
    // maker's.
    if (!isBlank(text))
        makerNames().requireNewName(text, makersBut(row));
    m_makers[row] = text;
}

void CarMaster::setCarText(int row, const QString &text)
{
    if (row >= 0 && row < m_cars.size())
        m_cars[row] = text;
}

void CarMaster::moveToMaker(int row)
{
    if (row < 0 || row >= m_makers.size() || row == m_makerRow)
        return;
    writeCarList();
    m_makerRow = row;
    readCarList();
}

void CarMaster::setCurrentCarRow(int row)
{
    if (row >= 0 && row < m_cars.size())
        m_carRow = row;
}

void CarMaster::addMaker()
{
    m_makers.append(QString());
    moveToMaker(int(m_makers.size()) - 1);
}

void CarMaster::addCar()
{
    m_cars.append(QString());
    m_carRow = int(m_cars.size()) - 1;
}

bool CarMaster::deleteCurrentMaker(Questions &questions)
{
    const QString maker = currentMakerName();
    // Only a name that is a file of this folder has a file to delete; a row
    // named "Maker.dat" or "../x" must not take another file with it, and a
    // row whose file another row also names (a list edited by hand) leaves
    // the file to that row.
    const bool shared = !isBlank(maker) && makerNames().entrySharingFile(maker, makersBut(m_makerRow));
    const bool ownsFile = !isBlank(maker) && makerNames().isStorable(maker) && !shared;
    if (!questions.confirm(shared ? deleteSharedMakerQuestion(maker) : deleteMakerQuestion(maker)))
        return false;
    if (ownsFile) {
        const QString path = carFilePath(maker);
        if (QFileInfo::exists(path) && !QFile::remove(path))
            throw Error(QStringLiteral("%1 を削除できません").arg(path));
    }
    m_makers.removeAt(m_makerRow);
    keepOneRow(m_makers);
    m_makerRow = std::min(m_makerRow, int(m_makers.size()) - 1);
    readCarList();
    return true;
}

void CarMaster::deleteCurrentCar()
{
    m_cars.removeAt(m_carRow);
    keepOneRow(m_cars);
    m_carRow = std::min(m_carRow, int(m_cars.size()) - 1);
}

void CarMaster::sortMakers()
{
    writeCarList();
    sortJapaneseIgnoringCase(m_makers);
    readCarList();
}

void CarMaster::sortCars()
{
    sortJapaneseIgnoringCase(m_cars);
}

void CarMaster::writeCarList(Overwrite overwrite)
{
    const QString maker = currentMakerName();
    if (isBlank(maker) || !m_carsRead)
        return;
    if (const QString problem = makerNames().storageProblem(maker); !problem.isEmpty())
        throw Error(problem);
    const QString path = carFilePath(maker);
    m_carListVersion = writeLinesIfUnchanged(path, m_cars, m_carListVersion,
                                             path == m_carListPath ? overwrite : Overwrite::Force);
    m_carListPath = path;
}

void CarMaster::writeMakerList(Overwrite overwrite)
{
    m_makerListVersion = writeLinesIfUnchanged(m_folder + kMakerListFile, m_makers, m_makerListVersion, overwrite);
}

void CarMaster::save(Overwrite overwrite)
{
    writeMakerList(overwrite);
    writeCarList(overwrite);
}

void CarMaster::load()
{
    const int row = m_makerRow;
    readMakerList();
    m_makerRow = std::clamp(row, 0, int(m_makers.size()) - 1);
    readCarList();
}

QString CarMaster::selectedName() const
{
    return trimBlanks(currentMakerName() + u' ' + currentCarName());
}

} // namespace vendara
