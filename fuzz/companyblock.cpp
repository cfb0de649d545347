// Company block set files: read the 23 lines, lay them out, draw the block
// and write it as an enhanced metafile.
#include "fuzzsupport.h"

#include "printsettings/companyblock.h"

#include <cstdlib>

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureGuiApplication();
    const QString path = fuzz::scratchDir() + QStringLiteral("set.Dat");
    if (!fuzz::writeFile(path, fuzz::bytesOf(data, size)))
        std::abort();
    const std::optional<QStringList> values = companyblock::readSet(path);
    if (!values)
        return 0;
    if (values->size() != companyblock::kLineCount)
        std::abort();
    companyblock::textLayout(*values);
    companyblock::imageRect(*values);
    for (int line = 0; line < companyblock::kLineCount; ++line)
        companyblock::intValue(*values, line);
    CompanyBlockPainter logo;
    if (logo.draw(*values).boundingRect() != QRect(0, 0, companyblock::kWidth, companyblock::kHeight))
        std::abort();
    companyblock::enhancedMetafile(*values);
    return 0;
}
