#pragma once

// The print job the rendering benchmarks share: four copies of the shipped
// estimate layout with the shipped company block, on A4.

#include "print/printroad.h"

#include <QPageSize>

namespace vendara::bench {

inline PrintJob shippedEstimateJob()
{
    const QString shipped = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/");
    PrintJob job;
    job.generation.formatPath = shipped + QStringLiteral("Fmt/見積書_A4.fmt");
    job.generation.setPath = shipped + QStringLiteral("Etc/デフォルト.Dat");
    job.generation.titles = {QStringLiteral("見積書"), QStringLiteral("見積書(控)"), QStringLiteral("見積書(社内)"),
                             QStringLiteral("見積書(予備)")};
    job.generation.copies = {true, true, true, true};
    job.generation.defaultDatePattern = QStringLiteral("GGEE/MM/DD");
    job.geometry = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    return job;
}

} // namespace vendara::bench
