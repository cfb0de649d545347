#include "support/fakeprintingservice.h"

#include "common/error.h"

#include <algorithm>

namespace vendara {

void FakePrintingService::addPrinter(const PrinterInfo &info, const PrinterDriverInfo &driver)
{
    m_printers.append(Printer{info, driver});
}

void FakePrintingService::removePrinter(const QString &name)
{
    m_printers.removeIf([&](const Printer &p) { return p.info.name == name; });
}

FakePrintingService::Printer &FakePrintingService::printer(const QString &name)
{
    const auto it = std::find_if(m_printers.begin(), m_printers.end(), [&](const Printer &p) { return p.info.name == name; });
    if (it == m_printers.end())
        throw Error(QStringLiteral("プリンタ %1 が見つかりません").arg(name));
    return *it;
}

QList<PrinterInfo> FakePrintingService::printers()
{
    ++m_enumerations;
    QList<PrinterInfo> list;
    for (const Printer &p : std::as_const(m_printers))
        list.append(p.info);
    return list;
}

PrinterDriverInfo FakePrintingService::driverInfo(const QString &name)
{
    ++m_driverQueries;
    return printer(name).driver;
}

int FakePrintingService::submitJob(const PrintJobRequest &job)
{
    const Printer &target = printer(job.printer);
    if (!m_submitFailure.isEmpty())
        throw Error(m_submitFailure);
    if (!target.info.acceptingJobs)
        throw Error(QStringLiteral("%1: ジョブを受け付けていません").arg(job.printer));
    m_jobs.append(Job{m_nextJob, job, false});
    return m_nextJob++;
}

void FakePrintingService::cancelJob(const QString &printer, int jobId)
{
    for (Job &job : m_jobs) {
        if (job.id == jobId && job.request.printer == printer) {
            job.cancelled = true;
            return;
        }
    }
    throw Error(QStringLiteral("ジョブ %1 がありません").arg(jobId));
}

} // namespace vendara
