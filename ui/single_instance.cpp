#include "ui/single_instance.h"

#include <QDir>

namespace ferwis {

SingleInstance::SingleInstance(const QString& program_dir)
    : lock_(QDir(program_dir).filePath(QStringLiteral("ferwis.lock"))) {
    // A running instance may run for days: only a dead owner makes a lock stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    if (lock_.tryLock(0)) {
        return true;
    }
    return lock_.error() != QLockFile::LockFailedError;
}

} // namespace ferwis
