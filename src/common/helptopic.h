#pragma once

namespace vendara::help {

// The help topics the windows open: each number is the help page
// topic<number>.html.
enum Topic : int {
    Options = 24,
    BasicSettings = 25,
    DefaultPrintSettings = 26,
    PostalCodes = 27,
    GuideLists = 28, // makers, car names and the other lists of the guide
    Print = 29,
    Tutorial = 33,
    Equipment = 36,
    TaxTables = 37,
    PrinterSetup = 39,
    MemoTemplates = 42,
    MainWindow = 999,
};

inline constexpr Topic kAllTopics[] = {Options,   BasicSettings, DefaultPrintSettings, PostalCodes,
                                       GuideLists, Print,        Tutorial,             Equipment,
                                       TaxTables,  PrinterSetup, MemoTemplates,        MainWindow};

} // namespace vendara::help
