// The CP932 codec. Decoding then encoding gives back the bytes of every valid
// input written in canonical codes. CP932 holds some characters twice (the
// NEC-selected IBM extensions in rows 0xED/0xEE, and a few NEC row 13 and IBM
// codes that repeat JIS symbols); those decode to the same character as the
// code Windows writes, so for them only the text has to survive the trip.
// The second half of the input, read as UTF-16, is encoded on its own.
#include "fuzzsupport.h"

#include "common/cp932codec.h"
#include "common/error.h"

#include <cstdlib>
#include <vector>

using namespace vendara;

namespace {

bool isLeadByte(uint8_t b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A double-byte code whose character encodes to another code.
bool isDuplicateCode(uint8_t lead, uint8_t trail)
{
    if (lead == 0xED || lead == 0xEE)
        return true;
    const int code = lead << 8 | trail;
    if (code >= 0xFA4A && code <= 0xFA54)
        return true; // Roman numerals and ¬ (also at 0x8754.. and 0x81CA)
    if (code >= 0xFA58 && code <= 0xFA5B)
        return true; // ㈱ № ℡ ∵
    switch (code) { // ≒ ≡ ∫ √ ⊥ ∠ ∵ ∩ ∪, also in row 2
    case 0x8790: case 0x8791: case 0x8792: case 0x8795: case 0x8796:
    case 0x8797: case 0x879A: case 0x879B: case 0x879C:
        return true;
    }
    return false;
}

bool isCanonical(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uint8_t(bytes[i]);
        if (!isLeadByte(b) || i + 1 == bytes.size())
            continue;
        if (isDuplicateCode(b, uint8_t(bytes[i + 1])))
            return false;
        ++i;
    }
    return true;
}

void checkUtf16(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2));
    const bool unencodable = !cp932::firstUnencodable(text).isEmpty();
    try {
        // Several characters share a code (U+00A5 and U+005C are both 0x5C,
        // U+301C and U+FF5E both 0x8160), so only the bytes are stable:
        // saving what was read writes the same bytes again.
        const QByteArray bytes = cp932::encode(text);
        if (unencodable || cp932::encode(cp932::decode(bytes)) != bytes)
            std::abort();
    } catch (const Error &) {
        if (!unencodable)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::bytesOf(data, size);
    const QString text = cp932::decode(input);
    if (!text.contains(QChar(0xFFFD))) {
        if (!cp932::firstUnencodable(text).isEmpty())
            std::abort();
        const QByteArray bytes = cp932::encode(text); // throws only for a bug
        if (cp932::decode(bytes) != text)
            std::abort();
        if (isCanonical(input) && bytes != input)
            std::abort();
    }
    std::vector<uint8_t> aligned(data + size / 2, data + size); // UTF-16 wants even addresses
    checkUtf16(aligned.data(), aligned.size());
    return 0;
}
