#pragma once

#include "common/datafolder.h"

#include <QStringList>
#include <QTextStream>

#include <optional>
#include <vector>

namespace vendara::cli {

// What every subcommand is handed: the data root and UTF-8 standard output.
struct CliContext
{
    DataFolder data;
    QTextStream &out;
};

struct CliCommand
{
    const char *name;
    const char *usage;   // arguments after the name
    const char *summary; // one line for --help
    bool needsGui;       // needs a QGuiApplication (fonts, painting)
    int (*run)(CliContext &context, const QStringList &args);
};

// Every subcommand, in the order --help lists them.
const std::vector<CliCommand> &allCommands();

// The acquisition ratio a new slip starts with, from the settings as a window
// reads them.
int slipAcquisitionRatio(const DataFolder &data);

// Small argument reader shared by the subcommands: "--name value" options and
// positional arguments. Unknown options and missing values throw vendara::Error.
class ArgReader
{
public:
    ArgReader(const QStringList &args, const QStringList &valueOptions, const QStringList &flagOptions = {});

    bool has(const QString &option) const;
    std::optional<QString> value(const QString &option) const;
    const QStringList &positional() const { return m_positional; }
    // The positional argument at index, or a clear error naming what is missing.
    QString requirePositional(qsizetype index, const QString &what) const;
    // The positional argument at index naming a file that must exist.
    QString requireInputFile(qsizetype index, const QString &what) const;
    // The non-empty value of an option that names where the output goes.
    QString requireOutput(const QString &option) const;

private:
    QStringList m_flags;
    QList<QPair<QString, QString>> m_values;
    QStringList m_positional;
};

} // namespace vendara::cli
