#include "mainwindow.h"

namespace vendara {

MainWindow::MainWindow(const DataFolder &data, const QString &slipPath, QWidget *parent)
    : QMainWindow(parent), m_data(data), m_slipPath(slipPath)
{
    setWindowTitle(windowTitleFor(m_slipPath, false));
    resize(1024, 720);
}

QString MainWindow::windowTitleFor(const QString &slipPath, bool modified)
{
    QString title = (slipPath.isEmpty() ? QStringLiteral("[新規]") : slipPath)
        + QStringLiteral(" - Parvex 自動車販売");
    if (modified)
        title += QStringLiteral(" <更新>");
    return title;
}

} // namespace vendara
