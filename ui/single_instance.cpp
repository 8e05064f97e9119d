#include "ui/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace ferwis {
namespace {

// One name per program directory: copies of the program in two folders are two
// programs, as the lock file says.
QString server_name(const QString& program_dir) {
    const QByteArray path = QDir(program_dir).absolutePath().toUtf8();
    return QStringLiteral("ferwis-") +
           QString::fromLatin1(
               QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16));
}

} // namespace

SingleInstance::SingleInstance(const QString& program_dir)
    : lock_(QDir(program_dir).filePath(QStringLiteral("ferwis.lock"))),
      server_name_(server_name(program_dir)) {
    // A running instance may run for days: only a dead owner makes a lock stale.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (lock_.tryLock(0)) {
        return true;
    }
    return lock_.error() != QLockFile::LockFailedError;
}

void SingleInstance::release() {
    server_.reset();
    lock_.unlock();
}

void SingleInstance::listen(std::function<void()> bring_to_front) {
    server_ = std::make_unique<QLocalServer>();
    // Holding the lock, this is the only instance: a socket left by a crashed
    // one is stale.
    QLocalServer::removeServer(server_name_);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(server_name_)) {
        return; // a second start then ends without a word, as before
    }
    QLocalServer* server = server_.get();
    QObject::connect(server, &QLocalServer::newConnection, server,
                     [server, bring_to_front = std::move(bring_to_front)] {
                         while (QLocalSocket* socket = server->nextPendingConnection()) {
                             socket->disconnectFromServer();
                             socket->deleteLater();
                             bring_to_front();
                         }
                     });
}

bool SingleInstance::ask_running_to_front() const {
    QLocalSocket socket;
    socket.connectToServer(server_name_);
    const bool reached = socket.waitForConnected(2000);
    socket.disconnectFromServer();
    return reached;
}

} // namespace ferwis
