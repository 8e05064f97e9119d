#include "ui/single_instance.h"

#include "support/temp_tree.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QString>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace ferwis {
namespace {

QString folder(const test::TempTree& tree) {
    return QString::fromStdString(cp1250_to_utf8(tree.root()));
}

TEST(single_instance, the_lock_of_a_crashed_instance_does_not_block) {
#ifdef _WIN32
    GTEST_SKIP() << "the crashed instance is a forked process, which Windows does not make";
#else
    test::TempTree tree;
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // The "crashed" instance: takes the lock and ends without releasing it.
        SingleInstance crashed(folder(tree));
        _exit(crashed.acquire() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(tree.exists("ferwis.lock"));

    SingleInstance next(folder(tree));
    EXPECT_TRUE(next.acquire());
    SingleInstance second(folder(tree)); // while the next one runs, a second start ends
    EXPECT_FALSE(second.acquire());
#endif
}

// The crashed instance's process number given to this process: its lock names
// this very process (wine gives the first program of a wine server the same number each
// time). The bytes are those of a lock this process took and gave up.
TEST(single_instance, a_lock_naming_this_process_but_held_by_no_instance_does_not_block) {
    test::TempTree tree;
    const QDir dir(folder(tree));
    {
        QLockFile left(dir.filePath(QStringLiteral("left.lock")));
        ASSERT_TRUE(left.tryLock(0));
        ASSERT_TRUE(QFile::copy(left.fileName(), dir.filePath(QStringLiteral("ferwis.lock"))));
    }
    SingleInstance next(folder(tree));
    EXPECT_TRUE(next.acquire());
    SingleInstance second(folder(tree));
    EXPECT_FALSE(second.acquire());
    next.release();
    SingleInstance after(folder(tree)); // released: the next start runs
    EXPECT_TRUE(after.acquire());
}

} // namespace
} // namespace ferwis
