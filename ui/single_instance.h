#pragma once

#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

namespace ferwis {

// The single-instance rule: a lock file in the program directory. The lock of a
// program that ended without releasing it (a crash) names a process that no
// longer runs, or this very process given the dead one's number again, and is
// taken over. The running instance also listens for a second start, which asks
// it to come to the front and then ends.
class SingleInstance {
public:
    explicit SingleInstance(const QString& program_dir);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the only running instance (the lock is held from now on).
    // A directory where no lock can be written does not keep the program from
    // starting.
    bool acquire();
    void release();

    // The running instance: calls bring_to_front whenever a second start asks.
    void listen(std::function<void()> bring_to_front);
    // A second start: asks the running instance to come to the front. False when
    // it could not be reached.
    bool ask_running_to_front() const;

private:
    bool take_over_own_number();

    QLockFile lock_;
    QString server_name_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace ferwis
