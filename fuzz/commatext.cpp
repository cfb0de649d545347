// Comma text: the three split forms, and join giving back what split read.
#include "fuzzsupport.h"

#include "common/commatext.h"

#include <cstdlib>

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int cellCount = data[0] % 12;
    const QString line = fuzz::textOf(data + 1, size - 1);

    const QStringList fields = commatext::split(line);
    // One empty field is written as nothing, which reads as no field at all.
    if (fields != QStringList{QString()} && commatext::split(commatext::join(fields)) != fields)
        std::abort();

    for (const QString &cell : commatext::splitToGridCells(line))
        if (cell.isEmpty())
            std::abort();
    if (commatext::splitRowLine(line, cellCount).size() != cellCount)
        std::abort();
    commatext::splitScriptFields(line);
    return 0;
}
