#pragma once

#include <QLockFile>
#include <QString>

namespace ferwis {

// The single-instance rule: a lock file in the program directory. The lock of a
// program that ended without releasing it (a crash) names a process that no
// longer runs and is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& program_dir);

    // True when this is the only running instance (the lock is held from now on).
    // A directory where no lock can be written does not keep the program from
    // starting.
    bool acquire();
    void release() { lock_.unlock(); }

private:
    QLockFile lock_;
};

} // namespace ferwis
