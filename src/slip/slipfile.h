#pragma once

#include "common/iniprofile.h"
#include "sliprecord.h"

#include <QDate>
#include <QString>

// Slip files (*.pvq): the INI form of a slip record, Shift-JIS with CR LF.
// The same writer produces saved slips and the temporary slip file that
// print-data generation reads.
namespace vendara {

class SlipDocument;

enum class SlipWrite {
    Save, // Save / Save As: clears the modified flag
    Copy, // the temporary slip file printing reads: the flag stays
};

// Brings the totals and the plan up to date, then writes every key into the
// file at path (created when missing; keys the writer does not own stay).
// The file is replaced atomically: on any failure it stays exactly as it
// was, the slip stays modified and vendara::Error is raised ("<path> に
// 書き込めません", or which amount does not fit 32 bits).
void writeSlip(SlipDocument &document, const QString &path, SlipWrite kind = SlipWrite::Save);
// The same, but the file at path is replaced by the file at basePath with
// the slip's keys written into it: a slip read from basePath and written
// elsewhere takes along the keys of its own file the writer does not own.
void writeSlipOver(SlipDocument &document, const QString &basePath, const QString &path,
                   SlipWrite kind = SlipWrite::Save);

enum class UnreadableSlip {
    UseDefaults, // the program's behaviour: every key takes its default
    Raise,       // vendara::Error naming the file (command line)
};

// Reads the file into the document with the defaults of every missing key;
// the document ends not modified. Change handling does not run.
void readSlip(SlipDocument &document, const QString &path, UnreadableSlip unreadable = UnreadableSlip::UseDefaults);
// The same from the bytes of a slip file read already.
void readSlipBytes(SlipDocument &document, const QByteArray &bytes);

// The two halves, without file or document: every key of the slip written
// into profile in writing order (throws on an amount outside 32 bits before
// touching profile), and the record a profile holds (today is the default
// issue date).
void writeSlipProfile(const SlipRecord &slip, IniProfile &profile);
SlipRecord readSlipProfile(const IniProfile &profile, const QDate &today);

} // namespace vendara
