#pragma once

#include "printingservice.h"

namespace vendara {

// The printing service of CUPS, through libcups and the server that
// CUPS_SERVER names (the system's by default). Printers come from the
// server's destination list (instances of lpoptions are left out); what a
// driver offers from the queue's PPD where it has one (paper and source
// names, printable areas, resolutions, two-sided printing, colour model) and
// from the server's IPP attributes otherwise (media, media-source, sides,
// print-color-mode, printer-resolution). Jobs are sent as PDF, each chosen
// value as the option it was read from.
class CupsPrintingService final : public PrintingService
{
public:
    QList<PrinterInfo> printers() override;
    PrinterDriverInfo driverInfo(const QString &printer) override;
    int submitJob(const PrintJobRequest &job) override;
    void cancelJob(const QString &printer, int jobId) override;
};

} // namespace vendara
