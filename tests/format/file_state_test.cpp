#include "common/code_page.h"
#include "common/folder_handle.h"
#include "common/native_path.h"
#include "format/file_state.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace ferwis {
namespace {

// A stamp taken by path is compared with the one the analysis took of the
// handle it read the file through, so the two count alike. On POSIX they also
// count as std::filesystem does, as earlier versions of the program asked it;
// on Windows the system's own ticks, which tell changes within a second apart.
TEST(file_stamp, counts_alike_by_path_and_by_open_handle) {
    const test::TempTree tree;
    const std::string name = cp1250("ą.txt");
    tree.write(name, "four");
    const std::filesystem::path file = to_native(tree.path(name));
    const auto long_ago = std::chrono::floor<std::chrono::seconds>(
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 60));
    std::filesystem::last_write_time(file, long_ago);
    const auto stamp = file_stamp(tree.path(name));
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->size, 4u);
    const auto opened = OpenFile::open_for_reading(file, tree.path(name)).stamp_when_opened();
    EXPECT_EQ(stamp->size, opened.size);
    EXPECT_EQ(stamp->time, opened.modified);
#ifndef _WIN32
    EXPECT_EQ(stamp->time, std::filesystem::last_write_time(file).time_since_epoch().count());
#endif
    std::filesystem::last_write_time(file, long_ago + std::chrono::milliseconds(500));
    EXPECT_NE(file_stamp(tree.path(name)), stamp); // the same second, yet changed

    tree.mkdir("folder");
    EXPECT_FALSE(file_stamp(tree.path("folder")));
    EXPECT_FALSE(file_stamp(tree.path("missing.txt")));
}

} // namespace
} // namespace ferwis
