#include "japanesesort.h"

#include "common/blanks.h"
#include "celltext.h"

#include "common/error.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace vendara {

namespace {

// Tertiary strength keeps kana, width and accents apart; case is taken out
// by folding both sides first, so "bmw" and "BMW" compare equal.
std::unique_ptr<icu::Collator> japaneseCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getJapanese(), status));
    if (U_FAILURE(status) || !collator)
        throw Error(QStringLiteral("日本語の照合順序を用意できません (%1)").arg(QString::fromLatin1(u_errorName(status))));
    collator->setStrength(icu::Collator::TERTIARY);
    return collator;
}

struct SortEntry
{
    bool blank;
    std::string key; // ICU sort key of the case-folded name
    QString name;
};

} // namespace

void sortJapaneseIgnoringCase(QStringList &names)
{
    const std::unique_ptr<icu::Collator> collator = japaneseCollator();
    std::vector<SortEntry> entries;
    entries.reserve(size_t(names.size()));
    for (const QString &name : names) {
        const QString folded = name.toCaseFolded();
        const icu::UnicodeString text(reinterpret_cast<const UChar *>(folded.utf16()), int32_t(folded.size()));
        std::string key(size_t(collator->getSortKey(text, nullptr, 0)), '\0');
        collator->getSortKey(text, reinterpret_cast<uint8_t *>(key.data()), int32_t(key.size()));
        entries.push_back({trimBlanks(name).isEmpty(), std::move(key), name});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const SortEntry &a, const SortEntry &b) {
        if (a.blank != b.blank)
            return a.blank;
        return std::strcmp(a.key.c_str(), b.key.c_str()) < 0;
    });
    names.clear();
    for (SortEntry &e : entries)
        names.append(std::move(e.name));
}

} // namespace vendara
