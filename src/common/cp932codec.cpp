#include "cp932codec.h"

#include "error.h"

#include <QList>
#include <QtEndian>

#include <cerrno>
#include <iconv.h>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the codec converts through UTF-16LE");

namespace vendara::cp932 {
namespace {

// One conversion descriptor per direction and thread, opened on first use.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw Error(QStringLiteral("文字コード変換 %1 → %2 を開けません").arg(QLatin1String(from), QLatin1String(to)));
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    iconv_t handle()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // reset shift state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

iconv_t decoder()
{
    thread_local Converter c("UTF-16LE", "CP932");
    return c.handle();
}

iconv_t encoder()
{
    thread_local Converter c("CP932", "UTF-16LE");
    return c.handle();
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Converts text; on failure returns the UTF-16 index of the character that
// could not be encoded, else -1.
qsizetype encodeInto(QStringView text, QByteArray &out)
{
    iconv_t cd = encoder();
    char *in = const_cast<char *>(reinterpret_cast<const char *>(text.utf16()));
    size_t inLeft = size_t(text.size()) * 2;
    out.resize(text.size() * 2);
    char *dst = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) == size_t(-1)) {
            if (errno == E2BIG) { // cannot happen: two bytes per unit is enough
                break;
            }
            const qsizetype consumed = text.size() - qsizetype(inLeft / 2);
            out.clear();
            return consumed;
        }
    }
    out.resize(dst - out.data());
    return -1;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);

    // Every CP932 byte or byte pair gives exactly one UTF-16 unit.
    QString result(bytes.size(), Qt::Uninitialized);
    iconv_t cd = decoder();
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *out = reinterpret_cast<char *>(result.data());
    size_t outLeft = size_t(result.size()) * 2;
    auto putReplacement = [&] {
        const char16_t rc = 0xFFFD;
        memcpy(out, &rc, 2);
        out += 2;
        outLeft -= 2;
    };
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        if (errno == EILSEQ) {
            putReplacement();
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else if (errno == EINVAL) { // a lead byte at the very end
            putReplacement();
            break;
        } else {
            break;
        }
    }
    result.truncate((out - reinterpret_cast<char *>(result.data())) / 2);
    return result;
}

QByteArray encode(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray out;
    const qsizetype bad = encodeInto(text, out);
    if (bad >= 0) {
        const QString ch = text.mid(bad, text[bad].isHighSurrogate() ? 2 : 1).toString();
        throw Error(QStringLiteral("文字「%1」(U+%2) は Shift-JIS で保存できません")
                        .arg(ch)
                        .arg(QString::number(ch.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0')));
    }
    return out;
}

QString firstUnencodable(QStringView text)
{
    if (isAscii(text))
        return {};
    QByteArray out;
    const qsizetype bad = encodeInto(text, out);
    if (bad < 0)
        return {};
    return text.mid(bad, text[bad].isHighSurrogate() ? 2 : 1).toString();
}

} // namespace vendara::cp932
