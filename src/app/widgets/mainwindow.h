#pragma once

#include "common/datafolder.h"

#include <QMainWindow>

namespace vendara {

// The one window of a process, holding one slip.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const DataFolder &data, const QString &slipPath = {}, QWidget *parent = nullptr);

    // "[新規] - Parvex 自動車販売" for a slip never saved, else its path;
    // " <更新>" is added while the slip is modified.
    static QString windowTitleFor(const QString &slipPath, bool modified);

private:
    DataFolder m_data;
    QString m_slipPath;
};

} // namespace vendara
