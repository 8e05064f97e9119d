#include "common/code_page.h"
#include "common/native_path.h"
#include "format/file_state.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace ferwis {
namespace {

// A stamp is compared with one written by an earlier version of the program,
// which asked std::filesystem: it must count the same ticks.
TEST(file_stamp, counts_as_the_standard_library_does) {
    const test::TempTree tree;
    const std::string name = cp1250("ą.txt");
    tree.write(name, "four");
    const std::filesystem::path file = to_native(tree.path(name));
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::hours(24 * 365 * 60));
    const auto stamp = file_stamp(tree.path(name));
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->size, 4u);
    EXPECT_EQ(stamp->time, std::filesystem::last_write_time(file).time_since_epoch().count());
    tree.mkdir("folder");
    EXPECT_FALSE(file_stamp(tree.path("folder")));
    EXPECT_FALSE(file_stamp(tree.path("missing.txt")));
}

} // namespace
} // namespace ferwis
