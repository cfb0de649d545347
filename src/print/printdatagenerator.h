#pragma once

#include "formatfile.h"

#include "common/datafolder.h"
#include "common/iniprofile.h"
#include "printsettings/defaultprintsettings.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vendara {

// Temporary files of one run: Dat/Tmp/<run tag>PrTmpDat2 (the slip written
// for printing) and Dat/Tmp/<run tag>PrTmpDat (the print-data file).
QString temporarySlipPath(const DataFolder &data, const QString &runTag);
QString printDataPath(const DataFolder &data, const QString &runTag);

// What one generation prints: a slip file against a format file, one copy of
// the whole format per switched-on copy, each with its title.
struct PrintDataRequest
{
    QString slipPath;
    QString formatPath;
    QString setPath; // copied into the logo line as it is
    CopyTitles titles;
    CopySwitches copies{};
    // dateFormat of values that give none: kEraDatePattern or kWesternDatePattern.
    QString defaultDatePattern;
};

// One value to print, filled from a section's keys for one row and column.
struct WriteSetting
{
    QString type;
    QString fontName;
    QString text;
    QString dateFormat;
    QString digit;
    qint64 left = 0;
    qint64 top = 0;
    int fontStyle = -1;
    int fontSize = -1;
    int fontColor = -1;
    int align = 0;
    int zeroDisplay = 0;
};

// Print-data generation: turns a slip file and a format file into the lines
// of the print-data language.
class PrintDataGenerator
{
public:
    // Called with 0 first and then after each section of each copy; the
    // maximum is 4 x the number of format sections.
    using ProgressCallback = std::function<void(int value, int maximum)>;

    PrintDataGenerator() = default;
    void setProgressCallback(ProgressCallback callback) { m_progress = std::move(callback); }

    // Writes the print-data file to outputPath (Shift-JIS, CR LF, atomically)
    // and returns the path; returns an empty text when the slip file does
    // not exist. On a format error throws vendara::Error naming the format
    // section, and no print-data file is left at outputPath.
    QString generate(const PrintDataRequest &request, const QString &outputPath);

    // The lines themselves, from profiles already read.
    QStringList makeLines(const IniProfile &slip, const IniProfile &format, const PrintDataRequest &request);

private:
    struct SectionPlan
    {
        QStringList parts;
        int columnCount = 1;
        QString type;
        qint64 lineHeight = 0;
        FormatSectionKind kind = FormatSectionKind::None;
        std::vector<WriteSetting> columns; // Top without the row's offset, no Text
    };
    const SectionPlan &planOf(const QString &section);
    void processSection(const QString &section, int copy);
    QString singleValueText(const WriteSetting &w, const QString &slipSection, const QString &key) const;
    QString columnText(const WriteSetting &w, const QString &field, int column) const;
    // Runs a value conversion; its error stops the generation naming the
    // section (and the column of a multi-column item).
    QString converted(const std::function<QString()> &conversion, int column = 0) const;
    void writeValue(const WriteSetting &w);
    void writeLogoLine(const QString &section);
    void writeScriptLines(const QString &section);
    void report(int value, int maximum) const;
    [[noreturn]] void fail(const QString &detail) const;

    const IniProfile *m_slip = nullptr;
    const IniProfile *m_format = nullptr;
    const PrintDataRequest *m_request = nullptr;
    QString m_section; // the format section being processed, for messages
    QStringList m_lines;
    QHash<QString, SectionPlan> m_plans;         // of this generation
    QHash<QString, QStringList> m_scriptLines;   // of this generation

    FormatFont m_documentFont;
    FormatBrush m_documentBrush;
    FormatFont m_writtenFont;
    FormatBrush m_writtenBrush;
    ProgressCallback m_progress;
};

} // namespace vendara
