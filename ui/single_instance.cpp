#include "ui/single_instance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSet>
#include <QSysInfo>

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

// The lock files that instances in this process hold.
QSet<QString>& held_here() {
    static QSet<QString> paths;
    return paths;
}

} // namespace

SingleInstance::SingleInstance(const QString& program_dir)
    : lock_(QDir(program_dir).filePath(QStringLiteral("ferwis.lock"))),
      server_name_(server_name(program_dir)) {
    // A running instance may run for days: only a dead owner makes a lock stale.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (lock_.isLocked()) {
        held_here().remove(lock_.fileName());
    }
}

bool SingleInstance::acquire() {
    if (lock_.tryLock(0) || take_over_own_number()) {
        held_here().insert(lock_.fileName());
        return true;
    }
    return lock_.error() != QLockFile::LockFailedError;
}

// A lock naming this very process, when no instance here holds it, was left by
// an instance that ended without releasing it and whose process number this
// one was given again: wine gives the first program of a wine server the same number each
// time, and Windows reuses numbers too. Taken as running, it would keep every
// later start from opening a window.
bool SingleInstance::take_over_own_number() {
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock_.error() != QLockFile::LockFailedError || held_here().contains(lock_.fileName()) ||
        !lock_.getLockInfo(&pid, &host, &application) ||
        pid != QCoreApplication::applicationPid() ||
        // Windows writes the computer's name in capitals, as its network name.
        (!host.isEmpty() && host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0)) {
        return false;
    }
    return lock_.removeStaleLockFile() && lock_.tryLock(0);
}

void SingleInstance::release() {
    server_.reset();
    if (lock_.isLocked()) {
        held_here().remove(lock_.fileName());
    }
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
