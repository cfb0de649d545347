#pragma once

#include "common/datafolder.h"
#include "common/fileversion.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QPicture>
#include <QString>
#include <QStringList>

#include <optional>

namespace vendara {

// A company block (letterhead) set: 23 values, one per line of its set file
// Dat/Etc/<name>.Dat, designed in a space of 425 x 177 block units (pixels of
// a 96 dpi display).
namespace companyblock {

inline constexpr int kWidth = 425;
inline constexpr int kHeight = 177;
inline constexpr int kLineCount = 23;

// Indexes into the 23 values.
enum Line : int {
    NameFace = 0,
    NameStyle = 1,
    NameColor = 2,
    NameSize = 3,
    NameLine1 = 4,
    NameLine2 = 5,
    AddressFace = 6,
    AddressStyle = 7,
    AddressColor = 8,
    AddressSize = 9,
    AddressLine1 = 10, // address lines 1..8 are indexes 10..17
    AddressLineCount = 8,
    ImagePath = 18,
    ImageLeft = 19,
    ImageTop = 20,
    ImageWidth = 21,
    ImageHeight = 22,
};

// The font of the name lines or of the address lines.
struct BlockFont
{
    QString face;
    int style = 0;         // 1 bold, 2 italic, 3 bold italic, other values regular
    quint32 colorRef = 0;  // 0x00BBGGRR
    int height = 0;        // character height in block units
    bool bold() const { return style == 1 || style == 3; }
    bool italic() const { return style == 2 || style == 3; }
    // The Qt font asked for: pixel size = character height (at least 1). It is
    // drawn through textFaceFor(), which emboldens a bold face that has none.
    QFont toQFont() const;
    QColor color() const;
};

// One text of the block with the top left of its character cell.
struct TextPlacement
{
    QString text;
    BlockFont font;
    QPoint topLeft;
};

// The set written when a set file must be created.
QStringList newSetValues();

// The 23 lines of a set file, or nothing when the file is missing, unreadable
// or shorter than 23 lines. Lines past the 23rd are ignored. The values are
// returned as they stand; numeric lines are interpreted by intValue().
// version receives what the file held, for a later saveSetAs().
std::optional<QStringList> readSet(const QString &path, FileVersion *version = nullptr);
// Writes exactly 23 lines (missing values empty, extra ones dropped),
// Shift-JIS with CR LF, atomically. Throws vendara::Error.
void writeSet(const QString &path, const QStringList &values);

// A numeric line read with the default of its line when it is not a whole
// number (style 0, colour 0, sizes 10, image left/top 0, width/height 100).
int intValue(const QStringList &values, int line);

// Character height in block units of a point size: point x 96 / 72, rounded.
int characterHeight(int pointSize);

// The font of the name lines (faceLine NameFace) or of the address lines
// (AddressFace), as the block draws and prints it.
BlockFont fontAt(const QStringList &values, int faceLine);
// The style code of a font with these switches: 1 x bold + 2 x italic.
int styleCode(bool bold, bool italic);

// The values the editor's slider and number box allow for one of the image
// lines: left 0..425, top 0..177, width 1..425, height 1..177 (any other
// line is refused with vendara::Error).
struct ValueRange
{
    int minimum = 0;
    int maximum = 0;
};
ValueRange editorRange(int imageLine);
// An image line as the editor's slider shows it: the value the block is
// drawn with (a non-number is the line's default), held to editorRange().
int editorValue(const QStringList &values, int imageLine);
// A number typed into an image line's box, rounded to a whole number (and
// kept within +-1e9); nothing while the text is no finite number.
std::optional<int> typedEditorValue(const QString &text);

// The texts of the block in drawing order: the two name lines (each followed
// by five blanks) at y = 0 and h, the eight address lines at x = 10,
// y = 55 + k * h. Empty address lines are left out; the others keep their slot.
QList<TextPlacement> textLayout(const QStringList &values);

// The image rectangle of lines 19 to 22 (left, top, width, height).
QRect imageRect(const QStringList &values);
// True when the path names an existing file ending in .jpg, .jpeg or .bmp
// (any case): the images a block can carry.
bool isBlockImageFile(const QString &path);
// The block image decoded as a 24-bit image; nothing when it can't be read.
std::optional<QImage> decodeBlockImage(const QString &path);

// Dat/Etc/<name>.Dat and Dat/Etc/<name>.emf. The paths are built even for an
// empty name (then they name no set); a name holding "/" or NUL is refused
// with vendara::Error.
QString setFilePath(const DataFolder &data, const QString &name);
QString setPictureFilePath(const DataFolder &data, const QString &name);

// Dat/Mst/LogoList: set names in the order shown, blank lines dropped.
// A missing list reads as empty.
QStringList readSetList(const DataFolder &data);
void writeSetList(const DataFolder &data, const QStringList &names);

// True when Dat/Mst/LogoList exists (it may still list nothing).
bool hasSetList(const DataFolder &data);
// "デフォルト": the first set of a new list.
QString defaultSetName();
// Appends the name to the list unless a line already equals it exactly,
// and writes the list back (blank lines dropped). A missing list is made.
// The list is read and written under the folder's lock, so that names other
// desks added or removed meanwhile stay as they left them.
void addToSetList(const DataFolder &data, const QString &name);
// Deletes a set: its set file, its picture and its line of the list (read
// and written as addToSetList does). A name that makes no file name inside
// Dat/Etc only leaves the list.
void deleteSet(const DataFolder &data, const QString &name);
// The listed sets other than `name`: the names a new set called `name`
// must not share a file with.
QStringList otherSetNames(const DataFolder &data, const QString &name);

// Creates the list with the one set "デフォルト" when it is missing, and the
// first listed set's file with the new-set values when that is missing.
void ensureSetList(const DataFolder &data);

// The block as an enhanced metafile (image included), 425 x 177 units.
QByteArray enhancedMetafile(const QStringList &values);
// Saves a set under a name typed by the user: its set file and beside it its
// .emf picture. The name must be a safe file name (vendara::Error otherwise).
// A set file that no longer holds what `read` describes (another desk saved
// the set meanwhile) is not replaced unless overwrite is Force:
// FileChangedError, and nothing is written.
void saveSetAs(const DataFolder &data, const QString &name, const QStringList &values, const FileVersion &read,
               Overwrite overwrite = Overwrite::IfUnchanged);

} // namespace companyblock

// Draws a company block set into a picture in block units (425 x 177).
// The bounding rect of the picture is always QRect(0, 0, 425, 177), so a
// player can stretch it over any rectangle.
class CompanyBlockPainter
{
public:
    CompanyBlockPainter();

    // On when created; off leaves the image out (the printer draws it itself).
    void setImageEnabled(bool on) { m_imageEnabled = on; }
    bool imageEnabled() const { return m_imageEnabled; }

    // Redraws the picture from the 23 values (fewer are read as empty). The
    // image is decoded only when its path differs from the last one loaded.
    const QPicture &draw(const QStringList &values);
    const QPicture &picture() const { return m_picture; }

private:
    const QImage *imageFor(const QString &path);

    bool m_imageEnabled = true;
    QPicture m_picture;
    QString m_imagePath;
    QImage m_image; // null when the last loaded file could not be decoded
};

} // namespace vendara
