#include "postalcodeline.h"

namespace vendara::postalcodeline {

namespace {

constexpr int kFieldsNeeded = 9;

inline bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// Which slot of the parser keeps an unquoted copy of field i, or -1.
int slotOf(int field)
{
    switch (field) {
    case 2: return 0;
    case 6: return 1;
    case 7: return 2;
    case 8: return 3;
    default: return -1;
    }
}

} // namespace

bool LineParser::parse(QByteArrayView line, Fields &fields)
{
    QByteArrayView f[kFieldsNeeded];
    int count = 0;
    const char *d = line.data();
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n && isBlank(d[i]))
        ++i;
    while (i < n && count < kFieldsNeeded) {
        if (d[i] == '"') {
            // A quoted string: doubled quotes stand for one, and the string
            // runs to the closing quote or the end of the line.
            const qsizetype start = i + 1;
            qsizetype j = start;
            bool doubled = false;
            while (j < n) {
                if (d[j] == '"') {
                    if (j + 1 < n && d[j + 1] == '"') {
                        doubled = true;
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            QByteArrayView text = line.sliced(start, j - start);
            const int slot = slotOf(count);
            if (doubled && slot >= 0) {
                QByteArray &copy = m_unquoted[size_t(slot)];
                copy = text.toByteArray();
                copy.replace("\"\"", "\"");
                text = copy;
            }
            f[count++] = text;
            i = j < n ? j + 1 : n;
        } else {
            const qsizetype start = i;
            while (i < n && !isBlank(d[i]) && d[i] != ',')
                ++i;
            f[count++] = line.sliced(start, i - start);
        }
        while (i < n && isBlank(d[i]))
            ++i;
        if (i < n && d[i] == ',') {
            if (i + 1 == n && count < kFieldsNeeded)
                f[count++] = QByteArrayView();
            ++i;
            while (i < n && isBlank(d[i]))
                ++i;
        }
    }
    if (count < kFieldsNeeded)
        return false;
    fields = {f[2], f[6], f[7], f[8]};
    return true;
}

} // namespace vendara::postalcodeline
