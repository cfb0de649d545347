#pragma once

#include "app/platformservices.h"

#include <QObject>

class QLocalServer;

namespace vendara {

// One window per file through local sockets: the process that shows a file
// listens on a socket named after the file's canonical path, in the user's
// runtime folder. A socket left by a process that died is replaced.
class LocalInstanceRegistry : public QObject, public InstanceRegistry
{
    Q_OBJECT

public:
    // socketFolder: where the sockets live; empty for the user's runtime
    // folder ($XDG_RUNTIME_DIR).
    explicit LocalInstanceRegistry(const QString &socketFolder = {}, QObject *parent = nullptr);
    ~LocalInstanceRegistry() override;

    bool activate(const QString &canonicalPath) override;
    bool isShownElsewhere(const QString &canonicalPath) override;
    bool claim(const QString &canonicalPath) override;

    // The socket of a file.
    QString serverName(const QString &canonicalPath) const;

private:
    // Sends one request; true when a process answered it.
    static bool ask(const QString &name, const QByteArray &request);
    void answer();
    void release();

    QString m_folder;
    QLocalServer *m_server = nullptr;
};

} // namespace vendara
