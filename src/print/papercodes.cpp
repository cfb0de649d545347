#include "papercodes.h"

#include <QHash>
#include <QMutex>

#include <utility>

namespace vendara {
namespace {

constexpr int kFirstFreeCode = 256;

struct CodeTable
{
    explicit CodeTable(QHash<QString, int> known) : codes(std::move(known)) {}

    QHash<QString, int> codes;
    int next = kFirstFreeCode;
    QMutex mutex;

    int codeOf(const QString &key)
    {
        const QMutexLocker lock(&mutex);
        const auto it = codes.constFind(key);
        if (it != codes.constEnd())
            return *it;
        const int code = next++;
        codes.insert(key, code);
        return code;
    }
};

CodeTable &paperTable()
{
    static CodeTable table{QHash<QString, int>{
            {QStringLiteral("na_letter_8.5x11in"), 1},
            {QStringLiteral("na_ledger_11x17in"), 3},
            {QStringLiteral("na_legal_8.5x14in"), 5},
            {QStringLiteral("na_invoice_5.5x8.5in"), 6},
            {QStringLiteral("na_executive_7.25x10.5in"), 7},
            {QStringLiteral("iso_a3_297x420mm"), 8},
            {QStringLiteral("iso_a4_210x297mm"), 9},
            {QStringLiteral("iso_a5_148x210mm"), 11},
            {QStringLiteral("jis_b4_257x364mm"), 12},
            {QStringLiteral("jis_b5_182x257mm"), 13},
            {QStringLiteral("na_number-10_4.125x9.5in"), 20},
            {QStringLiteral("iso_dl_110x220mm"), 27},
            {QStringLiteral("iso_c5_162x229mm"), 28},
            {QStringLiteral("iso_c4_229x324mm"), 30},
            {QStringLiteral("iso_c6_114x162mm"), 31},
            {QStringLiteral("jpn_hagaki_100x148mm"), 43},
            {QStringLiteral("jpn_oufuku_148x200mm"), 69},
            {QStringLiteral("iso_a6_105x148mm"), 70},
            {QStringLiteral("jis_b6_128x182mm"), 88},
        }};
    return table;
}

CodeTable &sourceTable()
{
    // Keys are lower case: PPDs write Upper, IPP writes top.
    static CodeTable table{QHash<QString, int>{
            {QStringLiteral("upper"), 1},
            {QStringLiteral("top"), 1},
            {QStringLiteral("onlyone"), 1},
            {QStringLiteral("lower"), 2},
            {QStringLiteral("bottom"), 2},
            {QStringLiteral("middle"), 3},
            {QStringLiteral("manual"), 4},
            {QStringLiteral("manualfeed"), 4},
            {QStringLiteral("envelope"), 5},
            {QStringLiteral("auto"), 7},
            {QStringLiteral("autoselect"), 7},
            {QStringLiteral("tractor"), 8},
            {QStringLiteral("largecapacity"), 11},
            {QStringLiteral("large-capacity"), 11},
            {QStringLiteral("cassette"), 14},
        }};
    return table;
}

} // namespace

int paperCodeOf(const QString &mediaName)
{
    return paperTable().codeOf(mediaName);
}

int sourceCodeOf(const QString &keyword)
{
    return sourceTable().codeOf(keyword.toLower());
}

} // namespace vendara
