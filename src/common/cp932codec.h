#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Shift-JIS as Windows writes it (code page 932), through glibc iconv.
namespace vendara::cp932 {

// Bytes that are not valid CP932 decode to U+FFFD; decoding never fails.
QString decode(QByteArrayView bytes);

// Throws vendara::Error naming the first character CP932 cannot hold.
QByteArray encode(QStringView text);

// The first character of text that CP932 cannot hold, or an empty string.
QString firstUnencodable(QStringView text);

} // namespace vendara::cp932
