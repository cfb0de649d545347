#include "cupslibrary.h"

#include "common/error.h"

#include <QString>

#include <dlfcn.h>

#include <optional>

namespace vendara::cups {
namespace {

// The library or why it could not be had.
struct Loaded
{
    Library library;
    QString failure;
};

Loaded load()
{
    Loaded loaded;
    void *handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        loaded.failure = QString::fromLocal8Bit(dlerror());
        return loaded;
    }
    // Kept loaded for the life of the process, as a linked library would be.
#define VENDARA_CUPS_RESOLVE(name)                                                                                   \
    loaded.library.name = reinterpret_cast<decltype(loaded.library.name)>(dlsym(handle, #name));                     \
    if (!loaded.library.name && loaded.failure.isEmpty())                                                            \
        loaded.failure = QStringLiteral(#name);
    VENDARA_CUPS_FUNCTIONS(VENDARA_CUPS_RESOLVE)
#undef VENDARA_CUPS_RESOLVE
    return loaded;
}

} // namespace

const Library &library()
{
    static const Loaded loaded = load();
    if (!loaded.failure.isEmpty())
        throw Error(QStringLiteral("印刷システム (CUPS) を読み込めません: %1").arg(loaded.failure));
    return loaded.library;
}

} // namespace vendara::cups
