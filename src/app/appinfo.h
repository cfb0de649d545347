#pragma once

#include <QString>

// What the program says about itself: its title, the window titles, the
// version window's texts and the product page. The version comes from the
// build (the CMake project version).
namespace vendara::appinfo {

inline const QString kApplicationTitle = QStringLiteral("Parvex 自動車販売");
inline const QString kNewSlipName = QStringLiteral("[新規]");
inline const QString kModifiedMark = QStringLiteral(" <更新>");
inline const QString kReadOnlyMark = QStringLiteral(" [読み取り専用]");

QString version();
QString description();
// The product information page opened by "最新情報(&H)".
QString productPageUrl();

// "[新規] - Parvex 自動車販売" for a slip never saved, else its path;
// " <更新>" is added while the slip is modified, " [読み取り専用]" after the
// path of a slip another desk holds.
QString windowTitle(const QString &slipPath, bool modified, bool readOnly = false);

// The installed folder share/<name> next to the executable's bin/ folder
// when it exists, so an installed tree works wherever it was put; otherwise
// builtIn (the folder of the install prefix the build was made for).
QString installedShareFolder(const QString &executableDir, const QString &name, const QString &builtIn);

} // namespace vendara::appinfo
