// Format files: read the layout, then generate the print data of a fixed
// slip for the copies the first byte switches on.
#include "fuzzsupport.h"

#include "common/error.h"
#include "controls/datepattern.h"
#include "print/formatfile.h"
#include "print/printdatagenerator.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

using namespace vendara;

namespace {

IniProfile fixedSlip()
{
    SlipDocument document;
    document.startNew({QStringLiteral("00000042"), 10, 1, 3.9}, QDate(2026, 12, 8));
    document.setText(SlipField::CustName, QStringLiteral("山田太郎"));
    document.setText(SlipField::CarName, QStringLiteral("プリウス"));
    document.setNumber(SlipField::CarPrice, 2500000);
    document.setCell(SlipDocument::InputTable::Accessories, 0, 0, QStringLiteral("ナビ"));
    document.setCell(SlipDocument::InputTable::Accessories, 0, 1, QStringLiteral("150000"));
    document.setCell(SlipDocument::InputTable::Accessories, 0, 2, QStringLiteral("1"));
    document.setMemo(SlipDocument::Memo::Note, {QStringLiteral("納車は来月"), QStringLiteral("下取りあり")});
    document.recalcTotals();
    IniProfile slip;
    writeSlipProfile(document.record(), slip);
    return slip;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const IniProfile slip = fixedSlip();
    if (size == 0)
        return 0;
    const IniProfile format = IniProfile::fromText(fuzz::textOf(data + 1, size - 1), IniProfile::Quotes::DoubleOrSingle);
    for (const QString &section : format.sectionNames())
        formatSectionKind(format, section);
    FormatGlobal::read(format);

    PrintDataRequest request;
    request.titles = {QStringLiteral("見積書"), QStringLiteral("見積書(控)"), QStringLiteral("見積書(写)"), QString()};
    for (int i = 0; i < 4; ++i)
        request.copies[size_t(i)] = data[0] & (1 << i);
    request.setPath = QStringLiteral("Dat/Etc/本社.Dat");
    request.defaultDatePattern = data[0] & 0x10 ? kEraDatePattern : kWesternDatePattern;
    try {
        PrintDataGenerator().makeLines(slip, format, request);
    } catch (const Error &) {
        // a format error names its section; that is the reader's answer
    }
    return 0;
}
