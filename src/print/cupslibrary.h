#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

namespace vendara::cups {

// The functions of libcups the printing service calls.
#define VENDARA_CUPS_FUNCTIONS(X)                                                                                    \
    X(cupsAddOption) X(cupsCancelDestJob) X(cupsCopyDestInfo) X(cupsCreateDestJob) X(cupsFindDestDefault)            \
    X(cupsFindDestSupported) X(cupsFinishDestDocument) X(cupsFreeDestInfo) X(cupsFreeDests) X(cupsFreeOptions)      \
    X(cupsGetDestMediaByIndex) X(cupsGetDestMediaCount) X(cupsGetDestMediaDefault) X(cupsGetDests2)                 \
    X(cupsGetNamedDest) X(cupsGetOption) X(cupsGetPPD2) X(cupsLastError) X(cupsLastErrorString)                     \
    X(cupsLocalizeDestMedia) X(cupsLocalizeDestValue) X(cupsServer) X(cupsStartDestDocument)                       \
    X(cupsWriteRequestData) X(ippGetCount) X(ippGetInteger) X(ippGetRange) X(ippGetResolution) X(ippGetString)     \
    X(ippGetValueTag) X(ppdClose) X(ppdFindAttr) X(ppdFindOption) X(ppdOpenFile) X(ppdPageSize) X(pwgMediaForPPD) \
    X(pwgMediaForSize)

// libcups, loaded when printing first needs it rather than linked: it brings
// two dozen libraries (TLS, Kerberos, DNS-SD) with it, and a third of the
// start of the program and of every vendara-cli run went to loading them,
// printing or not.
struct Library
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#define VENDARA_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    VENDARA_CUPS_FUNCTIONS(VENDARA_CUPS_POINTER)
#undef VENDARA_CUPS_POINTER
#pragma GCC diagnostic pop
};

// The library, loaded on the first call from any thread. Throws
// vendara::Error when libcups cannot be loaded or lacks a function.
const Library &library();

} // namespace vendara::cups
