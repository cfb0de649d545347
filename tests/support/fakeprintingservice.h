#pragma once

#include "print/printingservice.h"

#include <QList>

namespace vendara {

// An in-memory printing service: printers and drivers as the test sets them
// up, jobs kept with their PDF instead of printed.
class FakePrintingService final : public PrintingService
{
public:
    struct Printer
    {
        PrinterInfo info;
        PrinterDriverInfo driver;
    };
    struct Job
    {
        int id = 0;
        PrintJobRequest request;
        bool cancelled = false;
    };

    void addPrinter(const PrinterInfo &info, const PrinterDriverInfo &driver);
    void removePrinter(const QString &name);
    // The printer as stored, to change its attributes or driver.
    Printer &printer(const QString &name);

    // While set, submissions fail with this message (as a queue that rejects
    // jobs); an empty message lets them through again.
    void setSubmitFailure(const QString &message) { m_submitFailure = message; }

    const QList<Job> &jobs() const { return m_jobs; }
    int enumerations() const { return m_enumerations; }
    int driverQueries() const { return m_driverQueries; }

    QList<PrinterInfo> printers() override;
    PrinterDriverInfo driverInfo(const QString &printer) override;
    int submitJob(const PrintJobRequest &job) override;
    void cancelJob(const QString &printer, int jobId) override;

private:
    QList<Printer> m_printers;
    QList<Job> m_jobs;
    QString m_submitFailure;
    int m_nextJob = 1;
    int m_enumerations = 0;
    int m_driverQueries = 0;
};

} // namespace vendara
