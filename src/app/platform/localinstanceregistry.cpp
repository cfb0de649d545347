#include "localinstanceregistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <unistd.h>

namespace vendara {

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");
const QByteArray kPing = QByteArrayLiteral("ping\n");
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

// A live process answers at once; these only bound a hung one.
constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 3000;

} // namespace

LocalInstanceRegistry::LocalInstanceRegistry(const QString &socketFolder, QObject *parent)
    : QObject(parent), m_folder(socketFolder)
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (m_folder.isEmpty())
        m_folder = QDir::tempPath();
}

LocalInstanceRegistry::~LocalInstanceRegistry()
{
    release();
}

QString LocalInstanceRegistry::serverName(const QString &canonicalPath) const
{
    // The user id keeps users apart even in a shared temporary folder.
    const QByteArray hash = QCryptographicHash::hash(canonicalPath.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir(m_folder).filePath(QStringLiteral("vendara-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.left(32))));
}

bool LocalInstanceRegistry::ask(const QString &name, const QByteArray &request)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(request);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kAnswerTimeoutMs))
            return false;
    }
    return socket.readLine() == kAnswer;
}

bool LocalInstanceRegistry::activate(const QString &canonicalPath)
{
    if (canonicalPath.isEmpty())
        return false;
    return ask(serverName(canonicalPath), kActivate);
}

bool LocalInstanceRegistry::isShownElsewhere(const QString &canonicalPath)
{
    if (canonicalPath.isEmpty())
        return false;
    const QString name = serverName(canonicalPath);
    if (m_server && m_server->fullServerName() == name)
        return false;
    return ask(name, kPing);
}

bool LocalInstanceRegistry::claim(const QString &canonicalPath)
{
    if (canonicalPath.isEmpty()) {
        release();
        return true;
    }
    const QString name = serverName(canonicalPath);
    if (m_server && m_server->fullServerName() == name)
        return true;
    release();

    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    bool listening = server->listen(name);
    if (!listening && server->serverError() == QAbstractSocket::AddressInUseError) {
        if (ask(name, kPing)) {
            delete server;
            return false;
        }
        // Nobody answers: the socket of a process that died.
        QLocalServer::removeServer(name);
        listening = server->listen(name);
    }
    if (!listening) {
        // Without a socket this window is merely not found by others.
        delete server;
        return true;
    }
    connect(server, &QLocalServer::newConnection, this, &LocalInstanceRegistry::answer);
    m_server = server;
    return true;
}

void LocalInstanceRegistry::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QPointer<QLocalSocket> guard(socket);
        auto handle = [this, guard] {
            if (!guard || !guard->canReadLine())
                return;
            const QByteArray request = guard->readLine();
            guard->write(kAnswer);
            guard->flush();
            guard->disconnectFromServer();
            if (request == kActivate && onActivate)
                QTimer::singleShot(0, this, [this] {
                    if (onActivate)
                        onActivate();
                });
        };
        connect(socket, &QLocalSocket::readyRead, this, handle);
        handle();
    }
}

void LocalInstanceRegistry::release()
{
    if (!m_server)
        return;
    m_server->close();
    delete m_server;
    m_server = nullptr;
}

} // namespace vendara
