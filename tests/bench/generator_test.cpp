#include "bench/generator.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

// Every file and folder of the tiny installation of seed, with its bytes.
std::map<std::string, std::string> generated(std::uint64_t seed) {
    ferwis::test::TempTree tree;
    ferwis::bench::GeneratorOptions options;
    options.size = ferwis::bench::InstallationSize::tiny;
    options.seed = seed;
    options.out_dir = tree.root();
    ferwis::bench::generate_installation(options);
    const fs::path main = ferwis::to_native(tree.path("main"));
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(main)) {
        entries[ferwis::from_native(fs::relative(entry.path(), main))] =
            entry.is_regular_file() ? ferwis::test::read_file(entry.path()) : "folder";
    }
    return entries;
}

} // namespace

// The benchmark compares runs on one tree: the same seed must give the same
// files, byte for byte, and another seed another tree.
TEST(generate_installation, is_determined_by_its_seed) {
    const auto three = generated(3);
    EXPECT_GT(three.size(), 50u);
    EXPECT_EQ(generated(3), three);
    EXPECT_NE(generated(4), three);
}
