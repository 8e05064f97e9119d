#include "common/errors.h"
#include "common/native_path.h"
#include "format/result_file.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <iterator>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace ferwis {
namespace {

constexpr const char* kPrevious = "\"previous\",\"U\"\r\n";

// A run that fails while wynik.txt is being written leaves the previous
// wynik.txt whole, whether the failure comes before the last record or while
// the bytes go to disk.
TEST(ResultFileWriter, a_failure_while_writing_leaves_the_previous_result_whole) {
    const struct {
        const char* name;
        std::function<void(ResultFileWriter&, const test::TempTree&)> fail;
    } cases[] = {
        {"records of a file never made",
         [](ResultFileWriter& writer, const test::TempTree& tree) {
             writer.add("a", "U");
             writer.add_records_of(WavDynamicFile(tree.path("missing.txt")));
         }},
#ifndef _WIN32
        {"no room for the bytes",
         [](ResultFileWriter& writer, const test::TempTree&) {
             // Every write beyond 1 KiB fails, as on a full disk; the records
             // are many times that, so some reach the disk before it fails.
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit old{};
             ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
             rlimit tight = old;
             tight.rlim_cur = 1024;
             ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
             try {
                 for (int i = 0; i < 20000; ++i) {
                     writer.add("textures/" + std::to_string(i) + ".dds", "N");
                 }
                 writer.commit();
             } catch (...) {
                 setrlimit(RLIMIT_FSIZE, &old);
                 throw;
             }
             setrlimit(RLIMIT_FSIZE, &old);
         }},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempTree tree;
        tree.write("wynik.txt", kPrevious);
        EXPECT_THROW(
            {
                ResultFileWriter writer(tree.path("wynik.txt"));
                c.fail(writer, tree);
            },
            FileError);
        EXPECT_EQ(tree.read("wynik.txt"), kPrevious);
        // Nothing is left behind beside it.
        const std::filesystem::directory_iterator folder(to_native(tree.root()));
        EXPECT_EQ(std::distance(begin(folder), end(folder)), 1);
    }
}

} // namespace
} // namespace ferwis
