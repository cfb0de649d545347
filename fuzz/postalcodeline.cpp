// Postal-code dictionary lines: the byte-level parser must give the fields
// that splitting the decoded line gives, and the index built from the lines
// is searched with a keyword taken from the input.
#include "fuzzsupport.h"

#include "common/commatext.h"
#include "common/cp932codec.h"
#include "masters/postalcodeindex.h"
#include "masters/postalcodeline.h"

#include <cstdlib>

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    postalcodeline::LineParser parser;
    postalcodeline::forEachLine(bytes, [&](QByteArrayView line) {
        postalcodeline::Fields fields;
        const bool usable = parser.parse(line, fields);
        const QString text = cp932::decode(line);
        if (text.contains(QChar(0xFFFD)))
            return; // the byte and text splits agree only on valid Shift-JIS
        const QStringList split = commatext::split(text);
        if (usable != (split.size() >= 9))
            std::abort();
        if (usable
            && (cp932::decode(fields.postalCode) != split[2] || cp932::decode(fields.prefecture) != split[6]
                || cp932::decode(fields.city) != split[7] || cp932::decode(fields.area) != split[8]))
            std::abort();
    });

    PostalCodeIndex index;
    const qsizetype half = bytes.lastIndexOf('\n', bytes.size() / 2) + 1;
    index.appendPiece(QByteArrayView(bytes).first(half));
    index.appendPiece(QByteArrayView(bytes).sliced(half));
    index.squeeze();
    const QString keyword = cp932::decode(QByteArrayView(bytes).first(qMin<qsizetype>(bytes.size(), 3)));
    QList<PostalCodeEntry> found;
    index.collectMatches(PostalCodeQuery(keyword), 0, index.entryCount(), found);
    for (qsizetype i = 0; i < index.entryCount(); ++i)
        index.entry(i);
    return 0;
}
