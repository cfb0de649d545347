// INI profiles: read every key in every form, write each value back over
// itself and check that the text written reads back to the same values.
#include "fuzzsupport.h"

#include "common/iniprofile.h"

#include <cstdlib>

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto quotes = data[0] & 1 ? IniProfile::Quotes::DoubleOrSingle : IniProfile::Quotes::Double;
    IniProfile profile = IniProfile::fromText(fuzz::textOf(data + 1, size - 1), quotes);

    QList<QPair<QString, QString>> keys; // section, key
    for (const QString &section : profile.sectionNames()) {
        for (const auto &entry : profile.sectionEntries(section)) {
            keys.append({section, entry.first});
            profile.readInt(section, entry.first, 0);
            profile.readFloat(section, entry.first, 0);
            profile.readBool(section, entry.first, false);
            profile.readDate(section, entry.first, kZeroDate);
            if (const auto n = profile.readInt64(section, entry.first))
                profile.writeInt(QStringLiteral("Fuzz"), QStringLiteral("Int"), *n);
        }
    }
    QStringList values;
    for (const auto &[section, key] : keys)
        values.append(profile.readString(section, key));
    for (qsizetype i = 0; i < keys.size(); ++i)
        profile.writeString(keys[i].first, keys[i].second, values[i]);

    const IniProfile again = IniProfile::fromText(profile.toText(), quotes);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (again.readString(keys[i].first, keys[i].second) != values[i])
            std::abort();
    }
    return 0;
}
