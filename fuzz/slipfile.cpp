// Slip files: read, recalculate, check every section, write into the same
// profile and read again; then write what was read and read a third time.
// The second read must equal the third: what a saved slip holds survives
// every later save. (The record in memory may differ from the second read
// where the file holds a normal form, e.g. the empty plan cells of a cash
// payment are written and read back as 0.)
#include "fuzzsupport.h"

#include "common/error.h"
#include "slip/sectioncheck.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

#include <cstdlib>

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QDate today(2026, 12, 8);
    IniProfile profile = IniProfile::fromText(fuzz::textOf(data, size));

    SlipDocument document;
    document.loadRecord(readSlipProfile(profile, today));
    try {
        // A total outside 32 bits stops the run with a range error, and the
        // writer refuses such an amount before anything is written.
        document.recalcTotals();
        document.recalcPlan();
        for (int n = 1; n <= 9; ++n)
            statusColour(sectionStatus(document.record(), n));
        writeSlipProfile(document.record(), profile);
    } catch (const Error &) {
        return 0;
    }
    const SlipRecord second = readSlipProfile(IniProfile::fromText(profile.toText()), today);
    writeSlipProfile(second, profile); // what was just read fits, or the read was wrong
    const SlipRecord third = readSlipProfile(IniProfile::fromText(profile.toText()), today);
    if (!(third == second))
        std::abort();
    return 0;
}
